#include "windows/mytoolButtonEnter.h"

#include "windows/DialogChange.h"

mytoolButtonEnter::mytoolButtonEnter(QWidget* parent)
    : QToolButton(parent)
{
}

mytoolButtonEnter::~mytoolButtonEnter() = default;

void mytoolButtonEnter::enterEvent(QEvent* event)
{
    Q_UNUSED(event);
    QString name = objectName();
    name.remove(QStringLiteral("btn"), Qt::CaseSensitive);
    DialogChange::RefreshDeviceTile(name.toInt());
}

void mytoolButtonEnter::leaveEvent(QEvent* event)
{
    Q_UNUSED(event);
}
