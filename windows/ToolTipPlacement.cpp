#include "windows/ToolTipPlacement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRect>
#include <QScreen>
#include <QWidget>

ToolTipPlacement::ToolTipPlacement(QObject* parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool ToolTipPlacement::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        // A request no widget takes goes on to its parent: the last one
        // asked lies in the same window as the first.
        if (watched->isWidgetType())
            m_asker = static_cast<QWidget*>(watched);
        break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        // Qt's tip label; it is moved and resized for each tip it shows.
        if (watched->isWidgetType() && watched->inherits("QTipLabel"))
            Place(static_cast<QWidget*>(watched));
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ToolTipPlacement::Place(QWidget* tip)
{
    if (!m_asker || !tip->isVisible())
        return;
    QWidget* window = m_asker->window();
    // The part of the window on its screen: a tip stays where it is seen.
    const QRect area = QRect(window->mapToGlobal(QPoint(0, 0)), window->size()) & window->screen()->geometry();
    // Frame and all, as move() places it.
    const QRect shown = tip->frameGeometry();
    if (area.contains(shown) || shown.width() > area.width() || shown.height() > area.height())
        return;
    const int x = qBound(area.left(), shown.left(), area.right() - shown.width() + 1);
    const int y = qBound(area.top(), shown.top(), area.bottom() - shown.height() + 1);
    if (QPoint(x, y) != shown.topLeft())
        tip->move(x, y);
}
