#include "platform/ModalAutoClose.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtDebug>

void ModalAutoClose::InstallFromEnvironment()
{
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("NK_AUTOCLOSE_MODAL_MS", &ok);
    if (!ok || delay < 0 || !QCoreApplication::instance())
        return;
    new ModalAutoClose(delay, QCoreApplication::instance());
}

ModalAutoClose::ModalAutoClose(int delayMs, QObject* parent)
    : QObject(parent)
    , m_delayMs(delayMs)
{
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &ModalAutoClose::Poll);
    timer->start(20);
}

void ModalAutoClose::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_pending)
        return;
    m_pending = modal;
    QPointer<QWidget> target(modal);
    QTimer::singleShot(m_delayMs, this, [this, target]() {
        m_pending = nullptr;
        if (!target)
            return;
        qInfo().noquote() << "auto-closing modal dialog" << target->metaObject()->className();
        target->close();
    });
}
