// Hot-plug notification: first call at registration, later ones through the
// GUI thread's event loop, none after the callback was replaced or removed.
#include "RozuriTestSupport.h"

#include <QCoreApplication>
#include <QThread>

namespace {

struct Calls {
    int first = 0;
    int second = 0;
    bool offGuiThread = false;
};

Calls &calls()
{
    static Calls c;
    return c;
}

void noteThread()
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        calls().offGuiThread = true;
}

void firstCallback()
{
    noteThread();
    ++calls().first;
}

void secondCallback()
{
    noteThread();
    ++calls().second;
}

} // namespace

class TestHotPlug : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        loadFixture(QStringLiteral("receivers_and_cable.json"));
        QTest::qWait(50); // let the reload's own notice pass
        calls() = Calls();
    }

    void cleanup() { StopUsbChanged(); }

    void registrationCallsAtOnce()
    {
        StartUsbChanged(firstCallback, 10);
        QCOMPARE(calls().first, 1);
    }

    void changesArriveLaterOnTheGuiThread()
    {
        StartUsbChanged(firstCallback, 10);
        SimulatedDeviceControl::plug(QStringLiteral("r4k"), false);
        QCOMPARE(calls().first, 1); // not inside the change
        QTRY_COMPARE(calls().first, 2);
        QVERIFY(!calls().offGuiThread);
    }

    void changesFromAnotherThreadArriveOnTheGuiThread()
    {
        StartUsbChanged(firstCallback, 10);
        QThread *thread = QThread::create([] { SimulatedDeviceControl::plug(QStringLiteral("corded"), false); });
        thread->start();
        thread->wait();
        delete thread;
        QTRY_COMPARE(calls().first, 2);
        QVERIFY(!calls().offGuiThread);
    }

    void changesWithinTheSettleTimeMakeOneCall()
    {
        StartUsbChanged(firstCallback, 100);
        SimulatedDeviceControl::plug(QStringLiteral("r4k"), false);
        SimulatedDeviceControl::plug(QStringLiteral("r4k"), true);
        SimulatedDeviceControl::plug(QStringLiteral("corded"), false);
        QTRY_COMPARE(calls().first, 2);
        QTest::qWait(250);
        QCOMPARE(calls().first, 2);
    }

    void replacedCallbackIsNotCalledAgain()
    {
        StartUsbChanged(firstCallback, 50);
        SimulatedDeviceControl::plug(QStringLiteral("r4k"), false);
        StartUsbChanged(secondCallback, 50); // before the first change was delivered
        QCOMPARE(calls().second, 1);
        QTest::qWait(200);
        QCOMPARE(calls().first, 1);
        QCOMPARE(calls().second, 2);
    }

    void stoppedCallbackIsNotCalled()
    {
        StartUsbChanged(firstCallback, 10);
        SimulatedDeviceControl::plug(QStringLiteral("r4k"), false);
        StopUsbChanged();
        QTest::qWait(100);
        QCOMPARE(calls().first, 1);
    }

    void onlineStateIsNotAPlugChange()
    {
        StartUsbChanged(firstCallback, 10);
        SimulatedDeviceControl::setOnline(QStringLiteral("wireless"), false);
        QTest::qWait(100);
        QCOMPARE(calls().first, 1);
    }
};

QTEST_GUILESS_MAIN(TestHotPlug)
#include "tst_rozuri_hotplug.moc"
