#include "sensor/StopCloseTime.h"

#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QSignalBlocker>

namespace {

const int kSleepCodes[StopCloseTime::kCodeCount] = {1, 3, 6, 12, 18, 30, 60, 90, 180, 210, 240};

} // namespace

StopCloseTime::StopCloseTime(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("StopCloseTime"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(145, 34);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    StopClose = new MyConmboBox(this);
    StopClose->setObjectName(QStringLiteral("StopClose"));
    StopClose->setGeometry(0, 0, 131, 34);
    StopClose->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    StopClose->setMinimumSize(131, 34);
    StopClose->setMaximumSize(220, 34);
    StopClose->setFont(PanelForm::YaHei(11));
    StopClose->setFocusPolicy(Qt::NoFocus);
    StopClose->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    // The language table names the items; Chinese placeholders would be laid
    // out, and a CJK font looked up, each time the popup list is restyled.
    for (int i = 0; i < 8; ++i)
        StopClose->addItem(QString());

    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Light"));
    PanelStyle::SetPanelComboFace(StopClose, pictureDir);
    PanelStyle::InstallComboList(StopClose, 15);

    QMetaObject::connectSlotsByName(this);
}

StopCloseTime::~StopCloseTime() = default;

int StopCloseTime::CodeOfIndex(int index)
{
    return index >= 0 && index < kCodeCount ? kSleepCodes[index] : -1;
}

void StopCloseTime::SetSleepIndex(int index)
{
    const QSignalBlocker blocker(StopClose);
    StopClose->setCurrentIndex(index);
    m_lastIndex = index;
}

void StopCloseTime::SetItemText(int item, QString text)
{
    StopClose->setItemText(item, text);
}

void StopCloseTime::on_StopClose_activated(int index)
{
    if (!deviceSendEnabled)
        return;
    const int code = CodeOfIndex(index);
    if (code < 0 || buttonPageFilling)
        return;
    if (!DeviceSettingSetters::SetSleepTime(code)) {
        const QSignalBlocker blocker(StopClose);
        StopClose->setCurrentIndex(m_lastIndex);
        return;
    }
    m_lastIndex = index;
}
