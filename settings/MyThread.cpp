#include "settings/MyThread.h"

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
        qDebug("Thread is running");
        msleep(100);
    }
}
