#include "sensor/AngleMove.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/AdvancedPanelForm.h"
#include "widgets/PanelStyle.h"
#include "widgets/RotatableWidget.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

int lastSensorAngle = 0;

namespace {

QString Degrees(int angle)
{
    return QString::number(angle) + QStringLiteral("°");
}

} // namespace

AngleMove::AngleMove(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("AngleMove"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(504, 235);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Advanced"));

    QToolButton* marker = AdvancedPanelForm::NewTitleMarker(this, "TitleButton_4", QRect(40, 10, 16, 10));
    marker->setStyleSheet(PanelStyle::TitleMarkerStyle(marker->objectName(), pictureDir));
    label_7 = AdvancedPanelForm::NewLabel(this, "label_7", QRect(68, 3, 151, 21));

    widget = new RotatableWidget(this);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setGeometry(212, 34, 180, 140);
    widget->setStyleSheet(QStringLiteral("#widget{border: 0px; border-image: ")
                          + PanelStyle::Url(pictureDir, "Back.png") + QStringLiteral(";}"));
    widget_2 = new RotatableWidget(widget);
    widget_2->setObjectName(QStringLiteral("widget_2"));
    widget_2->setGeometry(53, 22, 74, 92);
    widget_2->setStyleSheet(QStringLiteral("#widget_2{border: 0px; background-position: center; "
                                           "background-repeat: no-repeat; background-image: ")
                            + PanelStyle::Url(pictureDir, "Component.png") + QStringLiteral(";}"));
    Keydown_6 = AdvancedPanelForm::NewLabel(widget, "Keydown_6", QRect(125, 20, 35, 35), 12);
    Keydown_6->setAlignment(Qt::AlignCenter);
    Keydown_6->setText(QStringLiteral("+30°"));
    Keydown_6->setStyleSheet(QStringLiteral("QLabel{background: transparent; color: ")
                             + ThemeColor::Rgb(QStringLiteral("LabelColor")) + QStringLiteral("; border-image: ")
                             + PanelStyle::Url(pictureDir, "Level.png") + QStringLiteral(";}"));
    Error_3 = AdvancedPanelForm::NewTipIcon(this, "Error_3", QRect(180, 8, 16, 16), pictureDir);

    AngleSet = new QSlider(Qt::Horizontal, this);
    AngleSet->setObjectName(QStringLiteral("AngleSet"));
    AngleSet->setGeometry(122, 174, 361, 30);
    AngleSet->setRange(-30, 30);
    AngleSet->setPageStep(1);
    AngleSet->setTracking(false);
    AngleSet->setFocusPolicy(Qt::NoFocus);
    AngleSet->setStyleSheet(
        QStringLiteral("QSlider::groove:horizontal{height: 3px; border: 0px; border-radius: 0px; "
                       "background: rgba(0,0,0,50);}"
                       "QSlider::handle:horizontal{width: 14px; height: 14px; margin: -6px 0px -6px 0px; "
                       "border-image: ")
        + PanelStyle::Url(pictureDir, "HuaKuai.png") + QStringLiteral(";}QSlider::sub-page:horizontal{background: ")
        + ThemeColor::Rgb(QStringLiteral("SliderColor"))
        + QStringLiteral(";}QSlider::add-page:horizontal{background: rgb(136, 148, 158);}"));
    const struct {
        const char* name;
        int x;
        const char* text;
    } scale[] = {{"Keydown_3", 122, "-30°"}, {"Keydown_5", 297, "0°"}, {"Keydown_4", 459, "+30°"}};
    for (const auto& mark : scale) {
        QLabel* label = AdvancedPanelForm::NewLabel(this, mark.name, QRect(mark.x, 204, 41, 21));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setText(QString::fromUtf8(mark.text));
    }

    widget->setPicturePath(pictureDir + QStringLiteral("Back.png"));
    widget_2->setPicturePath(pictureDir + QStringLiteral("Component.png"));

    QMetaObject::connectSlotsByName(this);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

AngleMove::~AngleMove() = default;

void AngleMove::setAngleValue(int angle)
{
    const QSignalBlocker blocker(AngleSet);
    AngleSet->setValue(angle);
}

void AngleMove::setSliderEnabled(bool on)
{
    AngleSet->setEnabled(on);
}

void AngleMove::moveTipIcon(int x, int y)
{
    Error_3->move(x, y);
}

void AngleMove::setAngleText(const QString& text)
{
    Keydown_6->setText(text);
}

void AngleMove::setPictureAngle(int angle)
{
    widget_2->setAngle(angle);
}

void AngleMove::SlotAllLanguage(int index)
{
    const QString section = QStringLiteral("AdvancedSettings");
    label_7->setText(LanguageTables::Text(index, section, QStringLiteral("AngularMode")));
    Error_3->setToolTip(LanguageTables::Text(index, section, QStringLiteral("AngularModeTips")));
}

void AngleMove::ShowAngle(int angle)
{
    widget_2->setAngle(angle);
    Keydown_6->setText(Degrees(angle));
}

void AngleMove::on_AngleSet_sliderMoved(int position)
{
    Keydown_6->setText(Degrees(position));
    widget_2->setAngle(position);
}

void AngleMove::on_AngleSet_valueChanged(int value)
{
    ShowAngle(value);
    if (!AngleSet->isEnabled()) {
        AngleSet->setValue(lastSensorAngle);
        return;
    }
    if (!deviceSendEnabled || sensorPageFilling)
        return;
    if (DeviceSettingSetters::SetAngleMove(value)) {
        lastSensorAngle = value;
        return;
    }
    const QSignalBlocker blocker(AngleSet);
    AngleSet->setEnabled(false);
    ShowAngle(lastSensorAngle);
    AngleSet->setValue(lastSensorAngle);
}
