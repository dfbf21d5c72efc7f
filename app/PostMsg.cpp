#include "app/PostMsg.h"

#include <QByteArray>
#include <QThread>
#include <QtGlobal>

namespace {

PostMsg* hub = nullptr;

const char* const kBlockingSignals[] = {
        "SigUpDataConfigUI",
        "SigUpDataLightUIButton",
        "SigUpDataLightLight",
        "SigUpDataLightSensor",
        "SigUpDataReportRate",
        "SigUpDataDPI",
        "SigUpDataDPILed",
        "SigBattery",
        "SigRGBValue",
        "SigLongRangeMode",
        "SigForm",
        "SigFormReset",
};

QByteArray SignalName(const char* signature)
{
    // SIGNAL() puts a code digit in front of the signature.
    QByteArray text(signature);
    if (!text.isEmpty() && text.at(0) >= '0' && text.at(0) <= '9')
        text.remove(0, 1);
    const int paren = text.indexOf('(');
    return paren < 0 ? text : text.left(paren);
}

} // namespace

PostMsg* PostMsg::Instance()
{
    // The first call comes from the GUI thread before any other thread runs.
    if (!hub)
        hub = new PostMsg;
    return hub;
}

bool PostMsg::IsBlockingSignal(const char* signalSignature)
{
    const QByteArray name = SignalName(signalSignature);
    for (const char* blocking : kBlockingSignals) {
        if (name == blocking)
            return true;
    }
    return false;
}

QMetaObject::Connection PostMsg::Connect(const char* signal, const QObject* receiver, const char* method)
{
    const Qt::ConnectionType type = IsBlockingSignal(signal) ? Qt::BlockingQueuedConnection : Qt::AutoConnection;
    return QObject::connect(Instance(), signal, receiver, method, type);
}

void PostMsg::RequireOffGuiThread(const char* signalName) const
{
    if (QThread::currentThread() == thread())
        qFatal("%s raised on the GUI thread: its blocking connections would wait for the thread that raised it",
               signalName);
}

void PostMsg::EmitSigChangeMainDialog(int index)
{
    emit SigChangeMainDialog(index);
}

void PostMsg::EmitSigChangeSize(int index)
{
    emit SigChangeSize(index);
}

void PostMsg::EmitSigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    RequireOffGuiThread("SigUpDataConfigUI");
    emit SigUpDataConfigUI(ToTalItem, SelectIndex, ItemEnable);
}

void PostMsg::EmitSigUpDataLightUIButton(FlashDataMap DataMap)
{
    RequireOffGuiThread("SigUpDataLightUIButton");
    emit SigUpDataLightUIButton(DataMap);
}

void PostMsg::EmitSigUpDataLightLight(FlashDataMap DataMap)
{
    RequireOffGuiThread("SigUpDataLightLight");
    emit SigUpDataLightLight(DataMap);
}

void PostMsg::EmitSigUpDataLightSensor(FlashDataMap DataMap)
{
    RequireOffGuiThread("SigUpDataLightSensor");
    emit SigUpDataLightSensor(DataMap);
}

void PostMsg::EmitSigUpDataLightUIA(FlashDataMap DataMap)
{
    emit SigUpDataLightUIA(DataMap);
}

void PostMsg::EmitSigUpDataSensorUIB(FlashDataMap DataMap)
{
    emit SigUpDataSensorUIB(DataMap);
}

void PostMsg::EmitSigUpDataButtonUIC(FlashDataMap DataMap)
{
    emit SigUpDataButtonUIC(DataMap);
}

void PostMsg::EmitSigButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    emit SigButtonToMacro(DataMap, KeyNumer);
}

void PostMsg::EmitSigSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    emit SigSelectMouseInfo(SelectInfo);
}

void PostMsg::EmitSigMouseOffLineo(int index)
{
    emit SigMouseOffLineo(index);
}

void PostMsg::EmitSigMainPageChange()
{
    emit SigMainPageChange();
}

void PostMsg::EmitSigSecondPageChange()
{
    emit SigSecondPageChange();
}

void PostMsg::EmitSigUpPageLight()
{
    emit SigUpPageLight();
}

void PostMsg::EmitSigAddMacroButton()
{
    emit SigAddMacroButton();
}

void PostMsg::EmitSigDeleteMacroButton(QString MacroName)
{
    emit SigDeleteMacroButton(MacroName);
}

void PostMsg::EmitSigMacroDownLoadData(QString MacroName, int index)
{
    emit SigMacroDownLoadData(MacroName, index);
}

void PostMsg::EmitSigUpDataMacro(QString MacroName, int index)
{
    emit SigUpDataMacro(MacroName, index);
}

void PostMsg::EmitSigUpDataParam(int index)
{
    emit SigUpDataParam(index);
}

void PostMsg::EmitSigUpDataReportRate(int index)
{
    RequireOffGuiThread("SigUpDataReportRate");
    emit SigUpDataReportRate(index);
}

void PostMsg::EmitSigUpDataDPI(int index)
{
    RequireOffGuiThread("SigUpDataDPI");
    emit SigUpDataDPI(index);
}

void PostMsg::EmitSigUpDataDPILed(FlashDataMap DataMap)
{
    RequireOffGuiThread("SigUpDataDPILed");
    emit SigUpDataDPILed(DataMap);
}

void PostMsg::EmitSigTimerStop()
{
    emit SigTimerStop();
}

void PostMsg::EmitSigButtonEnable(int index)
{
    emit SigButtonEnable(index);
}

void PostMsg::EmitSigLabelText(int index, QString Text)
{
    emit SigLabelText(index, Text);
}

void PostMsg::EmitSigLabelTextB(QString TextA, QString Text)
{
    emit SigLabelTextB(TextA, Text);
}

void PostMsg::EmitSigCloseUpdate()
{
    emit SigCloseUpdate();
}

void PostMsg::EmitSigProgress(int index, int value)
{
    emit SigProgress(index, value);
}

void PostMsg::EmitSigBattery(bool IsCharg, int Number, bool IsText)
{
    RequireOffGuiThread("SigBattery");
    emit SigBattery(IsCharg, Number, IsText);
}

void PostMsg::EmitSigAutoRepair(int index)
{
    emit SigAutoRepair(index);
}

void PostMsg::EmitSigAutoRepairProgress(int index)
{
    emit SigAutoRepairProgress(index);
}

void PostMsg::EmitSigChangeLanguage(int index)
{
    emit SigChangeLanguage(index);
}

void PostMsg::EmitSigLanguageSameA(int index)
{
    emit SigLanguageSameA(index);
}

void PostMsg::EmitSigLanguageSameB(int index)
{
    emit SigLanguageSameB(index);
}

void PostMsg::EmitSigCloseOffOnline()
{
    emit SigCloseOffOnline();
}

void PostMsg::EmitSigSetMacroPage()
{
    emit SigSetMacroPage();
}

void PostMsg::EmitSigStartRecord(int index)
{
    emit SigStartRecord(index);
}

void PostMsg::EmitSigUpDateButton(bool IsHide)
{
    emit SigUpDateButton(IsHide);
}

void PostMsg::EmitSigMacroRename(QString Rename, QString Name)
{
    emit SigMacroRename(Rename, Name);
}

void PostMsg::EmitSigSetver(int index)
{
    emit SigSetver(index);
}

void PostMsg::EmitSigCloseProgress()
{
    emit SigCloseProgress();
}

void PostMsg::EmitSigRGBValue(DongleRGB* Rgb)
{
    RequireOffGuiThread("SigRGBValue");
    emit SigRGBValue(Rgb);
}

void PostMsg::EmitSigLongRangeMode(bool Select)
{
    RequireOffGuiThread("SigLongRangeMode");
    emit SigLongRangeMode(Select);
}

void PostMsg::EmitSigForm()
{
    RequireOffGuiThread("SigForm");
    emit SigForm();
}

void PostMsg::EmitSigFormB()
{
    emit SigFormB();
}

void PostMsg::EmitSigEnterKey()
{
    emit SigEnterKey();
}

void PostMsg::EmitSigFormReset()
{
    RequireOffGuiThread("SigFormReset");
    emit SigFormReset();
}

void PostMsg::EmitSigHideModel(int index)
{
    emit SigHideModel(index);
}

void PostMsg::EmitSigContinue(int value)
{
    emit SigContinue(value);
}

void PostMsg::EmitSigMouseIndex(int index)
{
    emit SigMouseIndex(index);
}

void PostMsg::EmitSigUpdateStart()
{
    emit SigUpdateStart();
}

void PostMsg::EmitSigCheckUpdate()
{
    emit SigCheckUpdate();
}

void PostMsg::EmitSigRepairCheckUpdate()
{
    emit SigRepairCheckUpdate();
}

void PostMsg::EmitSigSetNewVer()
{
    emit SigSetNewVer();
}

void PostMsg::EmitSigLightToFrom(int index)
{
    emit SigLightToFrom(index);
}

void PostMsg::EmitSigButtonCheck()
{
    emit SigButtonCheck();
}

void PostMsg::EmitSigAllLanguage(int Index)
{
    emit SigAllLanguage(Index);
}

void PostMsg::EmitSigUpdateFrame(bool IsVis)
{
    emit SigUpdateFrame(IsVis);
}

void PostMsg::EmitSigAddSensor(int Value)
{
    emit SigAddSensor(Value);
}

void PostMsg::EmitSigAddReport(int Value)
{
    emit SigAddReport(Value);
}

void PostMsg::EmitSigAddLOD(QString Value)
{
    emit SigAddLOD(Value);
}

void PostMsg::EmitSigDebunce(QString Value)
{
    emit SigDebunce(Value);
}

void PostMsg::EmitSigAddConfig(QString Value)
{
    emit SigAddConfig(Value);
}

void PostMsg::EmitSigAddVer(int Type, QString Ver)
{
    emit SigAddVer(Type, Ver);
}

void PostMsg::EmitSigAddUpdate(int Type, bool Isupdate)
{
    emit SigAddUpdate(Type, Isupdate);
}

void PostMsg::EmitSig20KOpen(bool Open)
{
    emit Sig20KOpen(Open);
}

void PostMsg::EmitSigtVis(int index)
{
    emit SigtVis(index);
}

void PostMsg::EmitSigIsUsb(bool Usb, bool IsVs)
{
    emit SigIsUsb(Usb, IsVs);
}
