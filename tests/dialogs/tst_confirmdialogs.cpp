// The two questions: what they ask, and what their caller reads back in
// `confirmed` after each way of ending them.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/ContainReset.h"
#include "dialogs/DeleteConfirm.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

using namespace NoticeTest;

class TestConfirmDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void containResetAsksTheRestoreQuestion()
    {
        ContainReset dialog;
        QVERIFY(!Text("Settings", "DialogRestore").isEmpty());
        QCOMPARE(LabelOf(&dialog)->text(), Text("Settings", "DialogRestore"));
        QCOMPARE(ButtonOf(&dialog, QStringLiteral("OK"))->text(), Text("common", "OK"));
        QCOMPARE(ButtonOf(&dialog, QStringLiteral("Cancel"))->text(), Text("common", "Cancel"));
        QVERIFY(!dialog.confirmed);
    }

    void containResetAnswer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Return") << "Return" << true;
        QTest::newRow("OK") << "OK" << true;
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("Cancel") << "Cancel" << false;
        QTest::newRow("close button") << "CloseButton" << false;
    }

    void containResetAnswer()
    {
        QFETCH(QString, how);
        QFETCH(bool, confirmed);
        ContainReset dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { Answer(&dialog, how); }));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.confirmed, confirmed);
    }

    void setQuestionTextReplacesTheQuestion_data()
    {
        QTest::addColumn<QString>("question");
        QTest::newRow("firmware question") << "The firmware must be repaired. Repair it now?";
        QTest::newRow("empty") << "";
    }

    void setQuestionTextReplacesTheQuestion()
    {
        QFETCH(QString, question);
        ContainReset dialog;
        dialog.SetQuestionText(question);
        QCOMPARE(LabelOf(&dialog)->text(), question);
        QCOMPARE(ButtonOf(&dialog, QStringLiteral("OK"))->text(), Text("common", "OK"));
        QCOMPARE(ButtonOf(&dialog, QStringLiteral("Cancel"))->text(), Text("common", "Cancel"));
    }

    // A language switch re-texts the question, and Return still confirms.
    void languageSwitchKeepsReturnWorking()
    {
        ContainReset dialog;
        dialog.SetQuestionText(QStringLiteral("Repair now?"));
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            PostMsg::Instance()->EmitSigAllLanguage(0);
            QCOMPARE(LabelOf(&dialog)->text(), Text("Settings", "DialogRestore"));
            Answer(&dialog, QStringLiteral("Return"));
        }));
        QVERIFY(dialog.confirmed);
    }

    void deleteConfirmAsksAboutTheMacro()
    {
        DeleteConfirm dialog;
        QVERIFY(!Text("macro", "DialogDeleteMacro").isEmpty());
        QCOMPARE(LabelOf(&dialog)->text(), Text("macro", "DialogDeleteMacro"));
        QCOMPARE(ButtonOf(&dialog, QStringLiteral("NewHong"))->text(), Text("common", "OK"));
        QVERIFY(!dialog.confirmed);
    }

    void deleteConfirmAnswer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << "NewHong" << true;
        QTest::newRow("close button") << "CloseButton" << false;
        QTest::newRow("Escape") << "Escape" << false;
    }

    void deleteConfirmAnswer()
    {
        QFETCH(QString, how);
        QFETCH(bool, confirmed);
        DeleteConfirm dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { Answer(&dialog, how); }));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.confirmed, confirmed);
    }

    // Deleting has no keyboard shortcut: Return leaves the question open.
    void deleteConfirmIgnoresReturn()
    {
        DeleteConfirm dialog;
        bool openAfterReturn = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            Answer(&dialog, QStringLiteral("Return"));
            QTest::qWait(50);
            openAfterReturn = dialog.isVisible();
            Answer(&dialog, QStringLiteral("CloseButton"));
        }));
        QVERIFY(openAfterReturn);
        QVERIFY(!dialog.confirmed);
    }
};

QTEST_MAIN(TestConfirmDialogs)
#include "tst_confirmdialogs.moc"
