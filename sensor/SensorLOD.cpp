#include "sensor/SensorLOD.h"

#include "app/PostMsg.h"
#include "widgets/MyConmboBox.h"

SensorLOD::SensorLOD(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("SensorLOD"));
    LOD = new MyConmboBox(this);
    LOD->setObjectName(QStringLiteral("LOD"));
    LOD->setEnabled(false);
    LOD->addItem(QStringLiteral("1mm"));
    LOD->addItem(QStringLiteral("2mm"));
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

void SensorLOD::setLodIndex(int index)
{
    m_lodIndex = index;
    QString text;
    if (LOD->count() == 3) {
        static const int positions[3] = {1, 2, 0};
        if (index < 0 || index > 2)
            return;
        LOD->setCurrentIndex(positions[index]);
        text = LOD->itemText(positions[index]);
    } else {
        // The two-item list has no 0.7 mm: a code for it shows nothing.
        if (index < 0 || index > 1)
            return;
        LOD->setCurrentIndex(index);
        text = LOD->itemText(index);
    }
    PostMsg::Instance()->EmitSigAddLOD(text);
}
