// Every function sender of the button page, driven by clicks on the page
// against the simulated mouse: for each row and function the header, the key
// block, the mirror entry and the row text, and the record the mouse keeps;
// then a click without a row, with the mouse offline and the media key given
// without a click.

#include "ButtonPageTestSupport.h"
#include "app/LanguageLoader.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "buttons/Buttoninterface.h"
#include "buttons/ConsumerKeyTable.h"
#include "buttons/DeviceButtonIndex.h"
#include "buttons/DpiLockCoding.h"
#include "buttons/SingleCodeSenderTable.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

using namespace ButtonPageTest;

namespace {

int RecordUpdates()
{
    return SentRecords().size();
}

enum class Family { SingleCode, MediaKey, DpiLock };

} // namespace

Q_DECLARE_METATYPE(Family)

class TestButtonSenders : public QObject, private PageFixture {
    Q_OBJECT

private:
    QStringList CheckedOptionButtons()
    {
        QStringList names;
        for (QAbstractButton* button : Group("optionButtonGroup")->buttons()) {
            if (button->isChecked())
                names << button->objectName();
        }
        return names;
    }

    // The page, the mouse and the current record all start from the pattern.
    void StartFromPattern() { StartFrom(PatternRecord()); }

    // The mirror entry, -1 where a list holds none.
    QList<int> Mirror(int index) { return page->MirrorEntry(index); }

    QList<int> PatternMirror(int index)
    {
        if (index >= kModelKeyNumber)
            return {-1, -1, -1};
        const ButtonFunctionHeader header = PatternRecord().buttons[index];
        return {header.type, header.code, header.extra};
    }

private slots:
    void initTestCase() { Open(QStringLiteral(DEVICE_FIXTURES "/one_mouse.json")); }

    void cleanupTestCase() { Close(); }

    void init() { StartFromPattern(); }

    void senderWritesTheRowsButton_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("button");
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("keyBlock");
        for (const DeviceButtonIndex::Row& row : DeviceButtonIndex::Rows()) {
            auto add = [&](const QString& button, Family family, int type, int code, const QByteArray& block) {
                QTest::addRow("%s %s", qPrintable(row.rowButton), qPrintable(button))
                    << row.rowButton << row.index << button << family << type << code << block;
            };
            for (const SingleCodeSenderTable::Row& sender : SingleCodeSenderTable::Rows())
                add(sender.button, Family::SingleCode, sender.type, sender.code, QByteArray());
            for (const ConsumerKeyTable::Row& key : ConsumerKeyTable::Rows())
                add(key.mediaButton, Family::MediaKey, 5, 0, Bytes(ConsumerKeyTable::MediaKeyBlock(key.usage)));
            // Before the page's first fill the sensor is unknown: dpi / 50 - 1.
            for (const DpiLockCoding::Row& lock : DpiLockCoding::Rows())
                add(lock.dpiButton, Family::DpiLock, 10, lock.dpi / 50 - 1, QByteArray());
        }
    }
    void senderWritesTheRowsButton()
    {
        QFETCH(QString, row);
        QFETCH(int, index);
        QFETCH(QString, button);
        QFETCH(Family, family);
        QFETCH(int, type);
        QFETCH(int, code);
        QFETCH(QByteArray, keyBlock);

        // Another option button checked first: a chooser sender clears it.
        UncheckAll(Group("optionButtonGroup"));
        Child(QStringLiteral("Player"))->setChecked(true);
        QAbstractButton* clicked = Child(button);
        clicked->setText(QStringLiteral("text of ") + button);
        Child(QStringLiteral("DPI_4"))->setText(QStringLiteral("Lock"));
        CheckRow(row);
        OpenChooser();

        clicked->click();

        QByteArray expected = Bytes(PatternRecord());
        const int header = 95 + 3 * index;
        expected[header] = char(type);
        expected[header + 1] = char(code & 0xFF);
        expected[header + 2] = 0;
        if (!keyBlock.isEmpty())
            expected.replace(144 + 52 * index, 52, keyBlock);
        const QList<QJsonObject> updates = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"));
        QCOMPARE(updates.size(), 1);
        const QByteArray sent = QByteArray::fromHex(updates.first().value(QStringLiteral("record")).toString().toLatin1());
        QCOMPARE(FirstDifference(sent, expected), QString());
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        QCOMPARE(FirstDifference(Bytes(CurrentFlashMapLock::Snapshot()), expected), QString());

        const QString text = family == Family::DpiLock ? QStringLiteral("Lock-text of ") + button
                                                       : QStringLiteral("text of ") + button;
        QCOMPARE(Child(row)->text(), text);
        for (const DeviceButtonIndex::Row& other : DeviceButtonIndex::Rows()) {
            if (other.rowButton != row)
                QCOMPARE(Child(other.rowButton)->text(), QStringLiteral("row ") + other.rowButton);
        }
        // The mirror holds an entry only for the model's buttons.
        const QList<int> mirrored = index < kModelKeyNumber ? QList<int>{type, code, 0} : QList<int>{-1, -1, -1};
        QCOMPARE(Mirror(index), mirrored);

        QVERIFY(Idle());
        QVERIFY(Child(row)->isChecked());
        QVERIFY(clicked->isChecked());
        const bool onChooser = family == Family::SingleCode && SingleCodeSenderTable::RowOfButton(button)->onChooser;
        QCOMPARE(CheckedOptionButtons(), onChooser ? QStringList() : QStringList{button});
    }

    void clickReportingUncheckedChangesNothing_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::newRow("chooser") << "on_MidKey_clicked";
        QTest::newRow("option page") << "on_VolumeUp_8_clicked";
        QTest::newRow("media") << "on_StartPause_2_clicked";
        QTest::newRow("DPI lock") << "on_VolumeUp_11_clicked";
    }
    void clickReportingUncheckedChangesNothing()
    {
        QFETCH(QString, slot);
        CheckRow(QStringLiteral("RightKey"));
        Child(QStringLiteral("Player"))->setChecked(true);
        OpenChooser(3);
        QVERIFY(QMetaObject::invokeMethod(page.get(), qPrintable(slot), Q_ARG(bool, false)));
        QCOMPARE(RecordUpdates(), 0);
        QCOMPARE(Child(QStringLiteral("RightKey"))->text(), QStringLiteral("row RightKey"));
        QCOMPARE(Mirror(1), PatternMirror(1));
        QCOMPARE(CheckedOptionButtons(), QStringList{QStringLiteral("Player")});
        QVERIFY(!Idle());
    }

    void noCheckedRowSendsNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("unchecksOptions");
        QTest::newRow("chooser") << "MidKey" << true;
        QTest::newRow("option page") << "VolumeUp_14" << false;
        QTest::newRow("media") << "VolumeDown_3" << false;
        QTest::newRow("DPI lock") << "VolumeUp_21" << false;
    }
    void noCheckedRowSendsNothing()
    {
        QFETCH(QString, button);
        QFETCH(bool, unchecksOptions);
        UncheckAll(Group("rowButtonGroup"));
        Child(QStringLiteral("Player"))->setChecked(true);
        OpenChooser();
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        Child(button)->click();
        QCOMPARE(RecordUpdates(), 0);
        QCOMPARE(offline.size(), 0);
        QCOMPARE(MouseRecord(), Bytes(PatternRecord()));
        for (int i = 0; i < 12; ++i)
            QCOMPARE(Mirror(i), PatternMirror(i));
        QCOMPARE(CheckedOptionButtons(), unchecksOptions ? QStringList() : QStringList{button});
        QVERIFY(Idle());
    }

    void offlineMouseKeepsRecordMirrorAndRow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("filling");
        for (const char* button : {"LeftKey_3", "VolumeUp_8", "StartPause_2", "VolumeUp_16"}) {
            QTest::addRow("%s", button) << button << false;
            QTest::addRow("%s while the page fills", button) << button << true;
        }
    }
    void offlineMouseKeepsRecordMirrorAndRow()
    {
        QFETCH(QString, button);
        QFETCH(bool, filling);
        SimulatedDeviceControl::setOnline(kMouse, false);
        SimulatedDeviceControl::clearCalls();
        buttonPageFilling = filling;
        CheckRow(QStringLiteral("BackKey"));
        OpenChooser();
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));

        Child(button)->click();

        QCOMPARE(offline.size(), filling ? 0 : 1);
        if (!filling)
            QCOMPARE(offline.first().first().toInt(), 0);
        QCOMPARE(RecordUpdates(), 0);
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
        QCOMPARE(MouseRecord(), Bytes(PatternRecord()));
        QCOMPARE(Child(QStringLiteral("BackKey"))->text(), QStringLiteral("row BackKey"));
        QCOMPARE(Mirror(2), PatternMirror(2));
        QVERIFY(Child(button)->isChecked());
        QVERIFY(Idle());
    }

    void mediaKeyWithoutAClickMatchesTheClick()
    {
        CheckRow(QStringLiteral("RightKey"));
        OpenChooser();
        Child(QStringLiteral("StartPause_2"))->click();
        const QByteArray byClick = MouseRecord();
        const QString textByClick = Child(QStringLiteral("RightKey"))->text();
        QCOMPARE(Mirror(1), QList<int>({5, 0, 0}));

        StartFromPattern();
        UncheckAll(Group("rowButtonGroup"));
        UncheckAll(Group("optionButtonGroup"));
        OpenChooser(3);
        page->AssignMediaKey(1, 0xCD);
        QCOMPARE(MouseRecord(), byClick);
        QCOMPARE(Child(QStringLiteral("RightKey"))->text(), textByClick);
        QCOMPARE(Mirror(1), QList<int>({5, 0, 0}));
        // No view change and no check mark.
        QVERIFY(!Idle());
        QCOMPARE(CheckedOptionButtons(), QStringList());
    }

    void mediaKeyWithoutAClickByCode_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("usage");
        QTest::addColumn<QString>("mediaButton");
        QTest::newRow("0x83 is the whole usage 0x0183") << 0 << 0x83 << 0x0183 << "Player";
        QTest::newRow("button 7 is Button8's row") << 7 << 0x94 << 0x0194 << "VolumeDown_3";
        QTest::newRow("StartPause row is button 4") << 4 << 0xEA << 0x00EA << "VolumeDown_4";
        QTest::newRow("a whole usage names no key") << 1 << 0x183 << 0 << "";
        QTest::newRow("code 0") << 1 << 0 << 0 << "";
        QTest::newRow("button 12") << 12 << 0xCD << 0 << "";
        QTest::newRow("button -1") << -1 << 0xCD << 0 << "";
    }
    void mediaKeyWithoutAClickByCode()
    {
        QFETCH(int, button);
        QFETCH(int, code);
        QFETCH(int, usage);
        QFETCH(QString, mediaButton);
        page->AssignMediaKey(button, code);
        if (mediaButton.isEmpty()) {
            QCOMPARE(RecordUpdates(), 0);
            QCOMPARE(MouseRecord(), Bytes(PatternRecord()));
            for (const DeviceButtonIndex::Row& row : DeviceButtonIndex::Rows())
                QCOMPARE(Child(row.rowButton)->text(), QStringLiteral("row ") + row.rowButton);
            return;
        }
        QByteArray expected = Bytes(PatternRecord());
        expected.replace(95 + 3 * button, 3, QByteArray("\x05\x00\x00", 3));
        expected.replace(144 + 52 * button, 52, Bytes(ConsumerKeyTable::MediaKeyBlock(usage)));
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        const QString row = DeviceButtonIndex::RowOfIndex(button);
        QCOMPARE(Child(row)->text(), Child(mediaButton)->text());
    }

    void offlineMediaKeyWithoutAClickKeepsTheRow()
    {
        SimulatedDeviceControl::setOnline(kMouse, false);
        SimulatedDeviceControl::clearCalls();
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        page->AssignMediaKey(1, 0xCD);
        QCOMPARE(offline.size(), 1);
        QCOMPARE(RecordUpdates(), 0);
        QCOMPARE(Child(QStringLiteral("RightKey"))->text(), QStringLiteral("row RightKey"));
        QCOMPARE(Mirror(1), PatternMirror(1));
    }
};

QTEST_MAIN(TestButtonSenders)
#include "tst_buttonsenders.moc"
