#include "sensor/DebounceTime.h"

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "dialogs/LessThree.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QSignalBlocker>

DebounceTime::DebounceTime(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("DebounceTime"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(164, 37);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    Debunce = new MyConmboBox(this);
    Debunce->setObjectName(QStringLiteral("Debunce"));
    Debunce->setGeometry(0, 0, 141, 34);
    Debunce->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Debunce->setMinimumSize(131, 34);
    Debunce->setMaximumSize(220, 34);
    Debunce->setFont(PanelForm::YaHei(11));
    Debunce->setFocusPolicy(Qt::NoFocus);
    Debunce->addItems({QStringLiteral("1ms"), QStringLiteral("0"), QStringLiteral("2ms"), QStringLiteral("3"),
                       QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                       QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
                       QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15")});

    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Buttoninterface"));
    PanelStyle::SetPanelComboFace(Debunce, pictureDir);
    PanelStyle::InstallComboList(Debunce, 5);

    QMetaObject::connectSlotsByName(this);
}

DebounceTime::~DebounceTime() = default;

void DebounceTime::SetDebounceIndex(int index)
{
    // A byte the table does not know must not empty the box: an empty box
    // would write index -1, byte 0xFF, back to the mouse.
    index = qBound(0, index, kItemCount - 1);
    m_lastIndex = index;
    // Signals open: a changed entry is written as a choice is, so the mouse
    // holds what the box shows (a byte beyond the table becomes its nearest
    // entry). The host fills with buttonPageFilling set: no tip, no notice.
    Debunce->setCurrentIndex(index);
    PostMsg::Instance()->EmitSigDebunce(Debunce->currentText());
}

void DebounceTime::SetItemUnit(int item, QString unit)
{
    Debunce->setItemText(item, QString::number(item) + unit);
}

void DebounceTime::on_Debunce_currentIndexChanged(int index)
{
    if (!deviceSendEnabled || index < 0)
        return;
    if (!DeviceSettingSetters::SetDebounceTime(index)) {
        const QSignalBlocker blocker(Debunce);
        Debunce->setCurrentIndex(m_lastIndex);
        return;
    }
    m_lastIndex = index;
    PostMsg::Instance()->EmitSigDebunce(Debunce->currentText());
    if (index <= kShortestWithoutTip && !buttonPageFilling)
        ShowTip();
}

void DebounceTime::ShowTip()
{
    LessThree tip;
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    tip.move(origin.x() + (width() - tip.width()) / 2 - 409, origin.y() + (height() - tip.height()) / 2 - 202);
    tip.exec();
}
