// The macro list on the button page and the macros bound to mouse buttons,
// with the macro page beside it as in the program: the list follows the
// macro folder, a click binds a macro (header and macro block on the mouse),
// and what the user does to a macro on the macro page (create, rename,
// delete, save) reaches exactly the rows bound to it. Names from the mouse
// or from a profile never name a file outside the macro folder.

#include "RecordFixtures.h"
#include "ButtonPageTestSupport.h"
#include "UiScript.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/DeleteConfirm.h"
#include "dialogs/MakeMacro.h"
#include "macro/Macro.h"
#include "macro/QuestionDialog.h"
#include "settings/UpDataParam.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDirIterator>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstring>

using namespace ButtonPageTest;

namespace {

QString MacroFolderPath()
{
    return AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage");
}

QString MacroPath(const QString& name)
{
    return MacroFolderPath() + QLatin1Char('/') + name + QStringLiteral(".ini");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Prefix()
{
    return LanguageTables::Text(0, QStringLiteral("macro"), QStringLiteral("MacroSeond"));
}

// A macro block: name, event count and events, zero elsewhere.
QByteArray MacroBlockBytes(const QByteArray& name, int count, const QList<QByteArray>& events)
{
    QByteArray block(592, '\0');
    block[0] = char(name.size());
    block.replace(1, name.size(), name);
    block[31] = char(count);
    for (int j = 0; j < events.size(); ++j)
        block.replace(32 + 8 * j, 8, events.at(j));
    return block;
}

QByteArray WithMacro(QByteArray record, int button, const QByteArray& header, const QByteArray& block)
{
    record.replace(95 + 3 * button, 3, header);
    record.replace(976 + 592 * button, 592, block);
    return record;
}

// Every file below the home folder.
QSet<QString> HomeFiles()
{
    QSet<QString> files;
    QDirIterator it(QDir::homePath(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(it.next());
    return files;
}

} // namespace

class TestMacroBinding : public QObject {
    Q_OBJECT

private:
    PageFixture f;
    std::unique_ptr<Macro> macroPage;
    QTemporaryDir dir;
    ConfigSettings* shippedConfig = nullptr;
    std::unique_ptr<ConfigSettings> testConfig;

    QWidget* ListWidget() const { return f.Child<QWidget>(QStringLiteral("macroListWidget")); }

    // The list's buttons in list order, fillers included.
    QList<QToolButton*> ListButtons() const
    {
        QList<QToolButton*> buttons;
        QLayout* layout = ListWidget()->layout();
        for (int i = 0; i < layout->count(); ++i) {
            if (auto* button = qobject_cast<QToolButton*>(layout->itemAt(i)->widget()))
                buttons << button;
        }
        return buttons;
    }

    QStringList ListedMacros() const
    {
        QStringList names;
        for (QToolButton* button : ListButtons())
            if (!button->isHidden() && button->isEnabled())
                names << button->text();
        return names;
    }

    int HiddenFillers() const
    {
        int n = 0;
        for (QToolButton* button : ListButtons())
            n += button->isHidden() && !button->isEnabled() && button->text().isEmpty() ? 1 : 0;
        return n;
    }

    QToolButton* ListButton(const QString& name) const
    {
        for (QToolButton* button : ListButtons())
            if (button->text() == name && !button->isHidden())
                return button;
        return nullptr;
    }

    // The page container raises this each time it shows the button page.
    void ShowButtonPage()
    {
        PostMsg::Instance()->EmitSigAddMacroButton();
        f.page->show();
    }

    // The macro page as it starts, listing the folder.
    void OpenMacroPage()
    {
        macroPage.reset(new Macro);
        macroPage->move(0, 720);
        macroPage->show();
        QVERIFY(QTest::qWaitForWindowExposed(macroPage.get()));
    }

    QListWidget* MacroEntries() const { return macroPage->findChild<QListWidget*>(QStringLiteral("listWidgetHong")); }

    QPoint EntryPoint(const QString& name) const
    {
        const QList<QListWidgetItem*> items = MacroEntries()->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? QPoint(-1, -1) : MacroEntries()->visualItemRect(items.first()).center();
    }

    void ClickEntry(const QString& name)
    {
        const QPoint point = EntryPoint(name);
        QVERIFY2(point.x() >= 0, qPrintable(name));
        QTest::mouseClick(MacroEntries()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }

    void ClickOnMacroPage(const char* name)
    {
        auto* button = macroPage->findChild<QAbstractButton*>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static void EnterName(QuestionDialog* dialog, const QString& name)
    {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit")), name);
        QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
    }

    static void ClickMenuItem(QMenu* menu, const QString& text)
    {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no menu item ") + text));
    }

    void RenameOnMacroPage(const QString& from, const QString& to)
    {
        ClickEntry(from);
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, LanguageTables::Text(0, "macro", "Rename")); })
            .Dialog<QuestionDialog>([to](QuestionDialog* d) { EnterName(d, to); });
        const QPoint point = EntryPoint(from);
        QTest::mouseClick(MacroEntries()->viewport(), Qt::RightButton, Qt::NoModifier, point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, MacroEntries()->viewport()->mapToGlobal(point));
        QApplication::sendEvent(MacroEntries()->viewport(), &event);
        QVERIFY(script.Done());
        QVERIFY2(script.Seen().join(' ').indexOf("unexpected") < 0, qPrintable(script.Seen().join(' ')));
    }

    void DeleteOnMacroPage(const QString& name)
    {
        ClickEntry(name);
        UiScript script;
        script.Dialog<DeleteConfirm>([](DeleteConfirm* d) {
            QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
        });
        ClickOnMacroPage("DeleteHong");
        QVERIFY(script.Done());
    }

    // The user selects a row and clicks a macro of the list.
    void Bind(const QString& row, const QString& macro)
    {
        f.CheckRow(row);
        f.OpenChooser(1);
        QToolButton* button = ListButton(macro);
        QVERIFY2(button, qPrintable(macro));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Config.ini with Drive1's KeyParam1 replaced: empty keeps it, "<none>"
    // leaves the key without a value.
    void UseKeyParam1(const QString& value)
    {
        QByteArray config = ReadFile(QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
        if (!value.isEmpty()) {
            const int group = config.indexOf("[Drive1]");
            const int line = config.indexOf("KeyParam1=", group);
            QVERIFY(group >= 0 && line > group);
            const int end = config.indexOf('\n', line);
            config.replace(line, end - line, "KeyParam1=" + (value == "<none>" ? QByteArray() : value.toUtf8()));
        }
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        WriteFile(path, config);
        ConfigSettings::ReplaceInstance(nullptr);
        testConfig.reset(new ConfigSettings(path));
        ConfigSettings::ReplaceInstance(testConfig.get());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        f.Open(QStringLiteral(DEVICE_FIXTURES "/one_mouse.json"));
        shippedConfig = ConfigSettings::ReplaceInstance(nullptr);
    }

    void cleanupTestCase()
    {
        macroPage.reset();
        f.Close();
        ConfigSettings::ReplaceInstance(shippedConfig);
    }

    void init()
    {
        QDir(MacroFolderPath()).removeRecursively();
        QVERIFY(QDir().mkpath(MacroFolderPath()));
        UseKeyParam1(QString());
        f.StartFrom(PatternRecord());
        OpenMacroPage();
        ShowButtonPage();
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        CloseStrayDialogs();
        macroPage.reset();
    }

    // ---- The list ------------------------------------------------------------

    void listFollowsTheMacroFolder_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("fillers");
        QTest::newRow("empty folder") << QStringList{} << QStringList{} << 0;
        QTest::newRow("three macros, by name, case ignored")
            << QStringList{"b.ini", "A.ini", "c.ini"} << QStringList{"A", "b", "c"} << 4;
        QTest::newRow("seven macros, no filler")
            << QStringList{"1.ini", "2.ini", "3.ini", "4.ini", "5.ini", "6.ini", "7.ini"}
            << QStringList{"1", "2", "3", "4", "5", "6", "7"} << 0;
        QTest::newRow("other names") << QStringList{"d.ini.ini", "x.txt", "notes.xml", "xmlgame.ini", "e.ini"}
                                     << QStringList{"d", "e", "x.txt"} << 4;
    }
    void listFollowsTheMacroFolder()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, listed);
        QFETCH(int, fillers);
        for (const QString& file : files)
            WriteFile(MacroFolderPath() + '/' + file, "1\r\n");
        ShowButtonPage();
        QCOMPARE(ListedMacros(), listed);
        QCOMPARE(HiddenFillers(), fillers);
        QCOMPARE(ListButtons().size(), listed.size() + fillers);
        // Every rebuild starts with nothing checked.
        for (QToolButton* button : ListButtons())
            QVERIFY(!button->isChecked());
    }

    void macroCategoryAsksForAMacroFirst()
    {
        auto seen = AnswerNext<MakeMacro>([](MakeMacro* notice) { notice->close(); });
        QTest::mouseClick(f.Child(QStringLiteral("DPI_10")), Qt::LeftButton);
        QVERIFY(*seen);
        QCOMPARE(f.CategoryPage(), QStringLiteral("page_9"));

        WriteFile(MacroPath("Game"), "1\r\n");
        ShowButtonPage();
        QTest::mouseClick(f.Child(QStringLiteral("DPI_10")), Qt::LeftButton);
        QCOMPARE(f.CategoryPage(), QStringLiteral("page_5"));
    }

    // A macro made on the macro page is in the list the next time the button
    // page is shown, and binds like any other.
    void macroMadeOnTheMacroPageJoinsTheList()
    {
        WriteFile(MacroPath("Old"), "1\r\n");
        OpenMacroPage();
        ShowButtonPage();
        UiScript script;
        script.Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "Game1"); });
        ClickOnMacroPage("NewHong");
        QVERIFY(script.Done());
        ShowButtonPage();
        QCOMPARE(ListedMacros(), (QStringList{"Game1", "Old"}));

        Bind("RightKey", "Game1");
        QCOMPARE(f.Child(QStringLiteral("RightKey"))->text(), Prefix() + "Game1");
        const QByteArray sent = SentRecords().value(0);
        QCOMPARE(sent.mid(95 + 3, 3), Header(6, 1, 0));
        QCOMPARE(sent.mid(976 + 592, 6), QByteArray("\x05Game1", 6));
    }

    // ---- Binding -------------------------------------------------------------

    void bindingSendsTheMacroBlock_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QByteArray>>("events");
        QTest::newRow("press, pause, release") << "FireKey" << QByteArray("254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n") << 254
                                               << 2 << QList<QByteArray>{Event(0, 1, 4, 10), Event(1, 1, 4, 0)};
        QTest::newRow("last release without line end") << "RightKey" << QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1")
                                                        << 1 << 2
                                                        << QList<QByteArray>{Event(0, 1, 4, 10), Event(1, 1, 4, 0)};
        QTest::newRow("modifier and mouse button, LF ends")
            << "BackKey" << QByteArray("253\n0x02 0 0\n25ms\n0x01 4 0\n30ms\n0x01 4 1\n5ms\n0x02 0 1\n") << 253 << 4
            << QList<QByteArray>{Event(0, 0, 2, 25), Event(0, 4, 1, 30), Event(1, 4, 1, 5), Event(1, 0, 2, 0)};
        QTest::newRow("mode line no number") << "TopMusic" << QByteArray("abc\r\n0x05 1 0\r\n") << 0 << 1
                                             << QList<QByteArray>{Event(0, 1, 5, 0)};
        QTest::newRow("mode 300 keeps its low byte") << "StartPause" << QByteArray("300\r\n0x05 1 0\r\n") << 44 << 1
                                                     << QList<QByteArray>{Event(0, 1, 5, 0)};
        QTest::newRow("Button12") << "Button12" << QByteArray("255\r\n0x06 1 0\r\n1000ms\r\n0x06 1 1\r\n") << 255 << 2
                                  << QList<QByteArray>{Event(0, 1, 6, 1000), Event(1, 1, 6, 0)};
        QTest::newRow("code without a name") << "BackMusic" << QByteArray("7\r\n0x4 1 0\r\n") << 7 << 1
                                             << QList<QByteArray>{Event(0, 1, 0, 0)};
        QTest::newRow("mode line only") << "FireKey" << QByteArray("2\r\n") << 2 << 1
                                        << QList<QByteArray>{Event(0, 0, 0, 0)};
    }
    void bindingSendsTheMacroBlock()
    {
        QFETCH(QString, row);
        QFETCH(QByteArray, file);
        QFETCH(int, extra);
        QFETCH(int, count);
        QFETCH(QList<QByteArray>, events);
        const int k = DeviceButtonIndex::IndexOfRow(row);
        const QString name = QStringLiteral("M ") + row;
        WriteFile(MacroPath(name), file);
        WriteFile(MacroPath("Other"), "1\r\n");
        ShowButtonPage();

        Bind(row, name);

        const QByteArray expected =
            WithMacro(Bytes(PatternRecord()), k, Header(6, k, extra), MacroBlockBytes(name.toUtf8(), count, events));
        QCOMPARE(SentRecords().size(), 1);
        QCOMPARE(FirstDifference(SentRecords().first(), expected), QString());
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        QCOMPARE(f.Child(row)->text(), Prefix() + name);
        QCOMPARE(f.page->MirrorEntry(k), k < kModelKeyNumber ? QList<int>({6, k, extra}) : QList<int>({-1, -1, -1}));
        QVERIFY(ListButton(name)->isChecked());
        QVERIFY(f.Idle());
        // The file is only read.
        QCOMPARE(ReadFile(MacroPath(name)), file);
    }

    void longNameKeepsThirtyBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("40 letters") << QString(40, 'm') << QByteArray(30, 'm');
        // Two-byte letters are kept whole.
        QTest::newRow("20 two-byte letters") << QString(20, QChar(0xE9)) << QString(15, QChar(0xE9)).toUtf8();
        QTest::newRow("31 bytes ending in a two-byte letter") << QString(29, 'a') + QChar(0xE9)
                                                                << QByteArray(29, 'a');
    }
    void longNameKeepsThirtyBytes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        WriteFile(MacroPath(name), "1\r\n0x04 1 0\r\n");
        ShowButtonPage();
        Bind("BackKey", name);
        const QByteArray block = MouseRecord().mid(976 + 592 * 2, 32);
        QCOMPARE(int(quint8(block.at(0))), stored.size());
        QCOMPARE(block.mid(1, 30), stored + QByteArray(30 - stored.size(), '\0'));
    }

    void bindingWithoutARowSendsNothing()
    {
        WriteFile(MacroPath("Game"), "1\r\n0x04 1 0\r\n");
        ShowButtonPage();
        f.CheckRow(QString());
        f.OpenChooser(1);
        QTest::mouseClick(ListButton("Game"), Qt::LeftButton);
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(MouseRecord(), Bytes(PatternRecord()));
        QVERIFY(f.Idle());
    }

    void bindingToAnOfflineMouseKeepsTheRow()
    {
        WriteFile(MacroPath("Game"), "1\r\n0x04 1 0\r\n");
        ShowButtonPage();
        SimulatedDeviceControl::setOnline(kMouse, false);
        Bind("RightKey", "Game");
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(f.Child(QStringLiteral("RightKey"))->text(), QStringLiteral("row RightKey"));
        const ButtonFunctionHeader pattern = PatternRecord().buttons[1];
        QCOMPARE(f.page->MirrorEntry(1), (QList<int>{pattern.type, pattern.code, pattern.extra}));
        QVERIFY(f.Idle());
    }

    // The list may be rebuilt while a list button's click is still being
    // handled (the offline notice runs its own event loop): that button
    // goes only once the click is done.
    void listButtonRebuiltAwayDuringItsClick()
    {
        WriteFile(MacroPath("Game"), "1\r\n0x04 1 0\r\n");
        ShowButtonPage();
        SimulatedDeviceControl::setOnline(kMouse, false);
        QPointer<QToolButton> clicked = ListButton("Game");
        bool aliveAfterRebuild = false;
        const QMetaObject::Connection notice =
            connect(PostMsg::Instance(), &PostMsg::SigMouseOffLineo, this, [&](int) {
                PostMsg::Instance()->EmitSigAddMacroButton();
                QEventLoop loop;
                QTimer::singleShot(50, &loop, &QEventLoop::quit);
                loop.exec();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                aliveAfterRebuild = !clicked.isNull();
            });
        Bind("RightKey", "Game");
        disconnect(notice);
        QVERIFY(aliveAfterRebuild);
        QTRY_VERIFY(clicked.isNull());
        QCOMPARE(ListedMacros(), QStringList{"Game"});
        QVERIFY(ListButton("Game") != nullptr);
    }

    // ---- Following the macro page ------------------------------------------

    // A rename reaches the macro rows of that macro only: a key row that shows
    // the same word keeps its key, another macro keeps its name.
    void renameFollowsOnlyItsMacroRows()
    {
        WriteFile(MacroPath("A"), "254\r\n0x04 1 0\r\n");
        WriteFile(MacroPath("B"), "1\r\n0x05 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("FireKey", "A");
        Bind("BackMusic", "A");
        Bind("RightKey", "B");
        f.page->AssignKeyCombination(3, QStringLiteral("A"));
        // A key row showing the macro row's whole text is no macro row either.
        f.page->AssignKeyCombination(4, QStringLiteral("B"));
        f.Child(QStringLiteral("StartPause"))->setText(Prefix() + "A");
        const QByteArray before = MouseRecord();
        SimulatedDeviceControl::clearCalls();

        RenameOnMacroPage("A", "Zed");

        QCOMPARE(f.Child(QStringLiteral("FireKey"))->text(), Prefix() + "Zed");
        QCOMPARE(f.Child(QStringLiteral("BackMusic"))->text(), Prefix() + "Zed");
        QCOMPARE(f.Child(QStringLiteral("RightKey"))->text(), Prefix() + "B");
        QCOMPARE(f.Child(QStringLiteral("TopMusic"))->text(), QStringLiteral("A"));
        QCOMPARE(f.Child(QStringLiteral("StartPause"))->text(), Prefix() + "A");
        QByteArray expected = before;
        for (int k : {0, 5}) {
            QByteArray block = before.mid(976 + 592 * k, 592);
            block.replace(0, 31, QByteArray("\x03Zed", 4) + QByteArray(27, '\0'));
            expected.replace(976 + 592 * k, 592, block);
        }
        QCOMPARE(SentRecords().size(), 2);
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
    }

    // A rename the mouse does not take for a row leaves that row on the name
    // the mouse holds; the rows it took show the new name.
    void aRenameTheMouseRefusesKeepsTheOldNameOnThatRow_data()
    {
        QTest::addColumn<bool>("vanishes");
        QTest::newRow("refused") << false;
        QTest::newRow("gone after the online check") << true;
    }
    void aRenameTheMouseRefusesKeepsTheOldNameOnThatRow()
    {
        QFETCH(bool, vanishes);
        WriteFile(MacroPath("A"), "1\r\n0x04 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("FireKey", "A");
        Bind("BackMusic", "A");
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        if (vanishes)
            SimulatedDeviceControl::dropAfterOnlineAnswers(kMouse, 1);
        else
            SimulatedDeviceControl::failNextRecordStores(1);

        RenameOnMacroPage("A", "Zed");

        SimulatedDeviceControl::setOnline(kMouse, true);
        QCOMPARE(offline.size(), vanishes ? 2 : 1);
        QCOMPARE(f.Child(QStringLiteral("FireKey"))->text(), Prefix() + "A");
        QCOMPARE(MouseRecord().mid(976, 4), QByteArray("\x01" "A\0\0", 4));
        // Gone, the mouse takes neither row; refused once, it takes the second.
        QCOMPARE(f.Child(QStringLiteral("BackMusic"))->text(), Prefix() + (vanishes ? "A" : "Zed"));
        QCOMPARE(MouseRecord().mid(976 + 592 * 5, 4), vanishes ? QByteArray("\x01" "A\0\0", 4) : QByteArray("\x03Zed", 4));
        QCOMPARE(FirstDifference(Bytes(CurrentFlashMapLock::Snapshot()), MouseRecord()), QString());
        QVERIFY(f.Idle());
    }

    void renameToAShorterNameLeavesNoOldByte()
    {
        const QString longName = QString(30, 'L');
        WriteFile(MacroPath(longName), "1\r\n0x04 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("BackKey", longName);
        RenameOnMacroPage(longName, "s");
        QCOMPARE(MouseRecord().mid(976 + 592 * 2, 31), QByteArray("\x01s", 2) + QByteArray(29, '\0'));
    }

    // A deleted macro gives each of its rows the function the configuration
    // names for it: a media key or a key combination the mouse can play, or
    // else the row's own default.
    void deleteGivesItsRowsTheirDefaults_data()
    {
        QTest::addColumn<QString>("keyParam1");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("keyBlock");
        QTest::addColumn<QString>("textOf");
        QTest::addColumn<QString>("text");
        const QByteArray none(52, '\0');
        const QByteArray playPause = QByteArray("\x02\0\0\0", 4) + Event(0, 2, 0xCD, 10) + Event(1, 2, 0xCD, 10)
            + QByteArray(32, '\0');
        const QByteArray ctrlC = QByteArray("\x04\0\0\0", 4) + Event(0, 0, 1, 10) + Event(0, 1, 6, 10)
            + Event(1, 1, 6, 10) + Event(1, 0, 1, 10) + QByteArray(16, '\0');
        const QByteArray left = Header(1, 1, 0);
        QTest::newRow("left button") << "0x01,1,0" << left << none << "LeftKey_3" << "";
        QTest::newRow("media key") << "0x05,0,CD" << Header(5, 0, 0) << playPause << "StartPause_2" << "";
        QTest::newRow("media key 0xCD") << "0x05,0,0xCD" << Header(5, 0, 0) << playPause << "StartPause_2" << "";
        QTest::newRow("combination") << "0x05,0,0,Ctrl+C" << Header(5, 0, 0) << ctrlC << "" << "Ctrl+C";
        // Entries the mouse cannot play: the row's default.
        QTest::newRow("whole usage names no media key") << "0x05,0,183" << left << none << "LeftKey_3" << "";
        QTest::newRow("code not hexadecimal") << "0x05,0,zz" << left << none << "LeftKey_3" << "";
        QTest::newRow("combination of an unknown key") << "0x05,0,0,Ctrl+Foo" << left << none << "LeftKey_3" << "";
        QTest::newRow("combination of four keys") << "0x05,0,0,Ctrl+Alt+Shift+A" << left << none << "LeftKey_3" << "";
        QTest::newRow("empty combination") << "0x05,0,0," << left << none << "LeftKey_3" << "";
        QTest::newRow("two items") << "0x05,0" << left << none << "LeftKey_3" << "";
        QTest::newRow("five items") << "0x05,0,0,A,B" << left << none << "LeftKey_3" << "";
        QTest::newRow("no item") << "<none>" << left << none << "LeftKey_3" << "";
    }
    void deleteGivesItsRowsTheirDefaults()
    {
        QFETCH(QString, keyParam1);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, keyBlock);
        QFETCH(QString, textOf);
        QFETCH(QString, text);
        UseKeyParam1(keyParam1);
        WriteFile(MacroPath("Gone"), "1\r\n0x04 1 0\r\n");
        WriteFile(MacroPath("Kept"), "1\r\n0x05 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("FireKey", "Gone");
        Bind("Button8", "Gone");
        Bind("RightKey", "Kept");
        const QByteArray before = MouseRecord();
        SimulatedDeviceControl::clearCalls();

        DeleteOnMacroPage("Gone");

        QByteArray expected = before;
        expected.replace(95, 3, header);
        expected.replace(144, 52, keyBlock);
        expected.replace(95 + 3 * 7, 3, Header(2, 3, 0));
        expected.replace(144 + 52 * 7, 52, QByteArray(52, '\0'));
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        QCOMPARE(f.Child(QStringLiteral("FireKey"))->text(), textOf.isEmpty() ? text : f.Child(textOf)->text());
        QCOMPARE(f.Child(QStringLiteral("Button8"))->text(), f.Child(QStringLiteral("VolumeUp_10"))->text());
        QCOMPARE(f.Child(QStringLiteral("RightKey"))->text(), Prefix() + "Kept");
        for (QAbstractButton* row : f.Group("rowButtonGroup")->buttons())
            QVERIFY(!row->isChecked());
        QVERIFY(f.Idle());
        // The deletion ends by sending the record once more.
        QVERIFY(SentRecords().size() >= 3);
        QCOMPARE(SentRecords().last(), expected);
    }

    // Every row of a deleted macro falls back to its own default, its key
    // block cleared; rapid fire keeps the last values the user confirmed.
    void deleteFallsBackOnEveryRow()
    {
        WriteFile(MacroPath("Gone"), "1\r\n0x04 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        for (const DeviceButtonIndex::Row& row : DeviceButtonIndex::Rows())
            Bind(row.rowButton, "Gone");
        QByteArray expected = MouseRecord();
        const QList<QByteArray> defaults = {Header(1, 1, 0), Header(1, 2, 0), Header(1, 4, 0), Header(1, 8, 0),
                                            Header(1, 16, 0), Header(2, 1, 0), Header(2, 2, 0), Header(2, 3, 0),
                                            Header(7, 0, 0), Header(7, 0, 0), Header(4, 10, 3), Header(0, 0, 0)};
        const QStringList texts = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey", "VolumeUp_8",
                                   "VolumeUp_9", "VolumeUp_10", "DPI_2", "DPI_2", "DPI_6", "DPI_5"};
        for (int k = 0; k < 12; ++k) {
            expected.replace(95 + 3 * k, 3, defaults.at(k));
            expected.replace(144 + 52 * k, 52, QByteArray(52, '\0'));
        }

        DeleteOnMacroPage("Gone");

        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        for (int k = 0; k < 12; ++k)
            QCOMPARE(f.RowOf(k)->text(), f.Child(texts.at(k))->text());
        QVERIFY(f.Idle());
    }

    void deleteOfAnUnboundMacroOnlySendsTheRecord()
    {
        WriteFile(MacroPath("Gone"), "1\r\n");
        WriteFile(MacroPath("Kept"), "1\r\n0x05 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("RightKey", "Kept");
        const QByteArray before = MouseRecord();
        SimulatedDeviceControl::clearCalls();
        DeleteOnMacroPage("Gone");
        QCOMPARE(SentRecords().size(), 1);
        QCOMPARE(SentRecords().first(), before);
        QCOMPARE(f.Child(QStringLiteral("RightKey"))->text(), Prefix() + "Kept");
        QVERIFY(f.Idle());
    }

    // The mouse gone during a deletion: the cleared key blocks it never got
    // go back into the program's record, which stays as the mouse holds it,
    // and the user is told.
    void deleteTheMouseMissesLeavesTheRecordAsTheMouseHoldsIt_data()
    {
        QTest::addColumn<int>("answers");
        QTest::newRow("silent from the start") << 0;
        QTest::newRow("gone after the first check") << 1;
        QTest::newRow("gone after the second check") << 2;
    }
    void deleteTheMouseMissesLeavesTheRecordAsTheMouseHoldsIt()
    {
        QFETCH(int, answers);
        WriteFile(MacroPath("Gone"), "1\r\n0x04 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("FireKey", "Gone");
        Bind("Button8", "Gone");
        // Key blocks the mouse holds under the macro rows.
        {
            CurrentFlashMapLock lock;
            std::memset(&lock.Map().keyBlocks[0], 0x5A, sizeof(KeyBlock));
            std::memset(&lock.Map().keyBlocks[7], 0xA5, sizeof(KeyBlock));
        }
        QVERIFY(DeviceSettingSetters::SendProtocolRecord());
        const int settingsEnd = offsetof(FlashDataMap, macroBlocks);
        const QByteArray held = MouseRecord().left(settingsEnd);
        QCOMPARE(FirstDifference(Bytes(CurrentFlashMapLock::Snapshot()).left(settingsEnd), held), QString());
        if (answers == 0)
            SimulatedDeviceControl::setOnline(kMouse, false);
        else
            SimulatedDeviceControl::dropAfterOnlineAnswers(kMouse, answers);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));

        DeleteOnMacroPage("Gone");

        SimulatedDeviceControl::setOnline(kMouse, true);
        const QByteArray mouse = MouseRecord().left(settingsEnd);
        QCOMPARE(FirstDifference(Bytes(CurrentFlashMapLock::Snapshot()).left(settingsEnd), mouse), QString());
        QVERIFY(offline.size() >= 1);
        // A row the mouse did not take keeps its macro.
        if (answers < 2)
            QCOMPARE(f.Child(QStringLiteral("FireKey"))->text(), Prefix() + "Gone");
        QCOMPARE(f.Child(QStringLiteral("Button8"))->text(), Prefix() + "Gone");
        QVERIFY(f.Idle());
    }

    // Saved on the macro page: the changed events and then the new repeat
    // mode reach every button bound to the macro.
    void saveSendsTheMacroAgain()
    {
        WriteFile(MacroPath("M"), "1\r\n0x04 1 0\r\n10ms\r\n0x05 1 0\r\n20ms\r\n0x05 1 1\r\n");
        WriteFile(MacroPath("N"), "1\r\n0x06 1 0\r\n");
        OpenMacroPage();
        ShowButtonPage();
        Bind("RightKey", "M");
        Bind("BackMusic", "M");
        Bind("FireKey", "N");
        f.page->AssignKeyCombination(2, QStringLiteral("M"));
        const QByteArray before = MouseRecord();

        ClickEntry("M");
        macroPage->findChild<QListWidget*>(QStringLiteral("listWidgetKey"))->setCurrentRow(0);
        ClickOnMacroPage("DeleteKey");
        QTest::mouseClick(macroPage->findChild<QCheckBox*>(QStringLiteral("ReUntilLoose")), Qt::LeftButton);
        ClickOnMacroPage("Save");

        QByteArray expected = before;
        const QByteArray block = MacroBlockBytes("M", 2, {Event(0, 1, 5, 20), Event(1, 1, 5, 0)});
        for (int k : {1, 5})
            expected = WithMacro(expected, k, Header(6, k, 254), block);
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
    }

    // ---- Names from the mouse and from profiles ----------------------------

    void unsafeMacroNamesStayInTheFolder_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("fromProfile");
        const QList<QPair<const char*, QByteArray>> names = {
            {"parent folders", QByteArray("../../escaped")},
            {"dot dot", QByteArray("..")},
            {"slash", QByteArray("a/b")},
            {"backslash", QByteArray("..\\..\\evil")},
            {"control characters", QByteArray("bad\x01\x1f")},
            {"absolute", QByteArray("/tmp/abs")},
            {"no name at all", QByteArray()},
        };
        for (const auto& name : names) {
            QTest::addRow("%s from the mouse", name.first) << name.second << false;
            QTest::addRow("%s from a profile", name.first) << name.second << true;
        }
    }
    void unsafeMacroNamesStayInTheFolder()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, fromProfile);
        FlashDataMap record = PatternRecord();
        record.dpiLevelCount = 1;
        record.buttons[1] = {6, 1, 254};
        record.keyBlocks[1] = KeyBlock{};
        SetMacroName(record, 1, name);
        record.macroBlocks[1].eventCount = 1;
        record.macroBlocks[1].events[0].kind = 1;
        record.macroBlocks[1].events[0].usage[0] = 4;
        const QSet<QString> before = HomeFiles();

        if (fromProfile) {
            const QString path = dir.filePath(QStringLiteral("profile.bin"));
            WriteFile(path, ProfileFixture("3950", record));
            UpDataParam dialog;
            dialog.importMode = true;
            dialog.profilePath = path;
            QTimer poll;
            connect(&poll, &QTimer::timeout, [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
            poll.start(20);
            dialog.onTimeupDestroy();
        } else {
            f.page->SlotUpDataButtonUIButton(record);
        }

        QStringList outside;
        for (const QString& file : HomeFiles() - before) {
            if (!file.startsWith(MacroFolderPath() + '/') && !file.startsWith(dir.path()))
                outside << file;
        }
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/abs.ini")));
        if (name.isEmpty()) {
            // Nothing to name a file by: the folder stays as it was.
            QCOMPARE(QDir(MacroFolderPath()).entryList(QDir::Files | QDir::Hidden), QStringList());
            return;
        }
        // The row shows a name that is a plain file name of the folder, and
        // its file holds what the mouse holds.
        const QString shown = f.Child(QStringLiteral("RightKey"))->text().mid(Prefix().size());
        QVERIFY(!shown.isEmpty());
        QVERIFY(!shown.contains('/') && !shown.contains('\\') && shown != "..");
        QCOMPARE(ReadFile(MacroPath(shown)), QByteArray("254\r\n0x04 1 0\n"));
        QVERIFY(ListedMacros().contains(shown));
    }
};

QTEST_MAIN(TestMacroBinding)
#include "tst_macrobinding.moc"
