// Crash dumps: a child process (this executable in its crash mode, or the
// program itself) dies of a fatal error under a fresh home folder, and the
// test looks at what it left in the per-user "/Exception" folder.
#include "app/CrashDumpHandler.h"
#include "platform/DumpClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <fcntl.h>
#include <functional>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr char kChildVariable[] = "NK_CRASH_CHILD";
// The child's local time zone: half an hour off whole hours, so a name in UTC
// or in any whole-hour zone cannot pass for it.
constexpr char kChildZone[] = "NKT-5:30";
constexpr int kChildOffset = 5 * 3600 + 30 * 60;
const QString kDataFolder = QStringLiteral("/AppData/Local/Nevrix Kazmo");

[[noreturn]] void ThrowUnreadableProfile()
{
    throw std::runtime_error("profile file unreadable");
}

void WriteToInvalidAddress()
{
    // Not null, so the sanitizers let the store through to the hardware.
    volatile std::uintptr_t address = 8;
    *reinterpret_cast<volatile int*>(address) = 1;
}

// Runs out of stack long before the limit; the handler then needs a stack of its own.
volatile int g_recursionLimit = INT_MAX;

int Recurse(int depth)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (depth >= g_recursionLimit)
        return frame[0];
    return Recurse(depth + 1) + frame[0];
}

// The crash modes of this executable; returns only when the process survived.
int RunCrashChild(const QByteArray& mode)
{
    CrashDumpHandler handler;
    handler.InstallCrashHandler();

    if (mode == "SIGSEGV")
        raise(SIGSEGV);
    else if (mode == "SIGBUS")
        raise(SIGBUS);
    else if (mode == "SIGFPE")
        raise(SIGFPE);
    else if (mode == "SIGILL")
        raise(SIGILL);
    else if (mode == "SIGABRT")
        raise(SIGABRT);
    else if (mode == "abort")
        abort();
    else if (mode == "invalid-address")
        WriteToInvalidAddress();
    else if (mode == "stack-overflow")
        return Recurse(0);
    else if (mode == "worker-thread")
        std::thread(WriteToInvalidAddress).join();
    else if (mode == "uncaught-exception")
        ThrowUnreadableProfile();
    else if (mode == "terminate")
        std::terminate();
    return 3;
}

struct ChildEnd {
    bool signalled = false;
    int signal = 0;
    int exitCode = -1;
    QString output;
};

// Starts a process with the given extra environment under `home`, without
// core files, and waits for it; `whileRunning` may act on its pid.
ChildEnd Spawn(const QString& program, const QString& home, const QStringList& extraEnvironment,
               const std::function<void(pid_t)>& whileRunning = {})
{
    QList<QByteArray> variables;
    for (char** entry = environ; *entry; ++entry) {
        const QByteArray variable(*entry);
        const QByteArray name = variable.left(variable.indexOf('='));
        if (name != "HOME" && name != "TMPDIR" && name != "TZ" && name != kChildVariable)
            variables.append(variable);
    }
    variables.append("HOME=" + QFile::encodeName(home));
    variables.append("TMPDIR=" + QFile::encodeName(home));
    variables.append(QByteArray("TZ=") + kChildZone);
    for (const QString& extra : extraEnvironment)
        variables.append(extra.toLocal8Bit());
    std::vector<char*> envp;
    for (QByteArray& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    QByteArray path = QFile::encodeName(program);
    char* argv[] = {path.data(), nullptr};
    const QByteArray outputPath = QFile::encodeName(home + "/output.txt");

    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        const int out = open(outputPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
    ChildEnd end;
    if (pid < 0)
        return end;
    if (whileRunning)
        whileRunning(pid);

    int status = 0;
    QElapsedTimer clock;
    clock.start();
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (clock.elapsed() > 60000) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        QThread::msleep(20);
    }
    end.signalled = WIFSIGNALED(status);
    end.signal = end.signalled ? WTERMSIG(status) : 0;
    end.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    QFile output(home + "/output.txt");
    if (output.open(QIODevice::ReadOnly))
        end.output = QString::fromLocal8Bit(output.readAll());
    return end;
}

QString NameAt(qint64 secondsSinceEpoch, int offset)
{
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::OffsetFromUTC, offset)
               .toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss"))
        + QStringLiteral(".dmp");
}

QStringList Dumps(const QString& home)
{
    return QDir(home + kDataFolder + "/Exception").entryList({"*.dmp"}, QDir::Files, QDir::Name);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool HandlerCatchesAbort(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QRegularExpression caught(QStringLiteral("^SigCgt:\\s*([0-9a-f]+)"),
                                    QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = caught.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() && (match.captured(1).toULongLong(nullptr, 16) & (1ull << (SIGABRT - 1)));
}

} // namespace

class TestCrashDump : public QObject {
    Q_OBJECT
private slots:
    void fatalErrorLeavesOneDumpNamedByLocalTime_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("endSignal");
        QTest::addColumn<QStringList>("lines");
        const QString sentByChild = QStringLiteral("Sent by process: ");
        QTest::newRow("SIGSEGV raised") << "SIGSEGV" << SIGSEGV
            << QStringList{"Cause: SIGSEGV", "Signal: 11 SIGSEGV", sentByChild};
        QTest::newRow("SIGBUS raised") << "SIGBUS" << SIGBUS
            << QStringList{"Cause: SIGBUS", "Signal: 7 SIGBUS"};
        QTest::newRow("SIGFPE raised") << "SIGFPE" << SIGFPE
            << QStringList{"Cause: SIGFPE", "Signal: 8 SIGFPE"};
        QTest::newRow("SIGILL raised") << "SIGILL" << SIGILL
            << QStringList{"Cause: SIGILL", "Signal: 4 SIGILL"};
        QTest::newRow("SIGABRT raised") << "SIGABRT" << SIGABRT
            << QStringList{"Cause: SIGABRT", "Signal: 6 SIGABRT"};
        QTest::newRow("abort()") << "abort" << SIGABRT
            << QStringList{"Cause: SIGABRT", "Signal: 6 SIGABRT"};
        QTest::newRow("store to an invalid address") << "invalid-address" << SIGSEGV
            << QStringList{"Cause: SIGSEGV", "Address: 0x8"};
        QTest::newRow("stack overflow") << "stack-overflow" << SIGSEGV
            << QStringList{"Cause: SIGSEGV", "Address: 0x"};
        QTest::newRow("fault on a worker thread") << "worker-thread" << SIGSEGV
            << QStringList{"Cause: SIGSEGV", "Address: 0x8"};
        QTest::newRow("uncaught exception") << "uncaught-exception" << SIGABRT
            << QStringList{"Cause: std::terminate", "Signal: 6 SIGABRT",
                           "Exception: profile file unreadable"};
        QTest::newRow("std::terminate") << "terminate" << SIGABRT
            << QStringList{"Cause: std::terminate", "Signal: 6 SIGABRT"};
    }

    void fatalErrorLeavesOneDumpNamedByLocalTime()
    {
        QFETCH(QString, mode);
        QFETCH(int, endSignal);
        QFETCH(QStringList, lines);

        QTemporaryDir home;
        QVERIFY(home.isValid());
        // Start-up made the data folder; the crash folder is left for the writer to create.
        QVERIFY(QDir().mkpath(home.path() + kDataFolder));

        const qint64 before = QDateTime::currentSecsSinceEpoch();
        const ChildEnd end = Spawn(QCoreApplication::applicationFilePath(), home.path(),
                                   {QString(kChildVariable) + "=" + mode});
        const qint64 after = QDateTime::currentSecsSinceEpoch();

        QVERIFY2(end.signalled, qPrintable(QString("exit code %1, output:\n%2")
                                               .arg(end.exitCode).arg(end.output)));
        QCOMPARE(end.signal, endSignal);

        const QStringList dumps = Dumps(home.path());
        QCOMPARE(dumps.size(), 1);
        QStringList possible;
        for (qint64 t = before; t <= after; ++t)
            possible << NameAt(t, kChildOffset);
        QVERIFY2(possible.contains(dumps.first()),
                 qPrintable(dumps.first() + " not in " + possible.join(", ")));

        const QByteArray contents =
            ReadAll(home.path() + kDataFolder + "/Exception/" + dumps.first());
        const QList<QByteArray> dumpLines = contents.split('\n');
        QVERIFY(dumpLines.first().startsWith("Crash dump "));
        for (const QString& line : lines) {
            bool found = false;
            for (const QByteArray& written : dumpLines)
                found = found || written.startsWith(line.toUtf8());
            QVERIFY2(found, qPrintable(line + " missing from:\n" + contents));
        }
        QVERIFY(contents.contains(QByteArray("Process: ")));
        const int backtrace = dumpLines.indexOf("Backtrace:");
        QVERIFY2(backtrace > 0, contents.constData());
        QVERIFY2(dumpLines.size() - backtrace > 3, contents.constData());
    }

    // Two crashes in one second share a name: the later dump replaces the
    // earlier one completely.
    void dumpOfTheSameSecondIsReplaced()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString folder = home.path() + kDataFolder + "/Exception";
        QVERIFY(QDir().mkpath(folder));
        const QByteArray stale(64 * 1024, '\x01');
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        for (qint64 t = now - 1; t <= now + 40; ++t) {
            QFile file(folder + "/" + NameAt(t, kChildOffset));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(stale);
        }
        const int before = Dumps(home.path()).size();

        const ChildEnd end = Spawn(QCoreApplication::applicationFilePath(), home.path(),
                                   {QString(kChildVariable) + "=SIGSEGV"});
        QVERIFY2(end.signalled && end.signal == SIGSEGV, qPrintable(end.output));

        const QStringList dumps = Dumps(home.path());
        QCOMPARE(dumps.size(), before);
        int replaced = 0;
        for (const QString& name : dumps) {
            const QByteArray contents = ReadAll(folder + "/" + name);
            if (contents == stale)
                continue;
            ++replaced;
            QVERIFY(contents.startsWith("Crash dump "));
            QVERIFY(contents.contains("Cause: SIGSEGV"));
            QVERIFY2(!contents.contains('\x01'), "old dump bytes left behind");
        }
        QCOMPARE(replaced, 1);
    }

    // The program as the user runs it, killed from outside with SIGSEGV.
    void killedProgramLeavesADump()
    {
        const QString program = qEnvironmentVariable("NK_PROGRAM");
        QVERIFY2(QFile::exists(program), "NK_PROGRAM does not name the built program");
        QTemporaryDir home;
        QVERIFY(home.isValid());

        bool installed = false;
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        const ChildEnd end = Spawn(program, home.path(), {"QT_QPA_PLATFORM=offscreen"},
                                   [&installed](pid_t pid) {
            QElapsedTimer clock;
            clock.start();
            while (!(installed = HandlerCatchesAbort(pid)) && clock.elapsed() < 30000)
                QThread::msleep(20);
            kill(pid, installed ? SIGSEGV : SIGKILL);
        });
        const qint64 after = QDateTime::currentSecsSinceEpoch();
        QVERIFY2(installed, qPrintable("the program never took over fatal errors:\n" + end.output));
        QVERIFY(end.signalled);
        QCOMPARE(end.signal, SIGSEGV);

        const QStringList dumps = Dumps(home.path());
        QCOMPARE(dumps.size(), 1);
        QStringList possible;
        for (qint64 t = before; t <= after; ++t)
            possible << NameAt(t, kChildOffset);
        QVERIFY2(possible.contains(dumps.first()), qPrintable(dumps.first()));
        const QByteArray contents =
            ReadAll(home.path() + kDataFolder + "/Exception/" + dumps.first());
        QVERIFY2(contents.contains("Cause: SIGSEGV"), contents.constData());
        QVERIFY2(contents.contains("Sent by process: " + QByteArray::number(getpid())),
                 contents.constData());
    }

    // The hand-made local date against the C library's over a stretch of
    // each zone's calendar.
    void dumpNameFollowsLocalTime_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("days");
        QTest::newRow("UTC, 2100 has no leap day") << QByteArray("UTC0") << "2099-12-01T00:00:00Z" << 120;
        QTest::newRow("UTC, before 1970") << QByteArray("UTC0") << "1969-12-20T00:00:00Z" << 30;
        QTest::newRow("central Europe, 2024 with leap day and both changes")
            << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << "2024-01-01T00:00:00Z" << 400;
        QTest::newRow("south Australia, half-hour zone with southern summer")
            << QByteArray("ACST-9:30ACDT,M10.1.0,M4.1.0/3") << "2024-01-01T00:00:00Z" << 400;
        QTest::newRow("US east, west of UTC")
            << QByteArray("EST5EDT,M3.2.0,M11.1.0") << "2025-01-01T00:00:00Z" << 366;
        QTest::newRow("India, fixed half-hour offset") << QByteArray("IST-5:30") << "2024-12-30T00:00:00Z" << 5;
    }

    void dumpNameFollowsLocalTime()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, start);
        QFETCH(int, days);

        const QByteArray savedZone = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        const qint64 from = QDateTime::fromString(start, Qt::ISODate).toSecsSinceEpoch();
        DumpClock clock;
        clock.Capture(static_cast<std::time_t>(from), days);

        int mismatches = 0;
        QString first;
        auto check = [&](qint64 when) {
            char name[DumpClock::kNameSize];
            clock.Format(static_cast<std::time_t>(when), name);
            const QString expected = QDateTime::fromSecsSinceEpoch(when, Qt::LocalTime)
                                         .toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss"));
            if (QString::fromLatin1(name) != expected && mismatches++ == 0)
                first = QString("at %1: %2, expected %3").arg(when).arg(name, expected);
        };
        auto offsetAt = [](qint64 when) {
            return QDateTime::fromSecsSinceEpoch(when, Qt::LocalTime).offsetFromUtc();
        };
        // A coarse walk whose time of day drifts, and every half hour (with
        // the second before) wherever the offset changed.
        constexpr qint64 kStep = 6 * 3600 + 1037;
        qint64 previous = from;
        for (qint64 t = from; t < from + qint64(days) * 86400; previous = t, t += kStep) {
            check(t);
            if (offsetAt(previous) != offsetAt(t)) {
                for (qint64 u = previous - previous % 1800; u <= t + 1800; u += 1800) {
                    check(u - 1);
                    check(u);
                }
            }
        }
        if (savedZone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", savedZone);
        tzset();
        QVERIFY2(mismatches == 0, qPrintable(QString::number(mismatches) + " wrong, first " + first));
    }
};

int main(int argc, char* argv[])
{
    const QByteArray mode = qgetenv(kChildVariable);
    if (!mode.isEmpty())
        return RunCrashChild(mode);
    QCoreApplication app(argc, argv);
    TestCrashDump test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashdump.moc"
