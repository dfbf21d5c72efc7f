// Closing the device server while a report is being handled, as the close of
// the program does: the exit comes back within a second, and once it has no
// report callback runs, neither then nor while the program's objects go.
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <cstdio>

enum class Wait { BlockingSignal, Working };
Q_DECLARE_METATYPE(Wait)

// The GUI thread's side of the callback's blocking signal, as a page.
class GuiSide : public QObject {
    Q_OBJECT
public slots:
    void Take() { ++taken; }

public:
    std::atomic<int> taken{0};
};

class ReportSide : public QObject {
    Q_OBJECT
signals:
    void HandOver();
};

namespace {

// What the callback does, seen from outside.
struct Observed {
    std::atomic<int> entered{0};
    std::atomic<int> returned{0};
    std::atomic<int> touches{0};
    std::atomic<bool> waiting{false};
    Wait wait = Wait::BlockingSignal;
    int afterWaitMs = 50;
    ReportSide* reportSide = nullptr;
};

Observed* observed = nullptr;

// Waits the way it is told, then goes on changing state as a program's
// callback would once the GUI thread let it go.
void Callback(const unsigned char*, int, const unsigned char*, int)
{
    Observed& o = *observed;
    ++o.entered;
    o.waiting = true;
    if (o.wait == Wait::BlockingSignal)
        emit o.reportSide->HandOver();
    else
        QThread::msleep(150);
    ++o.touches;
    QThread::msleep(static_cast<unsigned long>(o.afterWaitMs));
    ++o.touches;
    ++o.returned;
}

bool LoadOneMouse(QByteArray* path)
{
    QString error;
    if (!SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICELINK_FIXTURES "/one_mouse.json"), &error))
        return false;
    *path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k")).toLatin1();
    return !path->isEmpty();
}

// Starts the server, asks for two reports and returns once the first one's
// callback waits (without handling any event meanwhile).
bool StartAndWaitInCallback(Observed& o, GuiSide& gui, ReportSide& reportSide)
{
    QByteArray path;
    if (!LoadOneMouse(&path))
        return false;
    o.reportSide = &reportSide;
    QObject::connect(&reportSide, &ReportSide::HandOver, &gui, &GuiSide::Take, Qt::BlockingQueuedConnection);
    observed = &o;
    if (!UsbServerC_Start(path.constData(), path.constData(), &Callback))
        return false;
    UsbServer_ReadBatteryLevel();
    UsbServer_ReadVersion();
    QElapsedTimer timer;
    timer.start();
    while (!o.waiting && timer.elapsed() < 10000)
        QThread::msleep(2);
    return o.waiting;
}

// A program that closes while its callback waits for it in a blocking
// signal, and says what ran in which order.
int ChildMain(int argc, char** argv)
{
    struct Last {
        ~Last() { std::fputs("statics gone\n", stdout); std::fflush(stdout); }
    };
    static Last last;
    static Observed o;
    o.afterWaitMs = 200;
    {
        QCoreApplication app(argc, argv);
        // The receiver goes with the program's objects; the sender stays.
        ReportSide* reportSide = new ReportSide;
        GuiSide gui;
        if (!StartAndWaitInCallback(o, gui, *reportSide))
            return 2;
        // Ends without stopping the server, its callback still waiting.
    }
    std::fputs(o.returned == 1 ? "callback done\n" : "callback running\n", stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace

class TestExitWhileReporting : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UsbServer_Exit(); }

    void exitWaitsForTheRunningCallbackOnly_data()
    {
        QTest::addColumn<Wait>("wait");
        QTest::newRow("blocked in a signal to the GUI thread") << Wait::BlockingSignal;
        QTest::newRow("working on its report") << Wait::Working;
    }

    void exitWaitsForTheRunningCallbackOnly()
    {
        QFETCH(Wait, wait);
        Observed o;
        o.wait = wait;
        GuiSide gui;
        ReportSide reportSide;
        QVERIFY(StartAndWaitInCallback(o, gui, reportSide));

        QElapsedTimer timer;
        timer.start();
        UsbServer_Exit();
        const qint64 exitMs = timer.elapsed();
        const int touches = o.touches;
        const int returned = o.returned;

        QVERIFY2(exitMs < 1000, qPrintable(QString::number(exitMs)));
        QCOMPARE(returned, 1);
        QCOMPARE(touches, 2);
        QCOMPARE(gui.taken.load(), wait == Wait::BlockingSignal ? 1 : 0);
        // Whatever the event loop still holds runs now: nothing of the
        // callback, and the report queued behind it is gone.
        QTest::qWait(300);
        QCOMPARE(o.touches.load(), touches);
        QCOMPARE(o.entered.load(), 1);
    }

    void theProgramEndsAfterItsCallbackReturned()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NK_EXIT_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()),
                 QStringLiteral("callback done\nstatics gone\n"));
    }
};

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet("NK_EXIT_CHILD"))
        return ChildMain(argc, argv);
    QTEST_MAIN_IMPL(TestExitWhileReporting)
}

#include "tst_exitwhilereporting.moc"
