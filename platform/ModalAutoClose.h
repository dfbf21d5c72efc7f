#pragma once

#include <QObject>

// Test seam for whole-program runs: when NK_AUTOCLOSE_MODAL_MS is set, every
// modal dialog is closed that many milliseconds after it appears, and its
// class name is written to the debug output, as if a person had closed it.
class ModalAutoClose : public QObject {
    Q_OBJECT
public:
    // Does nothing unless the variable is set; needs the application object.
    static void InstallFromEnvironment();

private:
    explicit ModalAutoClose(int delayMs, QObject* parent);
    void Poll();

    int m_delayMs;
    QObject* m_pending = nullptr;
};
