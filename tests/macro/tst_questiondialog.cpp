// The macro name dialog: what reaches its field by keys, input methods and
// pasting, how long a name may be, and what its caller reads afterwards.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "macro/QuestionDialog.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

namespace {

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

QLineEdit* Field(QDialog* dialog)
{
    return dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit"));
}

QToolButton* Button(QDialog* dialog, const char* name)
{
    return dialog->findChild<QToolButton*>(QString::fromLatin1(name));
}

void TypeText(QWidget* widget, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

void Commit(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

void Paste(QLineEdit* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class TestQuestionDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void promptFollowsTheMode()
    {
        QuestionDialog dialog;
        QLabel* label = dialog.findChild<QLabel*>(QStringLiteral("label"));
        QCOMPARE(label->text(), QStringLiteral("Please create a macro first"));
        dialog.SetPromptMode(0);
        QVERIFY(!Text("macro", "DialogSelectMacroFirst").isEmpty());
        QCOMPARE(label->text(), Text("macro", "DialogSelectMacroFirst"));
        dialog.SetPromptMode(1);
        QCOMPARE(label->text(), Text("macro", "DialogInputMacroName"));
        QCOMPARE(Button(&dialog, "NewHong")->text(), Text("common", "OK"));
        QCOMPARE(Button(&dialog, "NewHong_2")->text(), Text("common", "Cancel"));
        QCOMPARE(dialog.size(), QSize(300, 140));
    }

    void typedPunctuationIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::newRow("letters and digits pass") << "Ab12" << "Ab12";
        QTest::newRow("minus") << "a-b" << "ab";
        QTest::newRow("every ASCII refused") << "a-=[];',./`\\*+b" << "ab";
        QTest::newRow("full-width punctuation")
            << QString("a") + QChar(0x3010) + QChar(0xFF1B) + QChar(0x2019) + QChar(0xFF0C) + QChar(0x3002) + "b"
            << "ab";
        QTest::newRow("other symbols pass") << "a!_b" << "a!_b";
        QTest::newRow("chinese letters pass") << QString(2, QChar(0x5B8F)) << QString(2, QChar(0x5B8F));
    }

    void typedPunctuationIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QuestionDialog dialog;
        for (const QChar ch : typed)
            TypeText(Field(&dialog), QString(ch));
        QCOMPARE(Field(&dialog)->text(), field);
    }

    void keypadSymbolsAreRefused()
    {
        QuestionDialog dialog;
        QLineEdit* field = Field(&dialog);
        QTest::keyClick(field, Qt::Key_1, Qt::KeypadModifier);
        for (Qt::Key key : {Qt::Key_Asterisk, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Slash, Qt::Key_Period})
            QTest::keyClick(field, key, Qt::KeypadModifier);
        QTest::keyClick(field, Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(field->text(), QStringLiteral("12"));
    }

    void committedPunctuationIsRefusedAlone()
    {
        QuestionDialog dialog;
        QLineEdit* field = Field(&dialog);
        Commit(field, QStringLiteral("x"));
        for (ushort code : {0x3010, 0x3011, 0x3001, 0xFF1B, 0x2019, 0xFF0C, 0x3002, 0x00B7, 0x2018})
            Commit(field, QString(QChar(code)));
        for (const char* ascii : {"-", "=", "/", "*"})
            Commit(field, QString::fromLatin1(ascii));
        QCOMPARE(field->text(), QStringLiteral("x"));
        // Only a commit of exactly one listed character is refused.
        Commit(field, QString(QChar(0x3010)) + QChar(0x3011));
        QCOMPARE(field->text(), QStringLiteral("x") + QChar(0x3010) + QChar(0x3011));
    }

    // "<" moves the text cursor one place to the left.
    void spaces_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::newRow("trailing space goes") << "abc " << "abc";
        QTest::newRow("space between two letters stays") << "abc< " << "ab c";
        QTest::newRow("a later trailing space takes every space") << "abc< d " << "abcd";
    }

    void spaces()
    {
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QuestionDialog dialog;
        for (const QChar ch : typed) {
            if (ch == QLatin1Char('<'))
                QTest::keyClick(Field(&dialog), Qt::Key_Left);
            else
                QTest::keyClicks(Field(&dialog), QString(ch));
        }
        QCOMPARE(Field(&dialog)->text(), field);
    }

    void lengthIsCutToThirtyBytes_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("field");
        QTest::newRow("40 one-byte characters") << QString(40, 'n') << QString(30, 'n');
        QTest::newRow("30 one-byte characters") << QString(30, 'n') << QString(30, 'n');
        QTest::newRow("eleven three-byte characters") << QString(11, QChar(0x5B8F)) << QString(10, QChar(0x5B8F));
        QTest::newRow("40 bytes without splitting a character")
            << QString(28, 'a') + QString(4, QChar(0x5B8F)) << QString(28, 'a');
    }

    void lengthIsCutToThirtyBytes()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        QuestionDialog dialog;
        Paste(Field(&dialog), pasted);
        QCOMPARE(Field(&dialog)->text(), field);
    }

    void typingPastTheLimitAddsNothing()
    {
        QuestionDialog dialog;
        QTest::keyClicks(Field(&dialog), QString(31, 'k'));
        QCOMPARE(Field(&dialog)->text(), QString(30, 'k'));
    }

    void answer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("result");
        QTest::newRow("OK") << "Game1" << "NewHong" << "Game1";
        QTest::newRow("Cancel") << "Game1" << "NewHong_2" << "";
        QTest::newRow("close button") << "Game1" << "CloseButton" << "";
        QTest::newRow("OK with an empty field") << "" << "NewHong" << "";
    }

    void answer()
    {
        QFETCH(QString, name);
        QFETCH(QString, button);
        QFETCH(QString, result);
        QuestionDialog dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            QTest::keyClicks(Field(&dialog), name);
            QTest::mouseClick(Button(&dialog, qPrintable(button)), Qt::LeftButton);
        }));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.macroName, result);
    }

    // Only the buttons end the dialog.
    void escapeAndEnterLeaveItOpen()
    {
        QuestionDialog dialog;
        bool openAfterKeys = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            QTest::keyClicks(Field(&dialog), QStringLiteral("Game1"));
            QTest::keyClick(Field(&dialog), Qt::Key_Return);
            QTest::keyClick(Field(&dialog), Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            openAfterKeys = dialog.isVisible();
            QTest::mouseClick(Button(&dialog, "NewHong_2"), Qt::LeftButton);
        }));
        QVERIFY(openAfterKeys);
        QCOMPARE(dialog.macroName, QString());
    }

    // A name that is no file name, or one the macro list would not show
    // again after a restart, is not taken: a notice says why, and the dialog
    // stays open for the user to change it.
    void unsafePastedNameIsNotTaken_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("parent path") << "../x";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("control character") << QString("a") + QChar(0x7) + "b";
        QTest::newRow("hidden file") << ".game";
        QTest::newRow("xml in it") << "myxmlmacro";
        QTest::newRow("ending in .ini") << "game.ini";
        QTest::newRow(".ini inside") << "a.inib";
    }

    void unsafePastedNameIsNotTaken()
    {
        QFETCH(QString, pasted);
        QuestionDialog dialog;
        bool openAfterOk = false;
        QString notice;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            Paste(Field(&dialog), pasted);
            QCOMPARE(Field(&dialog)->text(), pasted);
            QTimer::singleShot(50, [&] {
                auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (shown && shown != &dialog) {
                    notice = shown->findChild<QLabel*>(QStringLiteral("label"))->text();
                    shown->close();
                }
            });
            QTest::mouseClick(Button(&dialog, "NewHong"), Qt::LeftButton);
            openAfterOk = dialog.isVisible();
            QCOMPARE(dialog.macroName, QString());
            // The user mends the name and confirms.
            Field(&dialog)->clear();
            QTest::keyClicks(Field(&dialog), QStringLiteral("ok"));
            QTest::mouseClick(Button(&dialog, "NewHong"), Qt::LeftButton);
        }));
        QVERIFY(openAfterOk);
        QCOMPARE(notice, Text("macro", "DialogNameRefused"));
        QVERIFY(!notice.isEmpty());
        QCOMPARE(dialog.macroName, QStringLiteral("ok"));
    }

    // No shifted characters: the field is off while Shift is held.
    void shiftTurnsTheFieldOff()
    {
        QuestionDialog dialog;
        bool offWhileHeld = false;
        bool onAfterRelease = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            QLineEdit* field = Field(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            field->setFocus();
            QTest::keyPress(field, Qt::Key_Shift);
            offWhileHeld = !field->isEnabled();
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &dialog;
            QTest::keyClick(target, Qt::Key_A, Qt::ShiftModifier);
            QTest::keyRelease(target, Qt::Key_Shift);
            onAfterRelease = field->isEnabled() && field->hasFocus();
            QTest::keyClicks(field, QStringLiteral("b"));
            QTest::mouseClick(Button(&dialog, "NewHong"), Qt::LeftButton);
        }));
        QVERIFY(offWhileHeld);
        QVERIFY(onAfterRelease);
        QCOMPARE(dialog.macroName, QStringLiteral("b"));
    }

    void picturesExist()
    {
        QuestionDialog dialog;
        const QStringList pictures = NoticeTest::StyleSheetPictures(&dialog);
        QVERIFY(!pictures.isEmpty());
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
    }
};

QTEST_MAIN(TestQuestionDialog)
#include "tst_questiondialog.moc"
