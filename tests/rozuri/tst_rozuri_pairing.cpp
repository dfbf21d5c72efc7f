// Pairing a mouse with a receiver through the receiver's server.
#include "RozuriTestSupport.h"

class TestPairing : public QObject {
    Q_OBJECT

private:
    QByteArray receiver_;

    void startPairing(int cid)
    {
        receiver_ = pathOf("r8k");
        UsbServerC_Start(receiver_.constData(), receiver_.constData(), ReportRecorder::callback);
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(cid));
    }

    static int receiverCount()
    {
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2108", &count);
        return count;
    }

    static int lastStatus()
    {
        const QList<ReportRecorder::Report> r = ReportRecorder::all();
        return r.isEmpty() || r.last().type != 6 ? -1 : static_cast<quint8>(r.last().payload.at(0));
    }

private slots:
    void init()
    {
        loadFixture(QStringLiteral("pairing.json"));
        SimulatedDeviceControl::setTiming(20, 5);
        ReportRecorder::clear();
    }

    void cleanup() { UsbServer_Exit(); }

    void outcome_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("paired");
        QTest::newRow("mouse of that CID pairs") << int(SimulatedDeviceControl::PairingOutcome::Normal) << 7 << 3
                                                 << "r8k";
        QTest::newRow("no mouse of that CID") << int(SimulatedDeviceControl::PairingOutcome::Normal) << 5 << 2 << "";
        QTest::newRow("made to fail") << int(SimulatedDeviceControl::PairingOutcome::Fail) << 7 << 2 << "";
    }

    void outcome()
    {
        QFETCH(int, outcome);
        QFETCH(int, cid);
        QFETCH(int, status);
        QFETCH(QString, paired);
        SimulatedDeviceControl::setPairingOutcome(SimulatedDeviceControl::PairingOutcome(outcome));
        startPairing(cid);
        QVERIFY(ReportRecorder::waitFor(1));
        QCOMPARE(lastStatus(), status);
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), paired);
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("otherCid")), QString());
    }

    void pairedMouseAnswersThroughTheReceiver()
    {
        QVERIFY(!UsbFinderC_GetDeviceOnLine(pathOf("r8k").constData()));
        startPairing(7);
        QVERIFY(ReportRecorder::waitFor(1));
        QVERIFY(UsbFinderC_GetDeviceOnLine(receiver_.constData()));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(UsbFinderC_GetDeviceInfo(receiver_.constData(), 0)), 3),
                 QByteArray::fromHex("070305"));
    }

    void statusCanBeAskedAgain()
    {
        SimulatedDeviceControl::setPairingOutcome(SimulatedDeviceControl::PairingOutcome::NeverEnds);
        startPairing(7);
        QVERIFY(!ReportRecorder::waitFor(1, 150)); // never ends on its own
        QVERIFY(UsbServer_ReadDonglePairStatus());
        QVERIFY(ReportRecorder::waitFor(1));
        QCOMPARE(lastStatus(), 1); // still pending
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), QString());
    }

    void unpluggedReceiverGivesNoAnswer()
    {
        startPairing(7);
        SimulatedDeviceControl::plug(QStringLiteral("r8k"), false);
        QVERIFY(!ReportRecorder::waitFor(1, 150));
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2108", &count);
        QCOMPARE(count, 0);
    }

    void unplugOutcomePullsTheReceiverOut()
    {
        SimulatedDeviceControl::setPairingOutcome(SimulatedDeviceControl::PairingOutcome::Unplug);
        startPairing(7);
        QTRY_COMPARE_WITH_TIMEOUT(receiverCount(), 0, 3000);
        QVERIFY(!ReportRecorder::waitFor(1, 100)); // no answer ever came
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), QString());
    }

    void scenarioScriptsTheOutcome_data()
    {
        QTest::addColumn<QString>("pairing");
        QTest::addColumn<int>("status"); // -1: no report
        QTest::addColumn<bool>("pluggedAfter");
        QTest::newRow("normal") << "normal" << 3 << true;
        QTest::newRow("fail") << "fail" << 2 << true;
        QTest::newRow("never") << "never" << -1 << true;
        QTest::newRow("unplug") << "unplug" << -1 << false;
    }

    void scenarioScriptsTheOutcome()
    {
        QFETCH(QString, pairing);
        QFETCH(int, status);
        QFETCH(bool, pluggedAfter);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            QStringLiteral(R"({"options":{"pairing":"%1","pairingMs":20},
                "receivers":[{"name":"r8k","kind":5,"cid":7,"mid":3}],
                "mice":[{"name":"candidate","cid":7,"mid":3,"pairingMode":true}]})")
                .arg(pairing)
                .toUtf8()));
        startPairing(7);
        QCOMPARE(ReportRecorder::waitFor(1, 400), status >= 0);
        if (status >= 0)
            QCOMPARE(lastStatus(), status);
        QCOMPARE(receiverCount() == 1, pluggedAfter);
    }

    void pairingNeedsAReceiverServer()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            R"({"mice":[{"name":"m","cid":7,"mid":1,"cablePlugged":true}]})"));
        const QByteArray cable = pathOf("m");
        UsbServerC_Start(cable.constData(), cable.constData(), ReportRecorder::callback);
        QVERIFY(!UsbServer_EnterDonglePairOnlyCid(7));
        QVERIFY(!UsbServer_ReadDonglePairStatus());
    }
};

QTEST_GUILESS_MAIN(TestPairing)
#include "tst_rozuri_pairing.moc"
