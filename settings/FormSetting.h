#pragma once

#include "device/DongleRGB.h"
#include "lighting/LedInfo.h"
#include "lighting/LightModeSet.h"
#include "settings/InputPicA.h"
#include "settings/InputPicB.h"

#include <QPoint>
#include <QString>
#include <QWidget>

class MyButton;
class MyConmboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class UpDateWarning;
class FirmwareUpdateController;

// The warning shown when a firmware update needs the mouse on its cable; kept
// by the settings page in the current language for the chooser, the
// top-level window and the firmware update.
extern QString wiredModeText;

// The settings page, the seventh device page: language, the device's
// firmware versions, the pairing tool, the factory reset, start with the
// desktop session, the desktop's mouse settings, the program's version and
// the maker's link. It keeps four dialogs it never shows itself.
class FormSetting : public QWidget {
    Q_OBJECT
public:
    FirmwareUpdateController* UpdateController() const { return updateController; }
    explicit FormSetting(QWidget* parent = nullptr);
    ~FormSetting() override;

    // The program's version, shown after the home.Version text.
    static QString ProgramVersion() { return QStringLiteral("1.0.2.0"); }
    // Option/MouseSettingsCommand of the configuration: what the mouse
    // settings button starts.
    static QString MouseSettingsCommand();

public slots:
    void SlotAllLanguage(int index);
    void SlotLanguageSameB(int index);
    // Shows the firmware versions of the receiver and the mouse and tells
    // the overview (0: as the device link knows them, 6: none yet).
    void SetVer(int index);
    void SetVerText();
    void SlotScroolChange(int index);
    void SlotLightToFrom(int index);
    void SlotRGBValue(DongleRGB* Rgb);
    void SlotLongRangeMode(bool Select);
    void SlotForm();
    void SlotFormB();
    void SlotFormResetForm();

    void on_comboBox_activated(int index);
    void on_checkBox_clicked(bool checked);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_Reset_clicked();
    // The update button: the update prompt.
    void on_Receive_2_clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Form;

    void BuildForm();
    void ApplyStyles();
    // Tells the user that start with the session could not be changed.
    void ShowNotice(const QString& section, const QString& key);

    Form* form;
    QString pageDir;
    QString noDeviceText;
    QString sameDeviceText;
    QString newVersionText;
    QString upgradeText;
    QString noReceiverText;
    QString noUsbText;
    QString errorText;
    QString multiReceiverText;
    QString multiMouseText;
    UpDateWarning* warningDialog = nullptr;
    FirmwareUpdateController* updateController = nullptr;
    QPoint versionLabelHome;
    QString buttonColour;
    LedInfo ledInfoDialog;
    InputPicA pictureDialogA;
    InputPicB pictureDialogB;
    LightModeSet lightModeDialog;
    bool languageSeen = false;
};
