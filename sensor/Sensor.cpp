#include "sensor/Sensor.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/MotionSync.h"
#include "sensor/RippeControl.h"
#include "sensor/SensorCapabilities.h"
#include "sensor/SensorDPI.h"
#include "sensor/SensorForm.h"
#include "sensor/SensorLOD.h"
#include "sensor/SensorRate.h"
#include "widgets/PanelStyle.h"
#include "sensor/StraightLine.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PictureFile.h"
#include "widgets/SlotsByName.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QToolButton>

namespace {

const int kPerformanceCodes[8] = {1, 3, 6, 12, 18, 30, 60, 90};
constexpr int kCordedIndex = 2;

bool IsFastReceiver(int connectionKind)
{
    return connectionKind == ConnectionReceiver4K || connectionKind == ConnectionReceiver2K
        || connectionKind == ConnectionReceiver8K;
}

QString LevelColorText(const DpiLevelEntry& entry)
{
    return QStringLiteral("#%1%2%3")
        .arg(entry.red, 2, 16, QLatin1Char('0'))
        .arg(entry.green, 2, 16, QLatin1Char('0'))
        .arg(entry.blue, 2, 16, QLatin1Char('0'));
}

} // namespace

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
{
    ui = new SensorForm(this);
    ui->frame_3->hide();
    SlotsByName::Connect(this, {"on_RippeControl_clicked(bool)", "on_StraightLine_clicked(bool)",
                                "on_MotionSync_clicked(bool)", "on_pushButton_clicked()", "on_pushButton_2_clicked()"});

    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    sensorPageFolder = AppPaths::UserDataFolder() + QStringLiteral("/usersetting/SensorPage");
    PostMsg::Connect(SIGNAL(SigHideModel(int)), this, SLOT(SlotHideModel(int)));
    QDir().mkpath(sensorPageFolder);
    ui->frameDpi->SetLevelCount(DpiValueCoding::readDpiLevelCountFile(sensorPageFolder));
    SensorCapabilities::LoadHeader(&sensorFeatures);
    ApplyStyles();
    modeListView = qobject_cast<QListView*>(ui->ModelChoose->view());

    PostMsg::Connect(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()));
    PostMsg::Connect(SIGNAL(SigUpDataReportRate(int)), this, SLOT(SlotUpDataReportRate(int)));
    PostMsg::Connect(SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotUpDataDPI(int)));
    PostMsg::Connect(SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

Sensor::~Sensor()
{
    delete ui;
    ui = nullptr;
}

void Sensor::ApplyStyles()
{
    for (MyConmboBox* list : {ui->ModelChoose, ui->PerformanceOpen}) {
        PanelStyle::SetPanelComboFace(list, pictureDir);
        PanelStyle::InstallComboList(list, 10);
    }
    ui->PerformanceOpen->setMaxVisibleItems(5);

    // The page and its panels are framed for layout only; no outline is drawn.
    // Polished first, so that setting its sheet reaches the scroll bars the
    // layout has polished already.
    ui->SenSorPage->ensurePolished();
    ui->SenSorPage->setStyleSheet(QStringLiteral(
        "#SenSorPage,#frameDpi,#frameRate,#frameLOD,#frame,#frame_3,#frame_4{border:none;}"
        "QAbstractScrollArea{background:transparent;}"
        "QScrollBar:vertical{width:13px;background:rgb(30,30,30);margin:25px 0px 25px 0px;}"
        "QScrollBar::handle:vertical{background:rgb(117,117,117);border-radius:3px;min-height:30px;"
        "margin:0px 2px 0px 2px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:25px;background:rgb(30,30,30);}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"));
    ui->label_5->setStyleSheet(PanelStyle::LabelStyle());
    ui->label_11->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    ui->label->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureDir, "Tips.png"));
    ui->label_2->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureDir, "Tips.png"));
    ui->Performance->setStyleSheet(
        QStringLiteral("QCheckBox{color:%1;}"
                       "QCheckBox::indicator:checked{image:url(%2CheckBoxChecked.png);}"
                       "QCheckBox::indicator:unchecked{image:url(%2CheckBox.png);}")
            .arg(ThemeColor::Rgb(QStringLiteral("LabelColor")), pictureDir));
    for (QToolButton* title : {ui->TitleButton, ui->TitleButton_2, ui->TitleButton_4})
        title->setStyleSheet(PanelStyle::TitleMarkerStyle(title->objectName(), pictureDir));
}

int Sensor::RateIndexOfCode(int code)
{
    switch (code) {
    case 8: return 0;
    case 4: return 1;
    case 2: return 2;
    case 1: return 3;
    case 16: return 4;
    case 32: return 5;
    case 64: return 6;
    default: return -1;
    }
}

int Sensor::PerformanceIndexOfCode(int code)
{
    for (int i = 0; i < 8; ++i)
        if (kPerformanceCodes[i] == code)
            return i;
    return -1;
}

int Sensor::PerformanceCodeOfIndex(int index)
{
    return index >= 0 && index < 8 ? kPerformanceCodes[index] : 0;
}

bool Sensor::SensorModeSupported() const
{
    return SensorCapabilities::Supports(sensorFeatures.sensorModeSensors, CurrentSensorName);
}

void Sensor::SetSubMillimetreItemBySensor()
{
    CurrentSensorName = ConfigSettings::Instance()->Value(
        ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex), QStringLiteral("Sensor"));
    if (CurrentSensorName == QLatin1String("3950"))
        ui->frameLOD->addSubMillimetreItem();
    else
        ui->frameLOD->removeSubMillimetreItem();
}

void Sensor::SetModeIndexSilently(int index)
{
    const bool wasBlocked = ui->ModelChoose->blockSignals(true);
    ui->ModelChoose->setCurrentIndex(index);
    ui->ModelChoose->blockSignals(wasBlocked);
}

void Sensor::ShowFreeSensorMode(int mode)
{
    ui->ModelChoose->setEnabled(true);
    // Signals let through: outside a fill a changed index writes the mode again.
    ui->ModelChoose->setCurrentIndex(mode);
    lastSensorModeIndex = mode;
    if (modeListView)
        modeListView->setRowHidden(kCordedIndex, true);
}

void Sensor::ForceCordedSensorMode()
{
    if (modeListView)
        modeListView->setRowHidden(kCordedIndex, false);
    ui->ModelChoose->setCurrentIndex(kCordedIndex);
    lastSensorModeIndex = kCordedIndex;
    ui->ModelChoose->setEnabled(false);
}

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    SensorDPI* dpi = ui->frameDpi;
    dpi->EnableSlider();
    dpi->ClearLevelCountItems();
    dpi->BlockSliderSignals(true);
    dpi->SetSliderEnabled(true);
    sensorPageReady = false;
    sensorPageFilling = true;
    Fill(DataMap);
    sensorPageFilling = false;
    sensorPageReady = true;
    PostMsg::Instance()->EmitSigtVis(0);
}

void Sensor::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    SensorDPI* dpi = ui->frameDpi;
    dpi->EnableSlider();
    dpi->ClearLevelCountItems();
    dpi->BlockSliderSignals(true);
    dpi->SetSliderEnabled(true);
    sensorPageFilling = true;
    Fill(DataMap);
    sensorPageFilling = false;
    PostMsg::Instance()->EmitSigtVis(0);
}

void Sensor::Fill(const FlashDataMap& record)
{
    SensorDPI* dpi = ui->frameDpi;
    const DeviceAllInfo device = CurrentDevice::Info();
    ConfigSettings* settings = ConfigSettings::Instance();
    const QString group = ConfigSettings::ModelGroup(device.modelIndex);
    const int current = record.currentDpiLevel;

    dpi->SetLevelCount(record.dpiLevelCount);
    dpi->SetCurrentLevel(current);

    const int rateIndex = RateIndexOfCode(record.reportRate);
    if (rateIndex >= 0)
        ui->frameRate->selectRate(rateIndex);
    // On the cable the mouse reports at 1000 Hz whatever rate its receiver uses.
    if (device.wired && (record.reportRate == 16 || record.reportRate == 32))
        ui->frameRate->selectRate(3);

    SetSubMillimetreItemBySensor();

    if (SensorModeSupported()) {
        ui->ModelChoose->setEnabled(true);
        const bool fastRate = record.reportRate == 16 || record.reportRate == 32 || record.reportRate == 64;
        if (device.wired || (IsFastReceiver(device.connectionKind) && fastRate)) {
            ui->ModelChoose->setCurrentIndex(kCordedIndex);
            lastSensorModeIndex = kCordedIndex;
            ui->ModelChoose->setEnabled(false);
        } else {
            ui->ModelChoose->setCurrentIndex(record.sensorMode);
            lastSensorModeIndex = record.sensorMode;
            if (modeListView)
                modeListView->setRowHidden(kCordedIndex, true);
        }
    } else {
        ui->ModelChoose->setEnabled(false);
    }

    ui->frameLOD->setLodIndex(record.liftOffDistance - 1);

    const bool performance = record.performanceMode != 0;
    ui->Performance->setChecked(performance);
    ui->PerformanceOpen->setEnabled(performance);
    PostMsg::Instance()->EmitSig20KOpen(performance);

    const int timeIndex = PerformanceIndexOfCode(record.performanceTime);
    if (timeIndex >= 0) {
        ui->PerformanceOpen->setCurrentIndex(timeIndex);
        lastPerformanceTimeIndex = timeIndex;
    }

    ui->frame->setSwitchChecked(record.rippleControl != 0);
    ui->frame_4->setSwitchChecked(record.straightLine != 0);
    ui->frame_3->setSwitchChecked(record.motionSync != 0);

    const int levels = DpiValueCoding::ModelLevelCount(device.modelIndex);
    dpi->BlockLevelCountSignals(true);
    for (int j = 0; j < levels; ++j) {
        dpi->SetLevelColor(j, LevelColorText(record.dpiLevels[j]));
        dpi->InsertLevelCountItem(j, QString::number(j + 1));
    }
    dpi->BlockLevelCountSignals(false);
    dpi->RefreshSwatches(current);

    const bool oneSensorGroup = settings->Value(group, QStringLiteral("XIn1")).trimmed() == QLatin1String("2");
    for (QWidget* widget : {static_cast<QWidget*>(ui->TitleButton_4), static_cast<QWidget*>(ui->label_5),
                            static_cast<QWidget*>(ui->label_11), static_cast<QWidget*>(ui->ModelChoose),
                            static_cast<QWidget*>(ui->frameLOD), static_cast<QWidget*>(ui->Performance),
                            static_cast<QWidget*>(ui->PerformanceOpen), static_cast<QWidget*>(ui->frame),
                            static_cast<QWidget*>(ui->frame_4)})
        widget->setVisible(!oneSensorGroup);
    ui->frame_3->hide();

    // The ranges first: the levels' values are read with them.
    DpiValueCoding::ParseDpiRanges();
    dpiMinimumText = DpiRangeTable::Current().dpiMinimumText;
    dpiMaximumText = DpiRangeTable::Current().dpiMaximumText;
    dpi->SetSliderMaximum(dpiMaximumText.toInt());
    dpi->SetSliderMinimum(dpiMinimumText.toInt());

    for (int i = 0; i < levels; ++i) {
        const int value = DpiValueCoding::DpiOfLevelEntry(record.dpiLevels[i]);
        dpi->SetLevelText(i, QString::number(value));
        // The overview hears the current level's value once, from SelectLevel below.
        if (i == current) {
            dpi->SetSliderValue(value);
            dpi->SetSpinValue(value);
        }
    }

    dpi->ShowLevelCount(record.dpiLevelCount - 1);
    dpi->SetLevelCountIndex(record.dpiLevelCount - 1);
    dpi->MoveMarker(current + 1);
    // A level the model does not have holds no value of this record: it is
    // neither selected nor announced.
    if (current < levels)
        dpi->SelectLevel(current);

    const int rateClass = SensorRate::RateClassOfConnection(device.connectionKind);
    if (rateClass >= 0)
        ui->frameRate->setRateLimit(rateClass);

    ui->frameLOD->setLodEnabled(SensorCapabilities::Supports(sensorFeatures.lodCalSensors, CurrentSensorName));
    ui->frame->setVisible(SensorCapabilities::Supports(sensorFeatures.rippleSensors, CurrentSensorName));
    ui->frame_4->setVisible(SensorCapabilities::Supports(sensorFeatures.fixLineSensors, CurrentSensorName));
    ui->frame_3->hide();
    dpi->BlockSliderSignals(false);
}

void Sensor::SlotFormReset()
{
    SensorDPI* dpi = ui->frameDpi;
    const DeviceAllInfo device = CurrentDevice::Info();
    sensorPageFilling = true;

    dpi->SetSliderMaximum(24000);
    dpi->SetSliderMinimum(50);
    dpi->LoadDpiConfig();
    dpi->ClearLevelCountItems();
    for (int i = 0; i < 7; ++i)
        dpi->InsertLevelCountItem(i, QString::number(i + 1));
    dpi->BlockLevelCountSignals(false);
    dpi->ShowLevelCount(6);
    dpi->SetLevelCountIndex(6);
    dpi->MoveMarker(2);
    dpi->SelectLevel(1);

    ui->frameLOD->setLodIndex(0);
    ui->Performance->setEnabled(true);
    ui->Performance->setChecked(true);
    ui->frame_3->setSwitchChecked(true);

    dpi->SetSliderValue(1200);
    dpi->SetSpinValue(1200);
    PostMsg::Instance()->EmitSigAddSensor(1200);

    const int rateClass = SensorRate::RateClassOfConnection(device.connectionKind);
    if (rateClass >= 0) {
        ui->frameRate->setRateLimit(rateClass);
        ui->frameRate->selectRate(3);
        SetModeIndexSilently(0);
        lastSensorModeIndex = 0;
    }
    if (device.wired) {
        SetModeIndexSilently(0);
        lastSensorModeIndex = 0;
    }

    SetSubMillimetreItemBySensor();

    const bool wasBlocked = ui->PerformanceOpen->blockSignals(true);
    ui->PerformanceOpen->setCurrentIndex(2);
    ui->PerformanceOpen->blockSignals(wasBlocked);
    lastPerformanceTimeIndex = 2;

    ui->frameLOD->setLodIndex(0);
    ui->Performance->setChecked(false);
    PostMsg::Instance()->EmitSig20KOpen(false);
    ui->PerformanceOpen->setEnabled(false);

    ui->frame_3->setSwitchChecked(true);
    ui->frame_4->setSwitchChecked(false);
    ui->frame->setSwitchChecked(false);

    sensorPageFilling = false;
    ui->frame_3->hide();
    PostMsg::Instance()->EmitSigtVis(0);
}

void Sensor::SlotHideModel(int index)
{
    if (!SensorModeSupported())
        return;
    const DeviceAllInfo device = CurrentDevice::Info();
    if (index == 0 && !device.wired)
        ShowFreeSensorMode(CurrentFlashMapLock::Snapshot().sensorMode);
    else if (index == 1 && IsFastReceiver(device.connectionKind))
        ForceCordedSensorMode();
}

void Sensor::SlotUpDataReportRate(int index)
{
    // Back at 1000 Hz or lower the mode shown is written again, so the mouse
    // leaves the "Corded" a faster rate forced. This runs inside the report
    // thread's blocking signal: a silent mouse raises no notice here, whose
    // modal loop would hold that thread.
    const DeviceSettingSetters::OfflineNoticeHold noNotice;
    const bool followsMode = SensorModeSupported() && !CurrentDevice::Info().wired;
    switch (index) {
    case 1:
    case 2:
    case 4:
    case 8:
        ui->frameRate->selectRate(RateIndexOfCode(index));
        if (followsMode)
            ShowFreeSensorMode(CurrentFlashMapLock::Snapshot().sensorMode);
        break;
    case 16:
    case 32:
    case 64:
        ui->frameRate->selectRate(RateIndexOfCode(index));
        if (followsMode)
            ForceCordedSensorMode();
        break;
    default:
        break;
    }
}

void Sensor::SlotUpDataDPI(int index)
{
    // Selecting the level the mouse reports must not write it back; the
    // flag is put back as it was, so a page not yet allowed to send stays so.
    const bool sendEnabled = deviceSendEnabled;
    deviceSendEnabled = false;
    SensorDPI* dpi = ui->frameDpi;
    dpi->MoveMarker(index + 1);
    if (index >= 0 && index < SensorDPI::kLevels) {
        dpi->SelectLevel(index);
        dpi->SetCurrentLevel(index);
    }
    deviceSendEnabled = sendEnabled;
}

void Sensor::SlotAllLanguage(int index)
{
    const int language = index == 2 ? 1 : index;
    static const int kTipX[8][2] = {{203, 630}, {160, 530}, {160, 530}, {163, 510},
                                    {203, 530}, {203, 530}, {213, 630}, {178, 630}};
    if (language >= 0 && language <= 7) {
        ui->label->move(kTipX[language][0], 361);
        ui->label_2->move(kTipX[language][1], 361);
        ui->frameLOD->placeTipIcon(language);
        ui->frame->placeTipIcon(language);
        ui->frame_3->placeTipIcon(language);
        ui->frame_4->placeTipIcon(language);
    }

    auto text = [language](const char* key) {
        return LanguageTables::Text(language, QStringLiteral("sensor"), QLatin1String(key));
    };
    ui->frameDpi->SetTitleText(text("DPISetting"));
    ui->frameRate->setTitleText(text("ReportRate"));
    ui->label_5->setText(text("SensorSetting"));
    ui->label_11->setText(text("SensorMode"));
    ui->label->setToolTip(text("SensorModeTips"));
    ui->frameLOD->setTitleText(text("LOD"));
    ui->frameLOD->setTipText(text("LODTips"));
    ui->frame_3->setTitleText(text("MotionSync"));
    ui->frame_3->setTipText(text("MotionSyncTips"));
    ui->Performance->setText(text("Performance"));
    ui->label_2->setToolTip(text("PerformanceTips"));
    ui->frame->setTitleText(text("Ripple"));
    ui->frame->setTipText(text("RippleTips"));
    ui->frame_4->setTitleText(text("Angle"));
    ui->frame_4->setTipText(text("AngleTips"));

    for (int i = 0; i < 8; ++i)
        ui->PerformanceOpen->setItemText(
            i, LanguageTables::Option(language, QStringLiteral("PerformanceOptions"),
                                      QString::number(kPerformanceCodes[i])));
}

void Sensor::on_ModelChoose_currentIndexChanged(int index)
{
    // Corded is forced by the connection, never chosen.
    if (!deviceSendEnabled || sensorPageFilling || index == kCordedIndex || index < 0)
        return;
    if (DeviceSettingSetters::SetSensorMode(index)) {
        lastSensorModeIndex = index;
        return;
    }
    SetModeIndexSilently(lastSensorModeIndex);
}

void Sensor::on_PerformanceOpen_currentIndexChanged(int index)
{
    if (!deviceSendEnabled || sensorPageFilling)
        return;
    auto putBack = [this]() {
        const bool wasBlocked = ui->PerformanceOpen->blockSignals(true);
        ui->PerformanceOpen->setCurrentIndex(lastPerformanceTimeIndex);
        ui->PerformanceOpen->blockSignals(wasBlocked);
    };
    if (!DeviceSettingSetters::IsDeviceOnline()) {
        putBack();
        return;
    }
    const int code = PerformanceCodeOfIndex(index);
    if (code == 0)
        return;
    if (DeviceSettingSetters::SetPerformanceTime(code))
        lastPerformanceTimeIndex = index;
    else
        putBack();
}

void Sensor::on_Performance_clicked(bool checked)
{
    if (deviceSendEnabled && !sensorPageFilling) {
        if (DeviceSettingSetters::SetPerformanceMode(checked ? 1 : 0)) {
            PostMsg::Instance()->EmitSig20KOpen(checked);
        } else {
            const bool wasBlocked = ui->Performance->blockSignals(true);
            ui->Performance->setChecked(!checked);
            ui->Performance->blockSignals(wasBlocked);
            ui->PerformanceOpen->setEnabled(!checked);
        }
    }
    PostMsg::Instance()->EmitSigtVis(0);
}

void Sensor::WriteSwitch(bool (*writer)(int on), SensorSwitchPanel* panel, bool checked)
{
    if (!deviceSendEnabled)
        return;
    if (writer(checked ? 1 : 0))
        panel->setSwitchChecked(checked);
}

void Sensor::on_RippeControl_clicked(bool checked)
{
    WriteSwitch(&DeviceSettingSetters::SetRippleControl, ui->frame, checked);
}

void Sensor::on_StraightLine_clicked(bool checked)
{
    WriteSwitch(&DeviceSettingSetters::SetStraightLine, ui->frame_4, checked);
}

void Sensor::on_MotionSync_clicked(bool checked)
{
    WriteSwitch(&DeviceSettingSetters::SetMotionSync, ui->frame_3, checked);
}

void Sensor::on_pushButton_clicked()
{
    ui->frameLOD->addSubMillimetreItem();
}

void Sensor::on_pushButton_2_clicked()
{
    ui->frameLOD->removeSubMillimetreItem();
}

bool Sensor::setButtonPicture(QAbstractButton* button, const QString& file)
{
    const QImage picture = PictureFile::Read(file);
    if (!button || picture.isNull())
        return false;
    button->setIcon(QIcon(QPixmap::fromImage(picture)));
    button->setIconSize(button->size());
    return true;
}

void Sensor::on_Performance_toggled(bool checked)
{
    ui->PerformanceOpen->setEnabled(checked);
}

void Sensor::changeEvent(QEvent* event)
{
    Q_UNUSED(event);
    // The time list is usable exactly while performance mode is on.
    if (ui)
        ui->PerformanceOpen->setEnabled(ui->Performance->isChecked());
}
