#include "sensor/SensorSwitchPanel.h"

#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QToolButton>

SensorSwitchPanel::SensorSwitchPanel(const Traits& memberTraits, QWidget* parent)
    : QFrame(parent)
    , traits(memberTraits)
{
    const QString className = QLatin1String(traits.className);
    if (objectName().isEmpty())
        setObjectName(className);
    setFixedSize(204, 31);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setWindowTitle(QStringLiteral("Frame"));

    switchButton = new QToolButton(this);
    switchButton->setObjectName(className + QStringLiteral("_2"));
    switchButton->setGeometry(0, 0, 36, 18);
    switchButton->setMinimumSize(36, 18);
    switchButton->setMaximumSize(36, 18);
    switchButton->setCheckable(true);
    switchButton->setAutoRaise(false);
    switchButton->setFocusPolicy(Qt::NoFocus);

    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(40, 0, 161, 31);
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(QString::fromUtf8(traits.defaultTitle));

    label_2 = new QLabel(this);
    label_2->setObjectName(QStringLiteral("label_2"));
    label_2->setGeometry(180, 3, 16, 16);

    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    label->setStyleSheet(PanelStyle::LabelStyle());
    switchButton->setStyleSheet(
        QStringLiteral("#%1{color:white;border:none;background-image:url(%2Close.png);"
                       "background-position:center;background-repeat:no-repeat;}"
                       "#%1:checked{background-image:url(%2Open.png);}")
            .arg(switchButton->objectName(), pictureDir));
    label_2->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureDir, "Tips.png"));
}

SensorSwitchPanel::~SensorSwitchPanel() = default;

void SensorSwitchPanel::setSwitchChecked(bool on)
{
    // setChecked raises no click: nothing is written.
    switchButton->setChecked(on);
}

bool SensorSwitchPanel::isSwitchChecked() const
{
    return switchButton->isChecked();
}

void SensorSwitchPanel::setTitleText(const QString& text)
{
    label->setText(text);
}

void SensorSwitchPanel::setTipText(const QString& text)
{
    label_2->setToolTip(text);
}

void SensorSwitchPanel::placeTipIcon(int languageIndex)
{
    if (languageIndex < 0 || languageIndex > 7)
        return;
    label_2->move(traits.tipX[qMin(languageIndex, 4)], 3);
}

void SensorSwitchPanel::SwitchClicked(bool checked)
{
    // A fill only sets the switch from code, which raises no click; the
    // flag is tested anyway so that no path can send in the middle of one.
    if (!deviceSendEnabled || sensorPageFilling)
        return;
    if (traits.writer(checked ? 1 : 0))
        return;
    const bool wasBlocked = switchButton->blockSignals(true);
    switchButton->setChecked(!checked);
    switchButton->blockSignals(wasBlocked);
}
