#include "sensor/DebounceTime.h"

#include "app/PostMsg.h"
#include "widgets/MyConmboBox.h"

DebounceTime::DebounceTime(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("DebounceTime"));
    Debunce = new MyConmboBox(this);
    Debunce->setObjectName(QStringLiteral("Debunce"));
    // Nothing would send a choice yet, so the user cannot make one.
    Debunce->setEnabled(false);
    Debunce->addItems({QStringLiteral("1ms"), QStringLiteral("0"), QStringLiteral("2ms"), QStringLiteral("3"),
                       QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                       QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
                       QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15")});
}

DebounceTime::~DebounceTime() = default;

void DebounceTime::SetDebounceIndex(int index)
{
    m_lastIndex = index;
    Debunce->setCurrentIndex(index);
    PostMsg::Instance()->EmitSigDebunce(Debunce->currentText());
}

void DebounceTime::SetItemUnit(int item, QString unit)
{
    Debunce->setItemText(item, QString::number(item) + unit);
}
