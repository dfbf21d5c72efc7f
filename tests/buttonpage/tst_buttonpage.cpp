#include "HubRecorder.h"

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "buttons/ButtonPageForm.h"
#include "buttons/Buttoninterface.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/Worker.h"
#include "platform/rozuri/CallLog.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "sensor/DebounceTime.h"
#include "sensor/SensorCapabilityHeader.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList Names(const QList<QAbstractButton*>& buttons)
{
    QStringList names;
    for (QAbstractButton* button : buttons)
        names << button->objectName();
    return names;
}

QStringList Sequence(const char* prefix, int from, int to)
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << QString::fromLatin1(prefix) + QString::number(i);
    return names;
}

// A record whose button b has header (b + 1, 0x10 + b + seed, 0x20 + b).
FlashDataMap PatternRecord(int seed)
{
    FlashDataMap record{};
    for (int b = 0; b < 16; ++b) {
        record.buttons[b].type = static_cast<uint8_t>(b + 1);
        record.buttons[b].code = static_cast<uint8_t>(0x10 + b + seed);
        record.buttons[b].extra = static_cast<uint8_t>(0x20 + b);
    }
    return record;
}

QList<int> Column(const FlashDataMap& record, int count, int which)
{
    QList<int> column;
    for (int b = 0; b < count; ++b) {
        const ButtonFunctionHeader& h = record.buttons[b];
        column << (which == 0 ? h.type : which == 1 ? h.code : h.extra);
    }
    return column;
}

int IndexOfCall(const QList<QJsonObject>& calls, const QString& function, int from = 0)
{
    for (int i = from; i < calls.size(); ++i)
        if (calls[i].value("fn").toString() == function)
            return i;
    return -1;
}

} // namespace

class TestButtonPage : public QObject {
    Q_OBJECT
private:
    Buttoninterface* m_page = nullptr;
    ButtonPageForm* f = nullptr;

    QComboBox* DebounceCombo() { return f->DebunceButton->findChild<QComboBox*>("Debunce"); }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void init()
    {
        qunsetenv("NK_SCREEN_DPI");
        lastOnline = 0;
        CurrentDevice::SetInfo(DeviceAllInfo());
        DeviceCacheFile::SetSelectionCacheName(QString());
        m_page = new Buttoninterface;
        f = m_page->Form();
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        delete m_page;
        m_page = nullptr;
        f = nullptr;
    }

    void idleAfterConstruction()
    {
        QCOMPARE(f->stackedWidget->currentWidget(), f->page);
        QCOMPARE(f->stackedWidget_2->currentWidget(), f->page_9);
        QCOMPARE(f->stackedWidget_2->currentIndex(), 4);
        // The row list lies above the function area it overlaps.
        const QObjectList siblings = f->groupBox->children();
        QVERIFY(siblings.indexOf(f->scrollArea_11) > siblings.indexOf(f->stackedWidget));
        for (QAbstractButton* button : m_page->findChildren<QAbstractButton*>())
            QVERIFY2(!button->isChecked(), qPrintable(button->objectName()));
        QVERIFY(m_page->MirrorTypes().isEmpty());
        QCOMPARE(f->FireKey->text(), QString::fromUtf8("左键"));
        QVERIFY(qobject_cast<QListView*>(f->ProjectChoose->view()));
        QVERIFY(f->ProjectChoose->view()->styleSheet().contains("QListView::item:selected"));
        QVERIFY(QDir(AppPaths::UserDataFolder() + "/usersetting/MainPage").exists());
        QVERIFY(deviceWorker);
        QVERIFY(!deviceWorker->isRunning());
    }

    void hiddenWhateverTheModel()
    {
        QStringList hidden = Sequence("Number", 6, 12) + Sequence("label_", 16, 21) + Sequence("Button", 7, 12);
        hidden << "DPI_3" << "DPI_9";
        for (const QString& name : hidden)
            QVERIFY2(m_page->findChild<QWidget*>(name)->isHidden(), qPrintable(name));
        for (const QString& name : Sequence("Number", 1, 5) + QStringList{"FireKey", "TopMusic", "DPI_4", "DPI_13"})
            QVERIFY2(!m_page->findChild<QWidget*>(name)->isHidden(), qPrintable(name));
        // Neither a refresh of the texts nor a language switch shows them again.
        m_page->SlotAllLanguage(0);
        QEvent language(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_page, &language);
        for (const QString& name : hidden)
            QVERIFY2(m_page->findChild<QWidget*>(name)->isHidden(), qPrintable(name));
    }

    void buttonGroups_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("rows") << "rowButtonGroup"
                              << (QStringList{"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic"}
                                  + Sequence("Button", 7, 12));
        QTest::newRow("chooser") << "chooserButtonGroup"
                                 << QStringList{"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey",
                                                "DPI_2",     "DPI_3",      "DPI_4",  "DPI_5",     "DPI_6",
                                                "DPI_7",     "DPI_8",      "DPI_9",  "DPI_10",    "DPI_11",
                                                "DPI_12",    "DPI_13"};
        QTest::newRow("options") << "optionButtonGroup"
                                 << (QStringList{"Player", "StartPause_2", "BackMusic_2", "TopMusic_2", "Mute",
                                                 "VolumeUp", "VolumeDown"}
                                     + Sequence("VolumeDown_", 3, 13)
                                     + QStringList{"VolumeUp_4",  "VolumeUp_5",  "VolumeUp_6",  "VolumeUp_7",
                                                   "VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_15",
                                                   "VolumeUp_16"}
                                     + Sequence("VolumeUp_", 18, 24)
                                     + QStringList{"VolumeDown_2", "VolumeUp_2", "VolumeUp_10", "VolumeUp_8",
                                                   "VolumeUp_9", "VolumeUp_14", "VolumeDown_14"});
        QTest::newRow("hotspots") << "hotspotButtonGroup" << Sequence("Number", 1, 12);
    }

    void buttonGroups()
    {
        QFETCH(QString, group);
        QFETCH(QStringList, buttons);
        auto* buttonGroup = m_page->findChild<QButtonGroup*>(group);
        QVERIFY(buttonGroup);
        QVERIFY(buttonGroup->exclusive());
        QCOMPARE(Names(buttonGroup->buttons()), buttons);
        // One checked button per group: checking a second one unchecks the first.
        QAbstractButton* first = buttonGroup->buttons().first();
        QAbstractButton* second = buttonGroup->buttons().at(1);
        if (!first->isCheckable())
            return; // the hotspots only group, they never stay checked
        first->setChecked(true);
        second->setChecked(true);
        QVERIFY(!first->isChecked());
        second->setChecked(false);
        QVERIFY(second->isChecked());
    }

    void everyNamedPictureExists()
    {
        PostMsg::Instance()->EmitSigMouseIndex(0);
        const QRegularExpression url(QStringLiteral("url\\(\\s*([^)]*?)\\s*\\)"));
        int named = 0;
        QList<QWidget*> widgets = m_page->findChildren<QWidget*>();
        widgets << m_page;
        for (QWidget* w : widgets) {
            auto it = url.globalMatch(w->styleSheet());
            while (it.hasNext()) {
                const QString path = it.next().captured(1);
                ++named;
                QVERIFY2(QFileInfo(path).isFile(), qPrintable(w->objectName() + ": " + path));
                QVERIFY2(path.startsWith(QCoreApplication::applicationDirPath() + "/Picture/Buttoninterface/"),
                         qPrintable(path));
            }
        }
        QVERIFY(named >= 20);
    }

    void mousePictureFollowsTheIndex()
    {
        PostMsg::Instance()->EmitSigMouseIndex(3);
        const QString folder = QCoreApplication::applicationDirPath() + "/Picture/Buttoninterface/";
        QVERIFY(f->widget->styleSheet().contains("url(" + folder + "mouse3.png)"));
        PostMsg::Instance()->EmitSigMouseIndex(0);
        QVERIFY(f->widget->styleSheet().contains("url(" + folder + "mouse0.png)"));
    }

    void sensorTableFromTheShippedHeader()
    {
        SensorDefineTable expected;
        SensorCapabilityHeader::Parse(SensorCapabilityHeader::DefaultPath(), &expected, nullptr);
        QVERIFY(!expected.sensorDefineNames.isEmpty());
        QCOMPARE(m_page->SensorDefineNames(), expected.sensorDefineNames);
        QCOMPARE(m_page->SensorDefineValues(), expected.sensorDefineValues);
        QCOMPARE(m_page->SensorDefines().sensorDefineNames, expected.sensorDefineNames);
        // File order, hexadecimal read as such, no SUPPORT list among them.
        const QStringList& names = m_page->SensorDefineNames();
        QCOMPARE(names.mid(0, 4), QStringList({"SENSOR_COUNT", "SENSOR_ID_3950", "SENSOR_ID_3395", "SENSOR_ID_3311"}));
        QCOMPARE(m_page->SensorDefineValues().mid(0, 4), QVector<qint32>({3, 0x3950, 0x3395, 0x3311}));
        QCOMPARE(m_page->SensorDefineValues().at(names.indexOf("SENSOR_3311_DPI_1000")), 9);
        QCOMPARE(m_page->SensorDefineValues().at(names.indexOf("SENSOR_3311_DPI_12000")), 119);
        QVERIFY(names.indexOf("SENSOR_3311_DPI_100") < names.indexOf("SENSOR_3311_DPI_200"));
        for (const QString& name : names)
            QVERIFY2(!name.contains("SUPPORT"), qPrintable(name));
        QCOMPARE(names.size(), m_page->SensorDefineValues().size());
    }

    void languageTexts()
    {
        const QList<QPair<const char*, const char*>> rows{
            {"FireKey", "Left click"},         {"RightKey", "Right click"},      {"BackKey", "Middle click"},
            {"StartPause", "Forward"},         {"TopMusic", "Back"},             {"BackMusic", "DPI cycle"},
            {"Button7", "DPI+"},               {"Button8", "DPI-"},              {"Button12", "DPI cycle"},
            {"LeftKey_3", "Left click"},       {"RightKey_3", "Right click"},    {"MidKey", "Middle click"},
            {"BackKey_2", "Back"},             {"ForWardKey", "Forward"},        {"VolumeUp_2", "Tilt left"},
            {"VolumeDown_2", "Tilt right"},    {"VolumeUp_14", "Scroll up"},     {"VolumeDown_14", "Scroll down"},
            {"VolumeUp_8", "DPI cycle"},       {"DPI_2", "Report rate switch"},  {"DPI_3", "Profile switch"},
            {"DPI_6", "Rapid fire"},           {"DPI_8", "Key combination"},     {"DPI_5", "Disabled"},
            {"DPI_13", "Scroll"},              {"DPI_11", "Tilt"},               {"DPI_10", "Macro"},
            {"DPI_9", "Lights"},               {"DPI_7", "DPI"},                 {"DPI_12", "Media"},
            {"DPI_4", "DPI lock"},             {"VolumeUp_4", "All lights on/off"},
            {"VolumeUp_7", "Next light effect"}, {"Player", "Media player"},     {"Mute", "Stop"},
            {"VolumeUp", "Mute"},              {"VolumeDown", "Volume up"},      {"VolumeDown_4", "Volume down"},
            {"VolumeDown_3", "My computer"},   {"VolumeDown_11", "Favourites"},  {"label_3", "Debounce time"},
            {"ImportData", "Import"},          {"OutputData", "Export"},
            // The switch leaves these with the form's texts.
            {"VolumeUp_9", "DPI+"},            {"VolumeUp_10", "DPI-"},          {"VolumeUp_11", "100"},
            {"VolumeUp_21", "1200"},           {"Number1", "1"},
        };
        m_page->SlotAllLanguage(0);
        for (const auto& row : rows) {
            QWidget* w = m_page->findChild<QWidget*>(row.first);
            QVERIFY2(w, row.first);
            const auto* button = qobject_cast<QAbstractButton*>(w);
            const QString shown = button ? button->text() : qobject_cast<QLabel*>(w)->text();
            QVERIFY2(shown == QString::fromUtf8(row.second), qPrintable(QString("%1 shows \"%2\", not \"%3\"")
                                                                          .arg(row.first, shown, row.second)));
        }
    }

    void debounceUnits()
    {
        m_page->SlotAllLanguage(0);
        QComboBox* combo = DebounceCombo();
        QVERIFY(combo);
        QCOMPARE(combo->count(), 16);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(combo->itemText(i), QString::number(i) + "ms");
    }

    void languageIndexes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<QString>("tip");
        QTest::newRow("language 0") << 0 << 9 << "";
        QTest::newRow("language 4: smaller chooser font") << 4 << 7 << "";
        QTest::newRow("language 5: import and export tips") << 5 << 9 << "Import";
        // An index the tables do not hold reads the first language.
        QTest::newRow("index past the tables") << 99 << 9 << "";
        QTest::newRow("negative index") << -1 << 9 << "";
    }

    void languageIndexes()
    {
        QFETCH(int, index);
        QFETCH(int, pointSize);
        QFETCH(QString, tip);
        m_page->SlotAllLanguage(index);
        for (QToolButton* button : {f->LeftKey_3, static_cast<QToolButton*>(f->DPI_6), f->DPI_13, f->DPI_10})
            QCOMPARE(button->font().pointSize(), pointSize);
        QCOMPARE(f->ImportData->toolTip(), tip);
        QCOMPARE(f->OutputData->toolTip(), tip.isEmpty() ? QString() : QString("Export"));
        QCOMPARE(f->FireKey->text(), QString("Left click"));
        QCOMPARE(f->label_3->text(), QString("Debounce time"));
    }

    void laterPassesFollowTheScreenDpi()
    {
        qputenv("NK_SCREEN_DPI", "144");
        m_page->SlotAllLanguage(0);
        QCOMPARE(f->LeftKey_3->font().pointSizeF(), 9.0);
        m_page->SlotAllLanguage(0);
        QCOMPARE(f->LeftKey_3->font().pointSizeF(), 6.0);
        QCOMPARE(f->DPI_10->font().pointSizeF(), 6.0);
        m_page->SlotAllLanguage(4);
        QVERIFY(qAbs(f->LeftKey_3->font().pointSizeF() - 7.0 / 1.5) < 0.01);
    }

    void switchRebuildsProfilesFromTheCache_data()
    {
        QTest::addColumn<bool>("online");
        QTest::newRow("offline: the cache") << false;
        QTest::newRow("online: the device's record") << true;
    }

    void switchRebuildsProfilesFromTheCache()
    {
        QFETCH(bool, online);
        DeviceAllInfo info;
        info.modelIndex = 2; // KeyNumber 5
        CurrentDevice::SetInfo(info);
        const QString name = QStringLiteral("Device_CID70_MID03.bin");
        DeviceCacheFile::WriteFlashCache(name, PatternRecord(1));
        DeviceCacheFile::SetSelectionCacheName(name);
        const FlashDataMap live = PatternRecord(7);
        {
            CurrentFlashMapLock lock;
            lock.Map() = live;
        }
        lastOnline = online ? 1 : 0;
        f->ProjectChoose->addItems({"a", "b", "c"});
        f->ProjectChoose->setCurrentIndex(2);
        QSignalSpy changed(f->ProjectChoose, SIGNAL(currentIndexChanged(int)));
        QSignalSpy shown(PostMsg::Instance(), SIGNAL(SigAddConfig(QString)));

        m_page->SlotAllLanguage(0);

        QCOMPARE(f->ProjectChoose->count(), 3);
        QCOMPARE(f->ProjectChoose->itemText(0), QString("Profile 1"));
        QCOMPARE(f->ProjectChoose->itemText(2), QString("Profile 3"));
        QCOMPARE(f->ProjectChoose->currentIndex(), 2);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toString(), QString("Profile 3"));
        const FlashDataMap expected = online ? live : PatternRecord(1);
        QCOMPARE(m_page->MirrorTypes(), Column(expected, 5, 0));
        QCOMPARE(m_page->MirrorCodes(), Column(expected, 5, 1));
        QCOMPARE(m_page->MirrorExtras(), Column(expected, 5, 2));
        QFile::remove(DeviceCacheFile::Folder() + name);
    }

    void switchWithoutCacheKeepsRowsAndProfiles()
    {
        DeviceCacheFile::SetSelectionCacheName(QStringLiteral("Device_CIDFF_MIDFF.bin"));
        f->ProjectChoose->addItems({"One", "Two"});
        f->ProjectChoose->setCurrentIndex(1);
        f->FireKey->setText("kept until the switch");
        QSignalSpy shown(PostMsg::Instance(), SIGNAL(SigAddConfig(QString)));
        m_page->SlotAllLanguage(0);
        QCOMPARE(f->ProjectChoose->itemText(0), QString("One"));
        QCOMPARE(f->ProjectChoose->currentIndex(), 1);
        QVERIFY(m_page->MirrorTypes().isEmpty());
        // The rows show the language's texts of the first table.
        QCOMPARE(f->FireKey->text(), QString("Left click"));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toString(), QString("Two"));
    }

    void languageChangeEventPutsDefaultsBack()
    {
        m_page->SlotAllLanguage(0);
        f->ProjectChoose->addItems({"Profile 1", "Profile 2"});
        f->ProjectChoose->setCurrentIndex(1);
        QSignalSpy changed(f->ProjectChoose, SIGNAL(currentIndexChanged(int)));
        QEvent other(QEvent::FontChange);
        QCoreApplication::sendEvent(m_page, &other);
        QCOMPARE(f->FireKey->text(), QString("Left click"));
        QEvent language(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_page, &language);
        QCOMPARE(f->FireKey->text(), QString::fromUtf8("左键"));
        QCOMPARE(f->label_3->text(), QString::fromUtf8("按钮防抖时间"));
        QCOMPARE(f->ProjectChoose->currentIndex(), 1);
        QCOMPARE(f->ProjectChoose->count(), 2);
        QCOMPARE(changed.count(), 0);
    }

    void returnToIdleView()
    {
        f->stackedWidget->setCurrentWidget(f->page_2);
        f->stackedWidget_2->setCurrentWidget(f->page_3);
        QObjectList siblings = f->groupBox->children();
        QVERIFY(siblings.indexOf(f->stackedWidget) > siblings.indexOf(f->scrollArea_11));
        f->FireKey->setChecked(true);
        m_page->ReturnToIdleView();
        QCOMPARE(f->stackedWidget->currentWidget(), f->page);
        QCOMPARE(f->stackedWidget_2->currentWidget(), f->page_9);
        QCOMPARE(f->scrollArea_11->verticalScrollBar()->styleSheet(), QString("QScrollBar {width:10px;}"));
        siblings = f->groupBox->children();
        QVERIFY(siblings.indexOf(f->scrollArea_11) > siblings.indexOf(f->stackedWidget));
        // It unchecks nothing.
        QVERIFY(f->FireKey->isChecked());
        QSignalSpy changed(f->stackedWidget, SIGNAL(currentChanged(int)));
        m_page->ReturnToIdleView();
        QCOMPARE(changed.count(), 0);
    }

    void presses_data()
    {
        QTest::addColumn<int>("chooser");  // index of stackedWidget
        QTest::addColumn<int>("category"); // index of stackedWidget_2
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<bool>("rowChecked");
        QTest::newRow("left, idle, on the mouse picture")
            << 0 << 4 << int(Qt::LeftButton) << QPoint(400, 100) << true << false;
        QTest::newRow("left, idle, inside the row list's rectangle")
            << 0 << 4 << int(Qt::LeftButton) << QPoint(200, 100) << true << true;
        QTest::newRow("left, idle, far left of the row list")
            << 0 << 4 << int(Qt::LeftButton) << QPoint(5, 5) << true << false;
        QTest::newRow("left, chooser open, far left")
            << 1 << 4 << int(Qt::LeftButton) << QPoint(5, 5) << true << false;
        QTest::newRow("left, chooser open, below the function area")
            << 1 << 4 << int(Qt::LeftButton) << QPoint(500, 400) << false << true;
        QTest::newRow("left, chooser open, lower band left of the rows")
            << 1 << 4 << int(Qt::LeftButton) << QPoint(100, 500) << true << false;
        QTest::newRow("left, chooser and category open, on the mouse picture")
            << 1 << 0 << int(Qt::LeftButton) << QPoint(400, 100) << true << false;
        // With a category page open every press on the background closes it.
        QTest::newRow("left, chooser and category open, below the function area")
            << 1 << 0 << int(Qt::LeftButton) << QPoint(500, 400) << true << false;
        QTest::newRow("right, chooser open, far left")
            << 1 << 4 << int(Qt::RightButton) << QPoint(5, 5) << false << true;
        QTest::newRow("right, idle, on the mouse picture")
            << 0 << 4 << int(Qt::RightButton) << QPoint(400, 100) << true << true;
    }

    void presses()
    {
        QFETCH(int, chooser);
        QFETCH(int, category);
        QFETCH(int, button);
        QFETCH(QPoint, at);
        QFETCH(bool, idle);
        QFETCH(bool, rowChecked);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page));
        f->stackedWidget->setCurrentIndex(chooser);
        f->stackedWidget_2->setCurrentIndex(category);
        f->RightKey->setChecked(true);
        QTest::mousePress(m_page, Qt::MouseButton(button), Qt::NoModifier, at);
        QCOMPARE(f->stackedWidget->currentIndex() == 0 && f->stackedWidget_2->currentIndex() == 4, idle);
        if (!idle) {
            QCOMPARE(f->stackedWidget->currentIndex(), chooser);
            QCOMPARE(f->stackedWidget_2->currentIndex(), category);
        }
        QCOMPARE(f->RightKey->isChecked(), rowChecked);
    }

    void pressOnThePictureReachesThePage()
    {
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page));
        f->stackedWidget->setCurrentIndex(1);
        f->FireKey->setChecked(true);
        // The picture takes no presses itself: the page handles them.
        QTest::mousePress(f->widget, Qt::LeftButton, Qt::NoModifier, QPoint(20, 300));
        QCOMPARE(f->stackedWidget->currentWidget(), f->page);
        QVERIFY(!f->FireKey->isChecked());
    }

    void doubleClickSecondPressIsIgnored()
    {
        f->stackedWidget->setCurrentIndex(1);
        f->FireKey->setChecked(true);
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_page, &twice);
        QCOMPARE(f->stackedWidget->currentIndex(), 1);
        QVERIFY(f->FireKey->isChecked());
    }

    void slotsThatNothingTriggers_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("shows");
        QTest::newRow("MultiMedia") << "on_MultiMedia_clicked" << "page_3";
        for (const char* slot : {"on_RightKey_2_clicked", "on_LeftKey_clicked", "on_Advance_clicked",
                                 "on_Back_clicked", "on_DPI_clicked"})
            QTest::newRow(slot) << slot << "page_4";
        QTest::newRow("checkBox") << "on_checkBox_clicked" << "page_9";
    }

    void slotsThatNothingTriggers()
    {
        QFETCH(QString, slot);
        QFETCH(QString, shows);
        QVERIFY(QMetaObject::invokeMethod(m_page, slot.toLatin1().constData()));
        QCOMPARE(f->stackedWidget_2->currentWidget()->objectName(), shows);
        QCOMPARE(SimulatedDeviceControl::calls().size(), 0);
    }

    // The page's pause keeps the window alive: queued work runs during it,
    // and it lasts as long as asked.
    void waitRunsEventsForItsWholeLength_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("none") << 0;
        QTest::newRow("shorter than a slice") << 60;
        QTest::newRow("several slices") << 350;
    }
    void waitRunsEventsForItsWholeLength()
    {
        QFETCH(int, ms);
        QElapsedTimer clock;
        clock.start();
        qint64 ranAt = -1;
        QObject scope; // a timer left over dies with the test's locals
        QTimer::singleShot(0, &scope, [&] { ranAt = clock.elapsed(); });
        m_page->WaitWithEvents(ms);
        const qint64 waited = clock.elapsed();
        QVERIFY2(waited >= ms, qPrintable(QString::number(waited)));
        QVERIFY2(waited < ms + 5000, qPrintable(QString::number(waited)));
        // Set before the wait returned: the queued work ran inside it.
        if (ms > 0) {
            QVERIFY(ranAt >= 0);
        } else {
            QCOMPARE(ranAt, qint64(-1));
        }
    }

    void untriggeredLedSlotSendsTheReceiverRecord()
    {
        CurrentDevice::SetPath("sim-path-4k");
        QVERIFY(QMetaObject::invokeMethod(m_page, "on_pushButton_clicked"));
        const QList<QJsonObject> calls = SimulatedDeviceControl::calls("UsbFinderC_Set4KDongleRGB");
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first().value("path").toString(), QString("sim-path-4k"));
        QCOMPARE(calls.first().value("rgb").toString(), CallLog::hex(dongleRgb->bytes, 10));
        QCOMPARE(int(dongleRgb->bytes[0]), 1);
        CurrentDevice::SetPath("a");
    }

    void destroyingAnIdlePageStopsTheHotPlugWatch()
    {
        QElapsedTimer timer;
        timer.start();
        delete m_page;
        m_page = nullptr;
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(deviceWorker, nullptr);
        QCOMPARE(SimulatedDeviceControl::calls("StopUsbChanged").size(), 1);
    }

    void destroyingThePageWhileThePassWaitsForIt()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(DEVICELINK_FIXTURES "/plug_cable.json", &error),
                 qPrintable(error));
        HubRecorder recorder;
        DeviceDiscovery::OnUsbDevicesChanged();
        const QString path = SimulatedDeviceControl::pathOf("receiver4k");
        DeviceAllInfo chosen;
        for (const DeviceAllInfo& d : DeviceDiscovery::foundDeviceList)
            if (d.path == path)
                chosen = d;
        QCOMPARE(chosen.path, path);
        PostMsg::Instance()->EmitSigSelectMouseInfo(chosen);
        devicePageShown = 1;
        Worker::OnSessionUsbChanged();
        QCoreApplication::processEvents();
        QTRY_VERIFY_WITH_TIMEOUT(!deviceWorker->isRunning(), 5000);
        SimulatedDeviceControl::setOnline("drive1", false);
        QFile::remove(DeviceCacheFile::Folder() + "Device_CID07_MID01.bin");
        SimulatedDeviceControl::clearCalls();
        recorder.Clear();
        deviceWorker->StartPass();
        // Without processing events, wait until the pass stops in its blocking
        // signal: it then needs the GUI thread to go on.
        QElapsedTimer timer;
        timer.start();
        while (SimulatedDeviceControl::calls("UsbFinderC_GetDeviceOnLine").size() < 2 && timer.elapsed() < 5000)
            QThread::msleep(5);
        QThread::msleep(150);
        QVERIFY(deviceWorker->isRunning());

        timer.restart();
        delete m_page;
        m_page = nullptr;
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(deviceWorker, nullptr);
        QVERIFY(recorder.Names().contains("SigFormReset"));
        // The hot-plug watch stops only after the pass has made its last call.
        const QList<QJsonObject> calls = SimulatedDeviceControl::calls();
        const int lastOfPass = IndexOfCall(calls, "UsbServer_ReadAllFlashData");
        const int stop = IndexOfCall(calls, "StopUsbChanged");
        QVERIFY(lastOfPass >= 0);
        QVERIFY(stop > lastOfPass);
        devicePageShown = 0;
        UsbServer_Exit();
    }
};

QTEST_MAIN(TestButtonPage)
#include "tst_buttonpage.moc"
