#include "settings/MyThread.h"
#include "app/TraceLog.h"

#include <QtDebug>

MyThread::~MyThread()
{
    // Only ever stopped if someone started it.
    if (isRunning()) {
        requestInterruption();
        wait();
    }
}

void MyThread::run()
{
    while (!isInterruptionRequested()) {
        qCDebug(traceLog, "Thread is running");
        msleep(100);
    }
}
