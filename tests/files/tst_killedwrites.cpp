// Writers killed at random points (a child process writing the settings in a
// loop, killed after a random number of writes): the settings file is always
// whole, and nothing the writer or the stores made piles up beside it or in
// the temporary folder.

#include "app/UserSettings.h"
#include "platform/RegistryStore.h"
#include "platform/files/FileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QElapsedTimer>
#include <QtTest>

#include <cstdio>

namespace {

const char kWriterArgument[] = "--write-until-killed";
const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo");
// Large enough that a write takes a while, so a kill lands inside one.
const int kTextLength = 200 * 1024;
// A file written through the writer alone, so large that most of a round is
// spent with its temporary file on disk.
const int kBigLength = 16 * 1024 * 1024;

QString Text(int round)
{
    return QString(kTextLength, QLatin1Char('a' + round % 26));
}

// The child: writes both stores over and over, saying after each write how
// many it has made.
int WriteUntilKilled(const QString& folder)
{
    UserSettings settings(folder + QStringLiteral("/Macro.ini"));
    RegistryStore registry(folder + QStringLiteral("/Registry.ini"));
    for (int round = 0;; ++round) {
        if (!settings.SetValue(QStringLiteral("Loop"), QStringLiteral("Text"), Text(round))
            || !registry.SetValue(kKey, QStringLiteral("Text"), Text(round))
            || !FileWriter::Replace(folder + QStringLiteral("/big.bin"), QByteArray(kBigLength, char('a' + round % 26))))
            return 1;
        std::printf("%d\n", round);
        std::fflush(stdout);
    }
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestKilledWrites : public QObject {
    Q_OBJECT

private slots:
    void killedWritesLeaveTheFileWholeAndNothingElse()
    {
        QTemporaryDir folder;
        QTemporaryDir temporary;
        QVERIFY(folder.isValid());
        QVERIFY(temporary.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        QRandomGenerator random(20261231u);
        const QStringList settled{QStringLiteral("Macro.ini"), QStringLiteral("Registry.ini"), QStringLiteral("big.bin")};

        for (int kill = 0; kill < 20; ++kill) {
            QProcess writer;
            writer.setProcessEnvironment(environment);
            writer.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kWriterArgument), folder.path()});
            QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
            // Killed after a random number of whole rounds, at a random point
            // of the next one: a random part of the time the last round took.
            const int rounds = 2 + int(random.bounded(3u));
            QByteArray said;
            QElapsedTimer round;
            qint64 lastRoundUs = 0;
            while (said.count('\n') < rounds) {
                QVERIFY2(writer.state() == QProcess::Running && writer.waitForReadyRead(30000),
                         qPrintable(QStringLiteral("kill %1: the writer stopped: %2").arg(kill).arg(QString::fromLocal8Bit(writer.readAllStandardError()))));
                said += writer.readAllStandardOutput();
                if (round.isValid())
                    lastRoundUs = round.nsecsElapsed() / 1000;
                round.start();
            }
            QThread::usleep(unsigned(random.bounded(quint32(qMax<qint64>(lastRoundUs, 1)))));
            writer.kill();
            QVERIFY(writer.waitForFinished(30000));

            // Whole: the last complete write or the one after it.
            UserSettings settings(folder.filePath("Macro.ini"));
            const QString text = settings.Value("Loop", "Text");
            QCOMPARE(text.size(), kTextLength);
            RegistryStore registry(folder.filePath("Registry.ini"));
            QCOMPARE(registry.Value(kKey, "Text").size(), kTextLength);
            QCOMPARE(QFileInfo(folder.filePath("big.bin")).size(), qint64(kBigLength));
            // At most the killed write's own temporary file, never a pile.
            const QStringList entries = Entries(folder.path());
            QVERIFY2(entries.size() <= settled.size() + 1, qPrintable(entries.join(", ")));
            QVERIFY2(Entries(temporary.path()).isEmpty(), qPrintable(Entries(temporary.path()).join(", ")));
        }

        // A later write of each file removes what a killed one left.
        UserSettings settings(folder.filePath("Macro.ini"));
        QVERIFY(settings.SetValue("Loop", "Text", "done"));
        RegistryStore registry(folder.filePath("Registry.ini"));
        QVERIFY(registry.SetValue(kKey, "Text", "done"));
        QVERIFY(FileWriter::Replace(folder.filePath("big.bin"), "done"));
        QCOMPARE(Entries(folder.path()), settled);
        QCOMPARE(Entries(temporary.path()), QStringList());
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], kWriterArgument) == 0)
        return WriteUntilKilled(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestKilledWrites test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedwrites.moc"
