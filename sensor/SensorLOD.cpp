#include "sensor/SensorLOD.h"

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "widgets/PanelStyle.h"
#include "widgets/MyConmboBox.h"

#include <QLabel>

namespace {

QFont FormFont()
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    return font;
}

} // namespace

SensorLOD::SensorLOD(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("SensorLOD"));
    setFixedSize(131, 61);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setWindowTitle(QStringLiteral("Frame"));

    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(0, 0, 151, 17);
    label->setFont(FormFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setText(QStringLiteral(" LOD"));

    LOD = new MyConmboBox(this);
    LOD->setObjectName(QStringLiteral("LOD"));
    LOD->setGeometry(0, 30, 130, 30);
    LOD->setMaximumSize(130, 30);
    LOD->setFont(FormFont());
    LOD->setFocusPolicy(Qt::NoFocus);
    LOD->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    LOD->setEnabled(false);
    LOD->addItem(QStringLiteral("1mm"));
    LOD->addItem(QStringLiteral("2mm"));

    label_2 = new QLabel(this);
    label_2->setObjectName(QStringLiteral("label_2"));
    label_2->setGeometry(90, 1, 16, 16);

    QMetaObject::connectSlotsByName(this);

    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    label->setStyleSheet(PanelStyle::LabelStyle());
    label_2->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureDir, "Tips.png"));
    PanelStyle::SetPanelComboFace(LOD, pictureDir);
    PanelStyle::InstallComboList(LOD, 10);
}

SensorLOD::~SensorLOD() = default;

void SensorLOD::addSubMillimetreItem()
{
    if (LOD->count() == 2)
        LOD->insertItem(0, QStringLiteral("0.7mm"));
}

void SensorLOD::removeSubMillimetreItem()
{
    if (LOD->count() == 3)
        LOD->removeItem(0);
}

int SensorLOD::PositionOfIndex(int index) const
{
    if (LOD->count() == 3) {
        static const int positions[3] = {1, 2, 0};
        return index >= 0 && index <= 2 ? positions[index] : -1;
    }
    // The two-item list has no 0.7 mm.
    return index >= 0 && index <= 1 ? index : -1;
}

void SensorLOD::setLodIndex(int index)
{
    // A code the list has no item for (0.7 mm on another sensor, 0, 4..)
    // would show no item and announce a distance that is not set.
    const int position = PositionOfIndex(index);
    if (position < 0)
        return;
    m_lodIndex = index;
    LOD->setCurrentIndex(position);
    PostMsg::Instance()->EmitSigAddLOD(LOD->itemText(position));
}

void SensorLOD::setLodEnabled(bool enabled)
{
    LOD->setEnabled(enabled);
}

void SensorLOD::setTitleText(const QString& text)
{
    label->setText(text);
}

void SensorLOD::setTipText(const QString& text)
{
    label_2->setToolTip(text);
}

void SensorLOD::placeTipIcon(int)
{
    label_2->move(50, 1);
}

void SensorLOD::on_LOD_currentIndexChanged(int index)
{
    if (!deviceSendEnabled || sensorPageFilling)
        return;
    int code = 0;
    if (LOD->count() == 3) {
        static const int codes[3] = {3, 1, 2};
        if (index >= 0 && index <= 2)
            code = codes[index];
    } else if (index == 0 || index == 1) {
        code = index + 1;
    }
    if (code == 0)
        return;
    if (DeviceSettingSetters::SetLiftOffDistance(code)) {
        m_lodIndex = code - 1;
        PostMsg::Instance()->EmitSigAddLOD(LOD->itemText(index));
        return;
    }
    const int previous = PositionOfIndex(m_lodIndex);
    if (previous < 0)
        return;
    const bool wasBlocked = LOD->blockSignals(true);
    LOD->setCurrentIndex(previous);
    LOD->blockSignals(wasBlocked);
}
