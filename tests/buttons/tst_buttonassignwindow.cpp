// A user gives a mouse button a new function in the program's window: the
// row shows it at once, and the mouse still has it when it is opened again.

#include "HubRecorder.h"
#include "UiScript.h"
#include "WindowTestSupport.h"

#include "app/Startup.h"
#include "buttons/Buttoninterface.h"
#include "buttons/ConsumerKeyTable.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"
#include "app/LanguageTables.h"
#include "dialogs/DeleteConfirm.h"
#include "macro/Macro.h"
#include "macro/QuestionDialog.h"
#include "macro/MacroBlockCodec.h"
#include "macro/MacroTextFile.h"
#include "app/AppPaths.h"
#include "platform/LowLevelKeyboardHook.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <QStackedWidget>
#include <QtTest>

#include <memory>

using namespace WindowTest;

namespace {

QByteArray Bytes(const void* data, int size)
{
    return QByteArray(static_cast<const char*>(data), size);
}

// The record the simulated mouse keeps, read back through the library.
FlashDataMap MouseRecord()
{
    const QByteArray image = SimulatedDeviceControl::flashImage(QStringLiteral("drive1"));
    FlashDataMap record{};
    ProtocolDataParser(reinterpret_cast<const unsigned char*>(image.constData()),
                       reinterpret_cast<unsigned char*>(&record));
    return record;
}

QByteArray Header(const FlashDataMap& record, int button)
{
    return Bytes(&record.buttons[button], 3);
}

} // namespace

class TestButtonAssignWindow : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;

    DialogChange* Chooser() { return m_window->findChild<DialogChange*>(); }
    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    Buttoninterface* ButtonPage() { return Pages()->findChild<Buttoninterface*>(); }
    template <typename T = QToolButton>
    T* OnButtonPage(const char* name)
    {
        T* child = ButtonPage()->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no %s on the button page", name);
        return child;
    }
    QToolButton* OnContainer(const char* name)
    {
        auto* stack = Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog"));
        for (QToolButton* child : Pages()->findChildren<QToolButton*>(QString::fromLatin1(name)))
            if (!stack->isAncestorOf(child))
                return child;
        return nullptr;
    }

    // Clicks the one tile and waits until the mouse is read and the
    // please-wait dialog is gone.
    void OpenPages()
    {
        QTRY_COMPARE_WITH_TIMEOUT(Tiles(Chooser()).size(), 1, 5000);
        HubRecorder recorder;
        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QCOMPARE(recorder.Named("SigUpDataLightUIButton").size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        QVERIFY(recorder.Named("SigMouseOffLineo").isEmpty());
        QTest::mouseClick(OnContainer("ButtonMain"), Qt::LeftButton);
        QTRY_VERIFY(ButtonPage()->isVisible());
    }

    // The user picks a row. Until rows open the function chooser themselves,
    // the test opens it as the row's click will.
    void PickRow(const char* row, int categoryPage = -1)
    {
        QTest::mouseClick(OnButtonPage(row), Qt::LeftButton);
        QVERIFY(OnButtonPage(row)->isChecked());
        OnButtonPage<QStackedWidget>("stackedWidget")->setCurrentIndex(1);
        if (categoryPage >= 0)
            OnButtonPage<QStackedWidget>("stackedWidget_2")->setCurrentIndex(categoryPage);
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
        StopUsbChanged();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QCoreApplication::applicationDirPath()
                                                          + "/Simulation/DefaultScenario.json", &error),
                 qPrintable(error));
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        UsbServer_Exit();
    }

    void aFunctionReachesTheRowAndStaysOnTheMouse()
    {
        OpenPages();
        if (QTest::currentTestFailed())
            return;
        // The middle button on the right row, a media key on the back row.
        PickRow("RightKey");
        QTest::mouseClick(OnButtonPage("MidKey"), Qt::LeftButton);
        QCOMPARE(OnButtonPage("RightKey")->text(), OnButtonPage("MidKey")->text());
        QCOMPARE(OnButtonPage<QStackedWidget>("stackedWidget")->currentWidget()->objectName(), QStringLiteral("page"));

        PickRow("BackKey", 0);
        QTest::mouseClick(OnButtonPage("VolumeDown_6"), Qt::LeftButton);
        QCOMPARE(OnButtonPage("BackKey")->text(), OnButtonPage("VolumeDown_6")->text());

        const KeyBlock calculatorBlock = ConsumerKeyTable::MediaKeyBlock(0x0192);
        const QByteArray calculator = Bytes(&calculatorBlock, 52);
        FlashDataMap mouse = MouseRecord();
        QCOMPARE(Header(mouse, 1), QByteArray("\x01\x04\x00", 3));
        QCOMPARE(Header(mouse, 2), QByteArray("\x05\x00\x00", 3));
        QCOMPARE(Bytes(&mouse.keyBlocks[2], 52), calculator);

        // Back to the chooser and the mouse opened again: it is read anew.
        QTest::mouseClick(OnContainer("UpArrow"), Qt::LeftButton);
        QCOMPARE(m_window->findChild<QStackedWidget*>("stackedWidgetMain")->currentWidget(),
                 static_cast<QWidget*>(Chooser()));
        { CurrentFlashMapLock lock; lock.Map().buttons[1] = ButtonFunctionHeader{0, 0, 0}; }
        OpenPages();
        if (QTest::currentTestFailed())
            return;
        const FlashDataMap reread = CurrentFlashMapLock::Snapshot();
        QCOMPARE(Header(reread, 1), QByteArray("\x01\x04\x00", 3));
        QCOMPARE(Header(reread, 2), QByteArray("\x05\x00\x00", 3));
        QCOMPARE(Bytes(&reread.keyBlocks[2], 52), calculator);
        QCOMPARE(OnButtonPage("RightKey")->text(), OnButtonPage("MidKey")->text());
        QCOMPARE(OnButtonPage("BackKey")->text(), OnButtonPage("VolumeDown_6")->text());
    }

    Macro* MacroPage() { return Pages()->findChild<Macro*>(); }

    // The device pages, opened unless an earlier test left them open.
    bool OnPagesOrOpened()
    {
        auto* main = m_window->findChild<QStackedWidget*>("stackedWidgetMain");
        if (main->currentWidget() != static_cast<QWidget*>(Pages()))
            OpenPages();
        return !QTest::currentTestFailed();
    }

    QToolButton* MacroListButton(const QString& name)
    {
        for (QToolButton* button : OnButtonPage<QWidget>("macroListWidget")->findChildren<QToolButton*>())
            if (button->text() == name && !button->isHidden())
                return button;
        return nullptr;
    }

    void ClickMacroEntry(const QString& name, Qt::MouseButton button = Qt::LeftButton)
    {
        auto* list = MacroPage()->findChild<QListWidget*>(QStringLiteral("listWidgetHong"));
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(name));
        const QPoint point = list->visualItemRect(items.first()).center();
        QTest::mouseClick(list->viewport(), button, Qt::NoModifier, point);
        if (button == Qt::RightButton) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, point, list->viewport()->mapToGlobal(point));
            QApplication::sendEvent(list->viewport(), &event);
        }
    }

    static void EnterName(QuestionDialog* dialog, const QString& name)
    {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit")), name);
        QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
    }

private slots:
    // A macro made on the macro page is bound on the button page, and the
    // row follows its rename and its deletion there.
    void aMacroFromTheMacroPageOnAButton()
    {
        if (!OnPagesOrOpened())
            return;
        const QString prefix = LanguageTables::Text(0, QStringLiteral("macro"), QStringLiteral("MacroSeond"));

        QTest::mouseClick(OnContainer("MacroButton"), Qt::LeftButton);
        QTRY_VERIFY(MacroPage()->isVisible());
        {
            UiScript script;
            script.Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "Raid"); });
            QTest::mouseClick(MacroPage()->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
            QVERIFY(script.Done());
        }

        QTest::mouseClick(OnContainer("ButtonMain"), Qt::LeftButton);
        QTRY_VERIFY(ButtonPage()->isVisible());
        PickRow("BackKey");
        QTest::mouseClick(OnButtonPage("DPI_10"), Qt::LeftButton);
        QCOMPARE(OnButtonPage<QStackedWidget>("stackedWidget_2")->currentWidget()->objectName(), QStringLiteral("page_5"));
        QToolButton* raid = MacroListButton("Raid");
        QVERIFY(raid);
        QTest::mouseClick(raid, Qt::LeftButton);
        QCOMPARE(OnButtonPage("BackKey")->text(), prefix + "Raid");
        FlashDataMap mouse = MouseRecord();
        QCOMPARE(Header(mouse, 2), QByteArray("\x06\x02\x00", 3));
        QCOMPARE(Bytes(&mouse.macroBlocks[2], 5), QByteArray("\x04Raid", 5));

        QTest::mouseClick(OnContainer("MacroButton"), Qt::LeftButton);
        QTRY_VERIFY(MacroPage()->isVisible());
        ClickMacroEntry("Raid");
        {
            UiScript script;
            script
                .Menu([](QMenu* menu) {
                    for (QAction* action : menu->actions())
                        if (action->text() == LanguageTables::Text(0, QStringLiteral("macro"), QStringLiteral("Rename")))
                            menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                })
                .Dialog<QuestionDialog>([](QuestionDialog* d) { EnterName(d, "Boss"); });
            ClickMacroEntry("Raid", Qt::RightButton);
            QVERIFY(script.Done());
        }
        QCOMPARE(OnButtonPage("BackKey")->text(), prefix + "Boss");
        mouse = MouseRecord();
        QCOMPARE(Bytes(&mouse.macroBlocks[2], 5), QByteArray("\x04" "Boss", 5));

        ClickMacroEntry("Boss");
        {
            UiScript script;
            script.Dialog<DeleteConfirm>([](DeleteConfirm* d) {
                QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
            });
            QTest::mouseClick(MacroPage()->findChild<QToolButton*>(QStringLiteral("DeleteHong")), Qt::LeftButton);
            QVERIFY(script.Done());
        }
        QTest::mouseClick(OnContainer("ButtonMain"), Qt::LeftButton);
        QTRY_VERIFY(ButtonPage()->isVisible());
        QCOMPARE(OnButtonPage("BackKey")->text(), OnButtonPage("MidKey")->text());
        QCOMPARE(Header(MouseRecord(), 2), QByteArray("\x01\x04\x00", 3));
        QVERIFY(!MacroListButton("Boss"));
    }

    // The button page sends a saved macro a moment after the save; the user
    // picking another macro meanwhile must not lose it.
    void aSavedMacroReachesItsButtonWhenAnotherIsPickedAtOnce()
    {
        if (!OnPagesOrOpened())
            return;
        QTest::mouseClick(OnContainer("MacroButton"), Qt::LeftButton);
        QTRY_VERIFY(MacroPage()->isVisible());
        for (const char* name : {"Combo", "Spare"}) {
            UiScript script;
            script.Dialog<QuestionDialog>([name](QuestionDialog* d) { EnterName(d, QString::fromLatin1(name)); });
            QTest::mouseClick(MacroPage()->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
            QVERIFY(script.Done());
        }
        QTest::mouseClick(OnContainer("ButtonMain"), Qt::LeftButton);
        QTRY_VERIFY(ButtonPage()->isVisible());
        PickRow("BackKey");
        QTest::mouseClick(OnButtonPage("DPI_10"), Qt::LeftButton);
        QToolButton* combo = MacroListButton("Combo");
        QVERIFY(combo);
        QTest::mouseClick(combo, Qt::LeftButton);

        QTest::mouseClick(OnContainer("MacroButton"), Qt::LeftButton);
        QTRY_VERIFY(MacroPage()->isVisible());
        ClickMacroEntry("Combo");
        QTest::mouseClick(MacroPage()->findChild<QPushButton*>(QStringLiteral("StartRecord")), Qt::LeftButton);
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyDown);
        LowLevelKeyboardHook::SendKeyEvent(0x41, KeyMessage::KeyUp);
        QTest::mouseClick(MacroPage()->findChild<QPushButton*>(QStringLiteral("StopRecord")), Qt::LeftButton);
        // The click comes while the button page waits to send the save.
        QTimer::singleShot(300, this, [this] { ClickMacroEntry("Spare"); });
        QTest::mouseClick(MacroPage()->findChild<QToolButton*>(QStringLiteral("Save")), Qt::LeftButton);
        QTRY_COMPARE(MacroPage()->findChild<QListWidget*>(QStringLiteral("listWidgetHong"))->currentItem()->text(),
                     QStringLiteral("Spare"));

        QFile saved(AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage/Combo.ini"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<MacroEvent> events = MacroTextFile::Parse(saved.readAll()).events;
        QVERIFY(events.size() >= 2); // press, release and the pause between them
        const MacroBlock expected = MacroBlockCodec::Encode(QStringLiteral("Combo"), events);
        const QByteArray wanted = Bytes(&expected, sizeof expected);
        const auto mouseBlock = [] {
            const FlashDataMap mouse = MouseRecord();
            return Bytes(&mouse.macroBlocks[2], sizeof(MacroBlock));
        };
        QTRY_COMPARE_WITH_TIMEOUT(mouseBlock(), wanted, 5000);
    }
};

QTEST_MAIN(TestButtonAssignWindow)
#include "tst_buttonassignwindow.moc"
