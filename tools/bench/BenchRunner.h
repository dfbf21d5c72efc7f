#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

// The benchmark's own side: starts measured runs of the program and of the
// floor, one after the other, and prints a table of medians.
class BenchRunner {
public:
    static int Main(int argc, char* argv[]);

private:
    // One kind of measured run; each gives a few figures.
    struct RunSpec {
        QString mode;
        QString platform;  // offscreen or xcb
        int latencyMs = 0;
        bool floorToo = true;
        int runs = 0;      // 0: the common count
    };
    struct Row {
        QString label;
        int spec = 0;
        QString key;
        double scale = 1;  // applied to the value (kB to MB)
        int decimals = 1;
    };
    using Samples = QMap<QString, QVector<double>>;

    BenchRunner(int runs, int idleMs, const QString& outputDir);
    bool StartDisplay();
    void StopDisplay();
    QMap<QString, double> RunOnce(const RunSpec& spec, bool floor, bool* ok);
    void Run(const QVector<RunSpec>& specs, const QVector<Row>& rows);
    static double Median(QVector<double> values);

    int m_runs;
    int m_idleMs;
    QString m_binDir;
    QTemporaryDir m_work;
    QString m_display;
    QProcess m_xvfb;
    int m_serial = 0;
};
