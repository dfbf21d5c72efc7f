// The pairing dialog against the simulated receiver: success, failure, no
// answer and an unplug during pairing, each with the button's text and
// picture, the library calls in order and the device pages' flag.

#include "CallLogNames.h"
#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "device/CurrentDevice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/Match.h"
#include "windows/DialogChange.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

QString Text(const char* key)
{
    return LanguageTables::Text(0, QStringLiteral("pair"), QString::fromLatin1(key));
}

// The picture a style sheet shows, by file name.
QString Picture(const QWidget* widget)
{
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    const QRegularExpressionMatch match = url.match(widget->styleSheet());
    return match.hasMatch() ? match.captured(1).section(QLatin1Char('/'), -1) : QString();
}

QString TextColour(const QWidget* widget)
{
    static const QRegularExpression colour(QStringLiteral("color:(rgb\\([^)]*\\))"));
    return colour.match(widget->styleSheet()).captured(1);
}

DeviceAllInfo Device(const QString& name, const QString& pid, bool wired)
{
    DeviceAllInfo device;
    device.path = SimulatedDeviceControl::pathOf(name);
    device.vidText = QStringLiteral("1A2B");
    device.pidText = pid;
    device.cid = 7;
    device.mid = 1;
    device.connectionKind = wired ? ConnectionCable8K : ConnectionReceiver4K;
    device.wired = wired;
    return device;
}

} // namespace

class TestPairing : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Match> m_dialog;

    QPushButton* Button() { return m_dialog->findChild<QPushButton*>(QStringLiteral("MatchButton")); }

    void Open()
    {
        m_dialog.reset(new Match);
        m_dialog->PreparePairing();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        // The first 100 ms refresh shows the instructions or the note.
        QTRY_VERIFY(m_dialog->findChild<QTextEdit*>(QStringLiteral("textEdit"))->isVisible()
                    || m_dialog->findChild<QLabel*>(QStringLiteral("label"))->isVisible());
    }

    void Load(const QString& pairing, bool candidateInPairingMode = true)
    {
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            QStringLiteral(R"({"options":{"pairing":"%1","pairingMs":150},
                "receivers":[{"name":"r4k","kind":1,"cid":7,"mid":1}],
                "mice":[{"name":"candidate","cid":7,"mid":1,"pairingMode":%2},
                        {"name":"corded","pid":"2001","cid":7,"mid":1,"cablePlugged":true}]})")
                .arg(pairing, candidateInPairingMode ? QStringLiteral("true") : QStringLiteral("false"))
                .toUtf8()));
        SimulatedDeviceControl::clearCalls();
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void init()
    {
        Load(QStringLiteral("normal"));
        CurrentDevice::SetInfo(Device(QStringLiteral("r4k"), QStringLiteral("2104"), false));
        CurrentDevice::SetPath(SimulatedDeviceControl::pathOf(QStringLiteral("r4k")).toLatin1());
        devicePageShown = 1;
        DialogChange::chooserPairingSet = false;
    }

    void cleanup()
    {
        m_dialog.reset();
        UsbServer_Exit();
        StopUsbChanged();
        devicePageShown = 0;
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("pairing");
        QTest::addColumn<bool>("inPairingMode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("pairedWith");
        QTest::newRow("paired") << "normal" << true << "PairSuccess" << "PairSuccess.png" << "r4k";
        QTest::newRow("no mouse in pairing mode") << "normal" << false << "PairFail" << "PairFail.png" << "";
        QTest::newRow("receiver refuses") << "fail" << true << "PairFail" << "PairFail.png" << "";
        QTest::newRow("receiver pulled out") << "unplug" << true << "PairFail" << "PairFail.png" << "";
    }

    // Each way an attempt ends: the button's text and picture, the pages'
    // flag given back, and the receiver's side in the simulated world.
    void outcomes()
    {
        QFETCH(QString, pairing);
        QFETCH(bool, inPairingMode);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        QFETCH(QString, pairedWith);
        Load(pairing, inPairingMode);
        QSignalSpy result(PostMsg::Instance(), SIGNAL(SigButtonEnable(int)));
        Open();
        QCOMPARE(Button()->text(), Text("StartPair"));
        QCOMPARE(Picture(Button()), QStringLiteral("Pair.png"));

        QTest::mouseClick(Button(), Qt::LeftButton);
        QCOMPARE(devicePageShown.load(), 0); // the worker keeps off the receiver meanwhile
        QVERIFY(Match::PairingOutstanding());
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text(text.toLatin1().constData()), 4000);
        QCOMPARE(Picture(Button()), picture);
        QVERIFY(!Match::PairingOutstanding());
        QTRY_COMPARE(devicePageShown.load(), 1);
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), pairedWith);
        // Only a report raises the hub's result; the unplug is seen by the poll.
        QCOMPARE(result.isEmpty(), pairing == QLatin1String("unplug"));

        // The calls of the attempt in order: the receiver's server with the
        // dialog's callback, the request for CID 7, then the polls.
        const QList<QJsonObject> calls = SimulatedDeviceControl::calls();
        QStringList names = CallNames({"UsbServerC_Start", "UsbServer_EnterDonglePairOnlyCid",
                                       "UsbServer_ReadDonglePairStatus", "UsbFinderC_FindHidDevicesByDefaultDeviceId"});
        QVERIFY(names.size() >= 2);
        QCOMPARE(names.mid(0, 2), QStringList({"UsbServerC_Start", "UsbServer_EnterDonglePairOnlyCid"}));
        QCOMPARE(SimulatedDeviceControl::calls("UsbServerC_Start").first().value("path").toString(),
                 SimulatedDeviceControl::pathOf("r4k"));
        QCOMPARE(SimulatedDeviceControl::calls("UsbServer_EnterDonglePairOnlyCid").first().value("cid").toInt(), 7);
        for (int i = 2; i + 1 < names.size(); i += 2)
            QCOMPARE(names.mid(i, 2), QStringList({"UsbServer_ReadDonglePairStatus",
                                                   "UsbFinderC_FindHidDevicesByDefaultDeviceId"}));

        // The poll stops with the result.
        const int polls = SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size();
        QTest::qWait(1300);
        QCOMPARE(SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size(), polls);
        QCOMPARE(Button()->text(), Text(text.toLatin1().constData()));
    }

    void successDisablesTheButtonUntilTheRefreshButIgnoresClicks()
    {
        Open();
        QTest::mouseClick(Button(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairSuccess"), 4000);
        QTRY_VERIFY(Button()->isEnabled()); // the 100 ms refresh of a wireless device
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(Button(), Qt::LeftButton);
        QTest::keyClick(m_dialog.get(), Qt::Key_Space);
        QTest::qWait(100);
        QVERIFY(SimulatedDeviceControl::calls("UsbServer_EnterDonglePairOnlyCid").isEmpty());
        QCOMPARE(Button()->text(), Text("PairSuccess"));
    }

    void failureCanBeTriedAgainWithTheSpaceKey()
    {
        Load(QStringLiteral("fail"));
        Open();
        QTest::keyClick(m_dialog.get(), Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairFail"), 4000);
        SimulatedDeviceControl::setPairingOutcome(SimulatedDeviceControl::PairingOutcome::Normal);
        SimulatedDeviceControl::clearCalls();
        QTest::keyClick(m_dialog.get(), Qt::Key_Space); // the shortcut clicks after its 100 ms animation
        QTRY_COMPARE(CallNames({"UsbServerC_Start", "UsbServer_EnterDonglePairOnlyCid"}),
                     QStringList({"UsbServerC_Start", "UsbServer_EnterDonglePairOnlyCid"}));
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairSuccess"), 4000);
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), QStringLiteral("r4k"));
    }

    // No answer: the attempt goes on with its animation, the close button is
    // ignored, and Escape still ends it and gives the pages back.
    void noAnswerAnimatesUntilEscape()
    {
        Load(QStringLiteral("never"));
        Open();
        QTest::mouseClick(Button(), Qt::LeftButton);
        QStringList seen{Button()->text()};
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3300) {
            QTest::qWait(40);
            if (seen.last() != Button()->text())
                seen.append(Button()->text());
        }
        const QString p = Text("Pairing");
        QCOMPARE(seen.mid(0, 6), QStringList({p, p + ".", p + "..", p + "...", p, p + "."}));
        QVERIFY(SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size() >= 2);

        QTest::mouseClick(m_dialog->findChild<QToolButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(devicePageShown.load(), 0);

        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(!Match::PairingOutstanding());
        QCOMPARE(devicePageShown.load(), 1);
        const int polls = SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size();
        QTest::qWait(1200);
        QCOMPARE(SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size(), polls);

        // The next dialog starts free: its button works and its close button closes.
        Open();
        QTRY_VERIFY(Button()->isEnabled());
        QTest::mouseClick(m_dialog->findChild<QToolButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
    }

    // A receiver that keeps its request pending: the attempt ends as failed
    // at its time-out (after polls that found the receiver present), the
    // pages get their flag back, the poll stops, and a click on the close
    // button ends the modal run as after any failure.
    void unansweredAttemptFailsAtItsTimeOut()
    {
        constexpr int timeoutMs = 1500;
        Load(QStringLiteral("never"));
        m_dialog.reset(new Match);
        m_dialog->PreparePairing();
        m_dialog->SetPairTimeout(timeoutMs);
        auto* close = m_dialog->findChild<QToolButton*>(QStringLiteral("CloseButton"));
        QElapsedTimer clock;
        qint64 failedAfter = -1;
        int pollsBeforeFailure = 0;
        const bool answered = NoticeTest::ExecAndAnswer(m_dialog.get(), [&] {
            QTest::mouseClick(Button(), Qt::LeftButton);
            clock.start();
            QCOMPARE(Button()->text(), Text("Pairing"));
            QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairFail"), 6000);
            failedAfter = clock.elapsed();
            pollsBeforeFailure = SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size();
            QCOMPARE(Picture(Button()), QStringLiteral("PairFail.png"));
            QVERIFY(Button()->isEnabled());
            QVERIFY(!Match::PairingOutstanding());
            QCOMPARE(devicePageShown.load(), 1);
            QTest::qWait(1200);
            QCOMPARE(SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size(), pollsBeforeFailure);
            QCOMPARE(Button()->text(), Text("PairFail"));
            QTest::mouseClick(close, Qt::LeftButton);
        });
        QVERIFY(answered);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(failedAfter >= timeoutMs * 9 / 10);
        QVERIFY(pollsBeforeFailure >= 1);
        // The chooser's hot-plug watch is back, as after any closing.
        QVERIFY(CallNames().contains(QStringLiteral("StartUsbChanged")));
    }

    // The time-out counts from the latest request: a click during an attempt
    // gets a full one.
    void aNewRequestGetsAFullTimeOut()
    {
        constexpr int timeoutMs = 2000;
        Load(QStringLiteral("never"));
        Open();
        m_dialog->SetPairTimeout(timeoutMs);
        QTest::mouseClick(Button(), Qt::LeftButton);
        QTest::qWait(1200);
        QElapsedTimer clock;
        QTest::mouseClick(Button(), Qt::LeftButton);
        clock.start();
        QCOMPARE(SimulatedDeviceControl::calls("UsbServer_EnterDonglePairOnlyCid").size(), 2);
        QTest::qWait(1300);
        if (clock.elapsed() < timeoutMs) {
            QVERIFY(Match::PairingOutstanding());
            QVERIFY(Button()->text().startsWith(Text("Pairing")));
        }
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairFail"), 6000);
        QVERIFY(clock.elapsed() >= timeoutMs * 9 / 10);
    }

    // A pairing that succeeds in time stays a success past the time-out.
    void aSuccessInTimeStands()
    {
        Open();
        m_dialog->SetPairTimeout(600);
        QTest::mouseClick(Button(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairSuccess"), 4000);
        QTest::qWait(900);
        QCOMPARE(Button()->text(), Text("PairSuccess"));
        QCOMPARE(Picture(Button()), QStringLiteral("PairSuccess.png"));
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), QStringLiteral("r4k"));
    }

    void aCabledDeviceGetsTheNoteAndCannotPair()
    {
        CurrentDevice::SetInfo(Device(QStringLiteral("corded"), QStringLiteral("2001"), true));
        Open();
        auto* note = m_dialog->findChild<QLabel*>(QStringLiteral("label"));
        QTRY_VERIFY(note->isVisible());
        QCOMPARE(note->text(), LanguageTables::Text(0, QStringLiteral("home"), QStringLiteral("NoPair")));
        QVERIFY(!m_dialog->findChild<QTextEdit*>(QStringLiteral("textEdit"))->isVisible());
        QTRY_VERIFY(!Button()->isEnabled());
        QCOMPARE(TextColour(Button()), QStringLiteral("rgb(0,0,0)"));
        QCOMPARE(Picture(Button()), QStringLiteral("Pair.png"));
        QTest::keyClick(m_dialog.get(), Qt::Key_Space);
        m_dialog->on_MatchButton_clicked();
        QVERIFY(SimulatedDeviceControl::calls("UsbServer_EnterDonglePairOnlyCid").isEmpty());
        QCOMPARE(devicePageShown.load(), 1);
    }

    void deviceChoice_data()
    {
        QTest::addColumn<int>("pagesShown");
        QTest::addColumn<bool>("chooserSet");
        QTest::addColumn<QString>("expected");
        QTest::newRow("device pages: the current device") << 1 << true << "r4k";
        QTest::newRow("chooser's pick") << 0 << true << "picked";
        QTest::newRow("first found device") << 0 << false << "first";
    }

    void deviceChoice()
    {
        QFETCH(int, pagesShown);
        QFETCH(bool, chooserSet);
        QFETCH(QString, expected);
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            R"({"options":{"pairingMs":50},"receivers":[{"name":"r4k","kind":1},{"name":"picked","kind":0},
                {"name":"first","kind":5}],"mice":[{"name":"candidate","cid":7,"mid":1,"pairingMode":true}]})"));
        SimulatedDeviceControl::clearCalls();
        devicePageShown = pagesShown;
        DialogChange::chooserPairingSet = chooserSet;
        DialogChange::chooserPairingDevice = Device(QStringLiteral("picked"), QStringLiteral("2101"), false);
        DeviceDiscovery::foundDeviceList = {Device(QStringLiteral("first"), QStringLiteral("2108"), false)};
        Open();
        QTest::mouseClick(Button(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(Button()->text(), Text("PairSuccess"), 4000);
        QCOMPARE(SimulatedDeviceControl::calls("UsbServerC_Start").first().value("path").toString(),
                 SimulatedDeviceControl::pathOf(expected));
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("candidate")), expected);
        // Only a dialog that took the pages' flag gives it back.
        QCOMPARE(devicePageShown.load(), pagesShown);
        DeviceDiscovery::foundDeviceList.clear();
    }

    void reportsThatSayNothingChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("length");
        QTest::newRow("header of one byte") << QByteArray::fromHex("a5") << QByteArray::fromHex("03") << 1;
        QTest::newRow("another event") << QByteArray::fromHex("a504000000") << QByteArray::fromHex("03") << 1;
        QTest::newRow("still pending") << QByteArray::fromHex("a506000000") << QByteArray::fromHex("01") << 1;
        QTest::newRow("status without its byte") << QByteArray::fromHex("a506000000") << QByteArray::fromHex("03") << 0;
    }

    void reportsThatSayNothingChangeNothing()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, payload);
        QFETCH(int, length);
        Load(QStringLiteral("never"));
        Open();
        QTest::mouseClick(Button(), Qt::LeftButton);
        QSignalSpy result(PostMsg::Instance(), SIGNAL(SigButtonEnable(int)));
        Match::OnPairStatus(reinterpret_cast<const unsigned char*>(header.constData()), header.size(),
                            reinterpret_cast<const unsigned char*>(payload.constData()), length);
        QCOMPARE(Match::CurrentPairState(), int(Match::Pairing));
        QVERIFY(Match::PairingOutstanding());
        QVERIFY(result.isEmpty());
        QCOMPARE(devicePageShown.load(), 0);
    }

    void languageSwitchRenamesTheButton()
    {
        Open();
        LanguageTable<TextMap>* pair = LanguageTables::Section(LanguageTables::Side::Mouse, QStringLiteral("pair"));
        const QString before = pair->Find(0)->value(QStringLiteral("StartPair"));
        pair->Find(0)->insert(QStringLiteral("StartPair"), QStringLiteral("Go"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        pair->Find(0)->insert(QStringLiteral("StartPair"), before);
        QCOMPARE(Button()->text(), QStringLiteral("Go"));
    }
};

QTEST_MAIN(TestPairing)
#include "tst_pairing.moc"
