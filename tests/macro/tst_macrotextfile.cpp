// The macro text file: the exact bytes written for a list, what a file
// reads back as, and how the file is replaced, created and appended to.

#include "macro/KeyNameTable.h"
#include "macro/MacroTextFile.h"
#include "macro/WaitProcessingEvents.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(QList<MacroEvent>)

namespace {

MacroEvent Press(const QString& name) { return {name, false}; }
MacroEvent Release(const QString& name) { return {name, true}; }
MacroEvent Delay(const QString& text) { return {text, false}; }

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString Describe(const QList<MacroEvent>& events)
{
    QStringList parts;
    for (const MacroEvent& e : events)
        parts << (e.IsDelay() ? e.text : (e.release ? QStringLiteral("up ") : QStringLiteral("down ")) + e.text);
    return parts.join(QStringLiteral(", "));
}

} // namespace

class TestMacroTextFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        MouseButtonNames[0] = QStringLiteral("Left button");
        MouseButtonNames[3] = QStringLiteral("Back button");
    }

    void content_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QList<MacroEvent>>("events");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("press A, 10ms, release A, until released")
            << "254" << QList<MacroEvent>{Press("A"), Delay("10ms"), Release("A")}
            << QByteArray("254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        QTest::newRow("empty list") << "3" << QList<MacroEvent>{} << QByteArray("3\r\n");
        QTest::newRow("modifier and mouse button")
            << "255" << QList<MacroEvent>{Press("LShift"), Delay("25ms"), Release("LShift"), Delay("7ms"),
                                         Press("Left button"), Delay("10ms"), Release("Back button")}
            << QByteArray("255\r\n0x02 0 0\r\n25ms\r\n0x02 0 1\r\n7ms\r\n0x01 4 0\r\n10ms\r\n0x08 4 1\r\n");
        QTest::newRow("Clear key") << "1" << QList<MacroEvent>{Press("")} << QByteArray("1\r\n0x00 1 0\r\n");
        // A name in no table would leave a line with only the digit, which
        // reads back as a pause.
        QTest::newRow("unknown key has no line")
            << "1" << QList<MacroEvent>{Press("A"), Delay("10ms"), Press("Hyper")}
            << QByteArray("1\r\n0x04 1 0\r\n10ms\r\n");
    }

    void content()
    {
        QFETCH(QString, mode);
        QFETCH(QList<MacroEvent>, events);
        QFETCH(QByteArray, bytes);
        QCOMPARE(MacroTextFile::Content(mode, events), bytes);
    }

    void appendedLinesEndWithLineFeed()
    {
        const QList<MacroEvent> events{Press("A"), Delay("10ms"), Release("A")};
        QCOMPARE(MacroTextFile::EventLines(events, MacroTextFile::AppendedLineEnd),
                 QByteArray("0x04 1 0\n10ms\n0x04 1 1\n"));
    }

    void modeLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("mode");
        QTest::newRow("254") << QByteArray("254\r\n") << 254;
        QTest::newRow("255") << QByteArray("255\n") << 255;
        QTest::newRow("253") << QByteArray("253\r\n") << 253;
        QTest::newRow("250") << QByteArray("250\r\n") << 250;
        QTest::newRow("1") << QByteArray("1\r\n") << 1;
        QTest::newRow("0") << QByteArray("0\r\n") << 1;
        QTest::newRow("251") << QByteArray("251\r\n") << 1;
        QTest::newRow("252") << QByteArray("252\r\n") << 1;
        QTest::newRow("abc") << QByteArray("abc\r\n") << 1;
        QTest::newRow("blank") << QByteArray("\r\n") << 1;
        QTest::newRow("spaces around") << QByteArray("   17   \r\n") << 17;
        QTest::newRow("first token counts") << QByteArray("254 x y\r\n") << 254;
    }

    void modeLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, mode);
        const MacroTextFile::Parsed parsed = MacroTextFile::Parse(line);
        QVERIFY(parsed.hasModeLine);
        QCOMPARE(parsed.repeatMode, mode);
        QCOMPARE(MacroTextFile::RepeatModeOfLine(line), mode);
    }

    void emptyFileHasNoModeLine()
    {
        const MacroTextFile::Parsed parsed = MacroTextFile::Parse(QByteArray());
        QVERIFY(!parsed.hasModeLine);
        QVERIFY(parsed.events.isEmpty());
    }

    void eventLines_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("events");
        QTest::newRow("CR LF") << QByteArray("0x04 1 0\r\n10ms\r\n0x04 1 1\r\n") << "down A, 10ms, up A";
        QTest::newRow("LF") << QByteArray("0x04 1 0\n10ms\n0x04 1 1\n") << "down A, 10ms, up A";
        QTest::newRow("extra spaces") << QByteArray("  0x04   1 0\r\n   10ms\r\n") << "down A, 10ms";
        QTest::newRow("bad action skipped") << QByteArray("0x04 1 2\r\n0x05 1 0\r\n") << "down B";
        QTest::newRow("two fields skipped") << QByteArray("0x04 1\r\n0x05 1 1\r\n") << "up B";
        QTest::newRow("four fields skipped") << QByteArray("0x04 1 0 0\r\n0x05 1 1\r\n") << "up B";
        QTest::newRow("unknown usage gives an empty name") << QByteArray("0x4 1 0\r\n") << "down ";
        // A one-field line is taken as it stands; without "ms" the list
        // tells it apart as a key of that name.
        QTest::newRow("delay text not validated") << QByteArray("abc\r\n0x04 1 0\r\n777ms\r\n") << "down abc, down A, 777ms";
        QTest::newRow("mouse button") << QByteArray("0x10 4 0\r\n") << "down Forward button";
        QTest::newRow("modifier") << QByteArray("0x10 0 1\r\n") << "up RCtrl";
        // A file without a final line end loses nothing of its last key.
        QTest::newRow("last release without line end kept") << QByteArray("0x04 1 0\r\n10ms\r\n0x04 1 1") << "down A, 10ms, up A";
        QTest::newRow("last press without line end kept") << QByteArray("10ms\r\n0x05 1 0") << "10ms, down B";
        QTest::newRow("last line's bad action still skipped") << QByteArray("10ms\r\n0x04 1 2") << "10ms";
        QTest::newRow("last delay line without line end kept") << QByteArray("0x04 1 1\r\n10ms") << "up A, 10ms";
        QTest::newRow("blank lines skipped") << QByteArray("\r\n0x04 1 0\r\n   \r\n") << "down A";
        QTest::newRow("appended LF lines after a CR LF header") << QByteArray("0x04 1 0\n10ms\n") << "down A, 10ms";
    }

    void eventLines()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, events);
        MouseButtonNames[4] = QStringLiteral("Forward button");
        const MacroTextFile::Parsed parsed = MacroTextFile::Parse(QByteArray("254\r\n") + body);
        QCOMPARE(parsed.repeatMode, 254);
        QCOMPARE(Describe(parsed.events), events);
    }

    void writtenFileReadsBackTheSame()
    {
        const QList<MacroEvent> events{Press("LCtrl"), Delay("10ms"), Press("C"), Delay("40ms"), Release("C"),
                                       Delay("12ms"), Release("LCtrl")};
        const MacroTextFile::Parsed parsed = MacroTextFile::Parse(MacroTextFile::Content("42", events));
        QCOMPARE(parsed.repeatMode, 42);
        QCOMPARE(parsed.events, events);
    }

    void replaceWritesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Game1.ini");
        QVERIFY(WriteFile(path, "a much longer old content that must disappear\r\n"));
        QVERIFY(MacroTextFile::Replace(path, "254\r\n"));
        QCOMPARE(ReadFile(path), QByteArray("254\r\n"));
    }

    void replaceIntoAMissingFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!MacroTextFile::Replace(dir.filePath("gone/Game1.ini"), "254\r\n"));
    }

    void truncateCreatesOrEmpties()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Game1.ini");
        QVERIFY(MacroTextFile::Truncate(path));
        QCOMPARE(ReadFile(path), QByteArray());
        QVERIFY(WriteFile(path, "254\r\n"));
        QVERIFY(MacroTextFile::Truncate(path));
        QCOMPARE(ReadFile(path), QByteArray());
    }

    void appendAddsOnlyToAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Game1.ini");
        QVERIFY(!MacroTextFile::Append(path, "0x04 1 0\n"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(WriteFile(path, "254\r\n"));
        QVERIFY(MacroTextFile::Append(path, "0x04 1 0\n"));
        QCOMPARE(ReadFile(path), QByteArray("254\r\n0x04 1 0\n"));
    }

    // The wait lasts its time and keeps the event loop running meanwhile.
    void waitProcessesEventsForItsTime()
    {
        int fired = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&fired] { ++fired; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        WaitProcessingEvents(250);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 250, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
        QVERIFY2(fired >= 5, qPrintable(QString::number(fired)));
    }

    void waitOfNothingReturnsAtOnce()
    {
        QElapsedTimer clock;
        clock.start();
        WaitProcessingEvents(0);
        WaitProcessingEvents(-5);
        QVERIFY(clock.elapsed() < 50);
    }
};

QTEST_GUILESS_MAIN(TestMacroTextFile)
#include "tst_macrotextfile.moc"
