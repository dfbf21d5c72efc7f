#include "lighting/MouseLight.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/ColourBoard.h"
#include "lighting/LightColorPresets.h"
#include "lighting/LightingState.h"
#include "platform/rozuri/ROZUri.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

// Where each preset button sits in the colour group, in the order A to N.
const QPoint kPresetPlaces[kLightColorPresetCount] = {
    {416, 305}, {461, 305}, {506, 305}, {551, 305}, {596, 305}, {641, 305}, {686, 305},
    {416, 355}, {461, 355}, {506, 355}, {551, 355}, {596, 355}, {641, 355}, {686, 355},
};

QFont YaHei(int points)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(points);
    return font;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(YaHei(11));
    return label;
}

QSlider* NewSlider(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setGeometry(geometry);
    slider->setRange(1, 10);
    slider->setPageStep(1);
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    slider->setFont(QFont(QStringLiteral("Microsoft YaHei UI Light")));
    return slider;
}

QFrame* NewLine(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(geometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    return line;
}

QSpinBox* NewValueBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setRange(1, 10);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(YaHei(11));
    return box;
}

QSpinBox* NewChannelBox(QWidget* parent, const char* name, int y, int points)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(578, y, 45, 20);
    box->setRange(0, 255);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setKeyboardTracking(true);
    box->setFont(YaHei(points));
    return box;
}

QToolButton* NewToolButton(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFixedSize(geometry.size());
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

MouseLight::MouseLight(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Light"));
    line->hide();
    line_2->hide();
    TitleButton_4->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_4->objectName(), pictureFolder));
    // Starts in the layout of the first effect; nothing is sent before the
    // window first switches pages.
    on_LightMod_currentIndexChanged(LightMod->currentIndex());
    ApplyStyles();
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

MouseLight::~MouseLight() = default;

void MouseLight::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MouseLight"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(755, 442);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    TitleButton_4 = NewToolButton(this, QStringLiteral("TitleButton_4"), QRect(5, 10, 16, 10));
    TitleButton_4->setEnabled(false);
    TitleButton_4->setAutoRaise(true);
    label = NewLabel(this, "label", QRect(33, 3, 241, 21), QStringLiteral("灯光模式"));
    LightMod = new MyConmboBox(this);
    LightMod->setObjectName(QStringLiteral("LightMod"));
    LightMod->setGeometry(32, 35, 308, 34);
    LightMod->setFixedSize(308, 34);
    LightMod->setFocusPolicy(Qt::NoFocus);
    LightMod->setFont(YaHei(11));
    LightMod->addItems({QStringLiteral("关闭"), QStringLiteral("彩色流动"), QStringLiteral("单色呼吸"),
                        QStringLiteral("混色常亮"), QStringLiteral("霓虹"), QStringLiteral("混彩呼吸"),
                        QStringLiteral("新建项目")});
    label_2 = NewLabel(this, "label_2", QRect(32, 96, 161, 21), QStringLiteral("亮度"));
    horizontalLight = NewSlider(this, "horizontalLight", QRect(32, 138, 281, 25));
    horizontalLight->setMaximumSize(316, 22);
    line = NewLine(this, "line", QRect(32, 147, 281, 3));
    LightSpinBox_2 = NewValueBox(this, "LightSpinBox_2", QRect(320, 141, 38, 20));
    label_3 = NewLabel(this, "label_3", QRect(32, 182, 191, 21), QStringLiteral("速度"));
    horizontalSpeed = NewSlider(this, "horizontalSpeed", QRect(32, 223, 281, 25));
    line_2 = NewLine(this, "line_2", QRect(32, 232, 281, 3));
    SpeedSpinBox_2 = NewValueBox(this, "SpeedSpinBox_2", QRect(320, 226, 38, 20));
    RippeControl = NewToolButton(this, QStringLiteral("RippeControl"), QRect(32, 291, 36, 18));
    RippeControl->setCheckable(true);
    label_4 = NewLabel(this, "label_4", QRect(94, 289, 261, 81), QStringLiteral("移动时关灯"));
    label_4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_4->setWordWrap(true);

    label_6 = NewLabel(this, "label_6", QRect(414, 3, 321, 20), QStringLiteral("自定义颜色"));
    label_7 = NewLabel(this, "label_7", QRect(413, 35, 308, 34), QString());
    label_7->setMinimumSize(308, 34);
    label_8 = NewLabel(this, "label_8", QRect(414, 120, 261, 17), QStringLiteral("预览"));
    labelPreView = NewLabel(this, "labelPreView", QRect(414, 161, 60, 60), QString());
    labelPreView->setFixedSize(60, 60);
    labelPreView->setScaledContents(true);
    labelPreView->setAlignment(Qt::AlignCenter);
    label_11 = NewLabel(this, "label_11", QRect(537, 143, 16, 17), QStringLiteral("R:"));
    label_10 = NewLabel(this, "label_10", QRect(537, 181, 16, 17), QStringLiteral("G:"));
    label_12 = NewLabel(this, "label_12", QRect(537, 219, 15, 17), QStringLiteral("B:"));
    RSpinBox = NewChannelBox(this, "RSpinBox", 143, 10);
    GSpinBox = NewChannelBox(this, "GSpinBox", 181, 11);
    BSpinBox = NewChannelBox(this, "BSpinBox", 219, 10);
    ReduceR = NewToolButton(this, QStringLiteral("ReduceR"), QRect(558, 151, 14, 4));
    ReduceG = NewToolButton(this, QStringLiteral("ReduceG"), QRect(558, 189, 14, 4));
    ReduceB = NewToolButton(this, QStringLiteral("ReduceB"), QRect(558, 227, 14, 4));
    AddR = NewToolButton(this, QStringLiteral("AddR"), QRect(629, 146, 14, 14));
    AddG = NewToolButton(this, QStringLiteral("AddG"), QRect(629, 184, 14, 14));
    AddB = NewToolButton(this, QStringLiteral("AddB"), QRect(629, 222, 14, 14));
    for (QToolButton* button : {ReduceR, ReduceG, ReduceB, AddR, AddG, AddB})
        button->setAutoRaise(true);
    for (QToolButton* button : {ReduceR, ReduceG, ReduceB})
        button->setText(QStringLiteral("..."));
    label_13 = NewLabel(this, "label_13", QRect(414, 260, 341, 17), QStringLiteral("预设颜色"));
    for (int i = 0; i < kLightColorPresetCount; ++i) {
        QToolButton* button =
            NewToolButton(this, QStringLiteral("toolButtonColor") + QLatin1Char(kLightColorPresets[i].letter),
                          QRect(kPresetPlaces[i], QSize(28, 28)));
        button->setCheckable(true);
        presetButtons.append(button);
    }
    // Kept empty: the presets toggle each by itself.
    presetGroup = new QButtonGroup(this);
    presetGroup->setExclusive(true);

    colourGroup = {label_6, label_7, label_8, labelPreView, label_11, label_10, label_12, RSpinBox, GSpinBox,
                   BSpinBox, ReduceR, ReduceG, ReduceB, AddR, AddG, AddB, label_13};
    for (QToolButton* button : presetButtons)
        colourGroup.append(button);

    QMetaObject::connectSlotsByName(this);
}

void MouseLight::ApplyStyles()
{
    LightMod->setStyleSheet(PanelStyle::ComboBoxStyle(pictureFolder));
    PanelStyle::InstallComboList(LightMod, 5);
    for (QLabel* text : {label, label_2, label_3, label_4, label_6, label_8, label_13})
        text->setStyleSheet(PanelStyle::LabelStyle());
    for (QLabel* letter : {label_11, label_10, label_12})
        letter->setStyleSheet(QStringLiteral("QLabel{color: rgb(255,255,255);}"));
    LightSpinBox_2->setStyleSheet(PanelStyle::ValueBoxStyle());
    SpeedSpinBox_2->setStyleSheet(PanelStyle::ValueBoxStyle());
    for (QSpinBox* box : {RSpinBox, GSpinBox, BSpinBox})
        box->setStyleSheet(PanelStyle::ChannelBoxStyle());
    horizontalLight->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    horizontalSpeed->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    RippeControl->setStyleSheet(QStringLiteral("QToolButton{color: rgb(255,255,255); border: 0px; "
                                               "background-position: center; background-repeat: no-repeat; "
                                               "background-image: ")
                                + PanelStyle::Url(pictureFolder, "Close.png")
                                + QStringLiteral(";}QToolButton:checked{background-image: ")
                                + PanelStyle::Url(pictureFolder, "Open.png") + QStringLiteral(";}"));
    label_7->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureFolder, "ColorBoard.png"));
    for (QToolButton* button : {ReduceR, ReduceG, ReduceB})
        button->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureFolder, "Reduce.png"));
    for (QToolButton* button : {AddR, AddG, AddB})
        button->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureFolder, "Add.png"));
    labelPreView->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureFolder, "PreviewColor.png"));
    for (int i = 0; i < presetButtons.size(); ++i) {
        const QByteArray picture = QByteArray("Color") + kLightColorPresets[i].letter + ".png";
        presetButtons[i]->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureFolder, picture.constData()));
    }
}

void MouseLight::SlotAllLanguage(int index)
{
    label->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("LightMode")));
    for (int item = 0; item < LightMod->count(); ++item)
        LightMod->setItemText(item, LanguageTables::Option(index, QStringLiteral("LightModeOptions"),
                                                           QString::number(item)));
    label_2->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Brightness")));
    label_3->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Speed")));
    label_4->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("MovingOffLight")));
    label_6->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Preview")));
    label_8->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("CustomColor")));
    label_13->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Preset")));
    label_11->setText(QStringLiteral("R:"));
    label_10->setText(QStringLiteral("G:"));
    label_12->setText(QStringLiteral("B:"));
}

// ---- accessors for the lighting page ----

void MouseLight::BlockValueSignals(bool block)
{
    for (QObject* control : std::initializer_list<QObject*>{horizontalLight, horizontalSpeed, RSpinBox, GSpinBox,
                                                            BSpinBox})
        control->blockSignals(block);
}

void MouseLight::EnableSliders(bool enabled)
{
    horizontalLight->setEnabled(enabled);
    horizontalSpeed->setEnabled(enabled);
}

void MouseLight::SetComboIndex(int effect)
{
    LightMod->setCurrentIndex(effect);
}

void MouseLight::SetLightValue(int value)
{
    horizontalLight->setValue(value);
}

void MouseLight::SetLightSpinBox(int value)
{
    LightSpinBox_2->setValue(value);
}

void MouseLight::SetSpeedValue(int value)
{
    horizontalSpeed->setValue(value);
}

void MouseLight::SetSpeedSpinBox(int value)
{
    SpeedSpinBox_2->setValue(value);
}

void MouseLight::SetRGB(int red, int green, int blue)
{
    RSpinBox->setValue(red);
    GSpinBox->setValue(green);
    BSpinBox->setValue(blue);
    ShowSwatch(red, green, blue);
}

void MouseLight::SetRippeControl(bool checked)
{
    RippeControl->setChecked(checked);
}

// ---- effect ----

void MouseLight::ApplyLayout(int effect)
{
    if (effect < 0 || effect > 6)
        return;
    const bool brightness = effect != 0;
    const bool speed = effect == 1 || effect == 2 || effect == 4 || effect == 5;
    const bool colour = effect == 2 || effect == 3;
    horizontalLight->setVisible(brightness);
    LightSpinBox_2->setVisible(brightness);
    line->setVisible(!brightness);
    horizontalSpeed->setVisible(speed);
    SpeedSpinBox_2->setVisible(speed);
    line_2->setVisible(!speed);
    for (QWidget* widget : colourGroup)
        widget->setVisible(colour);
}

void MouseLight::on_LightMod_currentIndexChanged(int index)
{
    if (deviceSendEnabled && !lightPageFilling) {
        if (!DeviceSettingSetters::SetLedBarMode(index)) {
            const QSignalBlocker block(LightMod);
            LightMod->setCurrentIndex(lastMouseLightMode);
            return;
        }
        lastMouseLightMode = index;
        if (index == 0) {
            // The light is off: moving has nothing left to switch off.
            const bool wasChecked = RippeControl->isChecked();
            RippeControl->setChecked(false);
            if (!DeviceSettingSetters::SetMovingOffLight(0)) {
                const QSignalBlocker block(RippeControl);
                RippeControl->setChecked(wasChecked);
            }
        }
    }
    ApplyLayout(index);
}

void MouseLight::on_RippeControl_clicked(bool checked)
{
    if (!deviceSendEnabled || lightPageFilling)
        return;
    if (!DeviceSettingSetters::SetMovingOffLight(checked ? 1 : 0)) {
        const QSignalBlocker block(RippeControl);
        RippeControl->setChecked(!checked);
    }
}

// ---- brightness and speed ----

void MouseLight::DragCheck(QSlider* slider, QSpinBox* box, int position)
{
    if (!slider->isEnabled())
        return;
    slider->setEnabled(false);
    if (!DeviceSettingSetters::IsDeviceOnline()) {
        slider->setValue(box->value());
        return;
    }
    slider->setEnabled(true);
    box->setValue(position);
}

void MouseLight::ValueChange(QSlider* slider, QSpinBox* box, int value, bool (*writer)(int))
{
    if (!slider->isEnabled()) {
        slider->setValue(box->value());
        return;
    }
    if (!deviceSendEnabled || lightPageFilling)
        return;
    if (!writer(value - 1)) {
        const QSignalBlocker block(slider);
        slider->setEnabled(false);
        slider->setValue(box->value());
        return;
    }
    box->setValue(value);
}

void MouseLight::on_horizontalLight_sliderMoved(int position)
{
    DragCheck(horizontalLight, LightSpinBox_2, position);
}

void MouseLight::on_horizontalLight_valueChanged(int value)
{
    ValueChange(horizontalLight, LightSpinBox_2, value, &DeviceSettingSetters::SetLedBarBrightness);
}

void MouseLight::on_horizontalSpeed_sliderMoved(int position)
{
    DragCheck(horizontalSpeed, SpeedSpinBox_2, position);
}

void MouseLight::on_horizontalSpeed_valueChanged(int value)
{
    ValueChange(horizontalSpeed, SpeedSpinBox_2, value, &DeviceSettingSetters::SetLedBarSpeed);
}

// ---- colour ----

void MouseLight::ShowSwatch(int red, int green, int blue)
{
    labelPreView->setStyleSheet(PanelStyle::SwatchStyle(red, green, blue));
}

void MouseLight::on_RSpinBox_valueChanged(int value)
{
    ShowSwatch(value, GSpinBox->value(), BSpinBox->value());
    // A refused colour stays on screen; the writer has told the user.
    if (deviceSendEnabled)
        DeviceSettingSetters::SetLedBarColor(value, GSpinBox->value(), BSpinBox->value());
}

void MouseLight::on_GSpinBox_valueChanged(int value)
{
    ShowSwatch(RSpinBox->value(), value, BSpinBox->value());
    if (deviceSendEnabled)
        DeviceSettingSetters::SetLedBarColor(RSpinBox->value(), value, BSpinBox->value());
}

void MouseLight::on_BSpinBox_valueChanged(int value)
{
    ShowSwatch(RSpinBox->value(), GSpinBox->value(), value);
    if (deviceSendEnabled)
        DeviceSettingSetters::SetLedBarColor(RSpinBox->value(), GSpinBox->value(), value);
}

void MouseLight::StepChannel(QSpinBox* box, int step)
{
    if (ColourBoard::ButtonsMayAct())
        box->setValue(box->value() + step);
}

void MouseLight::on_AddR_clicked() { StepChannel(RSpinBox, 1); }
void MouseLight::on_AddG_clicked() { StepChannel(GSpinBox, 1); }
void MouseLight::on_AddB_clicked() { StepChannel(BSpinBox, 1); }
void MouseLight::on_ReduceR_clicked() { StepChannel(RSpinBox, -1); }
void MouseLight::on_ReduceG_clicked() { StepChannel(GSpinBox, -1); }
void MouseLight::on_ReduceB_clicked() { StepChannel(BSpinBox, -1); }

void MouseLight::ApplyPreset(int preset)
{
    if (!ColourBoard::ButtonsMayAct())
        return;
    RSpinBox->setValue(kLightColorPresets[preset].red);
    GSpinBox->setValue(kLightColorPresets[preset].green);
    BSpinBox->setValue(kLightColorPresets[preset].blue);
}

void MouseLight::on_toolButtonColorA_clicked() { ApplyPreset(0); }
void MouseLight::on_toolButtonColorB_clicked() { ApplyPreset(1); }
void MouseLight::on_toolButtonColorC_clicked() { ApplyPreset(2); }
void MouseLight::on_toolButtonColorD_clicked() { ApplyPreset(3); }
void MouseLight::on_toolButtonColorE_clicked() { ApplyPreset(4); }
void MouseLight::on_toolButtonColorF_clicked() { ApplyPreset(5); }
void MouseLight::on_toolButtonColorG_clicked() { ApplyPreset(6); }
void MouseLight::on_toolButtonColorH_clicked() { ApplyPreset(7); }
void MouseLight::on_toolButtonColorI_clicked() { ApplyPreset(8); }
void MouseLight::on_toolButtonColorJ_clicked() { ApplyPreset(9); }
void MouseLight::on_toolButtonColorK_clicked() { ApplyPreset(10); }
void MouseLight::on_toolButtonColorL_clicked() { ApplyPreset(11); }
void MouseLight::on_toolButtonColorM_clicked() { ApplyPreset(12); }
void MouseLight::on_toolButtonColorN_clicked() { ApplyPreset(13); }

void MouseLight::AddPresetButtons()
{
    for (QToolButton* button : presetButtons)
        presetGroup->addButton(button);
}

// ---- colour board ----

void MouseLight::mousePressEvent(QMouseEvent* event)
{
    const ColourBoard::Controls controls{this, label_7, {RSpinBox, GSpinBox, BSpinBox}, {LightSpinBox_2, SpeedSpinBox_2}};
    QColor picked;
    if (ColourBoard::HandlePress(controls, event, &picked))
        ShowSwatch(picked.red(), picked.green(), picked.blue());
}
