#include "sensor/SensorDPI.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "sensor/SensorDPIForm.h"
#include "widgets/PanelStyle.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

bool IsLevel(int level)
{
    return level >= 0 && level < SensorDPI::kLevels;
}

// Three colour components 0..255 joined with ","; empty when an item is no such number.
QString ColorText(const QStringList& items)
{
    QStringList parts;
    for (const QString& item : items) {
        bool ok = false;
        const int component = item.trimmed().toInt(&ok);
        if (!ok || component < 0 || component > 255)
            return QString();
        parts.append(QString::number(component));
    }
    return parts.join(QLatin1Char(','));
}

} // namespace

SensorDPI::SensorDPI(QWidget* parent)
    : QFrame(parent)
{
    ui = new SensorDPIForm(this);
    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    for (int i = 0; i < kLevels; ++i) {
        markerPositions[i] = SensorDPIForm::LevelAt(i).markerPosition;
        levelColors[i] = QLatin1String(SensorDPIForm::LevelAt(i).defaultColor);
    }
    buttonColorList = ConfigSettings::Instance()->ListValue(QStringLiteral("Option"), QStringLiteral("ButtonColor"));
    buttonColor = ThemeColor::Rgb(QStringLiteral("ButtonColor"));

    levelButtonGroup = new QButtonGroup(this);
    levelButtonGroup->setExclusive(true);
    swatchGroup = new QButtonGroup(this);
    swatchGroup->setExclusive(true);
    colorDialog = new QColorDialog(this);

    ApplyStyles();
    for (int i = 0; i < kLevels; ++i) {
        levelButtonRects[i] = ui->levelButtons[i]->geometry();
        swatchRects[i] = ui->swatches[i]->geometry();
    }
    for (QWidget* widget : {static_cast<QWidget*>(ui->horizontalSliderC), static_cast<QWidget*>(ui->spinBoxA),
                            static_cast<QWidget*>(ui->ReduceLevelA), static_cast<QWidget*>(ui->AddLevelA)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    for (int i = 0; i < kLevels; ++i) {
        QSizePolicy policy = ui->levelButtons[i]->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        ui->levelButtons[i]->setSizePolicy(policy);
        const QString swatchStyle =
            QStringLiteral("#%1{border:none;border-radius:3px;background-image:url(%2MinB.png);"
                           "background-position:center;background-repeat:no-repeat;background-color:rgb(255,0,0);}")
                .arg(ui->swatches[i]->objectName(), pictureDir);
        ui->levelButtons[i]->setStyleSheet(LevelButtonStyle(false));
        ui->swatches[i]->setStyleSheet(swatchStyle);
        levelButtonGroup->addButton(ui->levelButtons[i], i);
        swatchGroup->addButton(ui->swatches[i], i);
    }
    dragArea = QRect(0, 0, 728, 194);
    QMetaObject::connectSlotsByName(this);
}

SensorDPI::~SensorDPI()
{
    delete ui;
}

void SensorDPI::ApplyStyles()
{
    ui->label->setStyleSheet(PanelStyle::LabelStyle());
    ui->label_8->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureDir, "Level.png")
                               + QStringLiteral("QLabel:hover{background-image:")
                               + PanelStyle::Url(pictureDir, "LevelHover.png") + QStringLiteral(";}"));
    ui->ChooseEvent->setStyleSheet(PanelStyle::ComboBoxStyle(pictureDir)
                                   + QStringLiteral("QComboBox:disabled{color:black;}"));
    PanelStyle::InstallComboList(ui->ChooseEvent, 5);
    ui->horizontalSliderC->setStyleSheet(PanelStyle::SliderStyle(pictureDir));
    const QString spinColor = ThemeColor::Rgb(QStringLiteral("LinEditColorSecond"));
    ui->spinBoxA->setStyleSheet(
        QStringLiteral("QSpinBox{background:transparent;color:%1;border:1px solid gray;}"
                       "QSpinBox:hover{background:transparent;color:%1;border:1px solid gray;}")
            .arg(spinColor));
    ui->ReduceLevelA->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureDir, "Reduce.png"));
    ui->AddLevelA->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureDir, "Add.png"));
}

QString SensorDPI::LevelButtonStyle(bool large) const
{
    return QStringLiteral("QToolButton{border:none;border-radius:3px;background-image:url(%1%2);"
                          "background-position:center;background-repeat:no-repeat;color:%3;}")
        .arg(pictureDir, large ? QStringLiteral("MaxA.png") : QStringLiteral("MinA.png"), buttonColor);
}

QString SensorDPI::SwatchStyle(int level, bool large) const
{
    return QStringLiteral("#%1{border:none;border-radius:3px;background-image:url(%2%3);"
                          "background-position:center;background-repeat:no-repeat;background-color:rgb(%4);}")
        .arg(ui->swatches[level]->objectName(), pictureDir,
             large ? QStringLiteral("MaxB.png") : QStringLiteral("MinB.png"), levelColors[level]);
}

void SensorDPI::SetLevelButtonLook(int level, bool large)
{
    const QRect& rect = levelButtonRects[level];
    ui->levelButtons[level]->setGeometry(large ? rect.adjusted(-7, -7, 7, 7) : rect);
    ui->levelButtons[level]->setStyleSheet(LevelButtonStyle(large));
}

void SensorDPI::SetSwatchLook(int level, bool large)
{
    const QRect& rect = swatchRects[level];
    ui->swatches[level]->setGeometry(large ? QRect(rect.x() - 8, rect.y() + 6, 66, 14) : rect);
    ui->swatches[level]->setStyleSheet(SwatchStyle(level, large));
}

void SensorDPI::RefreshSwatchStyle(int level)
{
    if (!IsLevel(level))
        return;
    ui->swatches[level]->setStyleSheet(SwatchStyle(level, ui->swatches[level]->isChecked()));
}

void SensorDPI::ShrinkOtherSwatches(int level)
{
    if (!IsLevel(level))
        return;
    for (int i = 0; i < kLevels; ++i)
        if (i != level)
            SetSwatchLook(i, false);
}

int SensorDPI::LevelValue(int level) const
{
    return ui->levelButtons[level]->text().toInt();
}

void SensorDPI::LevelButtonToggled(int level, bool checked)
{
    SetLevelButtonLook(level, checked);
}

void SensorDPI::SwatchToggled(int level, bool checked)
{
    if (!checked) {
        SetSwatchLook(level, false);
        return;
    }
    const QRect& rect = swatchRects[level];
    ui->swatches[level]->setGeometry(rect.x() - 8, rect.y() + 6, 66, 14);
    ui->levelButtons[level]->setChecked(true);
    ui->swatches[level]->setStyleSheet(SwatchStyle(level, true));
    // The value loaded for a selected level is shown, not sent.
    sliderSendArmed = false;
    ui->horizontalSliderC->setValue(LevelValue(level));
}

bool SensorDPI::BlockLevelCountSignals(bool block)
{
    return ui->ChooseEvent->blockSignals(block);
}

void SensorDPI::ClearLevelCountItems()
{
    ui->ChooseEvent->blockSignals(true);
    ui->ChooseEvent->clear();
    ui->ChooseEvent->blockSignals(false);
}

void SensorDPI::InsertLevelCountItem(int index, const QString& text)
{
    ui->ChooseEvent->insertItem(index, text);
}

void SensorDPI::SetLevelCountIndex(int index)
{
    levelCountIndex = index;
    ui->ChooseEvent->setCurrentIndex(index);
}

void SensorDPI::SetLevelCount(int count)
{
    levelCount = count;
}

void SensorDPI::SetCurrentLevel(int level)
{
    currentLevel = level;
}

void SensorDPI::ShowLevelCount(int index)
{
    if (!IsLevel(index))
        return;
    for (int i = 0; i < kLevels; ++i)
        ui->levelButtons[i]->setVisible(i <= index);
    for (int i = 0; i < kLevels; ++i)
        ui->swatches[i]->setVisible(i <= index);
}

bool SensorDPI::BlockSliderSignals(bool block)
{
    return ui->horizontalSliderC->blockSignals(block);
}

void SensorDPI::SetSliderEnabled(bool enabled)
{
    ui->horizontalSliderC->setEnabled(enabled);
}

void SensorDPI::SetSliderMinimum(int value)
{
    ui->horizontalSliderC->setMinimum(value);
}

void SensorDPI::SetSliderMaximum(int value)
{
    ui->horizontalSliderC->setMaximum(value);
}

void SensorDPI::SetSliderValue(int value)
{
    ui->horizontalSliderC->setValue(value);
}

void SensorDPI::EnableSlider()
{
    ui->horizontalSliderC->setEnabled(true);
    ui->horizontalSliderC->blockSignals(false);
}

void SensorDPI::SetSpinValue(int value)
{
    ui->spinBoxA->setValue(value);
}

void SensorDPI::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorDPI::SetLevelText(int level, const QString& text)
{
    if (IsLevel(level))
        ui->levelButtons[level]->setText(text);
}

void SensorDPI::SetLevelColor(int level, const QString& text)
{
    if (!IsLevel(level))
        return;
    QStringList parts;
    for (int start : {1, 3, 5})
        parts.append(QString::number(text.mid(start, 2).toInt(nullptr, 16)));
    levelColors[level] = parts.join(QLatin1Char(','));
}

QString SensorDPI::LevelColor(int level) const
{
    return IsLevel(level) ? levelColors[level] : QString();
}

void SensorDPI::RefreshSwatches(int level)
{
    // Any other level leaves every swatch small.
    for (int i = 0; i < kLevels; ++i) {
        if (i == level)
            ui->swatches[i]->setStyleSheet(SwatchStyle(i, true));
        else
            SetSwatchLook(i, false);
    }
}

void SensorDPI::MoveMarker(int position)
{
    currentLevel = position - 1;
    if (position >= 1 && position <= kLevels)
        ui->label_8->move(markerPositions[position - 1]);
}

void SensorDPI::SelectLevel(int level)
{
    if (!IsLevel(level))
        return;
    ui->levelButtons[level]->setChecked(true);
    for (int i = 0; i < kLevels; ++i)
        SwatchToggled(i, i == level);
    PostMsg::Instance()->EmitSigAddSensor(LevelValue(level));
}

void SensorDPI::LoadDpiConfig()
{
    ConfigSettings* settings = ConfigSettings::Instance();
    const QString group = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);
    const QStringList colors = settings->ListValue(group, QStringLiteral("DPIColor"));
    for (int i = 0; i < kLevels; ++i) {
        // A short or damaged triple keeps the level's colour.
        if (3 * i + 2 >= colors.size())
            break;
        const QString color = ColorText(colors.mid(3 * i, 3));
        if (!color.isEmpty())
            levelColors[i] = color;
    }
    const QStringList grades = settings->ListValue(group, QStringLiteral("DPIGrade"));
    if (grades.size() < kLevels)
        return;
    for (int i = 0; i < kLevels; ++i) {
        SetSwatchLook(i, false);
        ui->levelButtons[i]->setText(grades.at(i).trimmed());
    }
}

void SensorDPI::BlockRowSignals(bool block)
{
    for (int i = 0; i < kLevels; ++i) {
        ui->levelButtons[i]->blockSignals(block);
        ui->swatches[i]->blockSignals(block);
    }
}

void SensorDPI::ShowSelectedLevel(int level)
{
    BlockRowSignals(true);
    if (IsLevel(level)) {
        const bool quiet = level == 1;
        if (quiet)
            ui->horizontalSliderC->blockSignals(true);
        ui->horizontalSliderC->setValue(LevelValue(level));
        if (quiet)
            ui->horizontalSliderC->blockSignals(false);
        ui->levelButtons[level]->setChecked(true);
        ui->swatches[level]->setChecked(true);
        for (int i = 0; i < kLevels; ++i) {
            SetLevelButtonLook(i, i == level);
            SetSwatchLook(i, i == level);
        }
        ui->label_8->move(markerPositions[level]);
    }
    BlockRowSignals(false);
    ui->horizontalSliderC->blockSignals(false);
}

void SensorDPI::on_BlueButton_toggled(bool checked) { LevelButtonToggled(0, checked); }
void SensorDPI::on_BrightRedButton_toggled(bool checked) { LevelButtonToggled(1, checked); }
void SensorDPI::on_RedButton_toggled(bool checked) { LevelButtonToggled(2, checked); }
void SensorDPI::on_YellowButton_toggled(bool checked) { LevelButtonToggled(3, checked); }
void SensorDPI::on_GreenButton_toggled(bool checked) { LevelButtonToggled(4, checked); }
void SensorDPI::on_PurpleButton_toggled(bool checked) { LevelButtonToggled(5, checked); }
void SensorDPI::on_LightBlueButton_toggled(bool checked) { LevelButtonToggled(6, checked); }
void SensorDPI::on_LightYellowButton_toggled(bool checked) { LevelButtonToggled(7, checked); }
void SensorDPI::on_BlueButtonA_toggled(bool checked) { SwatchToggled(0, checked); }
void SensorDPI::on_BrightRedButtonA_toggled(bool checked) { SwatchToggled(1, checked); }
void SensorDPI::on_RedButtonA_toggled(bool checked) { SwatchToggled(2, checked); }
void SensorDPI::on_YellowButtonA_toggled(bool checked) { SwatchToggled(3, checked); }
void SensorDPI::on_GreenButtonA_toggled(bool checked) { SwatchToggled(4, checked); }
void SensorDPI::on_PurpleButtonA_toggled(bool checked) { SwatchToggled(5, checked); }
void SensorDPI::on_LightBlueButtonA_toggled(bool checked) { SwatchToggled(6, checked); }
void SensorDPI::on_LightYellowButtonA_toggled(bool checked) { SwatchToggled(7, checked); }
