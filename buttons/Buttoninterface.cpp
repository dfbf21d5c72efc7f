#include "buttons/Buttoninterface.h"

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "device/Worker.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/DebounceTime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtDebug>

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
{
    // The page's form lays the panel out; until then it only holds the value.
    DebunceButton = new DebounceTime(this);
    DebunceButton->setObjectName(QStringLiteral("DebunceButton"));
    DebunceButton->hide();
    PostMsg::Connect(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
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
    DebunceButton->SetDebounceIndex(DataMap.debounceTime);
    buttonPageReady = true;
    buttonPageFilling = false;
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    buttonPageFilling = true;
    DebunceButton->SetDebounceIndex(DataMap.debounceTime);
    buttonPageFilling = false;
}

void Buttoninterface::SlotAllLanguage(int index)
{
    Q_UNUSED(index);
    for (int i = 0; i < 16; ++i)
        DebunceButton->SetItemUnit(i, QStringLiteral("ms"));
}
