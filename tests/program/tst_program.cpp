// Starts the real program, as a user would, under a fresh home folder.
#include "app/AppPaths.h"
#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSharedMemory>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 kDay = 86400;

QString ProgramPath()
{
    return qEnvironmentVariable("NK_PROGRAM");
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;

    QString DataFolder() const { return m_home.path() + "/AppData/Local/Nevrix Kazmo"; }

    // The trace lines are turned on as a user would; tests that read them ask for them.
    void Configure(QProcess& process, bool autoClose, const QString& callLog = QString(), bool traces = true)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("QT_SCALE_FACTOR");
        env.remove("QT_LOGGING_RULES");
        env.remove("QT_LOGGING_CONF");
        env.insert("XDG_CONFIG_HOME", m_home.path() + "/.config");
        if (traces)
            env.insert("QT_LOGGING_RULES", "nevrix.trace=true");
        if (autoClose)
            env.insert("NK_AUTOCLOSE_MODAL_MS", "100");
        if (!callLog.isEmpty()) {
            QFile::remove(callLog);
            env.insert("NK_SIM_LOG", callLog);
        }
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
    }

    static bool Logged(const QString& callLog, const QByteArray& what)
    {
        QFile file(callLog);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains(what);
    }

    // The window watches for devices only after the instance holds its
    // segment. A loaded machine can take seconds to get there, and a
    // second start means nothing before it.
    static bool WindowUp(const QString& callLog)
    {
        return Logged(callLog, "\"fn\":\"StartUsbChanged\"");
    }

    // True when the process is still running after the given time.
    static bool StillRunningAfter(QProcess& process, int ms)
    {
        return !process.waitForFinished(ms) && process.state() == QProcess::Running;
    }

    static void Stop(QProcess& process)
    {
        process.kill();
        process.waitForFinished(5000);
    }

    static void Touch(const QString& path, qint64 ageSeconds)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.flush();
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(ProgramPath()), "NK_PROGRAM does not name the built program");
        QVERIFY(m_home.isValid());
    }

    void startPreparesTheUserFolderAndClearsOldFiles()
    {
        QVERIFY(QDir().mkpath(DataFolder() + "/Log/keep"));
        QVERIFY(QDir().mkpath(DataFolder() + "/Exception"));
        Touch(DataFolder() + "/Log/old.txt", 8 * kDay + 60);
        Touch(DataFolder() + "/Log/young.txt", 7 * kDay + 23 * 3600);
        Touch(DataFolder() + "/Log/keep/inside.txt", 90 * kDay);
        Touch(DataFolder() + "/Exception/old.dmp", 9 * kDay);

        QProcess program;
        Configure(program, false);
        program.start(ProgramPath(), QStringList());
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(DataFolder() + "/Macro.ini"), 10000);
        QVERIFY(StillRunningAfter(program, 1500));
        Stop(program);

        for (const char* folder : {"/Log", "/Device_Info", "/Exception", "/usersetting",
                                   "/usersetting/MainPage", "/usersetting/MacroPage",
                                   "/usersetting/SensorPage"})
            QVERIFY2(QDir(DataFolder() + folder).exists(), folder);
        QCOMPARE(QFileInfo(DataFolder() + "/Macro.ini").size(), qint64(0));
        QVERIFY(!QFile::exists(DataFolder() + "/Log/old.txt"));
        QVERIFY(QFile::exists(DataFolder() + "/Log/young.txt"));
        QVERIFY(QFile::exists(DataFolder() + "/Log/keep/inside.txt"));
        QVERIFY(!QFile::exists(DataFolder() + "/Exception/old.dmp"));
    }

    // With the default scenario the program opens on the chooser: it
    // follows the connected devices and reads the one mouse for its tile.
    void startFollowsTheConnectedDevices()
    {
        const QString log = m_home.path() + "/calls.jsonl";
        QProcess program;
        Configure(program, true, log);
        program.start(ProgramPath(), QStringList());
        QVERIFY(program.waitForStarted());
        auto logged = [&log](const QByteArray& what) { return Logged(log, what); };
        QTRY_VERIFY_WITH_TIMEOUT(logged("\"fn\":\"UsbFinderC_GetDeviceOnLineWithUsbAddress\""), 30000);
        QVERIFY(WindowUp(log));
        QVERIFY(StillRunningAfter(program, 1000));
        Stop(program);
        const QByteArray output = program.readAll();
        QVERIFY2(output.contains("found device sim-hid://1a2b:2104/0"), output.constData());
        // No notice opened on the way: one mouse is no duplicate.
        QVERIFY2(!output.contains("auto-closing modal dialog"), output.constData());
        // Nothing is opened before a tile is clicked.
        QVERIFY(!logged("\"fn\":\"UsbServerC_Start\""));
    }

    // Without logging rules a run prints none of its trace lines; with the
    // program's category turned on it prints them.
    void traceLinesOnlyWhenTurnedOn_data()
    {
        QTest::addColumn<bool>("traces");
        QTest::newRow("rules unset") << false;
        QTest::newRow("nevrix.trace=true") << true;
    }

    void traceLinesOnlyWhenTurnedOn()
    {
        QFETCH(bool, traces);
        const QString log = m_home.path() + "/traces.jsonl";
        QProcess program;
        Configure(program, true, log, traces);
        program.start(ProgramPath(), QStringList());
        QVERIFY(program.waitForStarted());
        auto logged = [&log](const QByteArray& what) { return Logged(log, what); };
        QTRY_VERIFY_WITH_TIMEOUT(logged("\"fn\":\"UsbFinderC_GetDeviceOnLineWithUsbAddress\""), 30000);
        QVERIFY(StillRunningAfter(program, 500));
        Stop(program);
        const QByteArray output = program.readAll();
        for (const QByteArray& line : {QByteArray("found device sim-hid://"), QByteArray("Start")})
            QVERIFY2(output.contains(line) == traces, output.constData());
        if (!traces)
            QVERIFY2(output.trimmed().isEmpty(), output.constData());
    }

    void secondStartShowsOnlyTheNoticeAndACrashDoesNotLockOut()
    {
        const QString firstLog = m_home.path() + "/first.jsonl";
        QProcess first;
        Configure(first, true, firstLog);
        first.start(ProgramPath(), QStringList());
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(WindowUp(firstLog), 30000);
        QVERIFY(StillRunningAfter(first, 500));
        // The instance is marked under this user's own key.
        QSharedMemory marker(SingleInstance::Key(AppPaths::ApplicationName(), SingleInstance::CurrentUserId()));
        QVERIFY(marker.attach(QSharedMemory::ReadOnly));
        marker.detach();

        QProcess second;
        Configure(second, true);
        second.start(ProgramPath(), QStringList());
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAll().contains("auto-closing modal dialog ExeIsRun"));
        QCOMPARE(first.state(), QProcess::Running);

        // A killed instance leaves its segment behind; it must not count.
        first.kill();
        QVERIFY(first.waitForFinished(5000));

        const QString thirdLog = m_home.path() + "/third.jsonl";
        QProcess third;
        Configure(third, true, thirdLog);
        third.start(ProgramPath(), QStringList());
        QVERIFY(third.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(WindowUp(thirdLog) || third.state() != QProcess::Running, 30000);
        QVERIFY2(StillRunningAfter(third, 500), third.readAll().constData());
        QVERIFY(!third.readAll().contains("ExeIsRun"));

        QProcess fourth;
        Configure(fourth, true);
        fourth.start(ProgramPath(), QStringList());
        QVERIFY(fourth.waitForFinished(20000));
        QCOMPARE(fourth.exitCode(), 0);
        QVERIFY(fourth.readAll().contains("auto-closing modal dialog ExeIsRun"));
        Stop(third);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
