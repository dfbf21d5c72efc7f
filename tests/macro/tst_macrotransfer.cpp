// Macros moved between the macro page and the mouse's macro blocks: the
// record the device library is handed when a saved macro is bound to a
// button, and the macro file and list entry a block read from the mouse
// becomes.

#include "MacroTestSupport.h"

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "macro/Macro.h"
#include "macro/MacroRecording.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

#include <QElapsedTimer>
#include <cstring>
#include <sys/stat.h>
#include <memory>

using namespace MacroTest;

namespace {

constexpr int kBlockBytes = 592;

int BlockOffset(int button)
{
    return 976 + kBlockBytes * button;
}

QStringList FolderFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A record whose bytes all differ from their neighbours, with button 3 bound
// to a macro, so a byte written where it should not be shows.
FlashDataMap PatternRecord()
{
    FlashDataMap map;
    auto* bytes = reinterpret_cast<unsigned char*>(&map);
    for (size_t i = 0; i < sizeof(map); ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + 3) & 0xFF);
    map.buttons[3] = ButtonFunctionHeader{6, 3, 254};
    return map;
}

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

QByteArray Bytes(const MacroBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(&block), sizeof(block));
}

QByteArray LastSentRecord()
{
    const QList<QJsonObject> updates = SimulatedDeviceControl::calls("ProtocolDataUpdate");
    if (updates.isEmpty())
        return QByteArray();
    return QByteArray::fromHex(updates.last().value("record").toString().toLatin1());
}

// One key event as the mouse stores it: action, kind, code and delay little-endian.
QByteArray Event(int action, int kind, int code, quint32 delay)
{
    QByteArray bytes(8, '\0');
    bytes[0] = char(action);
    bytes[1] = char(kind);
    bytes[2] = char(code & 0xFF);
    bytes[3] = char((code >> 8) & 0xFF);
    for (int k = 0; k < 4; ++k)
        bytes[4 + k] = char((delay >> (8 * k)) & 0xFF);
    return bytes;
}

// A 592-byte block: name length, name, event count, events, zeros.
QByteArray Block(const QByteArray& name, int count, const QList<QByteArray>& events)
{
    QByteArray block(kBlockBytes, '\0');
    block[0] = char(name.size());
    block.replace(1, name.size(), name);
    block[31] = char(count);
    for (int i = 0; i < events.size(); ++i)
        block.replace(32 + 8 * i, 8, events.at(i));
    return block;
}

// A block as it comes from the mouse, name field given byte for byte.
MacroBlock DeviceBlock(const QByteArray& nameField, int count, const QList<QByteArray>& events)
{
    QByteArray bytes(kBlockBytes, '\0');
    bytes[0] = char(qMin(nameField.size(), 30));
    bytes.replace(1, qMin(nameField.size(), 30), nameField.left(30));
    bytes[31] = char(count);
    for (int i = 0; i < events.size(); ++i)
        bytes.replace(32 + 8 * i, 8, events.at(i));
    MacroBlock block;
    std::memcpy(&block, bytes.constData(), sizeof(block));
    return block;
}

FlashDataMap RecordWith(int button, const MacroBlock& block)
{
    FlashDataMap map = PatternRecord();
    map.macroBlocks[button] = block;
    return map;
}

// A keyboard key's line of a macro file.
QByteArray KeyLine(int code, int release)
{
    return "0x" + QByteArray::number(code, 16).rightJustified(2, '0').toUpper() + " 1 " + QByteArray::number(release);
}

QString BackButtonName()
{
    return LanguageTables::Option(0, QStringLiteral("InsertEventOptions"), QStringLiteral("6"));
}

} // namespace

class TestMacroTransfer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Macro> page;
    std::unique_ptr<QSignalSpy> added;
    std::unique_ptr<QSignalSpy> offline;

    QListWidget* Macros() const { return page->findChild<QListWidget*>(QStringLiteral("listWidgetHong")); }
    QListWidget* Events() const { return page->findChild<QListWidget*>(QStringLiteral("listWidgetKey")); }

    void OpenPage()
    {
        page.reset(new Macro);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    QStringList Entries() const { return EntryTexts(page.get()); }

    QString Current() const { return CurrentEntry(page.get()); }

    QString EventTexts() const { return MacroTest::EventTexts(page.get()); }

    void ClickEntry(const QString& name)
    {
        const QList<QListWidgetItem*> items = Macros()->findItems(name, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(name));
        QTest::mouseClick(Macros()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          Macros()->visualItemRect(items.first()).center());
        QCOMPARE(Current(), name);
    }

    // The macro file as the user saved it, selected on a fresh page.
    void SelectMacro(const QString& name, const QByteArray& content)
    {
        QVERIFY(WriteFile(MacroPath(name), content));
        OpenPage();
        ClickEntry(name);
    }

    // What the button page does before it hands a block to the page: the
    // file gets its mode line.
    void WriteModeLine(const QString& name, const QByteArray& mode = "254")
    {
        QVERIFY(WriteFile(MacroPath(name), mode + "\r\n"));
    }

    void SendBlockToPage(const FlashDataMap& map, int button)
    {
        PostMsg::Instance()->EmitSigButtonToMacro(map, button);
    }

    void CompareSentBlock(int button, const QByteArray& block)
    {
        QCOMPARE(SimulatedDeviceControl::calls("ProtocolDataUpdate").size(), 1);
        QByteArray expected = Bytes(PatternRecord());
        expected.replace(BlockOffset(button), kBlockBytes, block);
        const QByteArray sent = LastSentRecord();
        QCOMPARE(sent.size(), expected.size());
        for (int i = 0; i < sent.size(); ++i) {
            if (sent.at(i) != expected.at(i))
                QFAIL(qPrintable(QStringLiteral("offset %1 (block byte %2): sent %3, expected %4")
                                     .arg(i)
                                     .arg(i - BlockOffset(button))
                                     .arg(quint8(sent.at(i)))
                                     .arg(quint8(expected.at(i)))));
        }
    }

    void CompareNothingSent()
    {
        QCOMPARE(SimulatedDeviceControl::calls("ProtocolDataUpdate").size(), 0);
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(DEVICE_FIXTURES "/one_mouse.json", &error), qPrintable(error));
        const QByteArray path = SimulatedDeviceControl::pathOf("receiver4k").toLatin1();
        CurrentDevice::SetPath(path);
        // The library stores a record only on the device its server talks to.
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), nullptr));
    }

    void cleanupTestCase() { UsbServer_Exit(); }

    void init()
    {
        QDir(MacroFolder()).removeRecursively();
        QDir().mkpath(MacroFolder());
        macroRecording = false;
        deviceSendEnabled = true;
        SimulatedDeviceControl::setOnline("drive1", true);
        {
            CurrentFlashMapLock lock;
            lock.Map() = PatternRecord();
        }
        SimulatedDeviceControl::clearCalls();
        added.reset(new QSignalSpy(PostMsg::Instance(), SIGNAL(SigAddMacroButton())));
        offline.reset(new QSignalSpy(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int))));
    }

    void cleanup()
    {
        page.reset();
        deviceSendEnabled = false;
    }

    // ---- The selected macro to the mouse -------------------------------------

    void savedMacroIsSentAsTheButtonsBlock_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("press A, 10ms, release A")
            << QByteArray("254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n")
            << Block("M1", 2, {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)});
        QTest::newRow("ending with a pause: an empty last event")
            << QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n25ms\r\n")
            << Block("M1", 3, {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 25), Event(0, 0, 0, 0)});
        QTest::newRow("empty: only the name") << QByteArray("1\r\n") << Block("M1", 0, {});
        QTest::newRow("mouse button, modifier, long pause")
            << QByteArray("1\r\n0x01 4 0\r\n70000ms\r\n0x01 4 1\r\n5ms\r\n0x02 0 0\r\n")
            << Block("M1", 3, {Event(0, 4, 0x01, 70000), Event(1, 4, 0x01, 5), Event(0, 0, 0x02, 0)});
        // Two keys in a row (a key between them had no file line) keep both.
        QTest::newRow("two keys in a row")
            << QByteArray("1\r\n0x04 1 0\r\n0x05 1 0\r\n10ms\r\n0x04 1 1\r\n")
            << Block("M1", 3, {Event(0, 1, 0x04, 0), Event(0, 1, 0x05, 10), Event(1, 1, 0x04, 0)});
        // A line the file reader skips leaves two pauses in a row: the
        // release after them must still reach the mouse, or A stays pressed.
        QTest::newRow("skipped file line")
            << QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x05 1 2\r\n20ms\r\n0x04 1 1\r\n")
            << Block("M1", 2, {Event(0, 1, 0x04, 30), Event(1, 1, 0x04, 0)});
        QTest::newRow("two pauses in a row add up")
            << QByteArray("1\r\n0x04 1 0\r\n10ms\r\n15ms\r\n0x04 1 1\r\n")
            << Block("M1", 2, {Event(0, 1, 0x04, 25), Event(1, 1, 0x04, 0)});
    }

    void savedMacroIsSentAsTheButtonsBlock()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, block);
        SelectMacro("M1", file);
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("M1"), 3);

        CompareSentBlock(3, block);
        QVERIFY(offline->isEmpty());
    }

    void aListOf75KeysStores70()
    {
        QByteArray file = "1\r\n";
        QList<QByteArray> events;
        for (int k = 0; k < 75; ++k) {
            const int code = 0x04 + k % 26;
            file += KeyLine(code, k % 2) + "\r\n";
            if (k < 74)
                file += QByteArray::number(k + 1) + "ms\r\n";
            if (k < 70)
                events << Event(k % 2, 1, code, quint32(k + 1));
        }
        SelectMacro("M1", file);
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("M1"), 3);

        CompareSentBlock(3, Block("M1", 70, events));
    }

    void longNamesAreCutToWholeCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("35 letters") << QString(35, 'b') << QByteArray(30, 'b');
        QTest::newRow("no half character") << QString(29, 'a') + QChar(0xE9) << QByteArray(29, 'a');
        QTest::newRow("30 bytes in ten characters")
            << QString(10, QChar(0x5B8F)) << QString(10, QChar(0x5B8F)).toUtf8();
    }

    void longNamesAreCutToWholeCharacters()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        SelectMacro(name, "1\r\n0x04 1 0\r\n");
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(name, 3);

        CompareSentBlock(3, Block(stored, 1, {Event(0, 1, 0x04, 0)}));
    }

    void zeroCharactersInTheNameDoNotCount()
    {
        SelectMacro("M1", "1\r\n0x04 1 0\r\n");
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("M") + QChar(0) + QStringLiteral("1") + QChar(0), 3);

        CompareSentBlock(3, Block("M1", 1, {Event(0, 1, 0x04, 0)}));
    }

    void nothingIsSent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("sendEnabled");
        QTest::newRow("sending switched off") << "M1" << 3 << true << false;
        QTest::newRow("sending switched off, macro not shown") << "M2" << 3 << true << false;
        QTest::newRow("a name with no macro") << "M3" << 3 << true << true;
        QTest::newRow("a name outside the macro folder") << "../M2" << 3 << false << true;
        QTest::newRow("button 16") << "M1" << 16 << true << true;
        QTest::newRow("button -1") << "M1" << -1 << true << true;
    }

    void nothingIsSent()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        QFETCH(bool, selected);
        QFETCH(bool, sendEnabled);
        QVERIFY(WriteFile(MacroPath("M2"), "1\r\n"));
        if (selected) {
            SelectMacro("M1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        } else {
            QVERIFY(WriteFile(MacroPath("M1"), "1\r\n0x04 1 0\r\n"));
            OpenPage();
        }
        deviceSendEnabled = sendEnabled;
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(name, button);

        CompareNothingSent();
        QVERIFY(offline->isEmpty());
    }

    // The button page asks for the block a while after the save; by then
    // the user may show another macro, or none. The saved macro still goes.
    void aMacroNotShownIsSentAsItsFileHoldsIt_data()
    {
        QTest::addColumn<bool>("anotherShown");
        QTest::newRow("another macro shown") << true;
        QTest::newRow("no macro shown") << false;
    }

    void aMacroNotShownIsSentAsItsFileHoldsIt()
    {
        QFETCH(bool, anotherShown);
        QVERIFY(WriteFile(MacroPath("Saved"), "254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n"));
        if (anotherShown)
            SelectMacro("Other", "1\r\n0x05 1 0\r\n");
        else
            OpenPage();
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("Saved"), 3);

        CompareSentBlock(3, Block("Saved", 2, {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)}));
        QVERIFY(offline->isEmpty());
        // What the page shows is left alone.
        QCOMPARE(Current(), anotherShown ? QStringLiteral("Other") : QStringLiteral("<none>"));
    }

    void aMacroFileThatIsNoFileSendsNothing()
    {
        QVERIFY(WriteFile(MacroPath("Other"), "1\r\n"));
        QVERIFY(mkfifo(QFile::encodeName(MacroPath("Piped")).constData(), 0600) == 0);
        SelectMacro("Other", "1\r\n");
        SimulatedDeviceControl::clearCalls();
        QElapsedTimer took;
        took.start();

        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("Piped"), 3);

        QVERIFY(took.elapsed() < 2000);
        CompareNothingSent();
    }

    void offlineMouseGetsNothingAndTheNoticeOpens()
    {
        SelectMacro("M1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        SimulatedDeviceControl::setOnline("drive1", false);
        SimulatedDeviceControl::clearCalls();

        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("M1"), 3);

        CompareNothingSent();
        QCOMPARE(offline->size(), 1);
        QCOMPARE(offline->first().at(0).toInt(), 0);
    }

    // ---- A block of the mouse to the page --------------------------------------

    void blockBecomesAMacro()
    {
        QVERIFY(WriteFile(MacroPath("Game1"), "1\r\n"));
        OpenPage();
        WriteModeLine("Dev1");
        const MacroBlock block = DeviceBlock("Dev1", 3,
                                             {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 20), Event(0, 0, 0x02, 30)});

        SendBlockToPage(RecordWith(4, block), 4);

        QCOMPARE(Entries(), (QStringList{"Game1", "Dev1"}));
        // The third event's pause separates repeats only: it has no line.
        QCOMPARE(ReadFile(MacroPath("Dev1")), QByteArray("254\r\n0x04 1 0\n10ms\n0x04 1 1\n20ms\n0x02 0 0\n"));
        QCOMPARE(Current(), QStringLiteral("<none>"));
        QCOMPARE(EventTexts(), QString());
        QCOMPARE(added->size(), 1);
        // Only the block is read: the record is the button page's copy.
        CompareNothingSent();

        ClickEntry("Dev1");
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A 20ms vLShift"));
    }

    void blockOfAnExistingMacroAddsNoEntry()
    {
        QVERIFY(WriteFile(MacroPath("Dev1"), "1\r\n0x05 1 0\r\n"));
        OpenPage();
        WriteModeLine("Dev1", "3");
        const MacroBlock block = DeviceBlock("Dev1", 2, {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)});

        SendBlockToPage(RecordWith(0, block), 0);

        QCOMPARE(Entries(), QStringList{"Dev1"});
        QCOMPARE(ReadFile(MacroPath("Dev1")), QByteArray("3\r\n0x04 1 0\n10ms\n0x04 1 1\n"));
        QCOMPARE(added->size(), 1);
    }

    void newEntryFollowsTheSelectedOne()
    {
        for (const char* name : {"A", "B", "C"})
            QVERIFY(WriteFile(MacroPath(name), "1\r\n0x04 1 0\r\n"));
        OpenPage();
        ClickEntry("B");
        QCOMPARE(EventTexts(), QStringLiteral("vA"));
        WriteModeLine("New");

        SendBlockToPage(RecordWith(1, DeviceBlock("New", 1, {Event(0, 1, 0x05, 0)})), 1);

        QCOMPARE(Entries(), (QStringList{"A", "B", "New", "C"}));
        // The list only carried the block's events: no macro is shown.
        QCOMPARE(Current(), QStringLiteral("<none>"));
        QCOMPARE(EventTexts(), QString());

        WriteModeLine("Last");
        SendBlockToPage(RecordWith(1, DeviceBlock("Last", 1, {Event(0, 1, 0x06, 0)})), 1);
        QCOMPARE(Entries(), (QStringList{"A", "B", "New", "C", "Last"}));
        // With no macro selected the events still reach the file.
        QCOMPARE(ReadFile(MacroPath("Last")), QByteArray("254\r\n0x06 1 0\n"));
    }

    void mouseButtonEventsTakeTheButtonNames()
    {
        OpenPage();
        WriteModeLine("Back");

        SendBlockToPage(RecordWith(2, DeviceBlock("Back", 2, {Event(0, 4, 0x08, 10), Event(1, 4, 0x08, 0)})), 2);

        QCOMPARE(ReadFile(MacroPath("Back")), QByteArray("254\r\n0x08 4 0\n10ms\n0x08 4 1\n"));
        ClickEntry("Back");
        QVERIFY(!BackButtonName().isEmpty());
        QCOMPARE(EventTexts(), QStringLiteral("v%1 10ms ^%1").arg(BackButtonName()));
    }

    void countAbove70Gives70Events()
    {
        OpenPage();
        WriteModeLine("Long");
        QList<QByteArray> events;
        for (int k = 0; k < 70; ++k)
            events << Event(k % 2, 1, 0x04, 10);

        SendBlockToPage(RecordWith(7, DeviceBlock("Long", 200, events)), 7);

        const QList<QByteArray> lines = ReadFile(MacroPath("Long")).split('\n');
        QCOMPARE(lines.count(QByteArray("0x04 1 0")), 35);
        QCOMPARE(lines.count(QByteArray("0x04 1 1")), 35);
        QCOMPARE(lines.count(QByteArray("10ms")), 69);
    }

    // A name from the mouse becomes a file name: it stays in the macro folder.
    void namesFromTheMouseAreMadeSafe_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << QByteArray("a/b") << "a_b";
        QTest::newRow("parent path") << QByteArray("../../x") << "_._.._x";
        // Names the macro list would hide after a restart.
        QTest::newRow("hidden") << QByteArray(".m") << "_m";
        QTest::newRow("xml") << QByteArray("myxml") << "myxm_";
        QTest::newRow("dot dot") << QByteArray("..") << "__";
        QTest::newRow("backslash and control") << QByteArray("a\\\x01") << "a__";
        QTest::newRow("30 bytes without zero") << QByteArray(30, 'z') << QString(30, 'z');
        QTest::newRow("half a character at the end") << QByteArray(29, 'a') + "\xC3" << QString(29, 'a');
    }

    void namesFromTheMouseAreMadeSafe()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, name);
        OpenPage();
        const QString parent = QFileInfo(MacroFolder()).absolutePath();
        const QStringList parentFiles = FolderFiles(parent);
        WriteModeLine(name);

        SendBlockToPage(RecordWith(0, DeviceBlock(field, 1, {Event(0, 1, 0x04, 0)})), 0);

        QCOMPARE(Entries(), QStringList{name});
        QCOMPARE(FolderFiles(MacroFolder()), QStringList{name + ".ini"});
        QCOMPARE(ReadFile(MacroPath(name)), QByteArray("254\r\n0x04 1 0\n"));
        QCOMPARE(FolderFiles(parent), parentFiles);
        QCOMPARE(added->size(), 1);
    }

    void blockWithoutNameIsLeftAlone()
    {
        OpenPage();

        SendBlockToPage(RecordWith(0, DeviceBlock(QByteArray(), 1, {Event(0, 1, 0x04, 0)})), 0);

        QCOMPARE(Entries(), QStringList());
        QCOMPARE(FolderFiles(MacroFolder()), QStringList());
        QVERIFY(added->isEmpty());
    }

    void buttonOutsideTheRecordIsLeftAlone_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("16") << 16;
        QTest::newRow("-1") << -1;
    }

    void buttonOutsideTheRecordIsLeftAlone()
    {
        QFETCH(int, button);
        QVERIFY(WriteFile(MacroPath("Game1"), "1\r\n0x04 1 0\r\n"));
        OpenPage();
        ClickEntry("Game1");

        SendBlockToPage(PatternRecord(), button);

        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(Current(), QStringLiteral("Game1"));
        QCOMPARE(EventTexts(), QStringLiteral("vA"));
        QVERIFY(added->isEmpty());
    }

    void recordingKeepsItsMacro()
    {
        QVERIFY(WriteFile(MacroPath("Game1"), "1\r\n0x04 1 0\r\n"));
        OpenPage();
        ClickEntry("Game1");
        macroRecording = true;
        WriteModeLine("Dev1");

        SendBlockToPage(RecordWith(0, DeviceBlock("Dev1", 1, {Event(0, 1, 0x05, 0)})), 0);

        QCOMPARE(Current(), QStringLiteral("Game1"));
        QCOMPARE(EventTexts(), QStringLiteral("vA"));
        QCOMPARE(ReadFile(MacroPath("Dev1")), QByteArray("254\r\n0x05 1 0\n"));
        QCOMPARE(added->size(), 1);
    }

    // ---- Both ways ------------------------------------------------------------

    void blockComesBackUnchanged()
    {
        OpenPage();
        WriteModeLine("RT", "1");
        const MacroBlock block = DeviceBlock("RT", 6,
                                             {Event(0, 0, 0x02, 15), Event(0, 1, 0x04, 70000), Event(1, 1, 0x04, 1),
                                              Event(1, 0, 0x02, 65535), Event(0, 4, 0x10, 10), Event(1, 4, 0x10, 0)});

        SendBlockToPage(RecordWith(3, block), 3);
        ClickEntry("RT");
        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("RT"), 3);

        CompareSentBlock(3, Bytes(block));
    }

    // A code the tables do not name comes back as the nameless key (usage 0);
    // the keys around it keep their places.
    void unnamedCodeComesBackAsTheNamelessKey()
    {
        OpenPage();
        WriteModeLine("Odd", "1");
        const MacroBlock block = DeviceBlock("Odd", 3,
                                             {Event(0, 1, 0x04, 10), Event(0, 2, 0xE9, 20), Event(1, 1, 0x04, 0)});

        SendBlockToPage(RecordWith(3, block), 3);
        ClickEntry("Odd");
        PostMsg::Instance()->EmitSigMacroDownLoadData(QStringLiteral("Odd"), 3);

        CompareSentBlock(3, Block("Odd", 3, {Event(0, 1, 0x04, 10), Event(0, 1, 0x00, 20), Event(1, 1, 0x04, 0)}));
    }
};

QTEST_MAIN(TestMacroTransfer)
#include "tst_macrotransfer.moc"
