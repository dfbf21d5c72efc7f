// Device state kept across runs, and the call log, in its file and in memory.
#include "RozuriTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QByteArray recordFilledWith(char fill)
{
    QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\0');
    record[0] = fill;
    record[3] = fill;
    return record;
}

QByteArray writeRecord(const char *name, char fill)
{
    const QByteArray path = pathOf(QString::fromLatin1(name));
    UsbServerC_Start(path.constData(), path.constData(), ReportRecorder::callback);
    const QByteArray record = recordFilledWith(fill);
    ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(record.constData()));
    UsbServer_Exit();
    return record;
}

// A run of the library in a process of its own: two quick changes, and
// the process ends at once.
int writeTwiceAndExit()
{
    writeRecord("r4k", 11);
    writeRecord("r4k", 77);
    return 0;
}

} // namespace

class TestPersistence : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString scenario_;

    QByteArray writeRecordTo(const char *name, char fill) { return writeRecord(name, fill); }

    // The flash image of a mouse's current profile as the state file holds it.
    QByteArray imageInStateFile(const QString &mouse)
    {
        QFile file(dir_.filePath("state.json"));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        for (const QJsonValue &m : QJsonDocument::fromJson(file.readAll()).object().value("mice").toArray()) {
            if (m.toObject().value("name").toString() == mouse)
                return QByteArray::fromBase64(m.toObject().value("images").toArray().at(0).toString().toLatin1());
        }
        return QByteArray();
    }

    QByteArray readRecordFrom(const char *name)
    {
        ReportRecorder::clear();
        const QByteArray path = pathOf(QString::fromLatin1(name));
        UsbServerC_Start(path.constData(), path.constData(), ReportRecorder::callback);
        UsbServer_ReadAllFlashData();
        QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\0');
        if (ReportRecorder::waitFor(1)) {
            ProtocolDataParser(reinterpret_cast<const unsigned char *>(ReportRecorder::all().first().payload.constData()),
                               reinterpret_cast<unsigned char *>(record.data()));
        }
        UsbServer_Exit();
        return record;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // Read when the library first loads, so set before any call.
        qputenv("NK_SIM_STATE", dir_.filePath("state.json").toLocal8Bit());
        qputenv("NK_SIM_LOG", dir_.filePath("calls.log").toLocal8Bit());
        QCOMPARE(SimulatedDeviceControl::statePath(), dir_.filePath("state.json"));
        scenario_ = dir_.filePath("scenario.json");
        QVERIFY(QFile::copy(fixturePath("receivers_and_cable.json"), scenario_));
    }

    void init()
    {
        SimulatedDeviceControl::setStatePath(dir_.filePath("state.json"));
        QVERIFY(SimulatedDeviceControl::loadScenario(scenario_));
    }

    void secondRunSeesWhatTheFirstWrote()
    {
        const QByteArray record = writeRecordTo("r4k", 32);
        const unsigned char bar[7] = {4, 1, 2, 3, 4, 5, 1};
        UsbFinderC_SetDongleRGBBarMode(pathOf("r4k").constData(), bar);

        SimulatedDeviceControl::restart();
        QCOMPARE(readRecordFrom("r4k"), record);
        unsigned char read[7] = {};
        UsbFinderC_GetDongleRGBBarMode(pathOf("r4k").constData(), read);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(read), 7), QByteArray(reinterpret_cast<const char *>(bar), 7));
    }

    void stateFileIsCompleteAfterEachChange()
    {
        writeRecordTo("corded", 16);
        QFile file(dir_.filePath("state.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
        QVERIFY(doc.isObject());
        QCOMPARE(doc.object().value("mice").toArray().size(), 2);
    }

    void missingStateStartsFromTheScenario()
    {
        writeRecordTo("r4k", 32);
        SimulatedDeviceControl::flushState(); // as the run's exit does
        QVERIFY(QFile::remove(dir_.filePath("state.json")));
        SimulatedDeviceControl::restart();
        QCOMPARE(readRecordFrom("r4k").at(0), char(1)); // factory 1000 Hz
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir_.filePath("state.json")), 2000);
    }

    void changedScenarioStartsAfresh()
    {
        writeRecordTo("r4k", 32);
        QFile file(scenario_);
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n");
        file.close();
        SimulatedDeviceControl::restart();
        QCOMPARE(readRecordFrom("r4k").at(0), char(1));
    }

    void pairingAndBootModeAreKept()
    {
        SimulatedDeviceControl::setBootMode(QStringLiteral("corded"), true);
        const unsigned char id[5] = {0x66, 0x55, 0x44, 0, 0};
        SimulatedDeviceControl::plug(QStringLiteral("wireless"), true);
        QVERIFY(UsbFinderC_SetDongleIDToMouse(pathOf("wireless").constData(), id));
        SimulatedDeviceControl::restart();
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("corded")));
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("wireless")), QStringLiteral("r1k"));
    }

    void aBurstOfChangesIsWrittenAFewTimesASecond()
    {
        SimulatedDeviceControl::flushState();
        QTest::qWait(300); // a quiet spell: the next change is written at once
        const int before = SimulatedDeviceControl::stateWrites();
        writeRecordTo("r4k", 1);
        QCOMPARE(SimulatedDeviceControl::stateWrites(), before + 1);
        QCOMPARE(imageInStateFile("wireless"), SimulatedDeviceControl::flashImage("wireless"));

        QElapsedTimer clock;
        clock.start();
        for (int i = 2; i <= 60; ++i) {
            writeRecordTo("r4k", char(i));
            QTest::qWait(5);
        }
        const qint64 elapsed = clock.elapsed();
        const QByteArray last = SimulatedDeviceControl::flashImage("wireless");
        // At most one write per 250 ms, and the last change follows within one turn.
        QVERIFY2(SimulatedDeviceControl::stateWrites() - before <= 2 + elapsed / 250,
                 qPrintable(QString::number(SimulatedDeviceControl::stateWrites() - before)));
        QTRY_COMPARE_WITH_TIMEOUT(imageInStateFile("wireless"), last, 2000);
        const int settled = SimulatedDeviceControl::stateWrites();
        QTest::qWait(400);
        QCOMPARE(SimulatedDeviceControl::stateWrites(), settled); // nothing left to write
    }

    void theLastChangeIsWrittenWhenTheProcessExits()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NK_TEST_WRITE_AND_EXIT", "1");
        env.insert("NK_SIM_SCENARIO", scenario_);
        env.insert("NK_SIM_STATE", dir_.filePath("child-state.json"));
        env.remove("NK_SIM_LOG");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);

        // Same scenario file, the child's state: a new run sees its last change.
        SimulatedDeviceControl::setStatePath(dir_.filePath("child-state.json"));
        SimulatedDeviceControl::restart();
        QCOMPARE(readRecordFrom("r4k"), recordFilledWith(77));
        SimulatedDeviceControl::setStatePath(dir_.filePath("state.json"));
    }

    void callLogHasOneObjectPerCall()
    {
        SimulatedDeviceControl::clearCalls();
        const QByteArray path = pathOf("r4k");
        UsbFinderC_GetDeviceOnLine(path.constData());
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count);
        const QByteArray record = writeRecordTo("r4k", 8);

        const QList<QJsonObject> memory = SimulatedDeviceControl::calls();
        QStringList names;
        for (const QJsonObject &c : memory)
            names << c.value("fn").toString();
        QCOMPARE(names, (QStringList{"UsbFinderC_GetDeviceOnLine", "UsbFinderC_FindHidDevicesByDefaultDeviceId",
                                     "UsbServerC_Start", "ProtocolDataUpdate", "UsbServer_Exit"}));
        QCOMPARE(memory[0].value("path").toString(), QString::fromLatin1(path));
        QCOMPARE(memory[0].value("result").toInt(), 1);
        QCOMPARE(memory[1].value("count").toInt(), 1);
        QCOMPARE(memory[1].value("countIn").toInt(), 5);
        QCOMPARE(memory[3].value("record").toString(), QString::fromLatin1(record.toHex()));

        QFile file(dir_.filePath("calls.log"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.size() >= 6);
        const QJsonObject last = QJsonDocument::fromJson(lines.at(lines.size() - 2)).object();
        QCOMPARE(last.value("fn").toString(), QStringLiteral("UsbServer_Exit"));
        const QJsonObject update = QJsonDocument::fromJson(lines.at(lines.size() - 3)).object();
        QCOMPARE(update.value("record").toString().size(), 2 * ROZ_DEVICE_RECORD_SIZE);
        QVERIFY(update.value("t").toDouble() <= last.value("t").toDouble());
    }

    void callLogKeepsSmallCallsBeyondAnyFixedCount()
    {
        SimulatedDeviceControl::clearCalls();
        const QByteArray path = pathOf("r4k");
        for (int i = 0; i < 25000; ++i)
            UsbFinderC_GetDeviceOnLine(path.constData());
        QCOMPARE(SimulatedDeviceControl::calls().size(), 25000);
    }

    void callLogIsBoundedByBytes()
    {
        SimulatedDeviceControl::clearCalls();
        const qint64 limit = SimulatedDeviceControl::callLogLimit();
        const QByteArray path = pathOf("r4k");
        UsbServerC_Start(path.constData(), path.constData(), ReportRecorder::callback);
        // Each record write logs its 10448 bytes as hex: well past the bound.
        const int writes = int(limit / (2 * ROZ_DEVICE_RECORD_SIZE)) + 200;
        QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\0');
        for (int i = 0; i < writes; ++i) {
            record[0] = char(i);
            record[1] = char(i >> 8);
            ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(record.constData()));
        }
        UsbServer_Exit();

        const QList<QJsonObject> kept = SimulatedDeviceControl::calls();
        qint64 bytes = 0;
        for (const QJsonObject &c : kept)
            bytes += QJsonDocument(c).toJson(QJsonDocument::Compact).size();
        QCOMPARE(SimulatedDeviceControl::callLogBytes(), bytes);
        QVERIFY2(bytes <= limit, qPrintable(QString::number(bytes)));
        QVERIFY(bytes > limit - 2 * 2 * ROZ_DEVICE_RECORD_SIZE); // full, not emptied
        QVERIFY(kept.size() < writes);
        // The oldest calls went; the last ones are there in order.
        QCOMPARE(kept.last().value("fn").toString(), QStringLiteral("UsbServer_Exit"));
        const QJsonObject lastWrite = kept.at(kept.size() - 2);
        QCOMPARE(lastWrite.value("record").toString(), QString::fromLatin1(record.toHex()));
    }
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("NK_TEST_WRITE_AND_EXIT"))
        return writeTwiceAndExit();
    QCoreApplication app(argc, argv);
    TestPersistence test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_rozuri_persistence.moc"
