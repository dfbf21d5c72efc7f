#include "app/PostMsg.h"

#include <QByteArray>
#include <QPointer>
#include <QThread>
#include <QVector>
#include <QtGlobal>

#include <utility>

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

// The language signals as late receivers get them again.
const char* const kLanguageSignals[] = {"SigLanguageSameA", "SigLanguageSameB", "SigAllLanguage"};

std::function<void()> beforeRaise;
bool beforeRaiseRunning = false;

struct LateReceiver {
    QPointer<QObject> receiver;
    QByteArray signal;
    QByteArray method;
};
bool collectingLate = false;
QVector<LateReceiver> lateReceivers;
// Last value of each language signal raised, oldest raise first.
QVector<std::pair<QByteArray, int>> raisedLanguage;

bool IsLanguageSignal(const QByteArray& name)
{
    for (const char* language : kLanguageSignals) {
        if (name == language)
            return true;
    }
    return false;
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
    QMetaObject::Connection connection = QObject::connect(Instance(), signal, receiver, method, type);
    const QByteArray name = SignalName(signal);
    if (connection && collectingLate && IsLanguageSignal(name))
        lateReceivers.append({const_cast<QObject*>(receiver), name, SignalName(method)});
    return connection;
}

void PostMsg::SetBeforeRaise(std::function<void()> hook)
{
    beforeRaise = std::move(hook);
}

void PostMsg::CollectLateReceivers(bool on)
{
    collectingLate = on;
}

void PostMsg::EndLateReceivers()
{
    collectingLate = false;
    const QVector<LateReceiver> late = std::exchange(lateReceivers, {});
    for (const auto& raised : raisedLanguage) {
        for (const LateReceiver& entry : late) {
            if (entry.signal == raised.first && entry.receiver)
                QMetaObject::invokeMethod(entry.receiver, entry.method.constData(), Qt::DirectConnection,
                                          Q_ARG(int, raised.second));
        }
    }
}

void PostMsg::BeforeRaise()
{
    // Only the GUI thread sets or reads the hook.
    if (QThread::currentThread() != thread() || !beforeRaise || beforeRaiseRunning)
        return;
    beforeRaiseRunning = true;
    // A copy: the hook may take itself away.
    const std::function<void()> hook = beforeRaise;
    hook();
    beforeRaiseRunning = false;
}

void PostMsg::NoteLanguage(const char* signalName, int index)
{
    if (QThread::currentThread() != thread())
        return;
    for (int i = 0; i < raisedLanguage.size(); ++i) {
        if (raisedLanguage.at(i).first == signalName) {
            raisedLanguage.remove(i);
            break;
        }
    }
    raisedLanguage.append({QByteArray(signalName), index});
}

void PostMsg::RequireOffGuiThread(const char* signalName) const
{
    if (QThread::currentThread() == thread())
        qFatal("%s raised on the GUI thread: its blocking connections would wait for the thread that raised it",
               signalName);
}

void PostMsg::EmitSigChangeMainDialog(int index)
{
    BeforeRaise();
    emit SigChangeMainDialog(index);
}

void PostMsg::EmitSigChangeSize(int index)
{
    BeforeRaise();
    emit SigChangeSize(index);
}

void PostMsg::EmitSigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataConfigUI");
    emit SigUpDataConfigUI(ToTalItem, SelectIndex, ItemEnable);
}

void PostMsg::EmitSigUpDataLightUIButton(FlashDataMap DataMap)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataLightUIButton");
    emit SigUpDataLightUIButton(DataMap);
}

void PostMsg::EmitSigUpDataLightLight(FlashDataMap DataMap)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataLightLight");
    emit SigUpDataLightLight(DataMap);
}

void PostMsg::EmitSigUpDataLightSensor(FlashDataMap DataMap)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataLightSensor");
    emit SigUpDataLightSensor(DataMap);
}

void PostMsg::EmitSigUpDataLightUIA(FlashDataMap DataMap)
{
    BeforeRaise();
    emit SigUpDataLightUIA(DataMap);
}

void PostMsg::EmitSigUpDataSensorUIB(FlashDataMap DataMap)
{
    BeforeRaise();
    emit SigUpDataSensorUIB(DataMap);
}

void PostMsg::EmitSigUpDataButtonUIC(FlashDataMap DataMap)
{
    BeforeRaise();
    emit SigUpDataButtonUIC(DataMap);
}

void PostMsg::EmitSigButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    BeforeRaise();
    emit SigButtonToMacro(DataMap, KeyNumer);
}

void PostMsg::EmitSigSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    BeforeRaise();
    emit SigSelectMouseInfo(SelectInfo);
}

void PostMsg::EmitSigMouseOffLineo(int index)
{
    BeforeRaise();
    emit SigMouseOffLineo(index);
}

void PostMsg::EmitSigMainPageChange()
{
    BeforeRaise();
    emit SigMainPageChange();
}

void PostMsg::EmitSigSecondPageChange()
{
    BeforeRaise();
    emit SigSecondPageChange();
}

void PostMsg::EmitSigUpPageLight()
{
    BeforeRaise();
    emit SigUpPageLight();
}

void PostMsg::EmitSigAddMacroButton()
{
    BeforeRaise();
    emit SigAddMacroButton();
}

void PostMsg::EmitSigDeleteMacroButton(QString MacroName)
{
    BeforeRaise();
    emit SigDeleteMacroButton(MacroName);
}

void PostMsg::EmitSigMacroDownLoadData(QString MacroName, int index)
{
    BeforeRaise();
    emit SigMacroDownLoadData(MacroName, index);
}

void PostMsg::EmitSigUpDataMacro(QString MacroName, int index)
{
    BeforeRaise();
    emit SigUpDataMacro(MacroName, index);
}

void PostMsg::EmitSigUpDataParam(int index)
{
    BeforeRaise();
    emit SigUpDataParam(index);
}

void PostMsg::EmitSigUpDataReportRate(int index)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataReportRate");
    emit SigUpDataReportRate(index);
}

void PostMsg::EmitSigUpDataDPI(int index)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataDPI");
    emit SigUpDataDPI(index);
}

void PostMsg::EmitSigUpDataDPILed(FlashDataMap DataMap)
{
    BeforeRaise();
    RequireOffGuiThread("SigUpDataDPILed");
    emit SigUpDataDPILed(DataMap);
}

void PostMsg::EmitSigTimerStop()
{
    BeforeRaise();
    emit SigTimerStop();
}

void PostMsg::EmitSigButtonEnable(int index)
{
    BeforeRaise();
    emit SigButtonEnable(index);
}

void PostMsg::EmitSigLabelText(int index, QString Text)
{
    BeforeRaise();
    emit SigLabelText(index, Text);
}

void PostMsg::EmitSigLabelTextB(QString TextA, QString Text)
{
    BeforeRaise();
    emit SigLabelTextB(TextA, Text);
}

void PostMsg::EmitSigCloseUpdate()
{
    BeforeRaise();
    emit SigCloseUpdate();
}

void PostMsg::EmitSigProgress(int index, int value)
{
    BeforeRaise();
    emit SigProgress(index, value);
}

void PostMsg::EmitSigBattery(bool IsCharg, int Number, bool IsText)
{
    BeforeRaise();
    RequireOffGuiThread("SigBattery");
    emit SigBattery(IsCharg, Number, IsText);
}

void PostMsg::EmitSigAutoRepair(int index)
{
    BeforeRaise();
    emit SigAutoRepair(index);
}

void PostMsg::EmitSigAutoRepairProgress(int index)
{
    BeforeRaise();
    emit SigAutoRepairProgress(index);
}

void PostMsg::EmitSigChangeLanguage(int index)
{
    BeforeRaise();
    emit SigChangeLanguage(index);
}

void PostMsg::EmitSigLanguageSameA(int index)
{
    BeforeRaise();
    NoteLanguage("SigLanguageSameA", index);
    emit SigLanguageSameA(index);
}

void PostMsg::EmitSigLanguageSameB(int index)
{
    BeforeRaise();
    NoteLanguage("SigLanguageSameB", index);
    emit SigLanguageSameB(index);
}

void PostMsg::EmitSigCloseOffOnline()
{
    BeforeRaise();
    emit SigCloseOffOnline();
}

void PostMsg::EmitSigSetMacroPage()
{
    BeforeRaise();
    emit SigSetMacroPage();
}

void PostMsg::EmitSigStartRecord(int index)
{
    BeforeRaise();
    emit SigStartRecord(index);
}

void PostMsg::EmitSigUpDateButton(bool IsHide)
{
    BeforeRaise();
    emit SigUpDateButton(IsHide);
}

void PostMsg::EmitSigMacroRename(QString Rename, QString Name)
{
    BeforeRaise();
    emit SigMacroRename(Rename, Name);
}

void PostMsg::EmitSigSetver(int index)
{
    BeforeRaise();
    emit SigSetver(index);
}

void PostMsg::EmitSigCloseProgress()
{
    BeforeRaise();
    emit SigCloseProgress();
}

void PostMsg::EmitSigRGBValue(DongleRGB* Rgb)
{
    BeforeRaise();
    RequireOffGuiThread("SigRGBValue");
    emit SigRGBValue(Rgb);
}

void PostMsg::EmitSigLongRangeMode(bool Select)
{
    BeforeRaise();
    RequireOffGuiThread("SigLongRangeMode");
    emit SigLongRangeMode(Select);
}

void PostMsg::EmitSigForm()
{
    BeforeRaise();
    RequireOffGuiThread("SigForm");
    emit SigForm();
}

void PostMsg::EmitSigFormB()
{
    BeforeRaise();
    emit SigFormB();
}

void PostMsg::EmitSigEnterKey()
{
    BeforeRaise();
    emit SigEnterKey();
}

void PostMsg::EmitSigFormReset()
{
    BeforeRaise();
    RequireOffGuiThread("SigFormReset");
    emit SigFormReset();
}

void PostMsg::EmitSigHideModel(int index)
{
    BeforeRaise();
    emit SigHideModel(index);
}

void PostMsg::EmitSigContinue(int value)
{
    BeforeRaise();
    emit SigContinue(value);
}

void PostMsg::EmitSigMouseIndex(int index)
{
    BeforeRaise();
    emit SigMouseIndex(index);
}

void PostMsg::EmitSigUpdateStart()
{
    BeforeRaise();
    emit SigUpdateStart();
}

void PostMsg::EmitSigCheckUpdate()
{
    BeforeRaise();
    emit SigCheckUpdate();
}

void PostMsg::EmitSigRepairCheckUpdate()
{
    BeforeRaise();
    emit SigRepairCheckUpdate();
}

void PostMsg::EmitSigSetNewVer()
{
    BeforeRaise();
    emit SigSetNewVer();
}

void PostMsg::EmitSigLightToFrom(int index)
{
    BeforeRaise();
    emit SigLightToFrom(index);
}

void PostMsg::EmitSigButtonCheck()
{
    BeforeRaise();
    emit SigButtonCheck();
}

void PostMsg::EmitSigAllLanguage(int Index)
{
    BeforeRaise();
    NoteLanguage("SigAllLanguage", Index);
    emit SigAllLanguage(Index);
}

void PostMsg::EmitSigUpdateFrame(bool IsVis)
{
    BeforeRaise();
    emit SigUpdateFrame(IsVis);
}

void PostMsg::EmitSigAddSensor(int Value)
{
    BeforeRaise();
    emit SigAddSensor(Value);
}

void PostMsg::EmitSigAddReport(int Value)
{
    BeforeRaise();
    emit SigAddReport(Value);
}

void PostMsg::EmitSigAddLOD(QString Value)
{
    BeforeRaise();
    emit SigAddLOD(Value);
}

void PostMsg::EmitSigDebunce(QString Value)
{
    BeforeRaise();
    emit SigDebunce(Value);
}

void PostMsg::EmitSigAddConfig(QString Value)
{
    BeforeRaise();
    emit SigAddConfig(Value);
}

void PostMsg::EmitSigAddVer(int Type, QString Ver)
{
    BeforeRaise();
    emit SigAddVer(Type, Ver);
}

void PostMsg::EmitSigAddUpdate(int Type, bool Isupdate)
{
    BeforeRaise();
    emit SigAddUpdate(Type, Isupdate);
}

void PostMsg::EmitSig20KOpen(bool Open)
{
    BeforeRaise();
    emit Sig20KOpen(Open);
}

void PostMsg::EmitSigtVis(int index)
{
    BeforeRaise();
    emit SigtVis(index);
}

void PostMsg::EmitSigIsUsb(bool Usb, bool IsVs)
{
    BeforeRaise();
    emit SigIsUsb(Usb, IsVs);
}
