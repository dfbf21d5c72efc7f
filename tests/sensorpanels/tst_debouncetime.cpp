// The debounce-time panel: a choice is written into the mouse and announced,
// a short time opens the tip, a refused write puts the last entry back, and
// the host's value shows without emptying the box.

#include "LightingTestSupport.h"
#include "NoticeTestSupport.h"

#include "dialogs/LessThree.h"
#include "sensor/DebounceTime.h"
#include "widgets/MyConmboBox.h"

#include <QLabel>
#include <QTimer>

#include "app/LanguageLoader.h"

using namespace LightingTest;

namespace {

const int kDebounceByte = 6;

// Closes every tip that opens and counts them.
class TipWatcher : public QObject {
public:
    TipWatcher()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            if (auto* tip = qobject_cast<LessThree*>(QApplication::activeModalWidget())) {
                ++opened;
                text = tip->findChild<QLabel*>(QStringLiteral("label"))->text();
                QTest::mouseClick(tip->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
            }
        });
        m_poll.start(5);
    }
    int opened = 0;
    QString text;

private:
    QTimer m_poll;
};

} // namespace

class TestDebounceTime : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    DebounceTime* m_panel = nullptr;
    MyConmboBox* m_box = nullptr;

    void Choose(int index)
    {
        // As the user's pick from the list: the box changes, its signal runs.
        m_box->setCurrentIndex(index);
    }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(LIGHTING_FIXTURES "/lighting.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        UseReceiverMouse();
    }

    void init()
    {
        ResetFlags();
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        FlashDataMap map{};
        map.debounceTime = 8;
        SetCurrentRecord(map);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&map));
        m_panel = new DebounceTime;
        for (int i = 0; i < DebounceTime::kItemCount; ++i)
            m_panel->SetItemUnit(i, QStringLiteral("ms"));
        buttonPageFilling = true;
        m_panel->SetDebounceIndex(8);
        buttonPageFilling = false;
        m_box = m_panel->findChild<MyConmboBox*>(QStringLiteral("Debunce"));
        QVERIFY(m_box);
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        delete m_panel;
        m_panel = nullptr;
        ResetFlags();
    }

    void theFormHasSixteenEntriesAndShippedPictures()
    {
        DebounceTime panel;
        auto* box = panel.findChild<MyConmboBox*>(QStringLiteral("Debunce"));
        QCOMPARE(box->count(), 16);
        QCOMPARE(box->itemText(0), QStringLiteral("1ms"));
        QCOMPARE(box->geometry(), QRect(0, 0, 141, 34));
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        QCOMPARE(box->maxVisibleItems(), 5);
        const QStringList pictures = NoticeTest::StyleSheetPictures(&panel);
        QCOMPARE(pictures.size(), 4);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
    }

    void aChoiceIsWrittenAndAShortTimeOpensTheTip_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("tip");
        QTest::newRow("0 ms") << 0 << true;
        QTest::newRow("3 ms") << 3 << true;
        QTest::newRow("7 ms, the longest with a tip") << 7 << true;
        QTest::newRow("9 ms") << 9 << false;
        QTest::newRow("15 ms") << 15 << false;
    }

    void aChoiceIsWrittenAndAShortTimeOpensTheTip()
    {
        QFETCH(int, index);
        QFETCH(bool, tip);
        TipWatcher tips;
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigDebunce(QString)));
        Choose(index);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(int(uchar(LastSentRecord().at(kDebounceByte))), index);
        QCOMPARE(MouseHolds(kDebounceByte), index);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.at(0).at(0).toString(), QStringLiteral("%1ms").arg(index));
        QCOMPARE(tips.opened, tip ? 1 : 0);
        if (tip)
            QCOMPARE(tips.text, LanguageTables::Text(languageIndex, QStringLiteral("key"),
                                                     QStringLiteral("DialogDebounceTips")));
    }

    void anOfflineChoicePutsTheLastEntryBack()
    {
        TipWatcher tips;
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigDebunce(QString)));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Choose(3);
        QCOMPARE(m_box->currentIndex(), 8);
        QCOMPARE(SendCount(), 0);
        QCOMPARE(MouseHolds(kDebounceByte), 8);
        QCOMPARE(announced.size(), 0);
        QCOMPARE(offline.size(), 1);
        QCOMPARE(tips.opened, 0);
        // Once the mouse answers again a choice goes through from the entry put back.
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        Choose(10);
        QCOMPARE(MouseHolds(kDebounceByte), 10);
    }

    void withoutSendingAChoiceOnlyChangesTheBox()
    {
        TipWatcher tips;
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigDebunce(QString)));
        deviceSendEnabled = false;
        Choose(2);
        QCOMPARE(m_box->currentIndex(), 2);
        QCOMPARE(SendCount(), 0);
        QCOMPARE(announced.size(), 0);
        QCOMPARE(tips.opened, 0);
        // The last entry stayed 8: a refused write later goes back there.
        deviceSendEnabled = true;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Choose(12);
        QCOMPARE(m_box->currentIndex(), 8);
    }

    void theHostsValueIsWrittenWithoutATip_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("sends");
        QTest::addColumn<int>("announced");
        QTest::newRow("online, a new value") << true << 3 << 1 << 2;
        QTest::newRow("offline, a new value") << false << 3 << 0 << 1;
        QTest::newRow("online, the same value") << true << 8 << 0 << 1;
    }

    void theHostsValueIsWrittenWithoutATip()
    {
        QFETCH(bool, online);
        QFETCH(int, from);
        QFETCH(int, sends);
        QFETCH(int, announced);
        deviceSendEnabled = false;
        Choose(from);
        deviceSendEnabled = true;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), online);
        TipWatcher tips;
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigDebunce(QString)));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        buttonPageFilling = true;
        m_panel->SetDebounceIndex(8);
        buttonPageFilling = false;
        QCOMPARE(m_box->currentIndex(), 8);
        QCOMPARE(SendCount(), sends);
        QCOMPARE(spy.size(), announced);
        for (const QList<QVariant>& args : spy)
            QCOMPARE(args.at(0).toString(), QStringLiteral("8ms"));
        QCOMPARE(tips.opened, 0);
        // The page fills: a silent mouse is not reported.
        QCOMPARE(offline.size(), 0);
    }

    void aByteBeyondTheTableShowsTheNearestEntry_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("shown");
        QTest::newRow("16") << 16 << 15;
        QTest::newRow("0xFF") << 255 << 15;
        QTest::newRow("negative") << -1 << 0;
    }

    void aByteBeyondTheTableShowsTheNearestEntry()
    {
        QFETCH(int, byte);
        QFETCH(int, shown);
        TipWatcher tips;
        buttonPageFilling = true;
        m_panel->SetDebounceIndex(byte);
        buttonPageFilling = false;
        QCOMPARE(m_box->currentIndex(), shown);
        // Never an empty box written back as 0xFF.
        for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"))) {
            const QByteArray record = QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
            QCOMPARE(int(uchar(record.at(kDebounceByte))), shown);
        }
        QCOMPARE(MouseHolds(kDebounceByte), shown);
        QCOMPARE(tips.opened, 0);
    }

    void bothButtonsCloseTheTip_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << "NewHong";
        QTest::newRow("close") << "CloseButton";
    }

    void bothButtonsCloseTheTip()
    {
        QFETCH(QString, button);
        LessThree tip;
        QCOMPARE(tip.objectName(), QStringLiteral("LessThree"));
        QCOMPARE(tip.size(), QSize(300, 140));
        QVERIFY(NoticeTest::ExecAndAnswer(&tip, [&] {
            QTest::mouseClick(tip.findChild<QToolButton*>(button), Qt::LeftButton);
        }));
        QVERIFY(!tip.isVisible());
    }
};

QTEST_MAIN(TestDebounceTime)
#include "tst_debouncetime.moc"
