#include "sensor/SensorRate.h"

#include "app/AppPaths.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"

#include <QButtonGroup>
#include <QLabel>
#include <QToolButton>

namespace {

struct Rate {
    const char* objectName;
    const char* text;
    int code;
    int hz;
};

// Index order is the order of the buttons, the slots and the button group.
const Rate kRates[SensorRate::kRateCount] = {
    {"Button125HZ", "125Hz", 8, 125},
    {"Button250HZ", "250Hz", 4, 250},
    {"Button500HZ", "500Hz", 2, 500},
    {"Button1000HZ", "1000Hz", 1, 1000},
    {"Button2000HZ", "2000Hz", 16, 2000},
    {"Button4000HZ", "4000Hz", 32, 4000},
    {"Button8000HZ", "8000Hz", 64, 8000},
};

bool IsRateIndex(int index)
{
    return index >= 0 && index < SensorRate::kRateCount;
}

QFont FormFont(int points)
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(points);
    return font;
}

} // namespace

SensorRate::SensorRate(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    pictureDir = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Sensor/");
    buttonGroup = new QButtonGroup(this);
    buttonGroup->setExclusive(true);
    for (int i = 0; i < kRateCount; ++i)
        buttonGroup->addButton(rateButtons[i], i);
    ApplyStyles();
}

SensorRate::~SensorRate() = default;

void SensorRate::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("SensorRate"));
    resize(725, 82);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setWindowTitle(QStringLiteral("Frame"));

    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(0, 0, 161, 31);
    label->setFont(FormFont(11));
    label->setText(QStringLiteral("回报率"));
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    for (int i = 0; i < kRateCount; ++i) {
        QToolButton* button = new QToolButton(this);
        button->setObjectName(QLatin1String(kRates[i].objectName));
        button->setGeometry(100 * i, 51, 74, 26);
        button->setMinimumSize(74, 26);
        button->setMaximumSize(74, 26);
        QFont font = FormFont(10);
        font.setBold(false);
        font.setWeight(QFont::Normal);
        button->setFont(font);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        button->setText(QLatin1String(kRates[i].text));
        rateButtons[i] = button;
    }
    QMetaObject::connectSlotsByName(this);
}

void SensorRate::ApplyStyles()
{
    label->setStyleSheet(QStringLiteral("color: %1;").arg(ThemeColor::Rgb(QStringLiteral("LabelColor"))));
    const QString buttonStyle = QStringLiteral(
        "QToolButton{border:none;color:%1;padding-left:0px;"
        "background-image:url(%2ReportRate.png);background-position:center;background-repeat:no-repeat;}"
        "QToolButton:checked{background-image:url(%2ReportRateClick.png);}")
        .arg(ThemeColor::Rgb(QStringLiteral("ButtonColor")), pictureDir);
    for (QToolButton* button : rateButtons)
        button->setStyleSheet(buttonStyle);
}

int SensorRate::RateOfIndex(int index)
{
    return IsRateIndex(index) ? kRates[index].hz : 0;
}

int SensorRate::CodeOfIndex(int index)
{
    return IsRateIndex(index) ? kRates[index].code : 0;
}

int SensorRate::RateClassOfConnection(int connectionKind)
{
    switch (connectionKind) {
    case ConnectionReceiver1K:
    case ConnectionCable1K:
        return 0;
    case ConnectionReceiver4K:
        return 1;
    case ConnectionReceiver2K:
        return 2;
    case ConnectionCable8K:
    case ConnectionReceiver8K:
        return 3;
    default:
        return -1;
    }
}

void SensorRate::selectRate(int index)
{
    m_currentRateIndex = index;
    if (!IsRateIndex(index))
        return;
    // Checking from code raises no click, so nothing is sent.
    rateButtons[index]->setChecked(true);
    PostMsg::Instance()->EmitSigAddReport(kRates[index].hz);
}

bool SensorRate::IsRateOffered(int rateClass, int index)
{
    // Shown 2000, 4000, 8000 Hz by class; the classes are not in rate order.
    static const bool kShown[4][3] = {
        {false, false, false},
        {true, true, false},
        {true, false, false},
        {true, true, true},
    };
    if (rateClass < 0 || rateClass > 3 || !IsRateIndex(index))
        return false;
    return index < 4 || kShown[rateClass][index - 4];
}

void SensorRate::setRateLimit(int rateClass)
{
    if (rateClass < 0 || rateClass > 3)
        return;
    for (int i = 4; i < kRateCount; ++i)
        rateButtons[i]->setVisible(IsRateOffered(rateClass, i));
}

void SensorRate::setTitleText(const QString& text)
{
    label->setText(text);
}

void SensorRate::RateClicked(int index, bool checked)
{
    if (!checked || !deviceSendEnabled)
        return;
    if (DeviceSettingSetters::SetReportRate(kRates[index].code)) {
        PostMsg::Instance()->EmitSigAddReport(kRates[index].hz);
        m_currentRateIndex = index;
        PostMsg::Instance()->EmitSigHideModel(kRates[index].hz > 1000 ? 1 : 0);
        return;
    }
    // The record kept the old code: show the rate it holds again.
    selectRate(m_currentRateIndex);
}

void SensorRate::on_Button125HZ_clicked(bool checked) { RateClicked(0, checked); }
void SensorRate::on_Button250HZ_clicked(bool checked) { RateClicked(1, checked); }
void SensorRate::on_Button500HZ_clicked(bool checked) { RateClicked(2, checked); }
void SensorRate::on_Button1000HZ_clicked(bool checked) { RateClicked(3, checked); }
void SensorRate::on_Button2000HZ_clicked(bool checked) { RateClicked(4, checked); }
void SensorRate::on_Button4000HZ_clicked(bool checked) { RateClicked(5, checked); }
void SensorRate::on_Button8000HZ_clicked(bool checked) { RateClicked(6, checked); }
