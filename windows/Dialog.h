#pragma once

#include "device/DeviceAllInfo.h"

#include <QString>
#include <QWidget>

class Advanced;
class Buttoninterface;
class CrashDumpHandler;
class FormSetting;
class LampLight;
class Macro;
class PreVier;
class QButtonGroup;
class QFrame;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QToolButton;
class Sensor;
class UpDataParam;

// When the device pages are made: with the window, or after its first frame
// while the chooser is already shown.
enum class PageTiming { AtStart, AfterFirstFrame };

// The device half of the top-level window: the top bar with navigation,
// battery and connection, the way back to the chooser, and the seven device
// pages on one stack.
class Dialog : public QWidget {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr, PageTiming timing = PageTiming::AtStart);
    ~Dialog() override;

    // Makes the next missing page (one step of the later build); false once
    // every page is made.
    bool BuildNextPage();
    void BuildMissingPages();
    bool PagesComplete() const;
    QWidget* PageStack() const;
    // The font pass of the window at this factor reaches the pages made
    // later once the last of them is made.
    void ScaleWhenComplete(double factor);

public slots:
    void WindowMin();
    void on_CloseButton_clicked();
    void on_UpArrow_clicked();
    void on_PreButton_clicked();
    void on_ButtonMain_clicked();
    void on_SensorButton_clicked();
    void on_MacroButton_clicked();
    void on_LightsButton_clicked();
    void on_Advanced_clicked();
    void on_FormSetting_clicked();
    void on_stackedWidgetDialog_currentChanged(int index);
    void SlotSecondDialog();
    void SlotIsUsb(bool Usb, bool IsVs);
    void SlotUpDataParam(int index);
    void SlotStartRecord(int index);
    void SlotBattery(bool IsCharg, int Number, bool IsText);
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SlotForm();
    void SlotMouseOffLine(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildForm();
    void FinishPages();
    void ApplyStyles();
    void SetTopBarPicture(const QString& picture);
    void WriteDeviceCache();
    void ShowConnectionPicture(const QString& picture, const QString& toolTip);
    void ShowBatteryUnknown();
    void ShowOffline();

    QString pictureFolder;

    QFrame* frame;
    QFrame* frame_2;
    QToolButton* PreButton;
    QToolButton* ButtonMain;
    QToolButton* SensorButton;
    QToolButton* MacroButton;
    QToolButton* LightsButton;
    QToolButton* AdvancedButton;
    QToolButton* FormSettingButton;
    QLabel* label_4;
    QLabel* label_2;
    QLabel* BatteryButtonC;
    QProgressBar* progressBar;
    QLabel* label;
    QToolButton* MinButton;
    QToolButton* CloseButton;
    QToolButton* SetButton;
    QLabel* label_3;
    QFrame* frame_3;
    QToolButton* UpArrow;
    QFrame* frame_4;
    QStackedWidget* stackedWidgetDialog;

    PreVier* preVier = nullptr;
    Advanced* advanced = nullptr;
    Buttoninterface* buttonPage = nullptr;
    LampLight* lampLight = nullptr;
    Macro* macro = nullptr;
    Sensor* sensor = nullptr;
    FormSetting* formSetting = nullptr;

    UpDataParam* pleaseWait = nullptr;
    CrashDumpHandler* crashHandler = nullptr;
    QButtonGroup* navigation = nullptr;
    int pagesMade = 0;
    bool buildingPage = false;
    double lateFontScale = 1.0;
    bool lateReceivers = false;
};
