#include "variants/SensorDPIB.h"

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "variants/VariantForm.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

const char* const kLevelNames[SensorDPIB::kLevels] = {"MA", "MB", "MC", "MD", "ME", "MF", "MG", "MH"};
const char* const kSwatchNames[SensorDPIB::kLevels] = {"BlueButtonA",   "BrightRedButtonA", "RedButtonA",
                                                       "YellowButtonA", "GreenButtonA",     "PurpleButtonA",
                                                       "LightBlueButtonA", "LightYellowButtonA"};
const char* const kSliderNames[SensorDPIB::kLevels] = {"horizontalSliderA", "horizontalSliderB", "horizontalSliderC",
                                                       "horizontalSliderD", "horizontalSliderE", "horizontalSliderF",
                                                       "horizontalSliderG", "horizontalSliderH"};
const char* const kNumberNames[SensorDPIB::kLevels] = {"spinBoxA", "spinBoxB", "spinBoxC", "spinBoxD",
                                                       "spinBoxE", "spinBoxF", "spinBoxG", "spinBoxH"};
const char* const kDefaultColors[SensorDPIB::kLevels] = {"#ff0000", "#ffff00", "#ffaa00", "#00ff00",
                                                         "#aaffff", "#aa55ff", "#9f0000", "#00d4d4"};
const char* const kPresetColors[SensorDPIB::kLevels] = {"#ff0000", "#00ffff", "#00ff00", "#ffffff",
                                                        "#00ffff", "#ff557d", "#ff00ff", "#00ffff"};

bool DeviceOnline()
{
    const QByteArray path = CurrentDevice::Path();
    return UsbFinderC_GetDeviceOnLine(path.constData()) != 0;
}

void RaiseOfflineNotice()
{
    PostMsg::Instance()->EmitSigMouseOffLineo(0);
}

// A table with a step of 0 or less cannot snap: such values stay as given.
bool TableCanSnap(const DpiRangeTable& table)
{
    if (table.dpiRangeCount < 1 || table.dpiRangeCount > DpiRangeTable::kMaxRanges)
        return false;
    for (int r = 0; r < table.dpiRangeCount && r < table.dpiRangeSteps.size(); ++r) {
        if (table.dpiRangeSteps[r] <= 0)
            return false;
    }
    return table.dpiRangeSteps.size() >= table.dpiRangeCount && table.dpiRangeMinima.size() >= table.dpiRangeCount
        && table.dpiRangeMaxima.size() >= table.dpiRangeCount;
}

} // namespace

SensorDPIB::SensorDPIB(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    QMetaObject::connectSlotsByName(this);
    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    for (int i = 0; i < kLevels; ++i)
        levelColors[i] = QLatin1String(kDefaultColors[i]);
    colorDialog = new QColorDialog(this);
    connect(colorDialog, &QColorDialog::colorSelected, this, &SensorDPIB::SetColor);
    levelGroup = new QButtonGroup(this);
    levelGroup->setExclusive(true);
    for (const Row& row : rows)
        levelGroup->addButton(row.level);
    ApplyStyles();
}

void SensorDPIB::BuildForm()
{
    VariantForm::SetUpPanel(this, "SensorDPIB", 725, 444);
    label = VariantForm::NewCaption(this, QRect(540, 10, 91, 21), QStringLiteral("DPI级数"),
                                    Qt::AlignLeft | Qt::AlignVCenter);
    ChooseEvent = new MyConmboBox(this);
    ChooseEvent->setObjectName(QStringLiteral("ChooseEvent"));
    ChooseEvent->setGeometry(630, 10, 81, 21);
    ChooseEvent->setFont(PanelForm::YaHei(10));
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    ChooseEvent->setFocusPolicy(Qt::NoFocus);
    ChooseEvent->setMaxVisibleItems(5);

    for (int i = 0; i < kLevels; ++i) {
        Row& row = rows[i];
        const int y = 60 + 50 * i;
        row.level = VariantForm::NewTickBox(this, kLevelNames[i], QRect(10, y, 61, 20),
                                            QStringLiteral("DPI%1").arg(i + 1));
        row.swatch = new QToolButton(this);
        row.swatch->setObjectName(QLatin1String(kSwatchNames[i]));
        row.swatch->setGeometry(80, y - 3, 25, 25);
        row.swatch->setCheckable(true);
        row.swatch->setFocusPolicy(Qt::NoFocus);
        row.swatch->setAutoRaise(false);
        row.slider = new MySlider(this);
        row.slider->setObjectName(QLatin1String(kSliderNames[i]));
        row.slider->setGeometry(120, y, 510, 25);
        row.slider->setMinimumSize(510, 25);
        row.slider->setMaximumSize(510, 25);
        row.slider->setOrientation(Qt::Horizontal);
        row.slider->setRange(50, 10000);
        row.slider->setSingleStep(50);
        row.slider->setPageStep(50);
        row.slider->setValue(50);
        row.slider->setTracking(false);
        row.slider->setFocusPolicy(Qt::NoFocus);
        row.number = VariantForm::NewNumberBox(this, kNumberNames[i], QRect(643, y, 66, 21), 50, 100000, 10);
    }
}

void SensorDPIB::ApplyStyles()
{
    label->setStyleSheet(VariantForm::CaptionStyle());
    PanelStyle::SetPanelComboFace(ChooseEvent, pictureDir);
    PanelStyle::InstallComboList(ChooseEvent, 5);
    const QString sliderStyle = PanelStyle::SliderStyle(pictureDir);
    const QString numberStyle = VariantForm::BorderedNumberStyle();
    const QString levelStyle = VariantForm::TickBoxStyle(pictureDir);
    for (int i = 0; i < kLevels; ++i) {
        rows[i].slider->setStyleSheet(sliderStyle);
        rows[i].number->setStyleSheet(numberStyle);
        rows[i].level->setStyleSheet(levelStyle);
        // Red until the host applies the level colours.
        PaintSwatch(i, QStringLiteral("rgb(255, 0, 0)"));
    }
}

void SensorDPIB::PaintSwatch(int row, const QString& colour)
{
    rows[row].swatch->setStyleSheet(QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;"
                                                   "background-repeat:no-repeat;background-color:")
                                    + colour + QStringLiteral(";}"));
}

// ---- user changes ----------------------------------------------------------

void SensorDPIB::SliderChanged(int row, int value)
{
    Row& r = rows[row];
    const bool load = sliderLoad.Loading();
    if (!load && deviceSendEnabled && !sensorPageFilling && !DeviceOnline()) {
        // The mouse keeps the value it has: so does the row.
        const QSignalBlocker blocker(r.slider);
        r.slider->setValue(r.number->value());
        RaiseOfflineNotice();
        return;
    }
    const DpiRangeTable& table = DpiRangeTable::Current();
    if (TableCanSnap(table)) {
        int pageStep = r.slider->pageStep();
        value = table.Snap(value, &pageStep);
        r.slider->setPageStep(pageStep);
    }
    r.number->setValue(value);
    if (load || noWaitDialog || DpiValueCoding::sendDpiLevel(row, value))
        return;
    // The mouse keeps the level's value: so do the slider and the number.
    const int held = DpiValueCoding::DpiOfLevelEntry(CurrentFlashMapLock::Snapshot().dpiLevels[row]);
    const QSignalBlocker blocker(r.slider);
    if (TableCanSnap(table)) {
        int pageStep = r.slider->pageStep();
        table.Snap(held, &pageStep);
        r.slider->setPageStep(pageStep);
    }
    r.slider->setValue(held);
    r.number->setValue(held);
}

void SensorDPIB::LevelChosen(int row, bool checked)
{
    if (!checked || !deviceSendEnabled || sensorPageFilling)
        return;
    const int before = currentLevel;
    currentLevel = row;
    if (DeviceSettingSetters::SetCurrentDpiLevel(row))
        return;
    // The mouse keeps its level: so does the row of boxes.
    currentLevel = before;
    if (IsLevel(before)) {
        const QSignalBlocker blocker(rows[before].level);
        rows[before].level->setChecked(true);
    }
}

void SensorDPIB::SwatchClicked(int row)
{
    colorTarget = row;
    colorDialog->show();
}

void SensorDPIB::SetColor(const QColor& color)
{
    const int t = colorTarget;
    if (!IsLevel(t))
        return;
    const QString text = color.name(QColor::HexRgb).toLower();
    const int red = text.midRef(1, 2).toInt(nullptr, 16);
    const int green = text.midRef(3, 2).toInt(nullptr, 16);
    const int blue = text.midRef(5, 2).toInt(nullptr, 16);
    // A colour the mouse did not take is not shown either.
    if (deviceSendEnabled && !sensorPageFilling && !DeviceSettingSetters::SetDpiLevelColor(t, red, green, blue))
        return;
    levelColors[t] = text;
    ApplyLevelColor(t);
}

void SensorDPIB::on_ChooseEvent_currentIndexChanged(int index)
{
    if (sensorPageFilling)
        return;
    // An emptied list (-1) or an index past the record's levels addresses
    // no level entry: nothing is changed or written.
    if (!IsLevel(index))
        return;
    const int a = index;
    previousLevel = currentLevel;
    const int c = currentLevel;
    if (IsLevel(c) && c > a) {
        // The current level lies beyond the new last level: it swaps places
        // with the new last level, so the mouse keeps using its value. The
        // rows swap only once the mouse has taken it.
        if (deviceSendEnabled) {
            const FlashDataMap record = CurrentFlashMapLock::Snapshot();
            if (!DeviceSettingSetters::SetDpiLevelPair(record.dpiLevels[a], record.dpiLevels[c], a, c, a)) {
                ShowHeldLevelCount();
                return;
            }
        }
        BlockSliderSignals(true);
        const QString colourC = levelColors[c];
        const QString colourA = levelColors[a];
        const int valueC = rows[c].number->value();
        const int valueA = rows[a].number->value();
        levelColors[c] = colourA;
        ApplyLevelColor(c);
        rows[c].slider->setValue(valueA);
        rows[c].number->setValue(valueA);
        levelColors[a] = colourC;
        ApplyLevelColor(a);
        rows[a].slider->setValue(valueC);
        rows[a].number->setValue(valueC);
        rows[a].level->setChecked(true);
        currentLevel = a;
        BlockSliderSignals(false);
    }
    ShowLevels(a);
    // The count writer asks whether the mouse answers, as the level pair's did.
    if (deviceSendEnabled && !DeviceSettingSetters::SetDpiLevelCount(a + 1))
        ShowHeldLevelCount();
}

void SensorDPIB::ShowHeldLevelCount()
{
    const int held = CurrentFlashMapLock::Snapshot().dpiLevelCount - 1;
    if (!IsLevel(held))
        return;
    const QSignalBlocker blocker(ChooseEvent);
    ChooseEvent->setCurrentIndex(held);
    ShowLevels(held);
}

void SensorDPIB::on_horizontalSliderA_valueChanged(int value) { SliderChanged(0, value); }
void SensorDPIB::on_horizontalSliderB_valueChanged(int value) { SliderChanged(1, value); }
void SensorDPIB::on_horizontalSliderC_valueChanged(int value) { SliderChanged(2, value); }
void SensorDPIB::on_horizontalSliderD_valueChanged(int value) { SliderChanged(3, value); }
void SensorDPIB::on_horizontalSliderE_valueChanged(int value) { SliderChanged(4, value); }
void SensorDPIB::on_horizontalSliderF_valueChanged(int value) { SliderChanged(5, value); }
void SensorDPIB::on_horizontalSliderG_valueChanged(int value) { SliderChanged(6, value); }
void SensorDPIB::on_horizontalSliderH_valueChanged(int value) { SliderChanged(7, value); }

void SensorDPIB::on_MA_toggled(bool checked) { LevelChosen(0, checked); }
void SensorDPIB::on_MB_toggled(bool checked) { LevelChosen(1, checked); }
void SensorDPIB::on_MC_toggled(bool checked) { LevelChosen(2, checked); }
void SensorDPIB::on_MD_toggled(bool checked) { LevelChosen(3, checked); }
void SensorDPIB::on_ME_toggled(bool checked) { LevelChosen(4, checked); }
void SensorDPIB::on_MF_toggled(bool checked) { LevelChosen(5, checked); }
void SensorDPIB::on_MG_toggled(bool checked) { LevelChosen(6, checked); }
void SensorDPIB::on_MH_toggled(bool checked) { LevelChosen(7, checked); }

void SensorDPIB::on_BlueButtonA_clicked() { SwatchClicked(0); }
void SensorDPIB::on_BrightRedButtonA_clicked() { SwatchClicked(1); }
void SensorDPIB::on_RedButtonA_clicked() { SwatchClicked(2); }
void SensorDPIB::on_YellowButtonA_clicked() { SwatchClicked(3); }
void SensorDPIB::on_GreenButtonA_clicked() { SwatchClicked(4); }
void SensorDPIB::on_PurpleButtonA_clicked() { SwatchClicked(5); }
void SensorDPIB::on_LightBlueButtonA_clicked() { SwatchClicked(6); }
void SensorDPIB::on_LightYellowButtonA_clicked() { SwatchClicked(7); }

// ---- host operations -------------------------------------------------------

bool SensorDPIB::BlockLevelCountSignals(bool block)
{
    return ChooseEvent->blockSignals(block);
}

void SensorDPIB::ClearLevelCounts()
{
    ChooseEvent->blockSignals(true);
    ChooseEvent->clear();
    ChooseEvent->blockSignals(false);
}

void SensorDPIB::InsertLevelCount(int index, const QString& text)
{
    ChooseEvent->insertItem(index, text);
}

void SensorDPIB::SetLevelCountIndex(int index)
{
    ChooseEvent->setCurrentIndex(index);
}

void SensorDPIB::SetLevelCountLabel(const QString& text)
{
    label->setText(text);
}

void SensorDPIB::BlockSliderSignals(bool block)
{
    for (Row& row : rows)
        row.slider->blockSignals(block);
}

void SensorDPIB::SetSlidersEnabled(bool enabled)
{
    for (Row& row : rows)
        row.slider->setEnabled(enabled);
}

void SensorDPIB::SetSlidersMaximum(int value)
{
    for (Row& row : rows)
        row.slider->setMaximum(value);
}

void SensorDPIB::SetSlidersMinimum(int value)
{
    for (Row& row : rows)
        row.slider->setMinimum(value);
}

void SensorDPIB::SetSliderValue(int value, int level)
{
    if (IsLevel(level))
        sliderLoad.Load(rows[level].slider, value);
}

void SensorDPIB::SetSpinValue(int value, int level)
{
    if (IsLevel(level))
        rows[level].number->setValue(value);
}

void SensorDPIB::SetLevelValueText(int level, const QString& text)
{
    if (!IsLevel(level))
        return;
    const int value = text.trimmed().toInt();
    sliderLoad.Load(rows[level].slider, value);
    rows[level].number->setValue(value);
}

void SensorDPIB::SetLevelColorText(int level, const QString& colour)
{
    if (IsLevel(level))
        levelColors[level] = colour;
}

void SensorDPIB::ApplyLevelColor(int level)
{
    if (IsLevel(level))
        PaintSwatch(level, levelColors[level]);
}

void SensorDPIB::ApplyAllLevelColors()
{
    for (int i = 0; i < kLevels; ++i)
        ApplyLevelColor(i);
}

void SensorDPIB::ApplyPresetColors()
{
    for (int i = 0; i < kLevels; ++i)
        PaintSwatch(i, QLatin1String(kPresetColors[i]));
}

void SensorDPIB::SetCurrentLevel(int level)
{
    if (IsLevel(level))
        currentLevel = level;
}

void SensorDPIB::CheckLevel(int level)
{
    if (IsLevel(level))
        rows[level].level->setChecked(true);
}

void SensorDPIB::SelectLevel(int level)
{
    if (deviceSendEnabled && !sensorPageFilling && !DeviceOnline()) {
        RaiseOfflineNotice();
        return;
    }
    CheckLevel(level);
}

void SensorDPIB::ShowLevels(int lastLevel)
{
    if (!IsLevel(lastLevel))
        return;
    for (int i = 0; i < kLevels; ++i) {
        const bool shown = i <= lastLevel;
        rows[i].level->setVisible(shown);
        rows[i].swatch->setVisible(shown);
        rows[i].slider->setVisible(shown);
        rows[i].number->setVisible(shown);
    }
}
