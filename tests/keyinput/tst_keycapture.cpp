// The key capture dialogs: which name the single-key dialog shows and hands
// back for each key, how the key-combination dialog builds a combination of
// up to three keys within 2000 ms, how its modifier boxes join in, what each
// way of ending them gives the caller, and their texts and look.

#include "KeyInputTestSupport.h"
#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/GroupMaxThree.h"
#include "macro/GroupKey.h"
#include "macro/addKey.h"
#include "platform/ElapsedTimer.h"
#include "platform/LowLevelKeyboardHook.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// A key press at a time of the test clock; a negative key is a release of
// the key, repeat a press without release between.
struct Stroke {
    int virtualKey;
    qint64 atMs;
    KeyMessage message = KeyMessage::KeyDown;
};
using Strokes = QVector<Stroke>;
// Key events without the clock: (virtual key, down).
using KeyEvents = QVector<QPair<int, bool>>;

Stroke At(int vk, qint64 ms)
{
    return {vk, ms};
}

qint64 testNow = 0;

void Press(int vk, KeyMessage message = KeyMessage::KeyDown)
{
    LowLevelKeyboardHook::SendKeyEvent(vk, message);
    LowLevelKeyboardHook::SendKeyEvent(vk, message == KeyMessage::KeyDown ? KeyMessage::KeyUp : KeyMessage::SysKeyUp);
}

// Presses and releases each key at its time.
void Play(const Strokes& strokes)
{
    for (const Stroke& stroke : strokes) {
        testNow = stroke.atMs;
        Press(stroke.virtualKey, stroke.message);
    }
}

QLineEdit* Display(QWidget* dialog)
{
    return dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit"));
}

QToolButton* Button(QWidget* dialog, const QString& name)
{
    return dialog->findChild<QToolButton*>(name);
}

QCheckBox* Box(QWidget* dialog, const QString& name)
{
    return dialog->findChild<QCheckBox*>(name);
}

void Click(QWidget* dialog, const QString& name)
{
    QToolButton* button = Button(dialog, name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Answers the next modal dialog of a class once it is up: first `look` at
// it, then close it. Returns the flag that tells it was seen.
std::shared_ptr<bool> AnswerNext(const char* className, std::function<void(QWidget*)> look)
{
    auto seen = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, seen, className, look]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || qstrcmp(modal->metaObject()->className(), className) != 0)
            return;
        *seen = true;
        poll->stop();
        poll->deleteLater();
        look(modal);
        modal->close();
    });
    poll->start(10);
    return seen;
}

constexpr int A = 0x41, B = 0x42, C = 0x43, D = 0x44, E = 0x45;
constexpr int F1 = 0x70, Digit1 = 0x31, LShift = 0xA0, LCtrl = 0xA2, RAlt = 0xA5, LWin = 0x5B;
constexpr int NumPlus = 0x6B, VolumeUp = 0xAF, Clear = 0x0C;

} // namespace

Q_DECLARE_METATYPE(Strokes)

class TestKeyCapture : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;
    // The program's window has the keyboard when no dialog runs.
    std::unique_ptr<ActiveWindow> window;

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        const QString path = scratch.path() + QStringLiteral("/second.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("{'mouse': {'common': {'OK': 'Okay (second)', 'Cancel': 'Back (second)'},"
                              " 'home': {'EnterKey': 'Key (second)', 'ComKey': 'Keys (second)'}}}")
                       .replace('\'', '"'));
        file.close();
        QVERIFY(LanguageLoader::LoadLanguageFile(path));
        window = std::make_unique<ActiveWindow>();
        QVERIFY(window->active);
        ElapsedTimer::SetClockForTest([] { return testNow; });
    }

    void cleanupTestCase()
    {
        ElapsedTimer::SetClockForTest(nullptr);
        window.reset();
    }

    void init() { testNow = 0; }

    void cleanup()
    {
        qunsetenv("NK_SCREEN_DPI");
        PostMsg::Instance()->EmitSigAllLanguage(0);
        SetProgramActive(true);
    }

    // ---- addKey ----

    void addKeyShowsTheKeysName_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("name");
        const int down = int(KeyMessage::KeyDown);
        const int sysDown = int(KeyMessage::SysKeyDown);
        QTest::newRow("A") << A << down << "A";
        QTest::newRow("left Shift") << LShift << down << "LShift";
        QTest::newRow("right Alt as a system key") << RAlt << sysDown << "RAlt";
        QTest::newRow("Win") << LWin << down << "LWin";
        QTest::newRow("Esc") << 0x1B << down << "Esc";
        QTest::newRow("Tab") << 0x09 << down << "Tab";
        QTest::newRow("F12") << 0x7B << down << "F12";
        QTest::newRow("keypad 5") << 0x65 << down << "Num5";
        QTest::newRow("up arrow") << 0x26 << down << QString(QChar(0x2191));
        QTest::newRow("media key has no name") << VolumeUp << down << "";
        QTest::newRow("Clear has the empty name") << Clear << down << "";
    }

    // Press and release both show the name; the caller reads the last one.
    void addKeyShowsTheKeysName()
    {
        QFETCH(int, virtualKey);
        QFETCH(int, message);
        QFETCH(QString, name);
        addKey dialog;
        LowLevelKeyboardHook::SendKeyEvent(B, KeyMessage::KeyDown);
        QCOMPARE(Display(&dialog)->text(), QStringLiteral("B"));
        LowLevelKeyboardHook::SendKeyEvent(virtualKey, KeyMessage(message));
        QCOMPARE(Display(&dialog)->text(), name);
        QCOMPARE(dialog.keyName, name);
        LowLevelKeyboardHook::SendKeyEvent(virtualKey, KeyMessage::KeyUp);
        QCOMPARE(Display(&dialog)->text(), name);
        QCOMPARE(dialog.keyName, name);
    }

    // Real keys while the dialog runs: the focused field would take Tab and
    // the dialog would close on Esc, yet both are captured; OK hands back the
    // last key.
    void addKeyCapturesKeysTheDialogWouldTake()
    {
        addKey dialog;
        bool escKeptItOpen = false;
        QString afterPress;
        const bool answered = NoticeTest::ExecAndAnswer(&dialog, [&]() {
            QLineEdit* field = Display(&dialog);
            QTest::keyPress(field, Qt::Key_A);
            afterPress = field->text();
            QTest::keyRelease(field, Qt::Key_A);
            QTest::keyClick(field, Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(field, Qt::Key_F12);
            escKeptItOpen = dialog.isVisible();
            QTest::keyClick(field, Qt::Key_Tab);
            Click(&dialog, QStringLiteral("NewHong"));
        });
        QVERIFY(answered);
        // The typed letter lands after the hook showed the name; the
        // release shows the name alone again.
        QCOMPARE(afterPress, QStringLiteral("Aa"));
        QVERIFY(escKeptItOpen);
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.keyName, QStringLiteral("Tab"));
    }

    void addKeyOkWithoutAKey()
    {
        addKey dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&]() { Click(&dialog, QStringLiteral("NewHong")); }));
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.keyName, QString());
    }

    void addKeyDismissed_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Cancel") << "NewHong_2";
        QTest::newRow("close button") << "CloseButton";
    }

    // Not confirmed, and the dialog stops watching the keyboard.
    void addKeyDismissed()
    {
        QFETCH(QString, button);
        addKey dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&]() {
            Press(A);
            Click(&dialog, button);
        }));
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        Press(B);
        QCOMPARE(Display(&dialog)->text(), QStringLiteral("A"));
        QCOMPARE(dialog.keyName, QStringLiteral("A"));
    }

    // Closed by the window system and destroyed: later keys must not reach
    // the dialog that is gone.
    void dialogsClosedOtherwiseStopWatching()
    {
        QPointer<QDialog> single = new addKey;
        QVERIFY(NoticeTest::ExecAndAnswer(single, [&]() { single->close(); }));
        delete single;
        QPointer<QDialog> combination = new GroupKey;
        QVERIFY(NoticeTest::ExecAndAnswer(combination, [&]() { combination->close(); }));
        delete combination;
        Press(A);
        Press(B);
        QVERIFY(!single && !combination);
    }

    void addKeyTexts()
    {
        addKey dialog;
        QLabel* label = dialog.findChild<QLabel*>(QStringLiteral("label"));
        QCOMPARE(label->text(), LanguageTables::Text(0, QStringLiteral("home"), QStringLiteral("EnterKey")));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), QStringLiteral("OK"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong_2"))->text(), QStringLiteral("Cancel"));
        PostMsg::Instance()->EmitSigAllLanguage(1);
        QCOMPARE(label->text(), QStringLiteral("Key (second)"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), QStringLiteral("Okay (second)"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong_2"))->text(), QStringLiteral("Back (second)"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    }

    // ---- GroupKey ----

    void groupKeyCombinations_data()
    {
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("A then B within 2 s") << Strokes{At(A, 0), At(B, 900)} << "A+B";
        QTest::newRow("a third key") << Strokes{At(A, 0), At(B, 100), At(C, 200)} << "A+B+C";
        QTest::newRow("a fourth key starts again") << Strokes{At(A, 0), At(B, 100), At(C, 200), At(D, 300)} << "D";
        QTest::newRow("and a fifth joins it")
            << Strokes{At(A, 0), At(B, 100), At(C, 200), At(D, 300), At(E, 400)} << "D+E";
        QTest::newRow("2 s count from the first key")
            << Strokes{At(A, 0), At(B, 1500), At(C, 2500)} << "C";
        QTest::newRow("exactly 2 s is still in time") << Strokes{At(A, 0), At(B, 2000)} << "A+B";
        QTest::newRow("just over 2 s is too late") << Strokes{At(A, 0), At(B, 2001)} << "B";
        QTest::newRow("the new combination counts from its first key")
            << Strokes{At(A, 0), At(B, 2500), At(C, 4400)} << "B+C";
        QTest::newRow("A, B, A") << Strokes{At(A, 0), At(B, 100), At(A, 200)} << "A+B";
        QTest::newRow("1 after F1 adds nothing") << Strokes{At(F1, 0), At(Digit1, 100)} << "F1";
        QTest::newRow("modifier keys add nothing") << Strokes{At(LShift, 0), At(LCtrl, 100), At(A, 200)} << "A";
        // The Alt box stands for Alt: keys held with it are not taken as presses.
        QTest::newRow("keys held with Alt add nothing")
            << Strokes{{RAlt, 0, KeyMessage::SysKeyDown}, {A, 100, KeyMessage::SysKeyDown}} << "";
        QTest::newRow("a key without a name adds nothing") << Strokes{At(A, 0), At(VolumeUp, 100)} << "A";
        QTest::newRow("after three keys a key without a name clears")
            << Strokes{At(A, 0), At(B, 100), At(C, 200), At(VolumeUp, 300)} << "";
        QTest::newRow("Num+ is one key") << Strokes{At(A, 0), At(NumPlus, 100), At(B, 200)} << "A+Num++B";
    }

    void groupKeyCombinations()
    {
        QFETCH(Strokes, strokes);
        QFETCH(QString, shown);
        GroupKey dialog;
        Play(strokes);
        QCOMPARE(Display(&dialog)->text(), shown);
    }

    // The dialog follows which keys are held down: an auto-repeat of a held
    // key is never a new key, whatever came in between.
    void groupKeyAutoRepeatOfAHeldKey_data()
    {
        QTest::addColumn<KeyEvents>("events");
        QTest::addColumn<QString>("shown");
        using E = KeyEvents;
        QTest::newRow("the third key held") << E{{A, true}, {B, true}, {C, true}, {C, true}, {C, true}} << "A+B+C";
        QTest::newRow("A held while B goes down and up")
            << E{{A, true}, {B, true}, {B, false}, {A, true}, {A, true}} << "A+B";
        QTest::newRow("the third key held after the others went up")
            << E{{A, true}, {A, false}, {B, true}, {B, false}, {C, true}, {C, true}} << "A+B+C";
        // Released and pressed again: a new press.
        QTest::newRow("a fourth press of the third key")
            << E{{A, true}, {B, true}, {C, true}, {C, false}, {C, true}} << "C";
    }

    void groupKeyAutoRepeatOfAHeldKey()
    {
        QFETCH(KeyEvents, events);
        QFETCH(QString, shown);
        GroupKey dialog;
        for (const auto& event : events)
            LowLevelKeyboardHook::SendKeyEvent(event.first, event.second ? KeyMessage::KeyDown : KeyMessage::KeyUp);
        QCOMPARE(Display(&dialog)->text(), shown);
    }

    // Holding a key repeats its press: it is added once.
    void groupKeyHeldKeyAddsOnce()
    {
        GroupKey dialog;
        for (int i = 0; i < 5; ++i)
            LowLevelKeyboardHook::SendKeyEvent(A, KeyMessage::KeyDown);
        LowLevelKeyboardHook::SendKeyEvent(B, KeyMessage::KeyDown);
        for (int i = 0; i < 5; ++i)
            LowLevelKeyboardHook::SendKeyEvent(B, KeyMessage::KeyDown);
        QCOMPARE(Display(&dialog)->text(), QStringLiteral("A+B"));
    }

    void groupKeyResults_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<QString>("keyText");
        QTest::newRow("Shift and Ctrl with A") << QStringList{"Shift", "Ctrl"} << Strokes{At(A, 0)} << "Shift+Ctrl+A";
        QTest::newRow("boxes in their order")
            << QStringList{"Win", "Alt"} << Strokes{At(A, 0)} << "Alt+Win+A";
        QTest::newRow("three keys") << QStringList{} << Strokes{At(A, 0), At(B, 1), At(C, 2)} << "A+B+C";
        QTest::newRow("modifiers alone") << QStringList{"Ctrl", "Alt"} << Strokes{} << "Ctrl+Alt";
        QTest::newRow("nothing chosen") << QStringList{} << Strokes{} << "";
        QTest::newRow("Num+ with a modifier")
            << QStringList{"Alt"} << Strokes{At(A, 0), At(NumPlus, 1)} << "Alt+A+Num+";
    }

    void groupKeyResults()
    {
        QFETCH(QStringList, ticked);
        QFETCH(Strokes, strokes);
        QFETCH(QString, keyText);
        GroupKey dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&]() {
            for (const QString& box : ticked)
                QTest::mouseClick(Box(&dialog, box), Qt::LeftButton, {}, QPoint(5, 8));
            Play(strokes);
            Click(&dialog, QStringLiteral("NewHong"));
        }));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.keyText, keyText);
        // Done: the dialog no longer watches the keyboard.
        Press(E);
        QVERIFY(!Display(&dialog)->text().contains(QLatin1Char('E')));
    }

    void groupKeyMoreThanThree_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<Strokes>("strokes");
        QTest::newRow("two modifiers and two keys") << QStringList{"Shift", "Ctrl"} << Strokes{At(A, 0), At(B, 1)};
        QTest::newRow("four modifiers") << QStringList{"Shift", "Ctrl", "Alt", "Win"} << Strokes{};
        QTest::newRow("one modifier and three keys") << QStringList{"Win"} << Strokes{At(A, 0), At(B, 1), At(C, 2)};
    }

    // The notice appears at the dialog's corner; the dialog stays open with
    // an empty display, its boxes and its hook, and the next try succeeds.
    void groupKeyMoreThanThree()
    {
        QFETCH(QStringList, ticked);
        QFETCH(Strokes, strokes);
        GroupKey dialog;
        dialog.move(300, 200);
        QPoint noticeAt;
        QString shownAfterNotice;
        bool openAfterNotice = false;
        std::shared_ptr<bool> noticeSeen;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&]() {
            for (const QString& box : ticked)
                QTest::mouseClick(Box(&dialog, box), Qt::LeftButton, {}, QPoint(5, 8));
            Play(strokes);
            noticeSeen = AnswerNext("GroupMaxThree", [&](QWidget* notice) { noticeAt = notice->pos(); });
            Click(&dialog, QStringLiteral("NewHong"));
            openAfterNotice = dialog.isVisible();
            shownAfterNotice = Display(&dialog)->text();
            // Fewer modifiers and one key fit.
            for (const QString& box : ticked.mid(2))
                QTest::mouseClick(Box(&dialog, box), Qt::LeftButton, {}, QPoint(5, 8));
            testNow = 100;
            Press(D);
            Click(&dialog, QStringLiteral("NewHong"));
        }));
        QVERIFY(*noticeSeen);
        QCOMPARE(noticeAt, dialog.mapToGlobal(QPoint(0, 0)));
        QVERIFY(openAfterNotice);
        QCOMPARE(shownAfterNotice, QString());
        QVERIFY(dialog.confirmed);
        const QStringList kept = ticked.mid(0, 2);
        QCOMPARE(dialog.keyText, (kept + QStringList{QStringLiteral("D")}).join(QLatin1Char('+')));
    }

    void groupKeyDismissed_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Cancel") << "NewHong_2";
        QTest::newRow("close button") << "CloseButton";
    }

    void groupKeyDismissed()
    {
        QFETCH(QString, button);
        GroupKey dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&]() {
            QTest::mouseClick(Box(&dialog, QStringLiteral("Shift")), Qt::LeftButton, {}, QPoint(5, 8));
            Press(A);
            Click(&dialog, button);
        }));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.keyText, QString());
        Press(B);
        QCOMPARE(Display(&dialog)->text(), QStringLiteral("A"));
    }

    // Real keys while the dialog runs: the display takes no typing, Esc
    // and F12 neither close the dialog nor get lost, and Shift held with a
    // key adds only the key.
    void groupKeyRealKeys()
    {
        GroupKey dialog;
        QString shown;
        bool open = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&]() {
            QLineEdit* display = Display(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(QApplication::focusWidget(), display);
            QTest::keyClick(display, Qt::Key_A);
            QTest::keyClick(display, Qt::Key_C, Qt::ShiftModifier);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            shown = display->text();
            open = dialog.isVisible();
            QTest::keyClick(&dialog, Qt::Key_F12);
            open = open && dialog.isVisible();
            Click(&dialog, QStringLiteral("CloseButton"));
        }));
        QCOMPARE(shown, QStringLiteral("A+C+Esc"));
        QVERIFY(open);
    }

    // Text pasted or dropped into the display is shown in upper case.
    void groupKeyPastedTextInUpperCase()
    {
        GroupKey dialog;
        Display(&dialog)->insert(QStringLiteral("a+b"));
        QCOMPARE(Display(&dialog)->text(), QStringLiteral("A+B"));
    }

    void groupKeyTexts()
    {
        GroupKey dialog;
        QLabel* label = dialog.findChild<QLabel*>(QStringLiteral("label"));
        const QStringList boxTexts{"shift", "Ctrl", "Alt", "Win"};
        const QStringList boxNames{"Shift", "Ctrl", "Alt", "Win"};
        QCOMPARE(label->text(), LanguageTables::Text(0, QStringLiteral("home"), QStringLiteral("ComKey")));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), QStringLiteral("OK"));
        PostMsg::Instance()->EmitSigAllLanguage(1);
        QCOMPARE(label->text(), QStringLiteral("Keys (second)"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong_2"))->text(), QStringLiteral("Back (second)"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Box(&dialog, boxNames[i])->text(), boxTexts[i]);
    }

    // ---- Both ----

    void look_data()
    {
        QTest::addColumn<bool>("single");
        QTest::newRow("addKey") << true;
        QTest::newRow("GroupKey") << false;
    }

    void look()
    {
        QFETCH(bool, single);
        std::unique_ptr<QDialog> dialog(single ? static_cast<QDialog*>(new addKey) : new GroupKey);
        QCOMPARE(dialog->size(), QSize(300, 140));
        const Qt::WindowFlags flags = dialog->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags & Qt::FramelessWindowHint);
        const QStringList pictures = NoticeTest::StyleSheetPictures(dialog.get());
        QVERIFY(pictures.size() >= (single ? 6 : 8));
        for (const QString& file : pictures) {
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
            QVERIFY2(!QImage(file).isNull(), qPrintable(file));
        }
        QVERIFY(Display(dialog.get())->styleSheet().startsWith(QLatin1String("QLineEdit{color: rgb(")));
    }

    // The fonts follow the screen's DPI; the combination display keeps the
    // size its form gives it.
    void fontsFollowTheScreenDpi()
    {
        qputenv("NK_SCREEN_DPI", "120");
        addKey single;
        GroupKey combination;
        QLabel* label = single.findChild<QLabel*>(QStringLiteral("label"));
        QVERIFY(qAbs(label->font().pointSizeF() - 8.8) < 0.01);
        QVERIFY(qAbs(Display(&single)->font().pointSizeF() - 9.6) < 0.01);
        label = combination.findChild<QLabel*>(QStringLiteral("label"));
        QVERIFY(qAbs(label->font().pointSizeF() - 8.8) < 0.01);
        QVERIFY(qAbs(Button(&combination, QStringLiteral("NewHong"))->font().pointSizeF() - 8.8) < 0.01);
        QVERIFY(!(Display(&combination)->font().resolve() & QFont::SizeResolved));
    }
};

QTEST_MAIN(TestKeyCapture)
#include "tst_keycapture.moc"
