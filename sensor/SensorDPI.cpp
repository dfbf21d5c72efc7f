#include "sensor/SensorDPI.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/SensorDPIForm.h"
#include "widgets/PanelStyle.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"
#include "widgets/SlotsByName.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QToolButton>

namespace {

bool IsLevel(int level)
{
    return level >= 0 && level < SensorDPI::kLevels;
}

bool MouseAnswers()
{
    const QByteArray path = CurrentDevice::Path();
    return UsbFinderC_GetDeviceOnLine(path.constData()) != 0;
}

void RaiseOfflineNotice()
{
    PostMsg::Instance()->EmitSigMouseOffLineo(0);
}

// A dropped marker moves by the level steps of the first band that holds the
// drop's distance d from the current level's marker; both ends belong to it.
struct MarkerBand {
    int step;
    int from;
    int to;
    int offset;
};
const MarkerBand kMarkerBands[] = {
    {+1, 78, 129, +91},    {-1, -102, -51, -91},  {+2, 168, 214, +182}, {-2, -192, -144, -182},
    {+3, 264, 317, +273},  {-3, -284, -236, -273}, {+4, 361, 389, +364}, {-4, -369, -327, -364},
    {+5, 443, 495, +455},  {-5, -465, -411, -455}, {+6, 538, 591, +546}, {-6, -556, -504, -546},
    {+7, 623, 669, +637},  {-7, -646, -599, -637},
};

// The rightmost drop x for each level-count index; a drop beyond it would
// land past the last shown level. Index 7 has none inside the row.
const int kMarkerLimits[SensorDPI::kLevels] = {69, 160, 251, 342, 433, 524, 612, 706};
const int kMarkerLeftmost = 15;
const int kMarkerRightmost = 706;

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
    colorDialog->setOption(QColorDialog::DontUseNativeDialog);
    connect(colorDialog, &QColorDialog::colorSelected, this, &SensorDPI::SetColor);

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
    ui->horizontalSliderC->installEventFilter(this);
    SlotsByName::Connect(this, {"on_pushButton_clicked()"});
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
    PanelStyle::SetPanelComboFace(ui->ChooseEvent, pictureDir);
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
    PanelStyle::ApplySheet(ui->levelButtons[level], LevelButtonStyle(large));
}

void SensorDPI::SetSwatchLook(int level, bool large)
{
    const QRect& rect = swatchRects[level];
    ui->swatches[level]->setGeometry(large ? QRect(rect.x() - 8, rect.y() + 6, 66, 14) : rect);
    PanelStyle::ApplySheet(ui->swatches[level], SwatchStyle(level, large));
}

void SensorDPI::RefreshSwatchStyle(int level)
{
    if (!IsLevel(level))
        return;
    PanelStyle::ApplySheet(ui->swatches[level], SwatchStyle(level, ui->swatches[level]->isChecked()));
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

int SensorDPI::CheckedLevel() const
{
    return levelButtonGroup->checkedId();
}

void SensorDPI::LevelButtonToggled(int level, bool checked)
{
    SetLevelButtonLook(level, checked);
    if (!checked || !deviceSendEnabled || sensorPageFilling)
        return;
    previousLevel = currentLevel;
    currentLevel = level;
    if (!DeviceSettingSetters::SetCurrentDpiLevel(level)) {
        // The mouse keeps its level: so does the row.
        ShowSelectedLevel(previousLevel);
        currentLevel = previousLevel;
        return;
    }
    ShrinkOtherSwatches(level);
    // A swatch still checked from an earlier pick raises no toggle: the
    // level's value is loaded all the same, so the slider, the number and
    // plus and minus work on this level.
    if (ui->swatches[level]->isChecked())
        SwatchToggled(level, true);
    else
        ui->swatches[level]->setChecked(true);
    currentLevel = level;
    previousLevel = level;
    ui->label_8->move(markerPositions[level]);
    PostMsg::Instance()->EmitSigAddSensor(LevelValue(level));
}

void SensorDPI::LevelButtonClicked(int level)
{
    Q_UNUSED(level);
    // After the toggled slot: the level now in force, accepted or kept.
    ShowSelectedLevel(previousLevel);
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
    // The mouse refused the level: the row already shows the one it keeps.
    if (!ui->levelButtons[level]->isChecked())
        return;
    ui->swatches[level]->setStyleSheet(SwatchStyle(level, true));
    LoadSliderValue(level, LevelValue(level));
}

void SensorDPI::SwatchClicked(int level)
{
    // Only for a level that is now the selected one; a refused switch opens
    // no dialog whose colour would land on another level.
    if (ui->swatches[level]->isChecked())
        colorDialog->show();
}

void SensorDPI::SetColor(const QColor& color)
{
    if (!DeviceSettingSetters::IsDeviceOnline())
        return;
    const int level = swatchGroup->checkedId();
    if (!IsLevel(level))
        return;
    const int red = color.red();
    const int green = color.green();
    const int blue = color.blue();
    // A colour the mouse did not take is not shown either.
    if (deviceSendEnabled && !sensorPageFilling
        && !DeviceSettingSetters::SetDpiLevelColor(level, red, green, blue))
        return;
    levelColors[level] = QStringLiteral("%1,%2,%3").arg(red).arg(green).arg(blue);
    RefreshSwatchStyle(level);
}

void SensorDPI::on_ChooseEvent_currentIndexChanged(int index)
{
    // An emptied list names no count.
    if (!IsLevel(index))
        return;
    if (!DeviceSettingSetters::IsDeviceOnline()) {
        const bool wasBlocked = ui->ChooseEvent->blockSignals(true);
        ui->ChooseEvent->setCurrentIndex(levelCountIndex);
        ui->ChooseEvent->blockSignals(wasBlocked);
        return;
    }
    if (sensorPageFilling) {
        levelCountIndex = index;
        return;
    }
    countChangeLevel = currentLevel;
    const int c = countChangeLevel;
    // A count that hides the current level keeps its value and colour: the
    // current level trades places with the new last level, which becomes
    // current. One record carries the exchange, the level and the count.
    const bool exchange = IsLevel(c) && index < c;
    if (deviceSendEnabled) {
        bool written = false;
        if (exchange) {
            const FlashDataMap record = CurrentFlashMapLock::Snapshot();
            written = DeviceSettingSetters::SetDpiLevelPair(record.dpiLevels[index], record.dpiLevels[c], index, c, index);
        } else {
            written = DeviceSettingSetters::SetDpiLevelCount(index + 1);
        }
        if (!written) {
            const bool wasBlocked = ui->ChooseEvent->blockSignals(true);
            ui->ChooseEvent->setCurrentIndex(levelCountIndex);
            ui->ChooseEvent->blockSignals(wasBlocked);
            return;
        }
    }
    levelCountIndex = index;
    if (exchange)
        ExchangeLevels(c, index);
    levelCount = index + 1;
    ShowLevelCount(index);
}

void SensorDPI::ExchangeLevels(int c, int index)
{
    const QString colorC = levelColors[c];
    const QString textC = QString::number(LevelValue(c));
    const QString colorIndex = levelColors[index];
    const QString textIndex = QString::number(LevelValue(index));
    levelColors[c] = colorIndex;
    ui->levelButtons[c]->setText(textIndex);
    levelColors[index] = colorC;
    ui->levelButtons[index]->setText(textC);
    // Drawn without the level buttons' slots: the record sent holds the level.
    ShowSelectedLevel(index);
    currentLevel = index;
    previousLevel = index;
    PostMsg::Instance()->EmitSigAddSensor(LevelValue(index));
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
    // The level the page sets is the one the mouse holds.
    currentLevel = level;
    previousLevel = level;
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
    LoadSliderValue(CheckedLevel(), value);
}

void SensorDPI::EnableSlider()
{
    sliderHeld = false;
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
    previousLevel = currentLevel;
    if (position >= 1 && position <= kLevels)
        ui->label_8->move(markerPositions[position - 1]);
}

void SensorDPI::SelectLevel(int level)
{
    if (!IsLevel(level))
        return;
    ui->levelButtons[level]->setChecked(true);
    // The swatch group follows the level shown, so that a colour or a later
    // pick lands on it and not on a level picked before.
    const bool wasBlocked = ui->swatches[level]->blockSignals(true);
    ui->swatches[level]->setChecked(true);
    ui->swatches[level]->blockSignals(wasBlocked);
    RunSwatchToggled(level);
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

void SensorDPI::BlockRowAndValueSignals(bool block)
{
    BlockRowSignals(block);
    ui->horizontalSliderC->blockSignals(block);
    ui->spinBoxA->blockSignals(block);
}

void SensorDPI::BlockRowSliderAndCountSignals(bool block)
{
    ui->horizontalSliderC->blockSignals(block);
    ui->ChooseEvent->blockSignals(block);
    BlockRowSignals(block);
}

void SensorDPI::RunSwatchToggled(int level)
{
    for (int i = 0; i < kLevels; ++i)
        SwatchToggled(i, i == level);
}

void SensorDPI::SetSpinVisible(bool visible)
{
    ui->spinBoxA->setVisible(visible);
}

void SensorDPI::EmptyOperation()
{
}

void SensorDPI::on_pushButton_clicked()
{
}

void SensorDPI::ShowSelectedLevel(int level)
{
    BlockRowSignals(true);
    if (IsLevel(level)) {
        const bool quiet = level == 1;
        if (quiet)
            ui->horizontalSliderC->blockSignals(true);
        LoadSliderValue(level, LevelValue(level));
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

void SensorDPI::LoadSliderValue(int level, int value)
{
    QSlider* slider = ui->horizontalSliderC;
    const int before = slider->value();
    const QScopedValueRollback<int> loadLevel(sliderLoadLevel, level);
    sliderLoad.Load(slider, value);
    // No change reached the slot (the same value, or the slider's signals
    // held): the number beside it still shows this level's value, never
    // the one shown before, which plus and minus would step from.
    if (slider->value() == before || slider->signalsBlocked())
        ui->spinBoxA->setValue(value);
}

void SensorDPI::SendLevelValue(int level, int value, int shownBefore)
{
    if (noWaitDialog)
        return;
    if (!DpiValueCoding::sendDpiLevel(level, value)) {
        PutValueBack(level, shownBefore);
        return;
    }
    PostMsg::Instance()->EmitSigAddSensor(value);
}

void SensorDPI::PutValueBack(int level, int shownBefore)
{
    // A refused write left the record as the mouse holds it. The offline
    // notice may have run meanwhile, and a fill with it: the record is still
    // the truth then, and a level checked since keeps the value it loaded.
    const int held = IsLevel(level) ? DpiValueCoding::DpiOfLevelEntry(CurrentFlashMapLock::Snapshot().dpiLevels[level])
                                    : shownBefore;
    if (IsLevel(level))
        ui->levelButtons[level]->setText(QString::number(held));
    if (CheckedLevel() != level)
        return;
    int pageStep = ui->horizontalSliderC->pageStep();
    DpiRangeTable::Current().Snap(held, &pageStep);
    const QSignalBlocker blocker(ui->horizontalSliderC);
    ui->horizontalSliderC->setPageStep(pageStep);
    ui->horizontalSliderC->setValue(held);
    ui->spinBoxA->setValue(held);
}

void SensorDPI::PutSliderBack(int value)
{
    sliderHeld = false;
    ui->horizontalSliderC->blockSignals(true);
    ui->horizontalSliderC->setEnabled(false);
    ui->horizontalSliderC->setValue(value);
    ui->spinBoxA->setValue(value);
    const int level = CheckedLevel();
    if (IsLevel(level))
        ui->levelButtons[level]->setText(QString::number(value));
}

void SensorDPI::on_horizontalSliderC_valueChanged(int value)
{
    // A load only shows a level's value; the user's change is written.
    const bool userMove = !sliderLoad.Loading();
    if (userMove && deviceSendEnabled && !sensorPageFilling && !MouseAnswers()) {
        PutSliderBack(sliderHeld ? heldStartValue : ui->spinBoxA->value());
        RaiseOfflineNotice();
        return;
    }
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = DpiRangeTable::Current().Snap(value, &pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    const int level = userMove ? CheckedLevel() : sliderLoadLevel;
    const int shownBefore = ui->spinBoxA->value();
    if (IsLevel(level))
        ui->levelButtons[level]->setText(QString::number(snapped));
    ui->spinBoxA->setValue(snapped);
    // A press and drag is written once, when the button lets go.
    if (!userMove || sliderHeld || snapped == shownBefore)
        return;
    SendLevelValue(level, snapped, shownBefore);
}

void SensorDPI::on_horizontalSliderC_sliderMoved(int position)
{
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = DpiRangeTable::Current().Snap(position, &pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    if (sensorPageFilling || MouseAnswers()) {
        ui->spinBoxA->setValue(snapped);
        return;
    }
    PutSliderBack(sliderHeld ? heldStartValue : ui->spinBoxA->value());
}

bool SensorDPI::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui->horizontalSliderC || sliderForwarding)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!sliderHeld && ui->horizontalSliderC->isEnabled()) {
            sliderHeld = true;
            heldStartValue = ui->spinBoxA->value();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (sliderHeld) {
            // The slider ends its drag first: a drag's value comes with the release.
            sliderForwarding = true;
            QCoreApplication::sendEvent(watched, event);
            sliderForwarding = false;
            EndSliderGesture();
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void SensorDPI::EndSliderGesture()
{
    if (!sliderHeld)
        return;
    sliderHeld = false;
    // Put back while held, or nothing new to write.
    const int shown = ui->spinBoxA->value();
    if (!ui->horizontalSliderC->isEnabled() || shown == heldStartValue)
        return;
    if (deviceSendEnabled && !sensorPageFilling && !MouseAnswers()) {
        PutSliderBack(heldStartValue);
        RaiseOfflineNotice();
        return;
    }
    SendLevelValue(CheckedLevel(), shown, heldStartValue);
}

void SensorDPI::on_AddLevelA_clicked()
{
    if (deviceSendEnabled && !MouseAnswers()) {
        RaiseOfflineNotice();
        return;
    }
    ui->horizontalSliderC->setValue(DpiRangeTable::Current().StepUp(ui->spinBoxA->value()));
}

void SensorDPI::on_ReduceLevelA_clicked()
{
    if (deviceSendEnabled && !MouseAnswers()) {
        RaiseOfflineNotice();
        return;
    }
    ui->horizontalSliderC->setValue(DpiRangeTable::Current().StepDown(ui->spinBoxA->value()));
}

void SensorDPI::mousePressEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton && ui->label_8->geometry().contains(event->pos())
        && DeviceSettingSetters::IsDeviceOnline()) {
        markerDragging = true;
        dragOffset = event->pos() - ui->label_8->pos();
    }
}

void SensorDPI::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton || !markerDragging)
        return;
    if (dragArea.contains(event->pos()))
        ui->label_8->move(event->pos() - dragOffset);
    else
        EndMarkerDrag(event->pos());
}

void SensorDPI::mouseReleaseEvent(QMouseEvent* event)
{
    // A release without a drag (a click on the marker or beside it) changes nothing.
    if (markerDragging)
        EndMarkerDrag(event->pos());
}

void SensorDPI::EndMarkerDrag(const QPoint& position)
{
    markerDragging = false;
    if (!IsLevel(currentLevel))
        return;
    const QPoint home = markerPositions[currentLevel];
    const int x = position.x();
    if (!ui->label_8->geometry().contains(position) || x < kMarkerLeftmost || x > kMarkerRightmost) {
        ui->label_8->move(home);
        return;
    }
    const int countIndex = ui->ChooseEvent->currentIndex();
    if (!IsLevel(countIndex) || x > kMarkerLimits[countIndex]) {
        ui->label_8->move(home);
        if (IsLevel(countIndex) && deviceSendEnabled)
            DeviceSettingSetters::SetCurrentDpiLevel(currentLevel);
        return;
    }
    const int d = x - home.x();
    for (const MarkerBand& band : kMarkerBands) {
        if (d < band.from || d > band.to)
            continue;
        const int level = currentLevel + band.step;
        if (!IsLevel(level))
            break;
        ui->label_8->move(home.x() + band.offset, home.y());
        // The level button's slot writes the level; no second write follows.
        ApplyDraggedLevel(level);
        return;
    }
    ui->label_8->move(home);
}

void SensorDPI::ApplyDraggedLevel(int level)
{
    if (deviceSendEnabled && !sensorPageFilling && !MouseAnswers()) {
        RaiseOfflineNotice();
        // Back to the level the mouse holds.
        ShowSelectedLevel(currentLevel);
        return;
    }
    if (IsLevel(level))
        ui->levelButtons[level]->setChecked(true);
}

void SensorDPI::on_BlueButton_clicked() { LevelButtonClicked(0); }
void SensorDPI::on_BrightRedButton_clicked() { LevelButtonClicked(1); }
void SensorDPI::on_RedButton_clicked() { LevelButtonClicked(2); }
void SensorDPI::on_YellowButton_clicked() { LevelButtonClicked(3); }
void SensorDPI::on_GreenButton_clicked() { LevelButtonClicked(4); }
void SensorDPI::on_PurpleButton_clicked() { LevelButtonClicked(5); }
void SensorDPI::on_LightBlueButton_clicked() { LevelButtonClicked(6); }
void SensorDPI::on_LightYellowButton_clicked() { LevelButtonClicked(7); }
void SensorDPI::on_BlueButtonA_clicked() { SwatchClicked(0); }
void SensorDPI::on_BrightRedButtonA_clicked() { SwatchClicked(1); }
void SensorDPI::on_RedButtonA_clicked() { SwatchClicked(2); }
void SensorDPI::on_YellowButtonA_clicked() { SwatchClicked(3); }
void SensorDPI::on_GreenButtonA_clicked() { SwatchClicked(4); }
void SensorDPI::on_PurpleButtonA_clicked() { SwatchClicked(5); }
void SensorDPI::on_LightBlueButtonA_clicked() { SwatchClicked(6); }
void SensorDPI::on_LightYellowButtonA_clicked() { SwatchClicked(7); }

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
