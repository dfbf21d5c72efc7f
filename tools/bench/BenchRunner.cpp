#include "BenchRunner.h"

#include "BenchProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

QString Cell(double value, int decimals)
{
    return qIsNaN(value) ? QStringLiteral("-") : QString::number(value, 'f', decimals);
}

} // namespace

BenchRunner::BenchRunner(int runs, int idleMs, const QString& binDir)
    : m_runs(runs), m_idleMs(idleMs), m_binDir(binDir)
{
}

int BenchRunner::Main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 10;
    int idleMs = 2000;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = qMax(1, args.at(++i).toInt());
        else if (args.at(i) == QLatin1String("--idle-ms") && i + 1 < args.size())
            idleMs = qMax(200, args.at(++i).toInt());
        else {
            std::fprintf(stderr, "usage: nk-bench [--runs N] [--idle-ms MS]\n");
            return 2;
        }
    }
    BenchRunner bench(runs, idleMs, QCoreApplication::applicationDirPath());
    if (!bench.m_work.isValid())
        return 1;

    const QVector<RunSpec> specs = {
        {QStringLiteral("start"), QStringLiteral("offscreen"), 0, true, 0},   // 0
        {QStringLiteral("start"), QStringLiteral("xcb"), 0, true, 0},         // 1
        {QStringLiteral("click"), QStringLiteral("offscreen"), 0, true, 0},   // 2
        {QStringLiteral("click"), QStringLiteral("offscreen"), 17, true, 0},  // 3
        {QStringLiteral("calls"), QStringLiteral("offscreen"), 0, false, 0},  // 4
        {QStringLiteral("idle-chooser"), QStringLiteral("offscreen"), 0, true, 0}, // 5
        {QStringLiteral("idle-pages"), QStringLiteral("offscreen"), 0, true, 0},   // 6
        {QStringLiteral("events"), QStringLiteral("offscreen"), 0, true, 0},  // 7
        {QStringLiteral("writer"), QStringLiteral("offscreen"), 0, false, 0}, // 8
        {QStringLiteral("click-idle"), QStringLiteral("offscreen"), 0, true, 0}, // 9
    };
    const double mb = 1.0 / 1024;
    const QVector<Row> rows = {
        {QStringLiteral("start to first frame, offscreen (ms)"), 0, QStringLiteral("frame_ms")},
        {QStringLiteral("start to first frame, X11 (ms)"), 1, QStringLiteral("frame_ms")},
        {QStringLiteral("start to exit, offscreen (ms)"), 0, QStringLiteral("exit_ms")},
        {QStringLiteral("tile click at first frame to 3 pages filled, 0 ms/request (ms)"), 2, QStringLiteral("click_ms")},
        {QStringLiteral("  of which fixed waits (ms)"), 2, QStringLiteral("click_fixed_ms")},
        {QStringLiteral("  of which own time (ms)"), 2, QStringLiteral("click_own_ms")},
        {QStringLiteral("  longest GUI stall, fixed waits apart (ms)"), 2, QStringLiteral("stall_ms")},
        {QStringLiteral("tile click after idle to 3 pages filled, 0 ms/request (ms)"), 9, QStringLiteral("click_ms")},
        {QStringLiteral("  of which fixed waits (ms)"), 9, QStringLiteral("click_fixed_ms")},
        {QStringLiteral("  of which own time (ms)"), 9, QStringLiteral("click_own_ms")},
        {QStringLiteral("  longest GUI stall, fixed waits apart (ms)"), 9, QStringLiteral("stall_ms")},
        {QStringLiteral("tile click at first frame to 3 pages filled, 17 ms/request (ms)"), 3, QStringLiteral("click_ms")},
        {QStringLiteral("  of which fixed waits (ms)"), 3, QStringLiteral("click_fixed_ms")},
        {QStringLiteral("  of which own time (ms)"), 3, QStringLiteral("click_own_ms")},
        {QStringLiteral("  longest GUI stall, fixed waits apart (ms)"), 3, QStringLiteral("stall_ms")},
        {QStringLiteral("library calls, start to chooser"), 4, QStringLiteral("calls_chooser"), 1, 0},
        {QStringLiteral("library calls, tile click to pages read"), 4, QStringLiteral("calls_click"), 1, 0},
        {QStringLiteral("library calls, setting change to stored record"), 4, QStringLiteral("calls_write"), 1, 0},
        {QStringLiteral("peak resident memory on the chooser (MB)"), 5, QStringLiteral("peak_rss_kb"), mb},
        {QStringLiteral("peak resident memory on the pages (MB)"), 6, QStringLiteral("peak_rss_kb"), mb},
        {QStringLiteral("resident memory after 1 device event (MB)"), 7, QStringLiteral("rss_first_event_kb"), mb},
        {QStringLiteral("resident memory after 10,000 device events (MB)"), 7, QStringLiteral("rss_after_events_kb"), mb},
        {QStringLiteral("peak resident memory, 10,000 device events (MB)"), 7, QStringLiteral("peak_rss_kb"), mb},
        {QStringLiteral("CPU time per 30 s idle, chooser (ms)"), 5, QStringLiteral("idle_cpu_ms")},
        {QStringLiteral("wake-ups per 30 s idle, chooser"), 5, QStringLiteral("idle_wakeups"), 1, 0},
        {QStringLiteral("CPU time per 30 s idle, pages (ms)"), 6, QStringLiteral("idle_cpu_ms")},
        {QStringLiteral("wake-ups per 30 s idle, pages"), 6, QStringLiteral("idle_wakeups"), 1, 0},
        {QStringLiteral("setting writer, one call (us)"), 8, QStringLiteral("writer_us")},
        {QStringLiteral("  library's own cost (us)"), 8, QStringLiteral("library_us")},
        {QStringLiteral("  writer apart from the library (us)"), 8, QStringLiteral("writer_own_us")},
    };
    bench.Run(specs, rows);
    return 0;
}

bool BenchRunner::StartDisplay()
{
    if (qEnvironmentVariableIsSet("DISPLAY")) {
        m_display = qEnvironmentVariable("DISPLAY");
        return true;
    }
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return false;
    for (int n = 91; n < 120; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_xvfb.start(xvfb, {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                            // Without it the server resets whenever its last client leaves, and
                            // the next run's first connection waits for that.
                            QStringLiteral("-noreset")});
        if (!m_xvfb.waitForStarted(5000))
            return false;
        for (int i = 0; i < 50 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)); ++i)
            QThread::msleep(100);
        if (m_xvfb.state() != QProcess::Running)
            continue;
        m_display = QStringLiteral(":%1").arg(n);
        return true;
    }
    return false;
}

void BenchRunner::StopDisplay()
{
    if (m_xvfb.state() == QProcess::Running) {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }
}

QMap<QString, double> BenchRunner::RunOnce(const RunSpec& spec, bool floor, bool* ok)
{
    // Each target keeps one home across its runs: every start but the
    // first is a start of an installed program, as a user's would be.
    const QString home = m_work.filePath(floor ? QStringLiteral("floor-home") : QStringLiteral("program-home"));
    const QString tmp = m_work.filePath(floor ? QStringLiteral("floor-tmp") : QStringLiteral("program-tmp"));
    QDir().mkpath(home);
    QDir().mkpath(tmp);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("TMPDIR"), tmp); // the single-instance key lives there
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), spec.platform);
    env.insert(QStringLiteral("NK_SIM_LATENCY_MS"), QString::number(spec.latencyMs));
    env.insert(QStringLiteral("NK_BENCH_IDLE_MS"), QString::number(m_idleMs));
    env.remove(QStringLiteral("NK_SIM_LOG"));
    env.remove(QStringLiteral("NK_SIM_STATE"));
    env.remove(QStringLiteral("NK_SIM_SCENARIO"));
    env.remove(QStringLiteral("NK_AUTOCLOSE_MODAL_MS"));
    if (spec.platform == QLatin1String("xcb"))
        env.insert(QStringLiteral("DISPLAY"), m_display);

    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const QString program = m_binDir + (floor ? QStringLiteral("/nk-bench-floor") : QStringLiteral("/nk-bench"));
    const qint64 start = BenchProbe::NowNs();
    child.start(program, {QStringLiteral("--child"), spec.mode});
    const bool finished = child.waitForFinished(120000);
    const qint64 end = BenchProbe::NowNs();
    QMap<QString, double> values;
    *ok = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    if (!finished)
        child.kill();
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 3 && parts.at(0) == "NKBENCH")
            values.insert(QString::fromLatin1(parts.at(1)), parts.at(2).toDouble());
    }
    if (values.contains(QStringLiteral("frame_ns")))
        values.insert(QStringLiteral("frame_ms"), (values.value(QStringLiteral("frame_ns")) - start) / 1e6);
    if (spec.mode == QLatin1String("start"))
        values.insert(QStringLiteral("exit_ms"), (end - start) / 1e6);
    if (!*ok) {
        std::fprintf(stderr, "  %s run of %s failed (exit %d)\n", floor ? "floor" : "program", qPrintable(spec.mode),
                     child.exitCode());
        std::fprintf(stderr, "%s\n", child.readAllStandardError().right(2000).constData());
    }
    return values;
}

double BenchRunner::Median(QVector<double> values)
{
    if (values.isEmpty())
        return qQNaN();
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

void BenchRunner::Run(const QVector<RunSpec>& specs, const QVector<Row>& rows)
{
    const bool haveDisplay = StartDisplay();
    QVector<Samples> program(specs.size()), floor(specs.size());
    for (int s = 0; s < specs.size(); ++s) {
        const RunSpec& spec = specs.at(s);
        if (spec.platform == QLatin1String("xcb") && !haveDisplay) {
            std::fprintf(stderr, "no X server (install xvfb): X11 figures skipped\n");
            continue;
        }
        const int runs = spec.runs > 0 ? spec.runs : m_runs;
        std::fprintf(stderr, "%s, %s, %d ms/request: %d runs each\n", qPrintable(spec.mode), qPrintable(spec.platform),
                     spec.latencyMs, runs);
        // Alternately, so that a change in the machine's load hits both alike.
        for (int r = 0; r < runs; ++r) {
            for (bool isFloor : {false, true}) {
                if (isFloor && !spec.floorToo)
                    continue;
                bool ok = false;
                const QMap<QString, double> values = RunOnce(spec, isFloor, &ok);
                if (!ok)
                    continue;
                Samples& samples = isFloor ? floor[s] : program[s];
                for (auto it = values.begin(); it != values.end(); ++it)
                    samples[it.key()].append(it.value());
            }
        }
    }
    StopDisplay();

    std::printf("Medians of %d runs, the program beside the floor "
                "(a plain Qt window of seven pages of 100 widgets)\n\n", m_runs);
    std::printf("| %-52s | %10s | %10s | %7s |\n", "figure", "program", "floor", "ratio");
    std::printf("|%s|%s|%s|%s|\n", QByteArray(54, '-').constData(), QByteArray(12, '-').constData(),
                QByteArray(12, '-').constData(), QByteArray(9, '-').constData());
    for (const Row& row : rows) {
        const double p = Median(program[row.spec].value(row.key)) * row.scale;
        const double f = Median(floor[row.spec].value(row.key)) * row.scale;
        const bool ratioMeaningful = !qIsNaN(p) && !qIsNaN(f) && f > 0;
        std::printf("| %-52s | %10s | %10s | %7s |\n", qPrintable(row.label), qPrintable(Cell(p, row.decimals)),
                    qPrintable(Cell(f, row.decimals)),
                    qPrintable(ratioMeaningful ? QString::number(p / f, 'f', 2) : QStringLiteral("-")));
    }
    std::fflush(stdout);
}
