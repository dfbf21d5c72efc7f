#include "app/PostMsg.h"

#include <QAtomicInt>
#include <QMetaMethod>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <cstdlib>
#include <cstring>

namespace {

// Records what reached it, and on which thread.
class Receiver : public QObject {
    Q_OBJECT
public:
    QAtomicInt finished{0};
    QThread* slotThread = nullptr;
    FlashDataMap lastMap{};
    int lastIndex = -1;

public slots:
    void SlotUpDataLightUIButton(FlashDataMap map)
    {
        slotThread = QThread::currentThread();
        QThread::msleep(150);
        lastMap = map;
        finished.storeRelease(1);
    }
    void SlotUpDataParam(int index)
    {
        slotThread = QThread::currentThread();
        lastIndex = index;
        finished.storeRelease(1);
    }
    void SlotAllLanguage(int index) { lastIndex = index; }
};

} // namespace

class TestPostMsg : public QObject {
    Q_OBJECT
private slots:
    void oneHubWithoutParent()
    {
        PostMsg* hub = PostMsg::Instance();
        QVERIFY(hub);
        QCOMPARE(PostMsg::Instance(), hub);
        QCOMPARE(hub->parent(), nullptr);
        QCOMPARE(hub->thread(), QThread::currentThread());
    }

    void signalsInDeclarationOrder()
    {
        const QMetaObject* meta = PostMsg::Instance()->metaObject();
        QStringList names;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() == QMetaMethod::Signal)
                names.append(QString::fromLatin1(method.methodSignature()));
        }
        QCOMPARE(names.size(), 69);
        QCOMPARE(names.at(0), QStringLiteral("SigChangeMainDialog(int)"));
        QCOMPARE(names.at(3), QStringLiteral("SigUpDataLightUIButton(FlashDataMap)"));
        QCOMPARE(names.at(10), QStringLiteral("SigSelectMouseInfo(DeviceAllInfo)"));
        QCOMPARE(names.at(42), QStringLiteral("SigRGBValue(DongleRGB*)"));
        QCOMPARE(names.at(57), QStringLiteral("SigAllLanguage(int)"));
        QCOMPARE(names.at(68), QStringLiteral("SigIsUsb(bool,bool)"));
    }

    void exactlyTheTwelveDeviceDataSignalsBlock()
    {
        const QMetaObject* meta = PostMsg::Instance()->metaObject();
        QStringList blocking;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() != QMetaMethod::Signal)
                continue;
            const QByteArray signature = "2" + method.methodSignature();
            if (PostMsg::IsBlockingSignal(signature.constData()))
                blocking.append(QString::fromLatin1(method.name()));
        }
        blocking.sort();
        QStringList expected = {"SigUpDataConfigUI", "SigUpDataLightUIButton", "SigUpDataLightLight",
                                "SigUpDataLightSensor", "SigUpDataReportRate", "SigUpDataDPI",
                                "SigUpDataDPILed", "SigBattery", "SigRGBValue", "SigLongRangeMode",
                                "SigForm", "SigFormReset"};
        expected.sort();
        QCOMPARE(blocking, expected);
    }

    void blockingEmitReturnsOnlyAfterTheSlotRan()
    {
        Receiver receiver;
        QVERIFY(PostMsg::Connect(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), &receiver,
                                 SLOT(SlotUpDataLightUIButton(FlashDataMap))));
        FlashDataMap map{};
        map.reportRate = 64;
        map.macroBlocks[15].events[69].delay[3] = 0x5A;
        int finishedWhenEmitReturned = -1;
        QThread* emitter = QThread::create([&]() {
            PostMsg::Instance()->EmitSigUpDataLightUIButton(map);
            finishedWhenEmitReturned = receiver.finished.loadAcquire();
        });
        emitter->start();
        QTRY_VERIFY(emitter->isFinished());
        emitter->wait();
        delete emitter;
        QCOMPARE(finishedWhenEmitReturned, 1);
        QCOMPARE(receiver.slotThread, QThread::currentThread());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&receiver.lastMap), sizeof(FlashDataMap)),
                 QByteArray(reinterpret_cast<const char*>(&map), sizeof(FlashDataMap)));
    }

    void otherSignalsAreDeliveredLaterFromAnotherThread()
    {
        Receiver receiver;
        QVERIFY(PostMsg::Connect(SIGNAL(SigUpDataParam(int)), &receiver, SLOT(SlotUpDataParam(int))));
        int finishedWhenEmitReturned = -1;
        QThread* emitter = QThread::create([&]() {
            PostMsg::Instance()->EmitSigUpDataParam(5);
            finishedWhenEmitReturned = receiver.finished.loadAcquire();
        });
        emitter->start();
        emitter->wait();
        delete emitter;
        QCOMPARE(finishedWhenEmitReturned, 0);
        QTRY_COMPARE(receiver.lastIndex, 5);
        QCOMPARE(receiver.slotThread, QThread::currentThread());
    }

    void languageSignalReachesEveryReceiver()
    {
        Receiver first;
        Receiver second;
        PostMsg::Connect(SIGNAL(SigAllLanguage(int)), &first, SLOT(SlotAllLanguage(int)));
        PostMsg::Connect(SIGNAL(SigAllLanguage(int)), &second, SLOT(SlotAllLanguage(int)));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(first.lastIndex, 0);
        QCOMPARE(second.lastIndex, 0);
    }

    void blockingEmitOnGuiThreadStopsLoudly()
    {
        // Run this same test program in a child that raises a blocking
        // signal on its GUI thread; it must die with a message, not hang.
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NK_HUB_SELF_DEADLOCK", "1");
        env.insert("ASAN_OPTIONS", "handle_abort=0:detect_leaks=0");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(20000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY2(child.readAllStandardError().contains("SigForm raised on the GUI thread"),
                 "the child did not say why it stopped");
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("NK_HUB_SELF_DEADLOCK")) {
        Receiver receiver;
        PostMsg::Connect(SIGNAL(SigForm()), &receiver, SLOT(SlotAllLanguage(int)));
        PostMsg::Instance()->EmitSigForm();
        return 0;
    }
    TestPostMsg test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_postmsg.moc"
