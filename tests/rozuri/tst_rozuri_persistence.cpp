// Device state kept across runs, and the call log file.
#include "RozuriTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

class TestPersistence : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString scenario_;

    QByteArray writeRecordTo(const char *name, char fill)
    {
        const QByteArray path = pathOf(QString::fromLatin1(name));
        UsbServerC_Start(path.constData(), path.constData(), ReportRecorder::callback);
        QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\0');
        record[0] = fill;
        record[3] = fill;
        ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(record.constData()));
        UsbServer_Exit();
        return record;
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
        QVERIFY(QFile::remove(dir_.filePath("state.json")));
        SimulatedDeviceControl::restart();
        QCOMPARE(readRecordFrom("r4k").at(0), char(1)); // factory 1000 Hz
        QVERIFY(QFile::exists(dir_.filePath("state.json")));
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
};

QTEST_GUILESS_MAIN(TestPersistence)
#include "tst_rozuri_persistence.moc"
