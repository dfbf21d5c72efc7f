#pragma once

#include "device/DeviceAllInfo.h"
#include "device/DongleRGB.h"
#include "device/FlashDataMap.h"

#include <QObject>
#include <QString>

#include <functional>

// The process-wide message hub. Pages, dialogs, the worker and the report
// handler never hold pointers to each other for news: they raise a signal
// here and whoever cares connects to it.
//
// Twelve device-data signals are delivered as blocking queued calls: the
// thread that raises them (the worker's thread or the device library's
// report thread) waits until the GUI thread has run the slots. Raising one
// of them on the GUI thread would wait for itself, so their Emit functions
// stop the program with a message instead of hanging. Connect() picks the
// connection type from the signal's name, so no receiver can get it wrong.
class PostMsg : public QObject {
    Q_OBJECT
public:
    static PostMsg* Instance();

    static bool IsBlockingSignal(const char* signalSignature);
    // signal and method as given by SIGNAL() and SLOT().
    static QMetaObject::Connection Connect(const char* signal, const QObject* receiver, const char* method);

    // Runs before each signal raised on the GUI thread (not again while it
    // runs), so that the window can first build what may receive it.
    static void SetBeforeRaise(std::function<void()> hook);
    // Receivers connected while collecting is on were made after the
    // language signals went out; the end gives them, and only them, the last
    // value of each, in the order the signals were raised.
    static void CollectLateReceivers(bool on);
    static void EndLateReceivers();

    void EmitSigChangeMainDialog(int index);
    void EmitSigChangeSize(int index);
    void EmitSigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);
    void EmitSigUpDataLightUIButton(FlashDataMap DataMap);
    void EmitSigUpDataLightLight(FlashDataMap DataMap);
    void EmitSigUpDataLightSensor(FlashDataMap DataMap);
    void EmitSigUpDataLightUIA(FlashDataMap DataMap);
    void EmitSigUpDataSensorUIB(FlashDataMap DataMap);
    void EmitSigUpDataButtonUIC(FlashDataMap DataMap);
    void EmitSigButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void EmitSigSelectMouseInfo(DeviceAllInfo SelectInfo);
    void EmitSigMouseOffLineo(int index);
    void EmitSigMainPageChange();
    void EmitSigSecondPageChange();
    void EmitSigUpPageLight();
    void EmitSigAddMacroButton();
    void EmitSigDeleteMacroButton(QString MacroName);
    void EmitSigMacroDownLoadData(QString MacroName, int index);
    void EmitSigUpDataMacro(QString MacroName, int index);
    void EmitSigUpDataParam(int index);
    void EmitSigUpDataReportRate(int index);
    void EmitSigUpDataDPI(int index);
    void EmitSigUpDataDPILed(FlashDataMap DataMap);
    void EmitSigTimerStop();
    void EmitSigButtonEnable(int index);
    void EmitSigLabelText(int index, QString Text);
    void EmitSigLabelTextB(QString TextA, QString Text);
    void EmitSigCloseUpdate();
    void EmitSigProgress(int index, int value);
    void EmitSigBattery(bool IsCharg, int Number, bool IsText);
    void EmitSigAutoRepair(int index);
    void EmitSigAutoRepairProgress(int index);
    void EmitSigChangeLanguage(int index);
    void EmitSigLanguageSameA(int index);
    void EmitSigLanguageSameB(int index);
    void EmitSigCloseOffOnline();
    void EmitSigSetMacroPage();
    void EmitSigStartRecord(int index);
    void EmitSigUpDateButton(bool IsHide);
    void EmitSigMacroRename(QString Rename, QString Name);
    void EmitSigSetver(int index);
    void EmitSigCloseProgress();
    void EmitSigRGBValue(DongleRGB* Rgb);
    void EmitSigLongRangeMode(bool Select);
    void EmitSigForm();
    void EmitSigFormB();
    void EmitSigEnterKey();
    void EmitSigFormReset();
    void EmitSigHideModel(int index);
    void EmitSigContinue(int value);
    void EmitSigMouseIndex(int index);
    void EmitSigUpdateStart();
    void EmitSigCheckUpdate();
    void EmitSigRepairCheckUpdate();
    void EmitSigSetNewVer();
    void EmitSigLightToFrom(int index);
    void EmitSigButtonCheck();
    void EmitSigAllLanguage(int Index);
    void EmitSigUpdateFrame(bool IsVis);
    void EmitSigAddSensor(int Value);
    void EmitSigAddReport(int Value);
    void EmitSigAddLOD(QString Value);
    void EmitSigDebunce(QString Value);
    void EmitSigAddConfig(QString Value);
    void EmitSigAddVer(int Type, QString Ver);
    void EmitSigAddUpdate(int Type, bool Isupdate);
    void EmitSig20KOpen(bool Open);
    void EmitSigtVis(int index);
    void EmitSigIsUsb(bool Usb, bool IsVs);

signals:
    void SigChangeMainDialog(int index);
    void SigChangeSize(int index);
    void SigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);
    void SigUpDataLightUIButton(FlashDataMap DataMap);
    void SigUpDataLightLight(FlashDataMap DataMap);
    void SigUpDataLightSensor(FlashDataMap DataMap);
    void SigUpDataLightUIA(FlashDataMap DataMap);
    void SigUpDataSensorUIB(FlashDataMap DataMap);
    void SigUpDataButtonUIC(FlashDataMap DataMap);
    void SigButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void SigSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SigMouseOffLineo(int index);
    void SigMainPageChange();
    void SigSecondPageChange();
    void SigUpPageLight();
    void SigAddMacroButton();
    void SigDeleteMacroButton(QString MacroName);
    void SigMacroDownLoadData(QString MacroName, int index);
    void SigUpDataMacro(QString MacroName, int index);
    void SigUpDataParam(int index);
    void SigUpDataReportRate(int index);
    void SigUpDataDPI(int index);
    void SigUpDataDPILed(FlashDataMap DataMap);
    void SigTimerStop();
    void SigButtonEnable(int index);
    void SigLabelText(int index, QString Text);
    void SigLabelTextB(QString TextA, QString Text);
    void SigCloseUpdate();
    void SigProgress(int index, int value);
    void SigBattery(bool IsCharg, int Number, bool IsText);
    void SigAutoRepair(int index);
    void SigAutoRepairProgress(int index);
    void SigChangeLanguage(int index);
    void SigLanguageSameA(int index);
    void SigLanguageSameB(int index);
    void SigCloseOffOnline();
    void SigSetMacroPage();
    void SigStartRecord(int index);
    void SigUpDateButton(bool IsHide);
    void SigMacroRename(QString Rename, QString Name);
    void SigSetver(int index);
    void SigCloseProgress();
    void SigRGBValue(DongleRGB* Rgb);
    void SigLongRangeMode(bool Select);
    void SigForm();
    void SigFormB();
    void SigEnterKey();
    void SigFormReset();
    void SigHideModel(int index);
    void SigContinue(int value);
    void SigMouseIndex(int index);
    void SigUpdateStart();
    void SigCheckUpdate();
    void SigRepairCheckUpdate();
    void SigSetNewVer();
    void SigLightToFrom(int index);
    void SigButtonCheck();
    void SigAllLanguage(int Index);
    void SigUpdateFrame(bool IsVis);
    void SigAddSensor(int Value);
    void SigAddReport(int Value);
    void SigAddLOD(QString Value);
    void SigDebunce(QString Value);
    void SigAddConfig(QString Value);
    void SigAddVer(int Type, QString Ver);
    void SigAddUpdate(int Type, bool Isupdate);
    void Sig20KOpen(bool Open);
    void SigtVis(int index);
    void SigIsUsb(bool Usb, bool IsVs);

private:
    PostMsg() = default;
    void RequireOffGuiThread(const char* signalName) const;
    void BeforeRaise();
    void NoteLanguage(const char* signalName, int index);
};
