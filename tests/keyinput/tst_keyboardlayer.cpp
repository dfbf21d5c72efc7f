// The keyboard layer under the keyboard hooks: which virtual key and key
// message each key event becomes, that every key press and release reaches
// the hooks exactly once and still reaches the focused widget, and how the
// hooks are installed, ordered and removed.

#include "KeyInputTestSupport.h"

#include "platform/KeyEventMapping.h"
#include "platform/VirtualKeys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

Q_DECLARE_METATYPE(KeyEventMapping::NativeCodes)

namespace {

using KeyEventMapping::NativeCodes;

// One key action of a test: press or release of a key with modifiers. The
// test library presses the modifiers' own keys first and releases them
// after; a raw step sends the key event alone, as for modifiers held before
// the program had the keyboard.
struct KeyStep {
    bool press;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool raw = false;
};
using KeySteps = QVector<KeyStep>;
using SeenList = QVector<KeySeen>;

KeyStep Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return {true, key, modifiers};
}

KeyStep Release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return {false, key, modifiers};
}

KeyStep Raw(KeyStep step)
{
    step.raw = true;
    return step;
}

// A key event as the window system delivers it, sent straight to a widget.
void SendSpontaneous(QWidget* target, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers,
                     bool autoRepeat)
{
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
}

// The same with the window system's timestamp.
void SendStamped(QWidget* target, QEvent::Type type, Qt::Key key, ulong timestamp)
{
    QKeyEvent event(type, key, Qt::NoModifier, type == QEvent::KeyPress ? QString(QChar(key).toLower()) : QString(),
                    false);
    event.setTimestamp(timestamp);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
}

} // namespace

Q_DECLARE_METATYPE(KeySteps)
Q_DECLARE_METATYPE(SeenList)

class TestKeyboardLayer : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetProgramActive(true); }

    // ---- Virtual keys of key events ----

    void virtualKeys_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("scanCode");
        QTest::addColumn<int>("nativeKey");
        QTest::addColumn<NativeCodes>("codes");
        QTest::addColumn<int>("virtualKey");
        const int none = Qt::NoModifier;
        const int keypad = Qt::KeypadModifier;
        const int shift = Qt::ShiftModifier;
        const NativeCodes plain = NativeCodes::None;
        const NativeCodes xkb = NativeCodes::Xkb;

        QTest::newRow("A") << int(Qt::Key_A) << none << 0 << 0 << plain << 0x41;
        QTest::newRow("Z") << int(Qt::Key_Z) << none << 0 << 0 << plain << 0x5A;
        QTest::newRow("0") << int(Qt::Key_0) << none << 0 << 0 << plain << 0x30;
        QTest::newRow("9") << int(Qt::Key_9) << none << 0 << 0 << plain << 0x39;
        QTest::newRow("shifted 1 is the 1 key") << int(Qt::Key_Exclam) << shift << 0 << 0 << plain << 0x31;
        QTest::newRow("shifted 0 is the 0 key") << int(Qt::Key_ParenRight) << shift << 0 << 0 << plain << 0x30;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << 0 << 0 << plain << 0x70;
        QTest::newRow("F10") << int(Qt::Key_F10) << none << 0 << 0 << plain << 0x79;
        QTest::newRow("F12") << int(Qt::Key_F12) << none << 0 << 0 << plain << 0x7B;
        QTest::newRow("F24") << int(Qt::Key_F24) << none << 0 << 0 << plain << 0x87;
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << 0 << 0 << plain << 0x0D;
        QTest::newRow("keypad Enter is Enter") << int(Qt::Key_Enter) << keypad << 0 << 0 << plain << 0x0D;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 0 << 0 << plain << 0x60;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << keypad << 0 << 0 << plain << 0x65;
        QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 0 << 0 << plain << 0x69;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << 0 << 0 << plain << 0x6A;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << 0 << 0 << plain << 0x6B;
        QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << 0 << 0 << plain << 0x6D;
        QTest::newRow("keypad .") << int(Qt::Key_Period) << keypad << 0 << 0 << plain << 0x6E;
        QTest::newRow("keypad comma") << int(Qt::Key_Comma) << keypad << 0 << 0 << plain << 0x6E;
        QTest::newRow("keypad /") << int(Qt::Key_Slash) << keypad << 0 << 0 << plain << 0x6F;
        QTest::newRow("keypad 5 without Num Lock is Clear") << int(Qt::Key_Clear) << keypad << 0 << 0 << plain << 0x0C;
        QTest::newRow("keypad 7 without Num Lock is Home") << int(Qt::Key_Home) << keypad << 0 << 0 << plain << 0x24;
        QTest::newRow("keypad . without Num Lock is Del") << int(Qt::Key_Delete) << keypad << 0 << 0 << plain << 0x2E;
        QTest::newRow("main *  is the 8 key") << int(Qt::Key_Asterisk) << shift << 0 << 0 << plain << 0x38;
        QTest::newRow("main + is the = key") << int(Qt::Key_Plus) << shift << 0 << 0 << plain << 0xBB;
        QTest::newRow("main -") << int(Qt::Key_Minus) << none << 0 << 0 << plain << 0xBD;
        QTest::newRow("main /") << int(Qt::Key_Slash) << none << 0 << 0 << plain << 0xBF;
        QTest::newRow("main .") << int(Qt::Key_Period) << none << 0 << 0 << plain << 0xBE;
        QTest::newRow("`") << int(Qt::Key_QuoteLeft) << none << 0 << 0 << plain << 0xC0;
        QTest::newRow("~ is the ` key") << int(Qt::Key_AsciiTilde) << shift << 0 << 0 << plain << 0xC0;
        QTest::newRow("backslash") << int(Qt::Key_Backslash) << none << 0 << 0 << plain << 0xDC;
        QTest::newRow("'") << int(Qt::Key_Apostrophe) << none << 0 << 0 << plain << 0xDE;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 0 << 0 << plain << 0x09;
        QTest::newRow("Shift+Tab is Tab") << int(Qt::Key_Backtab) << shift << 0 << 0 << plain << 0x09;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << 0 << 0 << plain << 0x1B;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << 0 << 0 << plain << 0x20;
        QTest::newRow("BackSpace") << int(Qt::Key_Backspace) << none << 0 << 0 << plain << 0x08;
        QTest::newRow("Print") << int(Qt::Key_Print) << none << 0 << 0 << plain << 0x2C;
        QTest::newRow("Pause") << int(Qt::Key_Pause) << none << 0 << 0 << plain << 0x13;
        QTest::newRow("Scroll Lock") << int(Qt::Key_ScrollLock) << none << 0 << 0 << plain << 0x91;
        QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << none << 0 << 0 << plain << 0x14;
        QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << none << 0 << 0 << plain << 0x90;
        QTest::newRow("menu key") << int(Qt::Key_Menu) << none << 0 << 0 << plain << 0x5D;
        QTest::newRow("PgUp") << int(Qt::Key_PageUp) << none << 0 << 0 << plain << 0x21;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << none << 0 << 0 << plain << 0x25;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << none << 0 << 0 << plain << 0x28;
        QTest::newRow("volume up") << int(Qt::Key_VolumeUp) << none << 0 << 0 << plain << 0xAF;
        QTest::newRow("play") << int(Qt::Key_MediaPlay) << none << 0 << 0 << plain << 0xB3;
        QTest::newRow("a letter no virtual key stands for") << int(Qt::Key_Adiaeresis) << none << 0 << 0 << plain
                                                            << 0xFF;
        QTest::newRow("unknown key") << int(Qt::Key_unknown) << none << 0 << 0 << plain << 0xFF;

        // Modifiers: without native codes the left key.
        QTest::newRow("Shift") << int(Qt::Key_Shift) << shift << 0 << 0 << plain << 0xA0;
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << none << 0 << 0 << plain << 0xA2;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << none << 0 << 0 << plain << 0xA4;
        QTest::newRow("AltGr is right Alt") << int(Qt::Key_AltGr) << none << 0 << 0 << plain << 0xA5;
        QTest::newRow("Win") << int(Qt::Key_Meta) << none << 0 << 0 << plain << 0x5B;
        QTest::newRow("right Super") << int(Qt::Key_Super_R) << none << 0 << 0 << plain << 0x5C;

        // X11 and Wayland: keysyms and key codes name the side.
        QTest::newRow("xkb left Shift") << int(Qt::Key_Shift) << none << 50 << 0xffe1 << xkb << 0xA0;
        QTest::newRow("xkb right Shift") << int(Qt::Key_Shift) << none << 62 << 0xffe2 << xkb << 0xA1;
        QTest::newRow("xkb left Ctrl") << int(Qt::Key_Control) << none << 37 << 0xffe3 << xkb << 0xA2;
        QTest::newRow("xkb right Ctrl") << int(Qt::Key_Control) << none << 105 << 0xffe4 << xkb << 0xA3;
        QTest::newRow("xkb left Alt") << int(Qt::Key_Alt) << none << 64 << 0xffe9 << xkb << 0xA4;
        QTest::newRow("xkb right Alt") << int(Qt::Key_Alt) << none << 108 << 0xffea << xkb << 0xA5;
        QTest::newRow("xkb AltGr") << int(Qt::Key_AltGr) << none << 108 << 0xfe03 << xkb << 0xA5;
        QTest::newRow("xkb left Super") << int(Qt::Key_Super_L) << none << 133 << 0xffeb << xkb << 0x5B;
        QTest::newRow("xkb right Super as Meta") << int(Qt::Key_Meta) << none << 134 << 0xffec << xkb << 0x5C;
        QTest::newRow("xkb right Ctrl by key code") << int(Qt::Key_Control) << none << 105 << 0 << xkb << 0xA3;
        QTest::newRow("xkb right Shift by key code") << int(Qt::Key_Shift) << none << 62 << 0 << xkb << 0xA1;
        QTest::newRow("xkb Caps Lock made a Ctrl") << int(Qt::Key_Control) << none << 66 << 0xffe3 << xkb << 0xA2;
        QTest::newRow("without xkb the codes mean nothing") << int(Qt::Key_Shift) << none << 62 << 0xffe2 << plain
                                                            << 0xA0;
        // The digit row is digits on every layout (French: & is the 1 key).
        QTest::newRow("xkb & on the 1 key") << int(Qt::Key_Ampersand) << none << 10 << 0x26 << xkb << 0x31;
        QTest::newRow("xkb 0 key") << int(Qt::Key_Agrave) << none << 19 << 0xe0 << xkb << 0x30;
        QTest::newRow("xkb keypad 1 stays keypad") << int(Qt::Key_1) << keypad << 87 << 0xffb1 << xkb << 0x61;
        QTest::newRow("xkb extra ISO key") << int(Qt::Key_Less) << none << 94 << 0x3c << xkb << 0xE2;
        // A Cyrillic letter: the virtual key of the key's place.
        QTest::newRow("xkb Cyrillic ef is A") << 0x0424 << none << 38 << 0x6c6 << xkb << 0x41;
        QTest::newRow("xkb layout letter without place") << int(Qt::Key_Adiaeresis) << none << 200 << 0xe4 << xkb
                                                         << 0xFF;
    }

    void virtualKeys()
    {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(int, scanCode);
        QFETCH(int, nativeKey);
        QFETCH(NativeCodes, codes);
        QFETCH(int, virtualKey);
        QCOMPARE(KeyEventMapping::VirtualKeyOf(qtKey, Qt::KeyboardModifiers(modifiers), quint32(scanCode),
                                               quint32(nativeKey), codes),
                 virtualKey);
    }

    void offscreenHasNoNativeCodes()
    {
        QCOMPARE(KeyEventMapping::NativeCodesOfPlatform(), NativeCodes::None);
    }

    // ---- Key events of the program's window become hook events ----

    void keyEventsReachTheHooks_data()
    {
        QTest::addColumn<KeySteps>("steps");
        QTest::addColumn<SeenList>("expected");
        const Qt::KeyboardModifiers alt = Qt::AltModifier;
        const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        const auto down = KeyMessage::KeyDown;
        const auto up = KeyMessage::KeyUp;
        const auto sysDown = KeyMessage::SysKeyDown;
        const auto sysUp = KeyMessage::SysKeyUp;

        QTest::newRow("letter") << KeySteps{Press(Qt::Key_A), Release(Qt::Key_A)}
                                << SeenList{Seen(0x41, down), Seen(0x41, up)};
        QTest::newRow("digit") << KeySteps{Press(Qt::Key_7), Release(Qt::Key_7)}
                               << SeenList{Seen(0x37, down), Seen(0x37, up)};
        QTest::newRow("F5") << KeySteps{Press(Qt::Key_F5), Release(Qt::Key_F5)}
                            << SeenList{Seen(0x74, down), Seen(0x74, up)};
        QTest::newRow("keypad 3") << KeySteps{Press(Qt::Key_3, Qt::KeypadModifier), Release(Qt::Key_3, Qt::KeypadModifier)}
                                  << SeenList{Seen(0x63, down), Seen(0x63, up)};
        QTest::newRow("keypad Enter")
            << KeySteps{Press(Qt::Key_Enter, Qt::KeypadModifier), Release(Qt::Key_Enter, Qt::KeypadModifier)}
            << SeenList{Seen(0x0D, down), Seen(0x0D, up)};
        QTest::newRow("Tab and arrows that the focus would take")
            << KeySteps{Press(Qt::Key_Tab), Release(Qt::Key_Tab), Press(Qt::Key_Up), Release(Qt::Key_Up)}
            << SeenList{Seen(0x09, down), Seen(0x09, up), Seen(0x26, down), Seen(0x26, up)};
        QTest::newRow("Shift+A is ordinary")
            << KeySteps{Press(Qt::Key_A, Qt::ShiftModifier), Release(Qt::Key_A, Qt::ShiftModifier)}
            << SeenList{Seen(0xA0, down), Seen(0x41, down), Seen(0x41, up), Seen(0xA0, up)};
        QTest::newRow("Ctrl+C is ordinary")
            << KeySteps{Press(Qt::Key_C, Qt::ControlModifier), Release(Qt::Key_C, Qt::ControlModifier)}
            << SeenList{Seen(0xA2, down), Seen(0x43, down), Seen(0x43, up), Seen(0xA2, up)};
        QTest::newRow("F10 is a system key")
            << KeySteps{Press(Qt::Key_F10), Release(Qt::Key_F10)} << SeenList{Seen(0x79, sysDown), Seen(0x79, sysUp)};
        QTest::newRow("Alt alone is a system key both ways")
            << KeySteps{Press(Qt::Key_Alt), Release(Qt::Key_Alt)} << SeenList{Seen(0xA4, sysDown), Seen(0xA4, sysUp)};
        QTest::newRow("keys held with Alt are system keys; Alt's release after them is not")
            << KeySteps{Press(Qt::Key_A, alt), Release(Qt::Key_A, alt)}
            << SeenList{Seen(0xA4, sysDown), Seen(0x41, sysDown), Seen(0x41, sysUp), Seen(0xA4, up)};
        QTest::newRow("Alt+F4")
            << KeySteps{Press(Qt::Key_F4, alt), Release(Qt::Key_F4, alt)}
            << SeenList{Seen(0xA4, sysDown), Seen(0x73, sysDown), Seen(0x73, sysUp), Seen(0xA4, up)};
        QTest::newRow("a key with Alt held before the program had the keyboard")
            << KeySteps{Raw(Press(Qt::Key_Tab, alt)), Raw(Release(Qt::Key_Tab, alt))}
            << SeenList{Seen(0x09, sysDown), Seen(0x09, sysUp)};
        QTest::newRow("Ctrl+Alt is no system key")
            << KeySteps{Press(Qt::Key_A, ctrlAlt), Release(Qt::Key_A, ctrlAlt)}
            << SeenList{Seen(0xA2, down), Seen(0xA4, down), Seen(0x41, down), Seen(0x41, up), Seen(0xA4, up),
                        Seen(0xA2, up)};
        QTest::newRow("Alt released unseen is forgotten once a key comes without it")
            << KeySteps{Press(Qt::Key_Alt), Press(Qt::Key_B), Release(Qt::Key_B)}
            << SeenList{Seen(0xA4, sysDown), Seen(0x42, down), Seen(0x42, up)};
    }

    void keyEventsReachTheHooks()
    {
        QFETCH(KeySteps, steps);
        QFETCH(SeenList, expected);
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        for (const KeyStep& step : steps) {
            if (step.raw)
                SendSpontaneous(window.field, step.press ? QEvent::KeyPress : QEvent::KeyRelease, step.key,
                                step.modifiers, false);
            else if (step.press)
                QTest::keyPress(window.field, step.key, step.modifiers);
            else
                QTest::keyRelease(window.field, step.key, step.modifiers);
        }
        QCOMPARE(recorder.seen, expected);
    }

    // The hooks only watch: the focused widget still types the keys.
    void keysStillReachTheFocusedWidget()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        QTest::keyClicks(window.field, QStringLiteral("ab"));
        QCOMPARE(window.field->text(), QStringLiteral("ab"));
        QCOMPARE(recorder.seen.size(), 4);
    }

    // Delivered through the window, passed on to the focus widget and up to
    // its parents: still one hook event per press and per release.
    void aKeyThroughTheWindowIsSeenOnce()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        QTest::keyPress(window.window->windowHandle(), Qt::Key_B);
        QTest::keyRelease(window.window->windowHandle(), Qt::Key_B);
        // Not in the same millisecond: that would be a repeat.
        QTest::qWait(3);
        QTest::keyPress(window.window->windowHandle(), Qt::Key_B);
        QTest::keyRelease(window.window->windowHandle(), Qt::Key_B);
        QCOMPARE(window.field->text(), QStringLiteral("bb"));
        // A release waits a moment for a press that would make it a repeat.
        QTRY_COMPARE(recorder.seen, (SeenList{Seen(0x42, KeyMessage::KeyDown), Seen(0x42, KeyMessage::KeyUp),
                                          Seen(0x42, KeyMessage::KeyDown), Seen(0x42, KeyMessage::KeyUp)}));
    }

    // A key that a shortcut takes never reaches the window as a key press,
    // but the hook sees it, and the shortcut still works.
    void aKeyTakenByAShortcutIsSeen()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        auto* button = new QPushButton(window.window.get());
        button->setShortcut(QKeySequence(Qt::Key_F2));
        button->show();
        QSignalSpy clicked(button, &QPushButton::clicked);
        KeyRecorder recorder;
        QTest::keyPress(window.window->windowHandle(), Qt::Key_F2);
        QTest::keyRelease(window.window->windowHandle(), Qt::Key_F2);
        QTRY_COMPARE(clicked.count(), 1);
        QTRY_COMPARE(recorder.seen, (SeenList{Seen(0x71, KeyMessage::KeyDown), Seen(0x71, KeyMessage::KeyUp)}));
    }

    // A held key repeats key-downs only, as the desktop reports it; the
    // window system's release of each repeat is not a release.
    void aHeldKeyRepeatsKeyDownsOnly()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        SendSpontaneous(window.field, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, false);
        for (int i = 0; i < 3; ++i) {
            SendSpontaneous(window.field, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, true);
            SendSpontaneous(window.field, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, true);
        }
        SendSpontaneous(window.field, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, false);
        const KeySeen down = Seen(0x41, KeyMessage::KeyDown);
        QCOMPARE(recorder.seen, (SeenList{down, down, down, down, Seen(0x41, KeyMessage::KeyUp)}));
    }

    // On X11 the window system marks a release as a repeat only when the
    // repeat's press is already queued behind it. A release followed by a
    // press of the same key with the same timestamp is a repeat all the same.
    void x11RepeatRaceIsARepeat()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_A, 1000);
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_A, 1500);
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_A, 1500);
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_A, 1533);
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_A, 1533);
        const KeySeen down = Seen(0x41, KeyMessage::KeyDown);
        QCOMPARE(recorder.seen, (SeenList{down, down, down}));
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_A, 1600);
        QTRY_COMPARE(recorder.seen, (SeenList{down, down, down, Seen(0x41, KeyMessage::KeyUp)}));
        QCOMPARE(window.field->text(), QStringLiteral("aaa"));
    }

    // A real release is not lost nor moved: the next key's event brings it
    // out first, and on its own it comes a moment later.
    void aReleaseIsReportedBeforeTheNextKey()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_A, 1000);
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_A, 1100);
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_A, 1200);
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_A, 1300);
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_B, 1300);
        const SeenList expected{Seen(0x41, KeyMessage::KeyDown), Seen(0x41, KeyMessage::KeyUp),
                                Seen(0x41, KeyMessage::KeyDown), Seen(0x41, KeyMessage::KeyUp),
                                Seen(0x42, KeyMessage::KeyDown)};
        QCOMPARE(recorder.seen, expected);
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_B, 1400);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE(recorder.seen.size(), 6);
        QCOMPARE(recorder.seen.last(), Seen(0x42, KeyMessage::KeyUp));
        QVERIFY(clock.elapsed() < 1000);
    }

    // Losing the foreground brings a waiting release out first.
    void aWaitingReleaseIsReportedBeforeTheProgramLosesTheKeyboard()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        SendStamped(window.field, QEvent::KeyPress, Qt::Key_A, 1000);
        SendStamped(window.field, QEvent::KeyRelease, Qt::Key_A, 1100);
        SetProgramActive(false);
        QCOMPARE(recorder.seen, (SeenList{Seen(0x41, KeyMessage::KeyDown), Seen(0x41, KeyMessage::KeyUp)}));
    }

    // Key events the program makes up itself are no keyboard input.
    void keyEventsOfTheProgramItselfAreNotSeen()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(window.field, &press);
        QCOMPARE(window.field->text(), QStringLiteral("a"));
        QVERIFY(recorder.seen.isEmpty());
    }

    // ---- The hooks ----

    void theNewestHookSeesAKeyFirst()
    {
        QVector<int> order;
        const auto first = LowLevelKeyboardHook::SetHook([&order](int, KeyMessage) { order << 1; });
        const auto second = LowLevelKeyboardHook::SetHook([&order](int, KeyMessage) { order << 2; });
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyDown);
        QCOMPARE(order, (QVector<int>{2, 1}));
        QVERIFY(LowLevelKeyboardHook::Unhook(second));
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyUp);
        QCOMPARE(order, (QVector<int>{2, 1, 1}));
        QVERIFY(LowLevelKeyboardHook::Unhook(first));
        QVERIFY(!LowLevelKeyboardHook::Unhook(first));
        QVERIFY(!LowLevelKeyboardHook::IsHooked(first));
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyDown);
        QCOMPARE(order.size(), 3);
    }

    // A hook may remove itself or another one while a key is delivered.
    void hooksRemovedWhileAKeyIsDeliveredAreSkipped()
    {
        QVector<int> order;
        LowLevelKeyboardHook::HookHandle older = 0;
        LowLevelKeyboardHook::HookHandle newer = 0;
        older = LowLevelKeyboardHook::SetHook([&](int, KeyMessage) { order << 1; });
        newer = LowLevelKeyboardHook::SetHook([&](int, KeyMessage) {
            order << 2;
            LowLevelKeyboardHook::Unhook(newer);
            LowLevelKeyboardHook::Unhook(older);
        });
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyDown);
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyUp);
        QCOMPARE(order, QVector<int>{2});
    }

    void injectedPairsArriveUnchanged()
    {
        KeyRecorder recorder;
        LowLevelKeyboardHook::SendKeyEvent(0xA5, KeyMessage::SysKeyDown);
        LowLevelKeyboardHook::SendKeyEvent(0x0C, KeyMessage::KeyUp);
        QCOMPARE(recorder.seen, (SeenList{Seen(0xA5, KeyMessage::SysKeyDown), Seen(0x0C, KeyMessage::KeyUp)}));
    }

    // The program follows the window system's news of being in front.
    void foregroundFollowsTheApplicationState()
    {
        ActiveWindow window;
        QVERIFY(window.active);
        KeyRecorder recorder;
        QVERIFY(LowLevelKeyboardHook::ProgramIsForeground());
        SetProgramActive(false);
        QVERIFY(!LowLevelKeyboardHook::ProgramIsForeground());
        SetProgramActive(true);
        QVERIFY(LowLevelKeyboardHook::ProgramIsForeground());
    }
};

QTEST_MAIN(TestKeyboardLayer)
#include "tst_keyboardlayer.moc"
