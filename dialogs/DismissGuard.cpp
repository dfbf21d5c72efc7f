#include "dialogs/DismissGuard.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>

DismissGuard::DismissGuard(QDialog* dialog, std::function<bool()> busyNow)
    : QObject(dialog), busy(std::move(busyNow))
{
    dialog->installEventFilter(this);
}

bool DismissGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Close)
        return QObject::eventFilter(watched, event);
    if (!busy())
        return false;
    // The dialog framework turns Escape into a rejection.
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        event->accept();
        return true;
    }
    // A close the window system asks for; the program's own close() is not spontaneous.
    if (type == QEvent::Close && event->spontaneous()) {
        event->ignore();
        return true;
    }
    return false;
}
