// The macro page as the user drives it: the macro list and its files, new,
// rename and delete with their dialogs, the event list's editing buttons,
// Save with the hub signals the button page follows, export and import.

#include "MacroTestSupport.h"
#include "BadFile.h"
#include "FileSizeLimit.h"
#include "NoticeTestSupport.h"
#include "UiScript.h"

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "dialogs/DeleteConfirm.h"
#include "dialogs/ExeIsRun.h"
#include "dialogs/SameMacro.h"
#include "macro/AddDelayTime.h"
#include "macro/KeyNameTable.h"
#include "macro/Macro.h"
#include "macro/MacroExportFile.h"
#include "macro/MacroFileNotice.h"
#include "macro/MacroPageStyle.h"
#include "macro/MacroImportFail.h"
#include "macro/MacroRecording.h"
#include "macro/MacroTextFile.h"
#include "macro/QuestionDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace MacroTest;

namespace {

// Every file of the macro folder with its content.
QMap<QString, QByteArray> FolderContent()
{
    QMap<QString, QByteArray> content;
    const QDir folder(MacroFolder());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        content.insert(name, ReadFile(folder.filePath(name)));
    return content;
}

void ClickMenuItem(QMenu* menu, const QString& text)
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

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

void Click(QWidget* page, const char* name)
{
    auto* button = page->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void EnterName(QuestionDialog* dialog, const QString& name, const char* button = "NewHong")
{
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit")), name);
    QTest::mouseClick(dialog->findChild<QToolButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

void CloseNotice(QDialog* dialog)
{
    QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
}

// Types a delay into the delay dialog and leaves it by the given button.
void TypeDelay(AddDelayTime* dialog, const QString& typed, const char* button)
{
    auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("spinBox"));
    QVERIFY(spin);
    spin->selectAll();
    QTest::keyClicks(spin, typed);
    QTest::mouseClick(dialog->findChild<QToolButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

void ChooseFile(QFileDialog* dialog, const QString& path)
{
    // As the user types it into the file name field.
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field);
    field->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

} // namespace

class TestMacroPage : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Macro> page;
    std::unique_ptr<QSignalSpy> renames;
    std::unique_ptr<QSignalSpy> deletes;
    std::unique_ptr<QSignalSpy> saves;
    std::unique_ptr<QSignalSpy> added;

    QListWidget* Macros() const { return page->findChild<QListWidget*>(QStringLiteral("listWidgetHong")); }
    QListWidget* Events() const { return page->findChild<QListWidget*>(QStringLiteral("listWidgetKey")); }
    QToolButton* SaveButton() const { return page->findChild<QToolButton*>(QStringLiteral("Save")); }
    QCheckBox* Box(const char* name) const { return page->findChild<QCheckBox*>(QString::fromLatin1(name)); }
    QSpinBox* Spin(const char* name) const { return page->findChild<QSpinBox*>(QString::fromLatin1(name)); }

    void OpenPage()
    {
        page.reset(new Macro);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    QStringList Entries() const { return EntryTexts(page.get()); }

    QString Current() const { return CurrentEntry(page.get()); }

    QString EventTexts() const { return MacroTest::EventTexts(page.get()); }

    QPoint EntryPoint(const QString& name) const
    {
        const QList<QListWidgetItem*> items = Macros()->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? QPoint(-1, -1) : Macros()->visualItemRect(items.first()).center();
    }

    void ClickEntry(const QString& name)
    {
        const QPoint point = EntryPoint(name);
        QVERIFY2(point.x() >= 0, qPrintable(name));
        QTest::mouseClick(Macros()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }

    // A right click: on an entry it first makes the entry current.
    void RightClick(const QPoint& point)
    {
        QTest::mouseClick(Macros()->viewport(), Qt::RightButton, Qt::NoModifier, point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, Macros()->viewport()->mapToGlobal(point));
        QApplication::sendEvent(Macros()->viewport(), &event);
    }

    QPoint EmptyListPoint() const { return QPoint(10, Macros()->viewport()->height() - 5); }

    // Export of an entry, and import, through the list's menu and the file dialog.
    void ExportThroughMenu(const QString& entry, const QString& file)
    {
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroExport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, file); });
        RightClick(EntryPoint(entry));
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
    }

    void ImportThroughMenu(const QString& file)
    {
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, file); });
        RightClick(EmptyListPoint());
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
    }

    void ChooseEvent(int index)
    {
        auto* combo = page->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void SelectEvent(int row) { Events()->setCurrentRow(row); }

    bool SaveEnabledAndStyled() const
    {
        return SaveButton()->isEnabled() && SaveButton()->styleSheet().contains(QLatin1String("ButtonHover.png"));
    }

    bool SaveGreyed() const
    {
        return !SaveButton()->isEnabled() && SaveButton()->styleSheet().contains(QLatin1String("rgb(127,127,127)"));
    }

    bool NoHubSignals() const
    {
        return renames->isEmpty() && deletes->isEmpty() && saves->isEmpty() && added->isEmpty();
    }

    void MakeMacro(const QString& name, const QByteArray& content) { QVERIFY(WriteFile(MacroPath(name), content)); }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void init()
    {
        QDir folder(MacroFolder());
        folder.removeRecursively();
        QDir().mkpath(MacroFolder());
        macroRecording = false;
        PostMsg* hub = PostMsg::Instance();
        renames.reset(new QSignalSpy(hub, SIGNAL(SigMacroRename(QString, QString))));
        deletes.reset(new QSignalSpy(hub, SIGNAL(SigDeleteMacroButton(QString))));
        saves.reset(new QSignalSpy(hub, SIGNAL(SigUpDataMacro(QString, int))));
        added.reset(new QSignalSpy(hub, SIGNAL(SigAddMacroButton())));
    }

    void cleanup()
    {
        page.reset();
        macroRecording = false;
    }

    // ---- The macro list ------------------------------------------------------

    void listsTheMacroFiles()
    {
        MakeMacro("b", "1\r\n");
        MakeMacro("A", "1\r\n");
        QVERIFY(WriteFile(MacroFolder() + "/notes.xml", "<x/>"));
        QVERIFY(WriteFile(MacroFolder() + "/c.ini.ini", "1\r\n"));
        QVERIFY(WriteFile(MacroFolder() + "/x.txt", "1\r\n"));
        QVERIFY(WriteFile(MacroFolder() + "/.hidden.ini", "1\r\n"));
        QVERIFY(QDir().mkpath(MacroFolder() + "/folder.ini"));
        QVERIFY(QFile::link(MacroPath("A"), MacroFolder() + "/link.ini"));
        OpenPage();
        QCOMPARE(Entries(), (QStringList{"A", "b", "c", "x.txt"}));
        QCOMPARE(Current(), QStringLiteral("<none>"));
    }

    void startsWithNothingSelected()
    {
        OpenPage();
        QCOMPARE(EventTexts(), QString());
        QVERIFY(SaveGreyed());
        QVERIFY(Box("ReNumber")->isChecked());
        QVERIFY(Box("AutoInsertDelay")->isChecked());
        QCOMPARE(Spin("NumberEdit")->value(), 1);
        QCOMPARE(Spin("DelayTime")->value(), 10);
        QVERIFY(!page->findChild<QWidget*>(QStringLiteral("StopRecord"))->isVisible());
        QCOMPARE(page->size(), QSize(883, 630));
    }

    void textsComeFromTheLanguage()
    {
        OpenPage();
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("label"))->text(), Text("macro", "MacroList"));
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("label_2"))->text(), Text("macro", "KeyList"));
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("ReUntilLooseLabel"))->text(), Text("macro", "UntilThisReleased"));
        QCOMPARE(SaveButton()->text(), Text("common", "Save"));
        QCOMPARE(page->findChild<QToolButton*>(QStringLiteral("Amend"))->text(), Text("macro", "Modify"));
        QCOMPARE(page->findChild<QToolButton*>(QStringLiteral("NewHong"))->toolTip(), QString());
        auto* combo = page->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        const QString options = QStringLiteral("InsertEventOptions");
        QCOMPARE(entries, (QStringList{QString(), LanguageTables::Option(0, options, "0"),
                                       LanguageTables::Option(0, options, "1"), Text("macro", "Delay"),
                                       LanguageTables::Option(0, options, "2"), LanguageTables::Option(0, options, "3"),
                                       LanguageTables::Option(0, options, "4"), LanguageTables::Option(0, options, "5"),
                                       LanguageTables::Option(0, options, "6")}));
        QCOMPARE(combo->maxVisibleItems(), 5);
        // The mouse-button names follow the language, kept by bit.
        QCOMPARE(KeyNameTable::MouseBitToName(0x10), LanguageTables::Option(0, options, "5"));
        QCOMPARE(KeyNameTable::MouseBitToName(0x08), LanguageTables::Option(0, options, "6"));
        QVERIFY(!KeyNameTable::MouseBitToName(0x01).isEmpty());
    }

    void picturesOfThePageExist()
    {
        OpenPage();
        const QStringList pictures = NoticeTest::StyleSheetPictures(page.get());
        for (const char* picture : {"Up.png", "Down.png", "CheckBox.png", "CheckBoxCheck.png", "Button.png",
                                    "ButtonHover.png", "ButtonClick.png", "Record.png", "RecordHover.png",
                                    "Stop.png", "StopHover.png", "ComboboxBack.png", "Menu.png", "MenuClicked.png",
                                    "ComboboxTextBack.png"}) {
            QVERIFY2(pictures.contains(page->pictureFolder + picture), picture);
        }
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        for (const char* picture : {"MacroDown.png", "MacroUp.png", "MacroTime.png"})
            QVERIFY2(QFileInfo::exists(page->pictureFolder + picture), picture);
    }

    // ---- New, rename, delete -------------------------------------------------

    void newMacroIsAddedSelectedAndEmpty()
    {
        MakeMacro("Old", "253\r\n0x04 1 0\r\n");
        OpenPage();
        ClickEntry("Old");
        QVERIFY(Box("ReUntil")->isChecked());
        QString prompt;
        UiScript script;
        script.Dialog<QuestionDialog>([&](QuestionDialog* d) {
            prompt = d->findChild<QLabel*>(QStringLiteral("label"))->text();
            EnterName(d, "Game1");
        });
        Click(page.get(), "NewHong");
        QVERIFY(script.Done());
        QCOMPARE(prompt, Text("macro", "DialogInputMacroName"));
        QCOMPARE(Entries(), (QStringList{"Old", "Game1"}));
        QCOMPARE(Current(), QStringLiteral("Game1"));
        QCOMPARE(EventTexts(), QString());
        QVERIFY(Box("ReNumber")->isChecked());
        QCOMPARE(Spin("NumberEdit")->value(), 1);
        QVERIFY(QFileInfo(MacroPath("Game1")).isFile());
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray());
        QCOMPARE(ReadFile(MacroPath("Old")), QByteArray("253\r\n0x04 1 0\r\n"));
        QVERIFY(NoHubSignals());
    }

    void newMacroWithATakenName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a listed macro") << "Game1";
        // Listed at the next start only, but a macro all the same.
        QTest::newRow("a file made after the start") << "Late";
    }

    void newMacroWithATakenName()
    {
        QFETCH(QString, name);
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        OpenPage();
        MakeMacro("Late", "1\r\n0x05 1 0\r\n");
        const QStringList before = Entries();
        const auto files = FolderContent();
        QPoint questionAt;
        QPoint noticeAt;
        UiScript script;
        script.Dialog<QuestionDialog>([&](QuestionDialog* d) {
                  questionAt = d->pos();
                  EnterName(d, name);
              })
            .Dialog<SameMacro>([&](SameMacro* d) {
                noticeAt = d->pos();
                CloseNotice(d);
            });
        Click(page.get(), "NewHong");
        QVERIFY(script.Done());
        // Centred on the page, 100 to the left and 50 up.
        const QPoint origin = page->mapToGlobal(QPoint(0, 0));
        QCOMPARE(questionAt, origin + QPoint((883 - 300) / 2 - 100, (630 - 140) / 2 - 50));
        QCOMPARE(noticeAt, questionAt);
        QCOMPARE(Entries(), before);
        QCOMPARE(FolderContent(), files);
        QVERIFY(NoHubSignals());
    }

    void newMacroCancelledChangesNothing()
    {
        OpenPage();
        UiScript script;
        script.Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "Game1", "NewHong_2"); });
        Click(page.get(), "NewHong");
        QVERIFY(script.Done());
        QCOMPARE(Entries(), QStringList());
        QVERIFY(FolderContent().isEmpty());
    }

    void renameChangesEntryFileAndTellsTheButtonPage()
    {
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        OpenPage();
        ClickEntry("Game1");
        QStringList menu;
        QString prompt;
        UiScript script;
        script.Menu([&](QMenu* m) {
                  menu = MenuTexts(m);
                  ClickMenuItem(m, Text("macro", "Rename"));
              })
            .Dialog<QuestionDialog>([&](QuestionDialog* d) {
                prompt = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                EnterName(d, "Game2");
            });
        RightClick(EntryPoint("Game1"));
        QVERIFY(script.Done());
        QCOMPARE(menu, (QStringList{Text("macro", "MacroExport"), Text("macro", "Rename"), Text("macro", "Delete")}));
        QCOMPARE(prompt, Text("macro", "DialogInputMacroName"));
        QCOMPARE(Entries(), QStringList{"Game2"});
        QVERIFY(!QFile::exists(MacroPath("Game1")));
        QCOMPARE(ReadFile(MacroPath("Game2")), QByteArray("254\r\n0x04 1 0\r\n"));
        QCOMPARE(renames->size(), 1);
        QCOMPARE(renames->first(), (QVariantList{"Game1", "Game2"}));
    }

    void renameToATakenName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("its own name") << "Game1";
        QTest::newRow("another entry") << "Other";
    }

    void renameToATakenName()
    {
        QFETCH(QString, name);
        MakeMacro("Game1", "254\r\n");
        MakeMacro("Other", "1\r\n");
        OpenPage();
        ClickEntry("Game1");
        const auto files = FolderContent();
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "Rename")); })
            .Dialog<QuestionDialog>([&](QuestionDialog* d) { EnterName(d, name); })
            .Dialog<SameMacro>([](SameMacro* d) { CloseNotice(d); });
        RightClick(EntryPoint("Game1"));
        QVERIFY(script.Done());
        QCOMPARE(Entries(), (QStringList{"Game1", "Other"}));
        QCOMPARE(FolderContent(), files);
        QVERIFY(renames->isEmpty());
    }

    // A rename that cannot happen: the entry keeps its name, the button page
    // hears nothing, and a notice of the page's style says why.
    void failedRenameKeepsTheOldNameAndSaysWhy_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("reasonKey");
        // A file the list does not show stands in the way.
        QTest::newRow("name taken by a file") << "taken" << "ReasonFileExists";
        QTest::newRow("macro file gone") << "gone" << "ReasonFileMissing";
    }

    void failedRenameKeepsTheOldNameAndSaysWhy()
    {
        QFETCH(QString, cause);
        QFETCH(QString, reasonKey);
        MakeMacro("Game1", "254\r\n");
        OpenPage();
        if (cause == QLatin1String("taken"))
            MakeMacro("Game2", "1\r\n0x05 1 0\r\n");
        else
            QVERIFY(QFile::remove(MacroPath("Game1")));
        ClickEntry("Game1");
        const auto files = FolderContent();
        QString notice;
        QPoint noticeAt;
        QPoint questionAt;
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "Rename")); })
            .Dialog<QuestionDialog>([&](QuestionDialog* d) {
                questionAt = d->pos();
                EnterName(d, "Game2");
            })
            .Dialog<MacroFileNotice>([&](MacroFileNotice* d) {
                notice = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                noticeAt = d->pos();
                CloseNotice(d);
            });
        RightClick(EntryPoint("Game1"));
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QCOMPARE(notice, Text("macro", "DialogRenameFail") + "\n" + Text("macro", qPrintable(reasonKey)));
        QVERIFY(!Text("macro", qPrintable(reasonKey)).isEmpty());
        QCOMPARE(noticeAt, questionAt);
        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(FolderContent(), files);
        QVERIFY(renames->isEmpty());
    }

    // Every name the page takes is listed again, as itself, after a restart;
    // names the list would hide or change are refused with a notice.
    void namesComeBackAfterARestart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("plain") << "Game1" << true;
        QTest::newRow("dots inside") << "a..b" << true;
        QTest::newRow("XML in capitals") << "XMLgame" << true;
        QTest::newRow("xml") << "myxmlgame" << false;
        QTest::newRow("hidden") << ".game" << false;
        QTest::newRow("three dots") << "..." << false;
        QTest::newRow(".ini at the end") << "game.ini" << false;
    }

    void namesComeBackAfterARestart()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        OpenPage();
        QString notice;
        UiScript script;
        script.Dialog<QuestionDialog>([&](QuestionDialog* d) {
            // Pasted: the field refuses "." typed on the keyboard.
            d->findChild<QLineEdit*>(QStringLiteral("lineEdit"))->setText(name);
            QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
        });
        if (!taken) {
            script.Dialog<MacroFileNotice>([&](MacroFileNotice* d) {
                      notice = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                      CloseNotice(d);
                  })
                .Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "", "NewHong_2"); });
        }
        Click(page.get(), "NewHong");
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        if (taken) {
            QCOMPARE(Entries(), QStringList{name});
        } else {
            QCOMPARE(notice, Text("macro", "DialogNameRefused"));
            QCOMPARE(Entries(), QStringList());
            QVERIFY(FolderContent().isEmpty());
        }
        page.reset();
        OpenPage();
        QCOMPARE(Entries(), taken ? QStringList{name} : QStringList());
    }

    void menuOnAnEmptyPlaceOffersNewAndImport()
    {
        MakeMacro("Game1", "254\r\n");
        OpenPage();
        QStringList menu;
        UiScript script;
        script.Menu([&](QMenu* m) {
            menu = MenuTexts(m);
            m->close();
        });
        RightClick(EmptyListPoint());
        QVERIFY(script.Done());
        QCOMPARE(menu, (QStringList{Text("macro", "NewMacro"), Text("macro", "MacroImport")}));
    }

    void newMacroFromTheMenu()
    {
        OpenPage();
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "NewMacro")); })
            .Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "Game1"); });
        RightClick(EmptyListPoint());
        QVERIFY(script.Done());
        QCOMPARE(Entries(), QStringList{"Game1"});
        QVERIFY(QFile::exists(MacroPath("Game1")));
    }

    // However a new macro is started, its dialog asks for the name, as the
    // rename dialog does, and not to choose a macro first.
    void newMacroDialogAsksForAName_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("new button") << false;
        QTest::newRow("menu on an empty place") << true;
    }

    void newMacroDialogAsksForAName()
    {
        QFETCH(bool, fromMenu);
        OpenPage();
        QString prompt;
        UiScript script;
        if (fromMenu)
            script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "NewMacro")); });
        script.Dialog<QuestionDialog>([&](QuestionDialog* d) {
            prompt = d->findChild<QLabel*>(QStringLiteral("label"))->text();
            EnterName(d, "Game1");
        });
        if (fromMenu)
            RightClick(EmptyListPoint());
        else
            Click(page.get(), "NewHong");
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QCOMPARE(prompt, QStringLiteral("Enter a macro name"));
        QCOMPARE(Entries(), QStringList{"Game1"});
    }

    void deleteAfterConfirmation()
    {
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        MakeMacro("Game2", "1\r\n");
        OpenPage();
        ClickEntry("Game1");
        QVERIFY(!EventTexts().isEmpty());
        UiScript script;
        script.Dialog<DeleteConfirm>([](DeleteConfirm* d) {
            QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
        });
        Click(page.get(), "DeleteHong");
        QVERIFY(script.Done());
        QCOMPARE(Entries(), QStringList{"Game2"});
        QCOMPARE(Current(), QStringLiteral("<none>"));
        QCOMPARE(EventTexts(), QString());
        QVERIFY(!QFile::exists(MacroPath("Game1")));
        QVERIFY(QFile::exists(MacroPath("Game2")));
        QCOMPARE(deletes->size(), 1);
        QCOMPARE(deletes->first().first().toString(), Text("macro", "MacroSeond") + QStringLiteral("Game1"));
    }

    void deleteNotConfirmedChangesNothing()
    {
        MakeMacro("Game1", "254\r\n");
        OpenPage();
        ClickEntry("Game1");
        UiScript script;
        script.Dialog<DeleteConfirm>([](DeleteConfirm* d) { CloseNotice(d); });
        Click(page.get(), "DeleteHong");
        QVERIFY(script.Done());
        QCOMPARE(Entries(), QStringList{"Game1"});
        QVERIFY(QFile::exists(MacroPath("Game1")));
        QVERIFY(deletes->isEmpty());
    }

    void deleteWithoutASelectionAsksNothing()
    {
        MakeMacro("Game1", "254\r\n");
        OpenPage();
        UiScript script;
        Click(page.get(), "DeleteHong");
        QVERIFY(script.Seen().isEmpty());
        QCOMPARE(Entries(), QStringList{"Game1"});
    }

    void deleteFromTheMenu()
    {
        MakeMacro("Game1", "254\r\n");
        OpenPage();
        ClickEntry("Game1");
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "Delete")); })
            .Dialog<DeleteConfirm>([](DeleteConfirm* d) {
                QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
            });
        RightClick(EntryPoint("Game1"));
        QVERIFY(script.Done());
        QCOMPARE(Entries(), QStringList());
        QCOMPARE(deletes->size(), 1);
    }

    // A right click on another macro opens the menu for that macro; the
    // macro on show stays on show with its unsaved edits, and Save, the
    // insert box and the delete buttons still work on it.
    void rightClickLeavesTheMacroOnShow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("otherFile");
        QTest::newRow("menu dismissed") << "none" << QStringList{"A1", "B1"} << "B1";
        QTest::newRow("other macro renamed") << "rename" << QStringList{"A1", "C1"} << "C1";
        QTest::newRow("other macro deleted") << "delete" << QStringList{"A1"} << QString();
    }

    void rightClickLeavesTheMacroOnShow()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, entries);
        QFETCH(QString, otherFile);
        MakeMacro("A1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        MakeMacro("B1", "2\r\n0x05 1 0\r\n10ms\r\n0x05 1 1\r\n");
        OpenPage();
        ClickEntry("A1");
        SelectEvent(2);
        ChooseEvent(5);
        const QString edited = EventTexts();
        UiScript script;
        if (action == QLatin1String("none")) {
            script.Menu([](QMenu* m) { QTest::keyClick(m, Qt::Key_Escape); });
        } else if (action == QLatin1String("rename")) {
            script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "Rename")); })
                .Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "C1"); });
        } else {
            script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "Delete")); })
                .Dialog<DeleteConfirm>([](DeleteConfirm* d) {
                    QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
                });
        }
        RightClick(EntryPoint("B1"));
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QCOMPARE(Entries(), entries);
        QCOMPARE(Current(), QStringLiteral("A1"));
        QCOMPARE(EventTexts(), edited);
        QVERIFY(SaveEnabledAndStyled());

        Click(page.get(), "Save");
        QCOMPARE(ReadFile(MacroPath("A1")),
                 QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n10ms\r\n0x02 4 0\r\n10ms\r\n0x02 4 1\r\n"));
        if (!otherFile.isEmpty())
            QCOMPARE(ReadFile(MacroPath(otherFile)), QByteArray("2\r\n0x05 1 0\r\n10ms\r\n0x05 1 1\r\n"));
        QCOMPARE(FolderContent().size(), entries.size());
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->first(), (QVariantList{"A1", 0}));
    }

    // Whatever entry the list makes current when a menu closes (it picks
    // one when it gets the focus back), the page shows that macro: a change
    // of the repeat count and Save keep every macro's events.
    void closedMenuLeavesNoMacroWithoutItsEvents_data()
    {
        QTest::addColumn<bool>("onEntry");
        QTest::newRow("menu of an entry") << true;
        QTest::newRow("menu of an empty place") << false;
    }

    void closedMenuLeavesNoMacroWithoutItsEvents()
    {
        QFETCH(bool, onEntry);
        MakeMacro("A1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        MakeMacro("B1", "2\r\n0x05 1 0\r\n10ms\r\n0x05 1 1\r\n");
        OpenPage();
        UiScript script;
        script.Menu([](QMenu* m) { QTest::keyClick(m, Qt::Key_Escape); });
        RightClick(onEntry ? EntryPoint("B1") : EmptyListPoint());
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        Spin("NumberEdit")->setValue(3);
        Click(page.get(), "Save");
        QCOMPARE(ReadFile(MacroPath("A1")).mid(1), QByteArray("\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n"));
        QCOMPARE(ReadFile(MacroPath("B1")).mid(1), QByteArray("\r\n0x05 1 0\r\n10ms\r\n0x05 1 1\r\n"));
    }

    // Moving through the list by keyboard shows each macro it reaches, so
    // what Save writes into a macro's file is that macro's events.
    void keysMovingThroughTheListShowEachMacro()
    {
        MakeMacro("A1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        MakeMacro("B1", "254\r\n0x05 1 0\r\n10ms\r\n0x05 1 1\r\n");
        OpenPage();
        ClickEntry("A1");
        QTest::keyClick(Macros(), Qt::Key_Down);
        QCOMPARE(Current(), QStringLiteral("B1"));
        QCOMPARE(EventTexts(), QStringLiteral("vB 10ms ^B"));
        QVERIFY(Box("ReUntilLoose")->isChecked());
        QVERIFY(SaveGreyed());
        SelectEvent(2);
        ChooseEvent(4);
        Click(page.get(), "Save");
        QCOMPARE(ReadFile(MacroPath("A1")), QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n"));
        QCOMPARE(ReadFile(MacroPath("B1")),
                 QByteArray("254\r\n0x05 1 0\r\n10ms\r\n0x05 1 1\r\n10ms\r\n0x01 4 0\r\n10ms\r\n0x01 4 1\r\n"));

        QTest::keyClick(Macros(), Qt::Key_Up);
        QCOMPARE(Current(), QStringLiteral("A1"));
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A"));
        QVERIFY(Box("ReNumber")->isChecked());
    }

    // While a recording runs, the editing buttons only ask to stop it first.
    void recordingBlocksEditing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("new") << "NewHong";
        QTest::newRow("delete") << "DeleteHong";
        QTest::newRow("change") << "Amend";
        QTest::newRow("delete event") << "DeleteKey";
        QTest::newRow("save") << "Save";
    }

    void recordingBlocksEditing()
    {
        QFETCH(QString, button);
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(1);
        ChooseEvent(4);
        QVERIFY(SaveEnabledAndStyled());
        const QString events = EventTexts();
        const auto files = FolderContent();
        macroRecording = true;
        QString message;
        UiScript script;
        script.Dialog<ExeIsRun>([&](ExeIsRun* d) {
            message = d->findChild<QLabel*>(QStringLiteral("label"))->text();
            CloseNotice(d);
        });
        Click(page.get(), qPrintable(button));
        QVERIFY(script.Done());
        QCOMPARE(message, Text("macro", "DialogStopRecordFirst"));
        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(EventTexts(), events);
        QCOMPARE(FolderContent(), files);
        QVERIFY(NoHubSignals());
    }

    // ---- Selecting and saving ------------------------------------------------

    void selectingLoadsTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("events");
        QTest::newRow("until released") << QByteArray("254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n") << "ReUntilLoose" << 1
                                        << "vA 10ms ^A";
        QTest::newRow("until any pressed") << QByteArray("255\n0x10 0 0\n5ms\n0x10 0 1\n") << "ReUntilClick" << 1
                                           << "vRCtrl 5ms ^RCtrl";
        QTest::newRow("until pressed again") << QByteArray("253\r\n") << "ReUntil" << 1 << "";
        QTest::newRow("250 times") << QByteArray("250\r\n") << "ReNumber" << 250 << "";
        QTest::newRow("251 reads as once") << QByteArray("251\r\n") << "ReNumber" << 1 << "";
        QTest::newRow("no number reads as once") << QByteArray("abc\r\n") << "ReNumber" << 1 << "";
    }

    void selectingLoadsTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, box);
        QFETCH(int, count);
        QFETCH(QString, events);
        MakeMacro("Game1", content);
        OpenPage();
        Box("ReUntil")->setChecked(true);
        Spin("NumberEdit")->setValue(7);
        ClickEntry("Game1");
        QVERIFY(Box(qPrintable(box))->isChecked());
        QCOMPARE(Spin("NumberEdit")->value(), box == QLatin1String("ReNumber") ? count : 7);
        QCOMPARE(EventTexts(), events);
        // Loading is no change: Save stays grey.
        QVERIFY(SaveGreyed());
    }

    // An empty file leaves the repeat controls as they are.
    void selectingAnEmptyMacroKeepsTheRepeatControls()
    {
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        MakeMacro("Empty", "");
        OpenPage();
        ClickEntry("Game1");
        ClickEntry("Empty");
        QVERIFY(Box("ReUntilLoose")->isChecked());
        QCOMPARE(EventTexts(), QString());
        QVERIFY(SaveGreyed());
    }

    void saveWritesTheExactFile()
    {
        MakeMacro("Game1", "1\r\n");
        OpenPage();
        ClickEntry("Game1");
        // As recording fills the list.
        page->AppendKeyItem(QStringLiteral("A"), true);
        page->AppendDelayItem(10);
        page->AppendKeyItem(QStringLiteral("A"), false);
        QTest::mouseClick(Box("ReUntilLoose"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(Box("ReUntilLoose")->isChecked());
        QVERIFY(SaveEnabledAndStyled());
        Click(page.get(), "Save");
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n"));
        QVERIFY(SaveGreyed());
    }

    void saveTellsWhatChanged()
    {
        MakeMacro("Game1", "1\r\n");
        OpenPage();
        ClickEntry("Game1");
        ChooseEvent(4);
        Spin("NumberEdit")->setValue(3);
        Click(page.get(), "Save");
        QCOMPARE(saves->size(), 2);
        QCOMPARE(saves->at(0), (QVariantList{"Game1", 0}));
        QCOMPARE(saves->at(1), (QVariantList{"Game1", 1}));
        const QByteArray left = QByteArrayLiteral("0x01 4 ");
        QCOMPARE(ReadFile(MacroPath("Game1")), "3\r\n" + left + "0\r\n10ms\r\n" + left + "1\r\n");
        // Nothing changed since: Save is grey; run anyway, it writes the
        // file and raises nothing.
        QVERIFY(SaveGreyed());
        QFile::remove(MacroPath("Game1"));
        QVERIFY(QMetaObject::invokeMethod(page.get(), "on_Save_clicked"));
        QCOMPARE(saves->size(), 2);
        QCOMPARE(ReadFile(MacroPath("Game1")), "3\r\n" + left + "0\r\n10ms\r\n" + left + "1\r\n");
    }

    // A disk that cannot take the file: the old file stays whole, nothing is
    // reported as saved, Save stays ready for another try, and the page's
    // notice says so with the system's reason.
    void saveOnAFullDiskKeepsTheOldFileAndSaysSo()
    {
        const QByteArray old("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        MakeMacro("Game1", old);
        OpenPage();
        ClickEntry("Game1");
        for (int i = 0; i < 20; ++i) {
            page->AppendDelayItem(10);
            page->AppendKeyItem(QStringLiteral("B"), i % 2 == 0);
        }
        page->AppendDelayItem(10);
        page->AppendKeyItem(QStringLiteral("B"), false);
        ChooseEvent(4);
        QString notice;
        {
            UiScript script;
            script.Dialog<MacroFileNotice>([&](MacroFileNotice* d) {
                notice = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                CloseNotice(d);
            });
            FileSizeLimit fullDisk(64);
            Click(page.get(), "Save");
            QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        }
        QCOMPARE(ReadFile(MacroPath("Game1")), old);
        QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Game1.ini"});
        QVERIFY(notice.startsWith(Text("macro", "DialogSaveFail") + "\n"));
        QVERIFY(notice.size() > Text("macro", "DialogSaveFail").size() + 1);
        QVERIFY(saves->isEmpty());
        QVERIFY(SaveEnabledAndStyled());

        // Room again: the retry saves.
        Click(page.get(), "Save");
        QVERIFY(ReadFile(MacroPath("Game1")).size() > 64);
        QCOMPARE(saves->size(), 1);
    }

    void saveOfRepeatChangeOnly()
    {
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n");
        OpenPage();
        ClickEntry("Game1");
        QTest::mouseClick(Box("ReUntilClick"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        Click(page.get(), "Save");
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->at(0), (QVariantList{"Game1", 1}));
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("255\r\n0x04 1 0\r\n"));
    }

    // A click on another macro waiting in the queue while Save runs cannot
    // put this macro's events into the other macro's file.
    void saveWritesTheMacroItWasClickedFor()
    {
        MakeMacro("A1", "1\r\n0x04 1 0\r\n");
        MakeMacro("B1", "2\r\n0x05 1 0\r\n");
        OpenPage();
        ClickEntry("A1");
        ChooseEvent(5);
        const QPoint other = EntryPoint("B1");
        QWidget* viewport = Macros()->viewport();
        QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonPress, other, Qt::LeftButton,
                                                              Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonRelease, other, Qt::LeftButton,
                                                              Qt::NoButton, Qt::NoModifier));
        Click(page.get(), "Save");
        QCoreApplication::processEvents();
        QTRY_COMPARE(Current(), QStringLiteral("B1"));
        QCOMPARE(ReadFile(MacroPath("A1")),
                 QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x02 4 0\r\n10ms\r\n0x02 4 1\r\n"));
        QCOMPARE(ReadFile(MacroPath("B1")), QByteArray("2\r\n0x05 1 0\r\n"));
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->first(), (QVariantList{"A1", 0}));
    }

    void saveWithoutASelectionOnlyGreys()
    {
        OpenPage();
        Spin("NumberEdit")->setValue(4);
        QVERIFY(SaveEnabledAndStyled());
        Click(page.get(), "Save");
        QVERIFY(SaveGreyed());
        QVERIFY(FolderContent().isEmpty());
        QVERIFY(saves->isEmpty());
    }

    // ---- Event list editing --------------------------------------------------

    void mouseButtonEntriesInsertAClick_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("line");
        QTest::newRow("left") << 4 << "0x01 4";
        QTest::newRow("right") << 5 << "0x02 4";
        QTest::newRow("middle") << 6 << "0x04 4";
        QTest::newRow("forward") << 7 << "0x10 4";
        QTest::newRow("back") << 8 << "0x08 4";
    }

    void mouseButtonEntriesInsertAClick()
    {
        QFETCH(int, entry);
        QFETCH(QString, line);
        MakeMacro("Game1", "1\r\n");
        OpenPage();
        ClickEntry("Game1");
        ChooseEvent(entry);
        const QString name = page->findChild<QComboBox*>(QStringLiteral("ChooseEvent"))->itemText(entry);
        QCOMPARE(EventTexts(), QStringLiteral("v%1 10ms ^%1").arg(name));
        QVERIFY(SaveEnabledAndStyled());
        Click(page.get(), "Save");
        QCOMPARE(QString::fromUtf8(ReadFile(MacroPath("Game1"))), QStringLiteral("1\r\n%1 0\r\n10ms\r\n%1 1\r\n").arg(line));
    }

    void insertingAfterTheLastKey()
    {
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(2);
        ChooseEvent(4);
        const QString left = MouseButtonNames[0];
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A 10ms v%1 10ms ^%1").arg(left));
    }

    void nothingIsInsertedWithoutAMacro()
    {
        OpenPage();
        ChooseEvent(4);
        ChooseEvent(0);
        QCOMPARE(EventTexts(), QString());
        QVERIFY(SaveGreyed());
    }

    void deleteEventButton_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("after");
        QTest::newRow("a pause and its key") << 3 << "vA 20ms vC";
        QTest::newRow("a key and its pause") << 2 << "vA 20ms vC";
        QTest::newRow("the last key") << 4 << "vA 20ms ^A";
    }

    void deleteEventButton()
    {
        QFETCH(int, row);
        QFETCH(QString, after);
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n20ms\r\n0x04 1 1\r\n30ms\r\n0x06 1 0\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(row);
        Click(page.get(), "DeleteKey");
        QCOMPARE(EventTexts(), after);
        QVERIFY(SaveEnabledAndStyled());
        Click(page.get(), "Save");
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->first(), (QVariantList{"Game1", 0}));
    }

    void deleteEventEmptiesAShortList()
    {
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n20ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        Click(page.get(), "DeleteKey");
        QCOMPARE(EventTexts(), QString());
        QVERIFY(SaveEnabledAndStyled());
    }

    // The delay entry: the dialog opens over the page's centre, 50 left and
    // 70 up, and the typed delay replaces the pause before the selected key.
    void delayEntryReplacesThePauseBeforeTheKey()
    {
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n10ms\r\n0x05 1 0\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(2);
        QPoint at;
        QPoint expected;
        UiScript script;
        script.Dialog<AddDelayTime>([&](AddDelayTime* d) {
            at = d->pos();
            const QPoint origin = page->mapToGlobal(QPoint(0, 0));
            expected = origin + QPoint((page->width() - d->width()) / 2 - 50, (page->height() - d->height()) / 2 - 70);
            TypeDelay(d, "300", "NewHong");
        });
        ChooseEvent(3);
        QVERIFY(script.Done());
        QCOMPARE(at, expected);
        QCOMPARE(EventTexts(), QStringLiteral("vA 300ms vB"));
        QCOMPARE(Events()->currentRow(), 1);
        QVERIFY(SaveEnabledAndStyled());
        Click(page.get(), "Save");
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("1\r\n0x04 1 0\r\n300ms\r\n0x05 1 0\r\n"));
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->first(), (QVariantList{"Game1", 0}));
    }

    // With the first row current there is no pause before it: nothing
    // changes, yet the events count as changed.
    void delayEntryOnTheFirstRowChangesNothing()
    {
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(0);
        UiScript script;
        script.Dialog<AddDelayTime>([&](AddDelayTime* d) { TypeDelay(d, "300", "NewHong"); });
        ChooseEvent(3);
        QVERIFY(script.Done());
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A"));
        QVERIFY(SaveEnabledAndStyled());
    }

    void changingAPauseTakesTheTypedDelay()
    {
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(1);
        QPoint at;
        QPoint expected;
        UiScript script;
        script.Dialog<AddDelayTime>([&](AddDelayTime* d) {
            at = d->pos();
            const QPoint origin = page->mapToGlobal(QPoint(0, 0));
            expected = origin + QPoint((page->width() - d->width()) / 2 - 50, (page->height() - d->height()) / 2 - 70);
            TypeDelay(d, "65535", "NewHong");
        });
        Click(page.get(), "Amend");
        QVERIFY(script.Done());
        QCOMPARE(at, expected);
        QCOMPARE(EventTexts(), QStringLiteral("vA 65535ms ^A"));
        QVERIFY(SaveEnabledAndStyled());
        Click(page.get(), "Save");
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("1\r\n0x04 1 0\r\n65535ms\r\n0x04 1 1\r\n"));
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->first(), (QVariantList{"Game1", 0}));
    }

    void dismissedDelayDialogChangesNothing_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("button");
        QTest::newRow("insert, cancel") << "ChooseEvent" << "NewHong_2";
        QTest::newRow("insert, close") << "ChooseEvent" << "CloseButton";
        QTest::newRow("change, cancel") << "Amend" << "NewHong_2";
        QTest::newRow("change, close") << "Amend" << "CloseButton";
    }

    void dismissedDelayDialogChangesNothing()
    {
        QFETCH(QString, opener);
        QFETCH(QString, button);
        MakeMacro("Game1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        SelectEvent(opener == QLatin1String("Amend") ? 1 : 2);
        UiScript script;
        script.Dialog<AddDelayTime>([&](AddDelayTime* d) { TypeDelay(d, "300", qPrintable(button)); });
        if (opener == QLatin1String("Amend"))
            Click(page.get(), "Amend");
        else
            ChooseEvent(3);
        QVERIFY(script.Done());
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A"));
        QVERIFY(SaveGreyed());
        QVERIFY(NoHubSignals());
    }

    void delayTimeStopsAt65535()
    {
        OpenPage();
        QSpinBox* delay = Spin("DelayTime");
        delay->selectAll();
        QTest::keyClicks(delay, QStringLiteral("99999"));
        QCOMPARE(delay->value(), 65535);
    }

    // ---- Export and import ---------------------------------------------------

    void exportThenImportGivesTheSameMacro()
    {
        const QByteArray content("254\r\n0x04 1 0\r\n10ms\r\n0x10 4 0\r\n25ms\r\n0x10 4 1\r\n12ms\r\n0x04 1 1\r\n");
        MakeMacro("Game1", content);
        OpenPage();
        ClickEntry("Game1");
        const QString events = EventTexts();
        QTemporaryDir dir;
        const QString exported = dir.filePath("game1-export.ini");

        // Each script plays one click; a finished one would close the next
        // click's windows as strays, so each lives in its own block.
        ExportThroughMenu("Game1", exported);
        QVERIFY(QFileInfo(exported).size() > 0);

        // The macro goes, then comes back from the export file.
        {
            UiScript script;
            script.Dialog<DeleteConfirm>([](DeleteConfirm* d) {
                QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
            });
            Click(page.get(), "DeleteHong");
            QVERIFY(script.Done());
        }
        QVERIFY(FolderContent().isEmpty());
        Box("ReUntil")->setChecked(true);
        saves->clear();
        deletes->clear();

        ImportThroughMenu(exported);
        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(Current(), QStringLiteral("Game1"));
        QCOMPARE(EventTexts(), events);
        QVERIFY(Box("ReUntilLoose")->isChecked());
        QCOMPARE(ReadFile(MacroPath("Game1")), content);
        QVERIFY(NoHubSignals());
    }

    // The export writes the macro under the right click, whichever macro is
    // on show, and the file brings that macro back through the import.
    void exportWritesTheMacroUnderTheRightClick_data()
    {
        QTest::addColumn<bool>("otherOnShow");
        QTest::newRow("no macro on show") << false;
        QTest::newRow("another macro on show, edited") << true;
    }

    void exportWritesTheMacroUnderTheRightClick()
    {
        QFETCH(bool, otherOnShow);
        const QByteArray content("253\r\n0x05 1 0\r\n25ms\r\n0x10 4 0\r\n12ms\r\n0x10 4 1\r\n30ms\r\n0x05 1 1\r\n");
        MakeMacro("A1", "1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        MakeMacro("B1", content);
        OpenPage();
        QString shown;
        if (otherOnShow) {
            ClickEntry("A1");
            ChooseEvent(4);
            shown = EventTexts();
        }
        QTemporaryDir dir;
        const QString exported = dir.filePath("b1-export.ini");
        ExportThroughMenu("B1", exported);
        MacroExportFile::Content written;
        QCOMPARE(MacroExportFile::Read(ReadFile(exported), &written), MacroExportFile::ReadStatus::Ok);
        QCOMPARE(written.name, QStringLiteral("B1"));
        QCOMPARE(written.modeText, QStringLiteral("253"));
        QList<MacroEvent> events;
        for (const MacroExportFile::Item& item : written.items)
            events.append(item.event);
        QCOMPARE(events, MacroTextFile::Parse(content).events);
        if (otherOnShow) {
            QCOMPARE(Current(), QStringLiteral("A1"));
            QCOMPARE(EventTexts(), shown);
        }

        // B1 goes, then comes back from the export file.
        {
            UiScript script;
            script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "Delete")); })
                .Dialog<DeleteConfirm>([](DeleteConfirm* d) {
                    QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
                });
            RightClick(EntryPoint("B1"));
            QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        }
        QVERIFY(!QFile::exists(MacroPath("B1")));
        ImportThroughMenu(exported);
        QCOMPARE(Entries(), (QStringList{"A1", "B1"}));
        QCOMPARE(Current(), QStringLiteral("B1"));
        QCOMPARE(ReadFile(MacroPath("B1")), content);
        QCOMPARE(ReadFile(MacroPath("A1")), QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n"));
    }

    // A macro whose file went away cannot be exported: the notice says so
    // and no file is asked for.
    void exportOfAMacroWhoseFileIsGoneSaysSo()
    {
        MakeMacro("A1", "1\r\n");
        MakeMacro("B1", "1\r\n0x05 1 0\r\n");
        OpenPage();
        ClickEntry("A1");
        QVERIFY(QFile::remove(MacroPath("B1")));
        QString notice;
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroExport")); })
            .Dialog<MacroFileNotice>([&](MacroFileNotice* d) {
                notice = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                CloseNotice(d);
            });
        RightClick(EntryPoint("B1"));
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QCOMPARE(script.Seen(), (QStringList{"QMenu", "MacroFileNotice"}));
        QCOMPARE(notice, Text("macro", "DialogExportFail") + "\n" + Text("macro", "ReasonFileMissing"));
    }

    // A name typed without a suffix gets ".ini", which the import's dialog
    // lists; a file the user did not name is never replaced unasked. The
    // folder's name has a dot, so the dialog adds no suffix itself (as some
    // platforms' dialogs never do).
    void exportFileNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("iniExists");
        QTest::addColumn<QString>("written");
        QTest::newRow("no suffix") << "game" << false << "game.ini";
        QTest::newRow(".ini") << "game.ini" << false << "game.ini";
        QTest::newRow("another suffix") << "game.txt" << false << "game.txt";
        QTest::newRow("game.ini beside a typed game") << "game" << true << "game";
    }

    void exportFileNames()
    {
        QFETCH(QString, typed);
        QFETCH(bool, iniExists);
        QFETCH(QString, written);
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        QTemporaryDir dir;
        const QString folder = dir.filePath("exports.d");
        QVERIFY(QDir().mkpath(folder));
        const QByteArray other("someone else's file");
        if (iniExists)
            QVERIFY(WriteFile(folder + "/game.ini", other));
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroExport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, folder + "/" + typed); });
        RightClick(EntryPoint("Game1"));
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QCOMPARE(script.Seen(), (QStringList{"QMenu", "QFileDialog"}));
        QStringList files{written};
        if (iniExists) {
            files << "game.ini";
            QCOMPARE(ReadFile(folder + "/game.ini"), other);
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), files);
        MacroExportFile::Content content;
        QCOMPARE(MacroExportFile::Read(ReadFile(folder + "/" + written), &content), MacroExportFile::ReadStatus::Ok);
        QCOMPARE(content.name, QStringLiteral("Game1"));
        QCOMPARE(content.items.size(), 3);
    }

    void importOfATakenNameChangesNothing()
    {
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        OpenPage();
        MacroExportFile::Content content;
        content.name = QStringLiteral("Game1");
        content.modeText = QStringLiteral("1");
        content.items = {{{QStringLiteral("B"), false}, QIcon()}};
        QTemporaryDir dir;
        const QString file = dir.filePath("x.ini");
        QVERIFY(WriteFile(file, MacroExportFile::Write(content)));
        const auto files = FolderContent();
        UiScript script;
        QPoint noticeAt;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, file); })
            .Dialog<SameMacro>([&](SameMacro* d) {
                noticeAt = d->pos();
                CloseNotice(d);
            });
        RightClick(EmptyListPoint());
        QVERIFY(script.Done());
        // The import centres it as if it were 110 high.
        QCOMPARE(noticeAt, page->mapToGlobal(QPoint(0, 0)) + QPoint((883 - 300) / 2 - 100, (630 - 110) / 2 - 50));
        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(FolderContent(), files);
    }

    void badImportFileChangesNothingAndSaysSo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        MacroExportFile::Content content;
        content.name = QStringLiteral("New1");
        content.modeText = QStringLiteral("254");
        content.items = {{{QStringLiteral("A"), false}, QIcon()},
                         {{QStringLiteral("10ms"), false}, QIcon()},
                         {{QStringLiteral("A"), true}, QIcon()}};
        const QByteArray good = MacroExportFile::Write(content);
        QByteArray wrongTag = good;
        wrongTag[4] = 'X';
        QByteArray hugeCount = good;
        const int countAt = 4 + 12 + 4 + 48 + 4 + 12;
        hugeCount[countAt] = char(0x7F);
        content.name = QStringLiteral("../New1");
        const QByteArray escaping = MacroExportFile::Write(content);
        QTest::newRow("wrong tag") << wrongTag;
        QTest::newRow("truncated") << good.left(good.size() - 3);
        QTest::newRow("huge item count") << hugeCount;
        QTest::newRow("name leaving the folder") << escaping;
        QTest::newRow("not a data stream") << QByteArray("254\r\n0x04 1 0\r\n");
    }

    void badImportFileChangesNothingAndSaysSo()
    {
        QFETCH(QByteArray, bytes);
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        OpenPage();
        ClickEntry("Game1");
        const QString events = EventTexts();
        QTemporaryDir dir;
        const QString file = dir.filePath("bad.ini");
        QVERIFY(WriteFile(file, bytes));
        const auto files = FolderContent();
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, file); })
            .Dialog<MacroImportFail>([](MacroImportFail* d) { CloseNotice(d); });
        RightClick(EmptyListPoint());
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(Current(), QStringLiteral("Game1"));
        QCOMPARE(EventTexts(), events);
        QCOMPARE(FolderContent(), files);
        QVERIFY(!QFile::exists(MacroFolder() + "/../New1.ini"));
    }

    // What the file dialog lets the user pick that is no file of any kind
    // (a FIFO no one writes to, an endless device, a file far larger than
    // any export): the page must not wait or read it, and says it cannot
    // import it. (The dialog itself refuses a folder or a looping link.)
    void importOfWhatIsNoExportFileSaysSoAtOnce_data()
    {
        QTest::addColumn<BadFileKind>("kind");
        for (BadFileKind kind : {BadFileKind::Fifo, BadFileKind::ZeroDevice, BadFileKind::RandomDeviceLink,
                                 BadFileKind::OneByteTooLarge, BadFileKind::HugeSparse})
            QTest::newRow(BadFileKindName(kind)) << kind;
    }

    void importOfWhatIsNoExportFileSaysSoAtOnce()
    {
        QFETCH(BadFileKind, kind);
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        OpenPage();
        QTemporaryDir dir;
        const QString file = dir.filePath("bad.ini");
        BadFile bad(kind, file, MacroExportFile::MaxFileBytes);
        QVERIFY(bad.Placed());
        const auto files = FolderContent();
        QElapsedTimer timer;
        qint64 took = -1;
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) {
                timer.start();
                ChooseFile(d, file);
            })
            .Dialog<MacroImportFail>([&](MacroImportFail* d) {
                took = timer.elapsed();
                CloseNotice(d);
            });
        RightClick(EmptyListPoint());
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QVERIFY2(took >= 0 && took < 3000, qPrintable(QString::number(took)));
        QCOMPARE(Entries(), QStringList{"Game1"});
        QCOMPARE(FolderContent(), files);
        QVERIFY(bad.StillThere());
    }

    // The file dialogs start in the user's home folder, with no file name typed in.
    void fileDialogsStartInTheHomeFolder()
    {
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n");
        OpenPage();
        ClickEntry("Game1");
        QStringList folders;
        QStringList typed;
        auto look = [&](QFileDialog* d) {
            folders << d->directory().absolutePath();
            typed << d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            d->reject();
        };
        {
            UiScript script;
            script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroExport")); }).Dialog<QFileDialog>(look);
            RightClick(EntryPoint("Game1"));
            QVERIFY(script.Done());
        }
        {
            UiScript script;
            script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); }).Dialog<QFileDialog>(look);
            RightClick(EmptyListPoint());
            QVERIFY(script.Done());
        }
        const QString home = QDir(QDir::homePath()).absolutePath();
        QCOMPARE(folders, (QStringList{home, home}));
        QCOMPARE(typed, (QStringList{QString(), QString()}));
        QCOMPARE(Entries(), QStringList{"Game1"});
    }

    // Imported items show the page's own press, release and delay pictures,
    // whatever pictures the file carries.
    void importedItemsShowThePagesPictures()
    {
        QPixmap red(16, 16);
        red.fill(Qt::red);
        MacroExportFile::Content content;
        content.name = QStringLiteral("New1");
        content.modeText = QStringLiteral("1");
        content.items = {{{QStringLiteral("A"), false}, QIcon(red)},
                         {{QStringLiteral("10ms"), false}, QIcon(red)},
                         {{QStringLiteral("A"), true}, QIcon(red)}};
        QTemporaryDir dir;
        const QString file = dir.filePath("red.ini");
        QVERIFY(WriteFile(file, MacroExportFile::Write(content)));
        OpenPage();
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, file); });
        RightClick(EmptyListPoint());
        QVERIFY(script.Done());
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A"));
        const QString folder = MacroPageStyle::PictureFolder();
        const QStringList pictures{"MacroDown.png", "MacroTime.png", "MacroUp.png"};
        for (int row = 0; row < 3; ++row) {
            const QImage shown = Events()->item(row)->icon().pixmap(16, 16).toImage();
            const QImage own = QIcon(folder + pictures.at(row)).pixmap(16, 16).toImage();
            QVERIFY2(!own.isNull(), qPrintable(pictures.at(row)));
            QCOMPARE(shown, own);
        }
    }

    // Export and import write through the same checked writer as Save: a
    // disk that cannot take the file leaves no cut file and says so.
    void exportOnAFullDiskSaysSo()
    {
        MakeMacro("Game1", "254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        OpenPage();
        ClickEntry("Game1");
        QTemporaryDir dir;
        const QString exported = dir.filePath("game1.ini");
        QVERIFY(WriteFile(exported, "before"));
        std::unique_ptr<FileSizeLimit> fullDisk;
        QString notice;
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroExport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, exported); })
            .Dialog<QMessageBox>([&](QMessageBox* m) {
                // Replace the file that is there.
                fullDisk.reset(new FileSizeLimit(40));
                m->button(QMessageBox::Yes)->click();
            })
            .Dialog<MacroFileNotice>([&](MacroFileNotice* d) {
                fullDisk.reset();
                notice = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                CloseNotice(d);
            });
        RightClick(EntryPoint("Game1"));
        fullDisk.reset();
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QVERIFY(notice.startsWith(Text("macro", "DialogExportFail") + "\n"));
        QCOMPARE(ReadFile(exported), QByteArray("before"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"game1.ini"});
    }

    void importOnAFullDiskAddsNothingAndSaysSo()
    {
        MacroExportFile::Content content;
        content.name = QStringLiteral("New1");
        content.modeText = QStringLiteral("254");
        for (int i = 0; i < 20; ++i) {
            content.items.append({{QStringLiteral("A"), false}, QIcon()});
            content.items.append({{QStringLiteral("10ms"), false}, QIcon()});
            content.items.append({{QStringLiteral("A"), true}, QIcon()});
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("new1.ini");
        QVERIFY(WriteFile(file, MacroExportFile::Write(content)));
        OpenPage();
        std::unique_ptr<FileSizeLimit> fullDisk;
        QString notice;
        UiScript script;
        script.Menu([](QMenu* m) { ClickMenuItem(m, Text("macro", "MacroImport")); })
            .Dialog<QFileDialog>([&](QFileDialog* d) {
                fullDisk.reset(new FileSizeLimit(64));
                ChooseFile(d, file);
            })
            .Dialog<MacroFileNotice>([&](MacroFileNotice* d) {
                fullDisk.reset();
                notice = d->findChild<QLabel*>(QStringLiteral("label"))->text();
                CloseNotice(d);
            });
        RightClick(EmptyListPoint());
        fullDisk.reset();
        QVERIFY2(script.Done(), qPrintable(script.Seen().join(", ")));
        QVERIFY(notice.startsWith(Text("macro", "DialogSaveFail") + "\n"));
        QCOMPARE(Entries(), QStringList());
        QVERIFY(FolderContent().isEmpty());
    }

    void importFailNoticeText()
    {
        MacroImportFail notice;
        QVERIFY(!Text("macro", "DialogImportFail").isEmpty());
        QCOMPARE(notice.findChild<QLabel*>(QStringLiteral("label"))->text(), Text("macro", "DialogImportFail"));
    }

    // ---- Keys and mouse on the page ------------------------------------------

    void escapeAndF12StayOnThePage()
    {
        class Parent : public QWidget {
        public:
            QList<int> keys;

        protected:
            void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
        };
        Parent parent;
        auto* child = new Macro(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QTest::keyClick(child, Qt::Key_Escape);
        QTest::keyClick(child, Qt::Key_F12);
        QTest::keyClick(child, Qt::Key_F5);
        QCOMPARE(parent.keys, QList<int>{Qt::Key_F5});
    }

    void clickOnThePageTakesTheFocusFromTheSpinBoxes()
    {
        OpenPage();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        QSpinBox* count = Spin("NumberEdit");
        count->setFocus();
        QVERIFY(count->hasFocus());
        QTest::mouseClick(page.get(), Qt::LeftButton, Qt::NoModifier, QPoint(850, 600));
        QVERIFY(!count->hasFocus());
        QVERIFY(page->hasFocus());
    }
};

QTEST_MAIN(TestMacroPage)
#include "tst_macropage.moc"
