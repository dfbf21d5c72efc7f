#include "buttons/Buttoninterface.h"

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "device/Worker.h"
#include "platform/rozuri/ROZUri.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtDebug>

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
{
    PostMsg::Connect(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    deviceWorker = new Worker(this);
}

Buttoninterface::~Buttoninterface()
{
    // The pages stop listening first, so the events that release a pass
    // blocked in a device-data signal reach no half-destroyed page.
    PostMsg::Instance()->disconnect(this);
    Worker* worker = deviceWorker;
    if (worker) {
        worker->Stop();
        // A pass may be waiting for the GUI thread in a blocking signal:
        // keep the event loop going while waiting, and never for ever.
        QElapsedTimer waited;
        waited.start();
        while (!worker->wait(10)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (waited.elapsed() > kWorkerStopBoundMs)
                break;
        }
        if (worker->isRunning()) {
            qWarning("The device worker did not stop in time; it is left running.");
        } else {
            delete worker;
        }
    }
    StopUsbChanged();
}

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    buttonPageReady = false;
    buttonPageFilling = true;
    Q_UNUSED(DataMap);
    buttonPageFilling = false;
    buttonPageReady = true;
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    buttonPageFilling = true;
    Q_UNUSED(DataMap);
    buttonPageFilling = false;
}
