// Key combinations and rapid fire on the button page, as the user enters
// them in their dialogs: the record the mouse gets (header and key block),
// the row's text and the page's mirror, the text read back from the mouse,
// the rapid-fire dialog's preset, and what cancelling, no row and an
// offline mouse do.

#include "ButtonPageTestSupport.h"

#include "app/PostMsg.h"
#include "macro/FireKey.h"
#include "macro/GroupKey.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <cstring>

using namespace ButtonPageTest;

namespace {

// A key the user presses in the combination dialog: a Qt key and whether it
// is on the numeric keypad.
struct Stroke {
    int key;
    bool keypad;
};

// A key of the expected block: kind and usage.
struct Key {
    int kind;
    int usage;
};

// The block a combination of these keys must give: presses in order, then
// releases in reverse, 10 ms each.
QByteArray ExpectedBlock(const QList<Key>& keys)
{
    const int n = keys.size();
    QByteArray block(52, '\0');
    block[0] = char(2 * n);
    for (int k = 0; k < n; ++k) {
        block.replace(4 + 8 * k, 8, Event(0, keys[k].kind, keys[k].usage, 10));
        block.replace(4 + 8 * (2 * n - 1 - k), 8, Event(1, keys[k].kind, keys[k].usage, 10));
    }
    return block;
}

QByteArray WithButton(QByteArray record, int button, const QByteArray& header, const QByteArray& keyBlock = QByteArray())
{
    record.replace(95 + 3 * button, 3, header);
    if (!keyBlock.isEmpty())
        record.replace(144 + 52 * button, 52, keyBlock);
    return record;
}

} // namespace

Q_DECLARE_METATYPE(QList<Stroke>)
Q_DECLARE_METATYPE(QList<Key>)

class TestKeyCombinations : public QObject {
    Q_OBJECT

private:
    PageFixture f;

    // Presses the combination button as the user does and plays the dialog:
    // ticks the boxes, types the keys into it, then ends it by `how`.
    std::shared_ptr<bool> EnterCombination(const QStringList& boxes, const QList<Stroke>& strokes,
                                           const QString& how = QStringLiteral("NewHong"))
    {
        auto seen = AnswerNext<GroupKey>([=](GroupKey* dialog) {
            for (const QString& box : boxes)
                QTest::mouseClick(dialog->findChild<QCheckBox*>(box), Qt::LeftButton);
            auto* display = dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit"));
            // The keys go to whatever has the focus: a clicked box keeps it.
            if (QTest::qWaitForWindowActive(dialog)) {
                for (const Stroke& stroke : strokes) {
                    QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : display;
                    QTest::keyClick(focused, Qt::Key(stroke.key), stroke.keypad ? Qt::KeypadModifier : Qt::NoModifier);
                }
            }
            QTest::mouseClick(dialog->findChild<QToolButton*>(how), Qt::LeftButton);
            if (dialog->isVisible())
                dialog->close();
        });
        QTest::mouseClick(f.Child(QStringLiteral("DPI_8")), Qt::LeftButton);
        return seen;
    }

    // Presses the rapid-fire button and plays its dialog: notes the preset,
    // types the values, ends it by `how`.
    std::shared_ptr<bool> EnterFireKey(int interval, int count, const QString& how = QStringLiteral("NewHong"),
                                       QPair<int, int>* preset = nullptr)
    {
        auto seen = AnswerNext<FireKey>([=](FireKey* dialog) {
            auto* time = dialog->findChild<QSpinBox*>(QStringLiteral("Time"));
            auto* repeats = dialog->findChild<QSpinBox*>(QStringLiteral("Count"));
            if (preset)
                *preset = {time->value(), repeats->value()};
            const bool active = QTest::qWaitForWindowActive(dialog);
            Q_UNUSED(active);
            for (QSpinBox* box : {time, repeats}) {
                box->setFocus();
                box->selectAll();
                QTest::keyClicks(box, QString::number(box == time ? interval : count));
            }
            QTest::mouseClick(dialog->findChild<QToolButton*>(how), Qt::LeftButton);
            if (dialog->isVisible())
                dialog->close();
        });
        QTest::mouseClick(f.Child(QStringLiteral("DPI_6")), Qt::LeftButton);
        return seen;
    }

    bool ChooserView() const
    {
        return f.FunctionPage() == QLatin1String("page_2") && f.CategoryPage() == QLatin1String("page_9")
            && f.RowScrollBarStyle() == QLatin1String("QScrollBar {width:10px;}");
    }

private slots:
    void initTestCase() { f.Open(QStringLiteral(DEVICE_FIXTURES "/one_mouse.json")); }
    void cleanupTestCase() { f.Close(); }
    void init() { f.StartFrom(PatternRecord()); }
    void cleanup() { CloseStrayDialogs(); }

    // ---- Key combinations -------------------------------------------------------

    void combinationReachesTheMouseAndReadsBack_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Key>>("keys");
        QTest::newRow("modifiers only") << "RightKey" << QStringList{"Shift", "Ctrl", "Alt"} << QList<Stroke>{}
                                        << "Shift+Ctrl+Alt" << QList<Key>{{0, 0x02}, {0, 0x01}, {0, 0x04}};
        QTest::newRow("Win alone") << "BackKey" << QStringList{"Win"} << QList<Stroke>{} << "Win"
                                   << QList<Key>{{0, 0x08}};
        QTest::newRow("Shift+A on TopMusic") << "TopMusic" << QStringList{"Shift"}
                                             << QList<Stroke>{{Qt::Key_A, false}} << "Shift+A"
                                             << QList<Key>{{0, 0x02}, {1, 0x04}};
        QTest::newRow("two modifiers and a key") << "FireKey" << QStringList{"Shift", "Ctrl"}
                                                 << QList<Stroke>{{Qt::Key_A, false}} << "Shift+Ctrl+A"
                                                 << QList<Key>{{0, 0x02}, {0, 0x01}, {1, 0x04}};
        QTest::newRow("three keys") << "StartPause" << QStringList{}
                                    << QList<Stroke>{{Qt::Key_F1, false}, {Qt::Key_Tab, false}, {Qt::Key_Z, false}}
                                    << "F1+Tab+Z" << QList<Key>{{1, 0x3A}, {1, 0x2B}, {1, 0x1D}};
        QTest::newRow("numpad keys") << "BackMusic" << QStringList{}
                                     << QList<Stroke>{{Qt::Key_5, true}, {Qt::Key_Minus, true}}
                                     << "Num5+Num-" << QList<Key>{{1, 0x5D}, {1, 0x56}};
        QTest::newRow("Num+ with a modifier") << "RightKey" << QStringList{"Alt"}
                                              << QList<Stroke>{{Qt::Key_Plus, true}} << "Alt+Num+"
                                              << QList<Key>{{0, 0x04}, {1, 0x57}};
        QTest::newRow("Num+ first of three") << "BackKey" << QStringList{}
                                             << QList<Stroke>{{Qt::Key_Plus, true}, {Qt::Key_A, false}, {Qt::Key_B, false}}
                                             << "Num++A+B" << QList<Key>{{1, 0x57}, {1, 0x04}, {1, 0x05}};
        QTest::newRow("Num+ in the middle") << "FireKey" << QStringList{"Ctrl"}
                                            << QList<Stroke>{{Qt::Key_Plus, true}, {Qt::Key_5, true}}
                                            << "Ctrl+Num++Num5" << QList<Key>{{0, 0x01}, {1, 0x57}, {1, 0x5D}};
        QTest::newRow("longest: two modifiers and Num+") << "TopMusic" << QStringList{"Shift", "Win"}
                                                         << QList<Stroke>{{Qt::Key_Plus, true}} << "Shift+Win+Num+"
                                                         << QList<Key>{{0, 0x02}, {0, 0x08}, {1, 0x57}};
        QTest::newRow("hidden row Button12") << "Button12" << QStringList{"Ctrl"} << QList<Stroke>{{Qt::Key_C, false}}
                                             << "Ctrl+C" << QList<Key>{{0, 0x01}, {1, 0x06}};
    }
    void combinationReachesTheMouseAndReadsBack()
    {
        QFETCH(QString, row);
        QFETCH(QStringList, boxes);
        QFETCH(QList<Stroke>, strokes);
        QFETCH(QString, text);
        QFETCH(QList<Key>, keys);
        const int index = DeviceButtonIndex::IndexOfRow(row);
        f.CheckRow(row);
        f.OpenChooser(3);
        f.Child(QStringLiteral("Player"))->setChecked(true);

        QVERIFY(*EnterCombination(boxes, strokes));

        const QByteArray expected =
            WithButton(Bytes(PatternRecord()), index, Header(5, 0, 0), ExpectedBlock(keys));
        const QList<QByteArray> sent = SentRecords();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(FirstDifference(sent.first(), expected), QString());
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        QCOMPARE(f.Child(row)->text(), text);
        QCOMPARE(f.page->MirrorEntry(index), index < kModelKeyNumber ? QList<int>({5, 0, 0}) : QList<int>({-1, -1, -1}));
        // The function chooser stays in view; the media key's check is gone.
        QVERIFY(ChooserView());
        QVERIFY(!f.Child(QStringLiteral("Player"))->isChecked());
        QVERIFY(f.Child(QStringLiteral("DPI_8"))->isChecked());

        // What the mouse keeps reads back as the same text.
        if (index < kModelKeyNumber) {
            f.Child(row)->setText(QStringLiteral("stale"));
            f.page->SlotUpDataButtonUIB(MouseMap());
            QCOMPARE(f.Child(row)->text(), text);
        }
    }

    void combinationWithNothingChosen()
    {
        f.CheckRow(QStringLiteral("RightKey"));
        QVERIFY(*EnterCombination({}, {}));
        QCOMPARE(FirstDifference(MouseRecord(), WithButton(Bytes(PatternRecord()), 1, Header(5, 0, 0),
                                                           ExpectedBlock({{1, 0}}))),
                 QString());
        QCOMPARE(f.Child(QStringLiteral("RightKey"))->text(), QString());
    }

    void combinationCancelledChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "NewHong_2";
        QTest::newRow("close") << "CloseButton";
    }
    void combinationCancelledChangesNothing()
    {
        QFETCH(QString, how);
        f.CheckRow(QStringLiteral("BackKey"));
        f.OpenChooser(3);
        QVERIFY(*EnterCombination({"Ctrl"}, {{Qt::Key_A, false}}, how));
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(f.Child(QStringLiteral("BackKey"))->text(), QStringLiteral("row BackKey"));
        QCOMPARE(f.FunctionPage(), QStringLiteral("page_2"));
        QCOMPARE(f.CategoryPage(), QStringLiteral("page_8"));
    }

    void combinationWithoutARowSendsNothing()
    {
        f.CheckRow(QString());
        f.OpenChooser(3);
        QVERIFY(*EnterCombination({"Ctrl"}, {{Qt::Key_A, false}}));
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(MouseRecord(), Bytes(PatternRecord()));
        QVERIFY(ChooserView());
    }

    void combinationToAnOfflineMouseKeepsTheRow()
    {
        SimulatedDeviceControl::setOnline(kMouse, false);
        f.CheckRow(QStringLiteral("TopMusic"));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QVERIFY(*EnterCombination({"Shift"}, {{Qt::Key_A, false}}));
        QCOMPARE(offline.size(), 1);
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(f.Child(QStringLiteral("TopMusic"))->text(), QStringLiteral("row TopMusic"));
        const ButtonFunctionHeader pattern = PatternRecord().buttons[3];
        QCOMPARE(f.page->MirrorEntry(3), (QList<int>{pattern.type, pattern.code, pattern.extra}));
        QVERIFY(ChooserView());
    }

    // A combination given to a button without the dialog writes that
    // button's own row.
    void combinationWithoutADialog_data()
    {
        QTest::addColumn<int>("button");
        for (int b = 0; b < 12; ++b)
            QTest::addRow("button %d", b) << b;
        QTest::newRow("button 12") << 12;
        QTest::newRow("button -1") << -1;
    }
    void combinationWithoutADialog()
    {
        QFETCH(int, button);
        f.Child(QStringLiteral("Player"))->setChecked(true);
        f.page->AssignKeyCombination(button, QStringLiteral("Ctrl+Num+"));
        QVERIFY(ChooserView());
        QVERIFY(!f.Child(QStringLiteral("Player"))->isChecked());
        if (button < 0 || button > 11) {
            QCOMPARE(SentRecords().size(), 0);
            return;
        }
        QCOMPARE(FirstDifference(MouseRecord(), WithButton(Bytes(PatternRecord()), button, Header(5, 0, 0),
                                                           ExpectedBlock({{0, 0x01}, {1, 0x57}}))),
                 QString());
        for (int b = 0; b < 12; ++b)
            QCOMPARE(f.RowOf(b)->text(), b == button ? QStringLiteral("Ctrl+Num+")
                                                     : QStringLiteral("row ") + DeviceButtonIndex::RowOfIndex(b));
    }

    // ---- Rapid fire -------------------------------------------------------------

    void rapidFireReachesTheMouse_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("count");
        QTest::newRow("BackMusic 200 ms, held") << "BackMusic" << 200 << 0;
        QTest::newRow("FireKey shortest") << "FireKey" << 10 << 1;
        QTest::newRow("RightKey longest") << "RightKey" << 255 << 3;
        QTest::newRow("StartPause") << "StartPause" << 37 << 2;
        QTest::newRow("Button11") << "Button11" << 99 << 3;
    }
    void rapidFireReachesTheMouse()
    {
        QFETCH(QString, row);
        QFETCH(int, interval);
        QFETCH(int, count);
        const int index = DeviceButtonIndex::IndexOfRow(row);
        f.CheckRow(row);
        f.OpenChooser(3);
        f.Child(QStringLiteral("Player"))->setChecked(true);

        QVERIFY(*EnterFireKey(interval, count));

        // Key and macro blocks stay as they are.
        const QByteArray expected = WithButton(Bytes(PatternRecord()), index, Header(4, interval, count));
        QCOMPARE(SentRecords().size(), 1);
        QCOMPARE(FirstDifference(SentRecords().first(), expected), QString());
        QCOMPARE(FirstDifference(MouseRecord(), expected), QString());
        QCOMPARE(f.Child(row)->text(), f.Child(QStringLiteral("DPI_6"))->text());
        QCOMPARE(f.page->MirrorEntry(index),
                 index < kModelKeyNumber ? QList<int>({4, interval, count}) : QList<int>({-1, -1, -1}));
        QVERIFY(f.Idle());
        QVERIFY(!f.Child(QStringLiteral("Player"))->isChecked());
    }

    // The dialog opens with the button's own values when it has rapid fire
    // already, else with 10 and 3; a value beyond a box shows at its end.
    void rapidFirePresetFromTheMirror_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("count");
        QTest::newRow("rapid fire 200, 1") << Header(4, 200, 1) << 200 << 1;
        QTest::newRow("rapid fire 10, 0") << Header(4, 10, 0) << 10 << 0;
        QTest::newRow("below and above the boxes") << Header(4, 5, 9) << 10 << 3;
        QTest::newRow("another function") << Header(1, 4, 0) << 10 << 3;
    }
    void rapidFirePresetFromTheMirror()
    {
        QFETCH(QByteArray, header);
        QFETCH(int, time);
        QFETCH(int, count);
        FlashDataMap record = PatternRecord();
        std::memcpy(&record.buttons[2], header.constData(), 3);
        f.StartFrom(record);
        f.page->SlotUpDataButtonUIB(record);
        SimulatedDeviceControl::clearCalls();
        f.CheckRow(QStringLiteral("BackKey"));
        QPair<int, int> preset;
        QVERIFY(*EnterFireKey(50, 2, QStringLiteral("NewHong_2"), &preset));
        QCOMPARE(preset, qMakePair(time, count));
        QCOMPARE(SentRecords().size(), 0);
    }

    // After the factory defaults the mirror holds no counts.
    void rapidFirePresetAfterTheFactoryDefaults()
    {
        f.page->SlotFormResetButton();
        f.Child(QStringLiteral("Button11"))->setText(f.Child(QStringLiteral("DPI_6"))->text());
        f.CheckRow(QStringLiteral("Button11"));
        QPair<int, int> preset;
        QVERIFY(*EnterFireKey(50, 2, QStringLiteral("CloseButton"), &preset));
        QCOMPARE(preset, qMakePair(10, 3));
    }

    void rapidFireCancelledChangesNothing()
    {
        f.CheckRow(QStringLiteral("FireKey"));
        f.OpenChooser(3);
        QVERIFY(*EnterFireKey(77, 1, QStringLiteral("NewHong_2")));
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(f.Child(QStringLiteral("FireKey"))->text(), QStringLiteral("row FireKey"));
        QCOMPARE(f.FunctionPage(), QStringLiteral("page_2"));
        QCOMPARE(f.CategoryPage(), QStringLiteral("page_8"));
    }

    void rapidFireWithoutARowSendsNothing()
    {
        f.CheckRow(QString());
        f.OpenChooser(3);
        QPair<int, int> preset;
        QVERIFY(*EnterFireKey(77, 1, QStringLiteral("NewHong"), &preset));
        QCOMPARE(preset, qMakePair(10, 3));
        QCOMPARE(SentRecords().size(), 0);
        QVERIFY(f.Idle());
    }

    // An offline mouse: the press opens no dialog at all.
    void rapidFireOnAnOfflineMouseOpensNothing()
    {
        SimulatedDeviceControl::setOnline(kMouse, false);
        f.CheckRow(QStringLiteral("FireKey"));
        f.OpenChooser(3);
        bool opened = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&opened] {
            if (auto* dialog = qobject_cast<FireKey*>(QApplication::activeModalWidget())) {
                opened = true;
                dialog->close();
            }
        });
        poll.start(10);
        QTest::mouseClick(f.Child(QStringLiteral("DPI_6")), Qt::LeftButton);
        QTest::qWait(50);
        QVERIFY(!opened);
        QCOMPARE(SentRecords().size(), 0);
        QCOMPARE(f.FunctionPage(), QStringLiteral("page"));
        QCOMPARE(f.CategoryPage(), QStringLiteral("page_9"));
    }

    // A double click sends the last confirmed values at once, then asks anew.
    void rapidFireDoubleClickSendsTheLastValues()
    {
        f.CheckRow(QStringLiteral("RightKey"));
        QVERIFY(*EnterFireKey(120, 2));
        f.CheckRow(QStringLiteral("BackMusic"));
        SimulatedDeviceControl::clearCalls();
        // Pressed twice: the first press asks (cancelled), the double click
        // sends 120 and 2 and asks again (cancelled).
        int dialogs = 0;
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, [&dialogs] {
            if (auto* dialog = qobject_cast<FireKey*>(QApplication::activeModalWidget())) {
                ++dialogs;
                QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("NewHong_2")), Qt::LeftButton);
            }
        });
        poll->start(10);
        QTest::mouseClick(f.Child(QStringLiteral("DPI_6")), Qt::LeftButton);
        QCOMPARE(SentRecords().size(), 0);
        QTest::mouseDClick(f.Child(QStringLiteral("DPI_6")), Qt::LeftButton);
        QTRY_COMPARE(dialogs, 2);
        delete poll;
        QCOMPARE(SentRecords().size(), 1);
        QCOMPARE(FirstDifference(MouseRecord(), WithButton(WithButton(Bytes(PatternRecord()), 1, Header(4, 120, 2)), 5,
                                                           Header(4, 120, 2))),
                 QString());
        QCOMPARE(f.Child(QStringLiteral("BackMusic"))->text(), f.Child(QStringLiteral("DPI_6"))->text());
    }
};

QTEST_MAIN(TestKeyCombinations)
#include "tst_keycombinations.moc"
