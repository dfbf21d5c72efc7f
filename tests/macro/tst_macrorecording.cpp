// Recording a macro from the keyboard on the macro page: what the event list
// shows for held keys, overlapping keys, Alt combinations and keys without a
// name, the fixed and the measured pauses, the 70-key limit, the inactive
// program, starting without a macro, stopping, leaving the device pages, and
// what Save then writes. Also the key capture dialog that the insert box and
// the change button open.

#include "MacroTestSupport.h"
#include "NoticeTestSupport.h"

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "dialogs/ExeIsRun.h"
#include "dialogs/KeyNumberLimit.h"
#include "macro/Macro.h"
#include "macro/MacroRecording.h"
#include "macro/addKey.h"
#include "platform/ElapsedTimer.h"
#include "platform/KeyMessage.h"
#include "platform/LowLevelKeyboardHook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

#include <functional>
#include <memory>

using namespace MacroTest;

namespace {

constexpr int A = 0x41, B = 0x42, C = 0x43, Z = 0x5A, LAlt = 0xA4, VolumeUp = 0xAF, Clear = 0x0C, F10 = 0x79;

qint64 testNow = 0;

// One key event at a time of the test clock.
struct Stroke {
    int virtualKey;
    KeyMessage message;
    qint64 atMs;
};
using Strokes = QVector<Stroke>;

Stroke Down(int vk, qint64 at)
{
    return {vk, KeyMessage::KeyDown, at};
}
Stroke Up(int vk, qint64 at)
{
    return {vk, KeyMessage::KeyUp, at};
}
Stroke SysDown(int vk, qint64 at)
{
    return {vk, KeyMessage::SysKeyDown, at};
}
Stroke SysUp(int vk, qint64 at)
{
    return {vk, KeyMessage::SysKeyUp, at};
}

void Play(const Strokes& strokes)
{
    for (const Stroke& stroke : strokes) {
        testNow = stroke.atMs;
        LowLevelKeyboardHook::SendKeyEvent(stroke.virtualKey, stroke.message);
    }
}

// Tells the program that another application came to the foreground, or
// that it came back, as the window system does.
void SetProgramActive(bool active)
{
    QApplicationStateChangeEvent event(active ? Qt::ApplicationActive : Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &event);
}

// Answers the next modal dialog of a class once it is up: `act` plays the
// user and must close it. A dialog still open 10 s later is closed so the
// test goes on. The flag tells whether it was seen.
std::shared_ptr<bool> AnswerNext(const char* className, std::function<void(QDialog*)> act)
{
    auto seen = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, seen, className, act, clock]() {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool ours = modal && qstrcmp(modal->metaObject()->className(), className) == 0 && modal->isVisible();
        if (!ours && clock->elapsed() < 10000)
            return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        if (!ours) {
            if (modal)
                modal->close();
            return;
        }
        *seen = true;
        // Out of the poll: the action may run a modal loop of its own.
        QTimer::singleShot(0, [modal, act]() { act(modal); });
    });
    poll->start(10);
    return seen;
}

void ClickTool(QWidget* dialog, const char* name)
{
    auto* button = dialog->findChild<QToolButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Plays keys into the key capture dialog and ends it with a button.
std::function<void(QDialog*)> CaptureKey(int vk, const char* button, QPoint* at = nullptr)
{
    return [vk, button, at](QDialog* dialog) {
        if (at)
            *at = dialog->pos();
        LowLevelKeyboardHook::SendKeyEvent(vk, KeyMessage::KeyDown);
        LowLevelKeyboardHook::SendKeyEvent(vk, KeyMessage::KeyUp);
        ClickTool(dialog, button);
    };
}

} // namespace

Q_DECLARE_METATYPE(Strokes)

class TestMacroRecording : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Macro> page;
    std::unique_ptr<QSignalSpy> recordSignals;
    std::unique_ptr<QSignalSpy> saves;

    QListWidget* Macros() const { return page->findChild<QListWidget*>(QStringLiteral("listWidgetHong")); }
    QListWidget* Events() const { return page->findChild<QListWidget*>(QStringLiteral("listWidgetKey")); }
    QPushButton* StartButton() const { return page->findChild<QPushButton*>(QStringLiteral("StartRecord")); }
    QPushButton* StopButton() const { return page->findChild<QPushButton*>(QStringLiteral("StopRecord")); }
    QToolButton* SaveButton() const { return page->findChild<QToolButton*>(QStringLiteral("Save")); }
    QCheckBox* Box(const char* name) const { return page->findChild<QCheckBox*>(QString::fromLatin1(name)); }
    QSpinBox* Spin(const char* name) const { return page->findChild<QSpinBox*>(QString::fromLatin1(name)); }

    void OpenPage()
    {
        page.reset(new Macro);
        page->show();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        SetProgramActive(true);
    }

    void SelectMacro(const QString& name)
    {
        const QList<QListWidgetItem*> items = Macros()->findItems(name, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(name));
        QTest::mouseClick(Macros()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          Macros()->visualItemRect(items.first()).center());
        QCOMPARE(Macros()->currentItem(), items.first());
    }

    void StartRecording()
    {
        QTest::mouseClick(StartButton(), Qt::LeftButton);
    }

    void StopRecording()
    {
        QVERIFY(StopButton()->isVisible());
        QTest::mouseClick(StopButton(), Qt::LeftButton);
    }

    void Save() { QTest::mouseClick(SaveButton(), Qt::LeftButton); }

    QString EventTexts() const { return MacroTest::EventTexts(page.get()); }

    QList<int> RecordSignals() const
    {
        QList<int> values;
        for (const QVariantList& args : *recordSignals)
            values << args.first().toInt();
        return values;
    }

    // The controls a recording locks, and whether each is enabled.
    QList<bool> LockableEnabled() const
    {
        QList<bool> enabled;
        for (const char* name : {"AutoInsertDelay", "DefaultDelay", "ReUntilLoose", "ReUntilClick", "ReUntil", "ReNumber"})
            enabled << Box(name)->isEnabled();
        enabled << Spin("DelayTime")->isEnabled() << Spin("NumberEdit")->isEnabled() << Macros()->isEnabled()
                << page->findChild<QComboBox*>(QStringLiteral("ChooseEvent"))->isEnabled();
        return enabled;
    }

    bool AllEnabled() const { return !LockableEnabled().contains(false); }
    bool AllLocked() const { return !LockableEnabled().contains(true); }

    bool SaveEnabledAndStyled() const
    {
        return SaveButton()->isEnabled() && SaveButton()->styleSheet().contains(QLatin1String("ButtonHover.png"));
    }

    bool SaveGreyed() const
    {
        return !SaveButton()->isEnabled() && SaveButton()->styleSheet().contains(QLatin1String("rgb(127,127,127)"));
    }

    QPoint NoticePlace(const QWidget* dialog, int dx, int dy) const
    {
        return page->mapToGlobal(QPoint(0, 0))
            + QPoint((page->width() - dialog->width()) / 2 + dx, (page->height() - dialog->height()) / 2 + dy);
    }

    static constexpr const char* kOldContent = "1\r\n0x06 1 0\r\n10ms\r\n0x06 1 1\r\n";

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        ElapsedTimer::SetClockForTest([] { return testNow; });
        // The keyboard layer follows the program's activity from its first use on.
        LowLevelKeyboardHook::ProgramIsForeground();
    }

    void cleanupTestCase() { ElapsedTimer::SetClockForTest(nullptr); }

    void init()
    {
        QDir(MacroFolder()).removeRecursively();
        QDir().mkpath(MacroFolder());
        QVERIFY(WriteFile(MacroPath("Game1"), kOldContent));
        QVERIFY(WriteFile(MacroPath("Game2"), "254\r\n"));
        testNow = 0;
        macroRecording = false;
        recordSignals.reset(new QSignalSpy(PostMsg::Instance(), SIGNAL(SigStartRecord(int))));
        saves.reset(new QSignalSpy(PostMsg::Instance(), SIGNAL(SigUpDataMacro(QString, int))));
        OpenPage();
    }

    void cleanup()
    {
        page.reset();
        macroRecording = false;
        SetProgramActive(true);
    }

    // ---- Start and stop ------------------------------------------------------

    // The recording follows which keys are held down: an auto-repeat of a
    // held key is never a new press, whichever keys went down or up since.
    void heldKeysAreRecordedOnce_data()
    {
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("A held while B goes down and up")
            << Strokes{Down(A, 0), Down(B, 100), Up(B, 200), Down(A, 300), Down(A, 330), Up(A, 400)}
            << "vA 100ms vB 100ms ^B 200ms ^A";
        QTest::newRow("two held keys repeat in turn")
            << Strokes{Down(A, 0), Down(B, 50), Down(A, 100), Down(B, 150), Up(A, 200), Down(B, 250), Up(B, 300)}
            << "vA 50ms vB 150ms ^A 100ms ^B";
        QTest::newRow("released and pressed again is a new press")
            << Strokes{Down(A, 0), Down(B, 10), Up(A, 20), Down(A, 30), Up(A, 40), Up(B, 50)}
            << "vA 10ms vB 10ms ^A 10ms vA 10ms ^A 10ms ^B";
    }

    void heldKeysAreRecordedOnce()
    {
        QFETCH(Strokes, strokes);
        QFETCH(QString, recorded);
        SelectMacro("Game1");
        StartRecording();
        Play(strokes);
        QCOMPARE(EventTexts(), recorded);
    }

    // A key released while another program had the keyboard is never seen:
    // pressed again back in the program, it is a new press.
    void keysReleasedElsewhereAreForgotten()
    {
        SelectMacro("Game1");
        StartRecording();
        Play({Down(A, 0)});
        SetProgramActive(false);
        SetProgramActive(true);
        Play({Down(A, 500), Up(A, 600)});
        QCOMPARE(EventTexts(), QStringLiteral("vA 500ms vA 100ms ^A"));
    }

    // On X11 a held key's repeat can arrive as a release and a press of the
    // same key with the same timestamp, neither marked as a repeat: it is
    // still one press.
    void x11RepeatRaceIsOnePress()
    {
        SelectMacro("Game1");
        StartRecording();
        auto send = [this](QEvent::Type type, ulong timestamp) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), false);
            event.setTimestamp(timestamp);
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(page.get(), &event);
        };
        send(QEvent::KeyPress, 1000);
        for (ulong t = 1500; t < 1700; t += 33) {
            send(QEvent::KeyRelease, t);
            send(QEvent::KeyPress, t);
        }
        send(QEvent::KeyRelease, 1800);
        QTRY_COMPARE(EventTexts(), QStringLiteral("vA 0ms ^A"));
    }

    void startLocksThePageAndEmptiesTheList()
    {
        SelectMacro("Game1");
        QCOMPARE(EventTexts(), QStringLiteral("vC 10ms ^C"));
        QVERIFY(AllEnabled());
        StartRecording();
        QVERIFY(StopButton()->isVisible());
        QVERIFY(!StartButton()->isVisible());
        QCOMPARE(StopButton()->geometry(), QRect(637, 57, 190, 32));
        QCOMPARE(EventTexts(), QString());
        QVERIFY(AllLocked());
        QCOMPARE(RecordSignals(), QList<int>{0});
        QVERIFY(macroRecording);

        Play({Down(A, 100), Up(A, 150)});
        StopRecording();
        QVERIFY(StartButton()->isVisible());
        QVERIFY(!StopButton()->isVisible());
        QVERIFY(AllEnabled());
        QCOMPARE(RecordSignals(), (QList<int>{0, 1}));
        QVERIFY(!macroRecording);
        QVERIFY(SaveEnabledAndStyled());
        // Recorded events reach the file only by Save.
        QCOMPARE(EventTexts(), QStringLiteral("vA 50ms ^A"));
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray(kOldContent));

        // Keys after the stop are not recorded.
        Play({Down(B, 200), Up(B, 250)});
        QCOMPARE(EventTexts(), QStringLiteral("vA 50ms ^A"));

        Save();
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("1\r\n0x04 1 0\r\n50ms\r\n0x04 1 1\r\n"));
        QCOMPARE(saves->size(), 1);
        QCOMPARE(saves->first(), (QVariantList{"Game1", 0}));
        QVERIFY(SaveGreyed());
    }

    // Stopping with nothing recorded still replaces the macro's events.
    void anEmptyRecordingSavesAnEmptyMacro()
    {
        SelectMacro("Game1");
        StartRecording();
        StopRecording();
        QCOMPARE(EventTexts(), QString());
        Save();
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("1\r\n"));
        QCOMPARE(saves->size(), 1);
    }

    void startWithoutAMacroOnlyAsksForOne()
    {
        QString message;
        QPoint at;
        QPoint expected;
        const auto seen = AnswerNext("ExeIsRun", [&](QDialog* d) {
            message = d->findChild<QLabel*>(QStringLiteral("label"))->text();
            at = d->pos();
            expected = NoticePlace(d, -100, -50);
            ClickTool(d, "NewHong");
        });
        StartRecording();
        QVERIFY(*seen);
        QCOMPARE(message, Text("macro", "DialogSelectMacroFirst"));
        QVERIFY(!message.isEmpty());
        QCOMPARE(at, expected);
        QVERIFY(StartButton()->isVisible());
        QVERIFY(!StopButton()->isVisible());
        QVERIFY(AllEnabled());
        QVERIFY(RecordSignals().isEmpty());
        QVERIFY(!macroRecording);
        Play({Down(A, 100), Up(A, 150)});
        QCOMPARE(EventTexts(), QString());
        QVERIFY(SaveGreyed());
    }

    // While recording, the page's editing only asks to stop first; stopping
    // makes the page work again.
    void editingWaitsForTheStop()
    {
        SelectMacro("Game1");
        StartRecording();
        Play({Down(A, 100)});
        QString message;
        const auto seen = AnswerNext("ExeIsRun", [&](QDialog* d) {
            message = d->findChild<QLabel*>(QStringLiteral("label"))->text();
            ClickTool(d, "NewHong");
        });
        QTest::mouseClick(page->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
        QVERIFY(*seen);
        QCOMPARE(message, Text("macro", "DialogStopRecordFirst"));
        QCOMPARE(Macros()->count(), 2);
        QCOMPARE(EventTexts(), QStringLiteral("vA"));
        Play({Up(A, 200)});
        QCOMPARE(EventTexts(), QStringLiteral("vA 100ms ^A"));
    }

    // ---- What is recorded ----------------------------------------------------

    void recordsTheKeys_data()
    {
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<bool>("fixedDelay");
        QTest::addColumn<QString>("events");

        // The recording starts at 0 ms; the first key never has a pause before it.
        QTest::newRow("first key, measured") << Strokes{Down(A, 3000)} << false << "vA";
        QTest::newRow("first key, fixed") << Strokes{Down(A, 3000)} << true << "vA";

        const Strokes held{Down(A, 1000), Down(A, 1500), Down(A, 1530), Down(A, 1560), Up(A, 2000)};
        QTest::newRow("held key, measured") << held << false << "vA 1000ms ^A";
        QTest::newRow("held key, fixed") << held << true << "vA 250ms ^A";

        const Strokes overlap{Down(A, 1000), Down(B, 1120), Up(A, 1300)};
        QTest::newRow("A, B, release A, measured") << overlap << false << "vA 120ms vB 180ms ^A";
        QTest::newRow("A, B, release A, fixed") << overlap << true << "vA 250ms vB 250ms ^A";

        const Strokes twice{Down(A, 1000), Up(A, 1040), Down(A, 1100), Up(A, 1170)};
        QTest::newRow("the same key twice") << twice << false << "vA 40ms ^A 60ms vA 70ms ^A";

        // Keys held with Alt come as system key messages.
        const Strokes alt{SysDown(LAlt, 1000), SysDown(A, 1050), SysUp(A, 1080), SysUp(LAlt, 1200)};
        QTest::newRow("Alt+A, measured") << alt << false << "vLAlt 50ms vA 30ms ^A 120ms ^LAlt";
        QTest::newRow("Alt+A, fixed") << alt << true << "vLAlt 250ms vA 250ms ^A 250ms ^LAlt";
        // F10 alone is a system key too.
        QTest::newRow("F10") << Strokes{SysDown(F10, 1000), SysUp(F10, 1090)} << false << "vF10 90ms ^F10";

        // A key without a name adds only the pause before it; the next key
        // follows that pause without one of its own.
        const Strokes media{Down(A, 1000), Up(A, 1040), Down(VolumeUp, 1100), Up(VolumeUp, 1150), Down(B, 1400),
                            Up(B, 1420)};
        QTest::newRow("media key, measured") << media << false << "vA 40ms ^A 60ms vB 20ms ^B";
        QTest::newRow("media key, fixed") << media << true << "vA 250ms ^A 250ms vB 250ms ^B";
        QTest::newRow("media key first") << Strokes{Down(VolumeUp, 500), Up(VolumeUp, 600), Down(A, 1000)} << false
                                         << "vA";

        QTest::newRow("measured pauses have no upper limit")
            << Strokes{Down(A, 1000), Up(A, 101000)} << false << "vA 100000ms ^A";
        // Clear has a name, the empty one.
        QTest::newRow("Clear") << Strokes{Down(Clear, 1000), Up(Clear, 1020)} << false << "v 20ms ^";
    }

    void recordsTheKeys()
    {
        QFETCH(Strokes, strokes);
        QFETCH(bool, fixedDelay);
        QFETCH(QString, events);
        SelectMacro("Game1");
        if (fixedDelay) {
            QTest::mouseClick(Box("DefaultDelay"), Qt::LeftButton);
            QVERIFY(Box("DefaultDelay")->isChecked());
            QVERIFY(!Box("AutoInsertDelay")->isChecked());
            Spin("DelayTime")->setValue(250);
        }
        StartRecording();
        Play(strokes);
        QCOMPARE(EventTexts(), events);
        StopRecording();
        QCOMPARE(EventTexts(), events);
    }

    void recordingIsSavedToTheMacroFile()
    {
        SelectMacro("Game2");
        StartRecording();
        Play({SysDown(LAlt, 1000), SysDown(A, 1050), SysUp(A, 1080), SysUp(LAlt, 1200), Down(B, 1300), Down(B, 1330),
              Up(B, 1400)});
        StopRecording();
        Save();
        QCOMPARE(ReadFile(MacroPath("Game2")), QByteArray("254\r\n0x04 0 0\r\n50ms\r\n0x04 1 0\r\n30ms\r\n0x04 1 1\r\n"
                                                          "120ms\r\n0x04 0 1\r\n100ms\r\n0x05 1 0\r\n100ms\r\n"
                                                          "0x05 1 1\r\n"));
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray(kOldContent));
    }

    void nothingIsRecordedWhileTheProgramIsInactive()
    {
        SelectMacro("Game1");
        StartRecording();
        Play({Down(A, 1000), Up(A, 1010)});
        SetProgramActive(false);
        Play({Down(B, 1020), Up(B, 1030)});
        SetProgramActive(true);
        Play({Down(C, 1100)});
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A 90ms vC"));
    }

    // ---- The 70-key limit ----------------------------------------------------

    void theSeventiethKeyEndsTheRecording()
    {
        SelectMacro("Game1");
        StartRecording();
        int rowsAtNotice = -1;
        QString message;
        QPoint at;
        QPoint expected;
        const auto seen = AnswerNext("KeyNumberLimit", [&](QDialog* d) {
            rowsAtNotice = Events()->count();
            message = d->findChild<QLabel*>(QStringLiteral("label"))->text();
            at = d->pos();
            expected = NoticePlace(d, -100, -50);
            ClickTool(d, "NewHong");
        });
        QByteArray lines;
        qint64 at_ms = 1000;
        for (int i = 0; i < 35; ++i) {
            const int vk = A + i % 26;
            Play({Down(vk, at_ms), Up(vk, at_ms + 20)});
            const QByteArray usage = "0x" + QByteArray::number(0x04 + i % 26, 16).toUpper().rightJustified(2, '0');
            if (i > 0)
                lines += "30ms\r\n";
            lines += usage + " 1 0\r\n20ms\r\n" + usage + " 1 1\r\n";
            at_ms += 50;
        }
        QVERIFY(*seen);
        QCOMPARE(rowsAtNotice, 139);
        QCOMPARE(message, Text("macro", "DialogMaxMacroKey"));
        QCOMPARE(at, expected);

        int keys = 0;
        int delays = 0;
        for (int row = 0; row < Events()->count(); ++row)
            (Events()->item(row)->text().contains(QLatin1String("ms")) ? delays : keys)++;
        QCOMPARE(keys, 70);
        QCOMPARE(delays, 69);
        QCOMPARE(Events()->item(138)->text(), QStringLiteral("I"));
        QCOMPARE(Events()->item(138)->type(), 1);

        // Further keys add nothing; the page keeps its recording look.
        Play({Down(Z, at_ms), Up(Z, at_ms + 10)});
        QCOMPARE(Events()->count(), 139);
        QVERIFY(StopButton()->isVisible());
        QVERIFY(AllLocked());
        QCOMPARE(RecordSignals(), QList<int>{0});

        StopRecording();
        QCOMPARE(RecordSignals(), (QList<int>{0, 1}));
        QVERIFY(AllEnabled());
        Save();
        QCOMPARE(ReadFile(MacroPath("Game1")), "1\r\n" + lines);

        // A new recording starts counting again.
        StartRecording();
        QCOMPARE(EventTexts(), QString());
        Play({Down(A, 9000), Up(A, 9005)});
        QCOMPARE(EventTexts(), QStringLiteral("vA 5ms ^A"));
    }

    // ---- Leaving the device pages ---------------------------------------------

    void leavingThePagesEndsTheRecordingAndKeepsItsEvents()
    {
        SelectMacro("Game1");
        StartRecording();
        Play({Down(A, 1000), Up(A, 1010), Down(B, 1030)});
        PostMsg::Instance()->EmitSigSetMacroPage();
        QCOMPARE(RecordSignals(), (QList<int>{0, 1}));
        QVERIFY(StartButton()->isVisible());
        QVERIFY(!StopButton()->isVisible());
        QVERIFY(AllEnabled());
        QVERIFY(!macroRecording);
        QVERIFY(SaveGreyed());
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A 20ms vB"));
        Play({Up(B, 1100), Down(C, 1200)});
        QCOMPARE(EventTexts(), QStringLiteral("vA 10ms ^A 20ms vB"));
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray(kOldContent));
    }

    void leavingThePagesWithoutARecording()
    {
        SelectMacro("Game1");
        QTest::mouseClick(Box("ReUntil"), Qt::LeftButton);
        QVERIFY(SaveEnabledAndStyled());
        PostMsg::Instance()->EmitSigSetMacroPage();
        QCOMPARE(RecordSignals(), QList<int>{1});
        QVERIFY(StartButton()->isVisible());
        QVERIFY(AllEnabled());
        QVERIFY(SaveGreyed());
        QCOMPARE(EventTexts(), QStringLiteral("vC 10ms ^C"));
    }

    // ---- The key capture dialog of the event list --------------------------------

    void insertEntriesCaptureAKey_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("key down") << 1 << "vC 10ms ^C 10ms vB" << QByteArray("1\r\n0x06 1 0\r\n10ms\r\n0x06 1 1\r\n10ms\r\n0x05 1 0\r\n");
        QTest::newRow("key up") << 2 << "vC 10ms ^C 10ms ^B" << QByteArray("1\r\n0x06 1 0\r\n10ms\r\n0x06 1 1\r\n10ms\r\n0x05 1 1\r\n");
    }

    void insertEntriesCaptureAKey()
    {
        QFETCH(int, entry);
        QFETCH(QString, events);
        QFETCH(QByteArray, file);
        SelectMacro("Game1");
        Events()->setCurrentRow(2);
        QPoint at;
        QPoint expected;
        QSize size;
        const auto seen = AnswerNext("addKey", [&](QDialog* d) {
            expected = NoticePlace(d, -50, -70);
            size = d->size();
            CaptureKey(B, "NewHong", &at)(d);
        });
        auto* combo = page->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
        QVERIFY(*seen);
        QCOMPARE(size, QSize(300, 140));
        QCOMPARE(at, expected);
        QCOMPARE(EventTexts(), events);
        QVERIFY(SaveEnabledAndStyled());
        Save();
        QCOMPARE(ReadFile(MacroPath("Game1")), file);
        QCOMPARE(saves->size(), 1);
    }

    void cancelledCaptureChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("amend");
        QTest::newRow("insert, cancel") << "NewHong_2" << false;
        QTest::newRow("insert, close") << "CloseButton" << false;
        QTest::newRow("change, cancel") << "NewHong_2" << true;
        QTest::newRow("change, close") << "CloseButton" << true;
    }

    void cancelledCaptureChangesNothing()
    {
        QFETCH(QString, button);
        QFETCH(bool, amend);
        SelectMacro("Game1");
        Events()->setCurrentRow(0);
        const QByteArray name = button.toLatin1();
        const auto seen = AnswerNext("addKey", CaptureKey(B, name.constData()));
        if (amend) {
            QTest::mouseClick(page->findChild<QToolButton*>(QStringLiteral("Amend")), Qt::LeftButton);
        } else {
            auto* combo = page->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
            combo->setCurrentIndex(1);
            emit combo->activated(1);
        }
        QVERIFY(*seen);
        QCOMPARE(EventTexts(), QStringLiteral("vC 10ms ^C"));
        QVERIFY(SaveGreyed());
    }

    // The change button gives a key item the captured key; it stays a press,
    // and its release keeps the old name.
    void changeGivesAKeyItemTheCapturedKey()
    {
        SelectMacro("Game1");
        Events()->setCurrentRow(0);
        QPoint at;
        QPoint expected;
        const auto seen = AnswerNext("addKey", [&](QDialog* d) {
            expected = NoticePlace(d, -50, -70);
            CaptureKey(LAlt, "NewHong", &at)(d);
        });
        QTest::mouseClick(page->findChild<QToolButton*>(QStringLiteral("Amend")), Qt::LeftButton);
        QVERIFY(*seen);
        QCOMPARE(at, expected);
        QCOMPARE(EventTexts(), QStringLiteral("vLAlt 10ms ^C"));
        QVERIFY(SaveEnabledAndStyled());
        Save();
        QCOMPARE(ReadFile(MacroPath("Game1")), QByteArray("1\r\n0x04 0 0\r\n10ms\r\n0x06 1 1\r\n"));
    }
};

QTEST_MAIN(TestMacroRecording)
#include "tst_macrorecording.moc"
