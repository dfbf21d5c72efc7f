#pragma once

#include <QObject>

#include <functional>

class QDialog;

// Keeps a dialog on screen while the work it stands for goes on. Escape and
// the window system's close request (Alt+F4) reject a dialog and hide it,
// with the work still running behind; while busy() answers true both do
// nothing. The dialog's own close() is never held up.
class DismissGuard : public QObject {
public:
    DismissGuard(QDialog* dialog, std::function<bool()> busy);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> busy;
};
