// The keyboard hook of recording and of the two capture dialogs: what each
// instance reports for the key messages it is given (down state, repeats,
// system keys), that the instances keep their own state, that nothing is
// reported while another program has the keyboard, and how installing,
// removing and destroying a hook behave.

#include "KeyInputTestSupport.h"

#include "macro/KeyboardHook.h"
#include "platform/LowLevelKeyboardHook.h"

#include <QStringList>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(KeyboardHookInstance)

namespace {

// One injected key event.
struct Injected {
    int virtualKey;
    KeyMessage message;
};
using Injection = QVector<Injected>;

Injected Down(int vk)
{
    return {vk, KeyMessage::KeyDown};
}
Injected Up(int vk)
{
    return {vk, KeyMessage::KeyUp};
}
Injected SysDown(int vk)
{
    return {vk, KeyMessage::SysKeyDown};
}
Injected SysUp(int vk)
{
    return {vk, KeyMessage::SysKeyUp};
}

void Inject(const Injection& events)
{
    for (const Injected& event : events)
        LowLevelKeyboardHook::SendKeyEvent(event.virtualKey, event.message);
}

QString Call(int vk, bool down, bool repeat)
{
    return QStringLiteral("0x%1 %2%3")
        .arg(vk, 2, 16, QLatin1Char('0'))
        .arg(down ? QStringLiteral("down") : QStringLiteral("up"))
        .arg(repeat ? QStringLiteral(" repeat") : QString());
}

// A hook of one instance whose callback writes down each call.
class HookLog {
public:
    explicit HookLog(KeyboardHookInstance instance)
        : hook(std::make_unique<KeyboardHook>(instance))
    {
        hook->SetCallback([this](int vk, bool down, bool repeat) { calls << Call(vk, down, repeat); });
        hook->InstallKeyboardHook();
        // The instance's state outlives hook objects: start from a release,
        // which leaves no last key and the up state.
        LowLevelKeyboardHook::SendKeyEvent(0x07, KeyMessage::KeyUp);
        calls.clear();
    }

    std::unique_ptr<KeyboardHook> hook;
    QStringList calls;
};

constexpr int A = 0x41;
constexpr int B = 0x42;
constexpr int LAlt = 0xA4;

} // namespace

Q_DECLARE_METATYPE(Injection)

class TestKeyboardHook : public QObject {
    Q_OBJECT

    // The program's window has the keyboard throughout.
    std::unique_ptr<ActiveWindow> window;

private slots:
    void initTestCase()
    {
        window = std::make_unique<ActiveWindow>();
        QVERIFY(window->active);
    }

    void cleanupTestCase() { window.reset(); }

    void cleanup() { SetProgramActive(true); }

    void callbackArguments_data()
    {
        QTest::addColumn<KeyboardHookInstance>("instance");
        QTest::addColumn<Injection>("events");
        QTest::addColumn<QStringList>("calls");
        const auto recording = KeyboardHookInstance::Recording;
        const auto single = KeyboardHookInstance::SingleKey;
        const auto combination = KeyboardHookInstance::Combination;

        for (auto instance : {recording, single, combination}) {
            const QByteArray tag = instance == recording ? "recording: "
                : instance == single                     ? "single key: "
                                                         : "combination: ";
            QTest::newRow(tag + "a held key repeats its press")
                << instance << Injection{Down(A), Down(A), Down(A), Up(A)}
                << QStringList{Call(A, true, false), Call(A, true, true), Call(A, true, true), Call(A, false, false)};
            QTest::newRow(tag + "press A, press B, release A")
                << instance << Injection{Down(A), Down(B), Up(A)}
                << QStringList{Call(A, true, false), Call(B, true, false), Call(A, false, false)};
            QTest::newRow(tag + "a release ends the repeat")
                << instance << Injection{Down(A), Up(A), Down(A)}
                << QStringList{Call(A, true, false), Call(A, false, false), Call(A, true, false)};
            QTest::newRow(tag + "any release clears the last key")
                << instance << Injection{Down(A), Up(B), Down(A)}
                << QStringList{Call(A, true, false), Call(B, false, false), Call(A, true, false)};
        }

        // Keys held with Alt: recording takes them as presses and releases,
        // and a system release does not clear the last key.
        QTest::newRow("recording: Alt+A")
            << recording << Injection{SysDown(LAlt), SysDown(A), SysUp(A), Up(LAlt)}
            << QStringList{Call(LAlt, true, false), Call(A, true, false), Call(A, false, true),
                           Call(LAlt, false, false)};
        QTest::newRow("recording: A twice with Alt held")
            << recording << Injection{SysDown(A), SysUp(A), SysDown(A)}
            << QStringList{Call(A, true, false), Call(A, false, true), Call(A, true, true)};
        QTest::newRow("recording: Alt alone")
            << recording << Injection{SysDown(LAlt), SysUp(LAlt)}
            << QStringList{Call(LAlt, true, false), Call(LAlt, false, true)};
        // The capture dialogs keep the last down state for system keys.
        for (auto instance : {single, combination}) {
            const QByteArray tag = instance == single ? "single key: " : "combination: ";
            QTest::newRow(tag + "Alt+A keeps the last state")
                << instance << Injection{SysDown(LAlt), SysDown(A), SysUp(A), Up(LAlt)}
                << QStringList{Call(LAlt, false, false), Call(A, false, false), Call(A, false, true),
                               Call(LAlt, false, false)};
            QTest::newRow(tag + "a system key after a press is down")
                << instance << Injection{Down(B), SysDown(A), SysUp(A)}
                << QStringList{Call(B, true, false), Call(A, true, false), Call(A, true, true)};
        }
    }

    void callbackArguments()
    {
        QFETCH(KeyboardHookInstance, instance);
        QFETCH(Injection, events);
        QFETCH(QStringList, calls);
        HookLog log(instance);
        Inject(events);
        QCOMPARE(log.calls, calls);
    }

    // Each instance has its own last key.
    void instancesKeepTheirOwnState()
    {
        HookLog recording(KeyboardHookInstance::Recording);
        HookLog single(KeyboardHookInstance::SingleKey);
        recording.calls.clear();
        single.hook->RemoveKeyboardHook();
        Inject({Down(A)});
        single.hook->InstallKeyboardHook();
        Inject({Down(A)});
        QCOMPARE(recording.calls, (QStringList{Call(A, true, false), Call(A, true, true)}));
        QCOMPARE(single.calls, QStringList{Call(A, true, false)});
    }

    // While another program's window is in front nothing is reported, and
    // its keys do not count as the last key.
    void nothingWhileAnotherProgramHasTheKeyboard()
    {
        HookLog log(KeyboardHookInstance::Recording);
        Inject({Down(A)});
        SetProgramActive(false);
        Inject({Down(B), Up(B)});
        SetProgramActive(true);
        Inject({Down(A)});
        QCOMPARE(log.calls, (QStringList{Call(A, true, false), Call(A, true, true)}));
    }

    void removingKeepsTheCallback()
    {
        HookLog log(KeyboardHookInstance::SingleKey);
        log.hook->RemoveKeyboardHook();
        log.hook->RemoveKeyboardHook();
        QVERIFY(!log.hook->IsInstalled());
        Inject({Down(A)});
        QVERIFY(log.calls.isEmpty());
        log.hook->InstallKeyboardHook();
        Inject({Down(B)});
        QCOMPARE(log.calls, QStringList{Call(B, true, false)});
    }

    // A second install must not report every key twice (the second report
    // of a release would look like a new key).
    void installingTwiceReportsEachKeyOnce()
    {
        HookLog log(KeyboardHookInstance::Recording);
        log.hook->InstallKeyboardHook();
        Inject({Down(A), Up(A)});
        QCOMPARE(log.calls, (QStringList{Call(A, true, false), Call(A, false, false)}));
        log.hook->RemoveKeyboardHook();
        Inject({Down(B)});
        QCOMPARE(log.calls.size(), 2);
    }

    // The hook object's owner binds the callback to itself.
    void aDestroyedHookReportsNothing()
    {
        int calls = 0;
        {
            KeyboardHook hook(KeyboardHookInstance::Combination);
            hook.SetCallback([&calls](int, bool, bool) { ++calls; });
            hook.InstallKeyboardHook();
            Inject({Down(A)});
        }
        Inject({Down(B)});
        KeyboardHook next(KeyboardHookInstance::Combination);
        next.InstallKeyboardHook();
        Inject({Down(A)});
        QCOMPARE(calls, 1);
    }

    // The recording's last key removes the hook inside the callback and
    // shows a modal notice, during which further keys arrive.
    void aCallbackMayRemoveItsHookAndTakeFurtherKeys()
    {
        KeyboardHook hook(KeyboardHookInstance::Recording);
        QStringList calls;
        hook.SetCallback([&](int vk, bool down, bool repeat) {
            calls << Call(vk, down, repeat);
            hook.RemoveKeyboardHook();
            Inject({Down(B)});
        });
        hook.InstallKeyboardHook();
        Inject({Up(0x07), Down(A), Down(A)});
        QCOMPARE(calls, QStringList{Call(0x07, false, false)});
    }

    // End to end: the program's own key events through the keyboard layer.
    void realKeyEventsReachTheInstances()
    {
        QWidget* field = window->field;
        HookLog recording(KeyboardHookInstance::Recording);
        HookLog single(KeyboardHookInstance::SingleKey);
        recording.calls.clear();
        QTest::keyPress(field, Qt::Key_A);
        QTest::keyPress(field, Qt::Key_A);
        QTest::keyRelease(field, Qt::Key_A);
        QTest::keyPress(field, Qt::Key_B, Qt::AltModifier);
        QTest::keyRelease(field, Qt::Key_B, Qt::AltModifier);
        QCOMPARE(recording.calls,
                 (QStringList{Call(A, true, false), Call(A, true, true), Call(A, false, false), Call(LAlt, true, false),
                              Call(B, true, false), Call(B, false, true), Call(LAlt, false, false)}));
        QCOMPARE(single.calls,
                 (QStringList{Call(A, true, false), Call(A, true, true), Call(A, false, false), Call(LAlt, false, false),
                              Call(B, false, false), Call(B, false, true), Call(LAlt, false, false)}));
    }
};

QTEST_MAIN(TestKeyboardHook)
#include "tst_keyboardhook.moc"
