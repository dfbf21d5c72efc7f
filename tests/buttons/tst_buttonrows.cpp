// The button page's rows: what each row shows for the function its mouse
// button holds (from the mouse's record, the device cache and a profile
// file), the factory defaults, the profile combo following the mouse's
// report, and what selecting a row or a hotspot shows on the chooser.

#include "RecordFixtures.h"
#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "buttons/ButtonPageForm.h"
#include "buttons/Buttoninterface.h"
#include "buttons/DeviceButtonIndex.h"
#include "buttons/DpiLockCoding.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DebounceTime.h"
#include "widgets/MyToolButton.h"
#include "dialogs/LeftButtonOnly.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/UpDataParam.h"
#include "widgets/MyConmboBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

namespace {

const QString kMouse = QStringLiteral("drive1");
// Drive1: sensor 3950, no DPI constants, six buttons. Drive3: sensor 3311,
// with DPI constants, five buttons.
constexpr int kPlainModel = 0;
constexpr int kTableModel = 2;
const QString kCacheName = QStringLiteral("Device_Rows.bin");

void IgnoreReports(const unsigned char*, int, const unsigned char*, int) {}

int KeyNumberOf(int model) { return model == kTableModel ? 5 : 6; }

QByteArray Bytes(const FlashDataMap& map) { return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map)); }

// A key block of events given as (action, kind, usage) triples.
KeyBlock Block(int count, std::initializer_list<std::array<int, 3>> events)
{
    KeyBlock block{};
    block.eventCount = static_cast<uint8_t>(count);
    int k = 0;
    for (const auto& e : events) {
        block.events[k].action = static_cast<uint8_t>(e[0]);
        block.events[k].kind = static_cast<uint8_t>(e[1]);
        block.events[k].usage[0] = static_cast<uint8_t>(e[2] & 0xFF);
        block.events[k].usage[1] = static_cast<uint8_t>(e[2] >> 8);
        ++k;
    }
    return block;
}

QByteArray BlockBytes(const KeyBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(&block), sizeof(block));
}

// Every button right-clicks; the debounce and sleep bytes are set.
FlashDataMap BaseRecord()
{
    FlashDataMap record{};
    record.debounceTime = 3;
    record.sleepTime = 6;
    for (ButtonFunctionHeader& header : record.buttons)
        header = {1, 2, 0};
    return record;
}

QString MacroFilePath(const QString& name)
{
    return AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage/") + name + QStringLiteral(".ini");
}

} // namespace

class TestButtonRows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Buttoninterface> page;
    QTemporaryDir dir;

    ButtonPageForm* F() { return page->Form(); }

    template <typename T = QAbstractButton>
    T* Child(const QString& name)
    {
        T* child = page->findChild<T*>(name);
        if (!child)
            qFatal("no %s on the page", qPrintable(name));
        return child;
    }

    QAbstractButton* Row(int b) { return Child(DeviceButtonIndex::RowOfIndex(b)); }

    void SetModel(int model)
    {
        DeviceAllInfo info = CurrentDevice::Info();
        info.modelIndex = model;
        CurrentDevice::SetInfo(info);
    }

    void MarkRows()
    {
        for (int b = 0; b < DeviceButtonIndex::RowCount; ++b)
            Row(b)->setText(QStringLiteral("was"));
    }

    QStringList RowTexts()
    {
        QStringList texts;
        for (int b = 0; b < DeviceButtonIndex::RowCount; ++b)
            texts << Row(b)->text();
        return texts;
    }

    QList<QList<int>> Mirror()
    {
        return {page->MirrorTypes(), page->MirrorCodes(), page->MirrorExtras()};
    }

    // "{Name}" stands for the current text of control Name, "{prefix}" for
    // the macro row prefix.
    QString Expand(QString text)
    {
        text.replace(QStringLiteral("{prefix}"), QStringLiteral("Macro: "));
        QRegularExpression control(QStringLiteral("\\{(\\w+)\\}"));
        QRegularExpressionMatch m;
        while ((m = control.match(text)).hasMatch())
            text.replace(m.capturedStart(), m.capturedLength(), Child(m.captured(1))->text());
        return text;
    }

    QString CheckedIn(const char* group)
    {
        QStringList names;
        for (QAbstractButton* b : Child<QButtonGroup>(QLatin1String(group))->buttons())
            if (b->isChecked())
                names << b->objectName();
        return names.join(QLatin1Char(','));
    }

    static void UncheckAll(QButtonGroup* group)
    {
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
    }

    void ClearChecks()
    {
        for (const char* g : {"rowButtonGroup", "chooserButtonGroup", "optionButtonGroup"})
            UncheckAll(Child<QButtonGroup>(QLatin1String(g)));
        page->ReturnToIdleView();
    }

    // Runs body while a timer answers the next modal dialog; returns its
    // class name and label text ("" when none opened).
    QStringList AnswerNextDialog(const std::function<void()>& body)
    {
        QStringList seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            seen << QString::fromLatin1(modal->metaObject()->className());
            for (QLabel* label : modal->findChildren<QLabel*>())
                if (!label->text().isEmpty())
                    seen << label->text();
            modal->close();
        });
        poll.start(20);
        body();
        return seen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICE_FIXTURES "/one_mouse.json"), &error),
                 qPrintable(error));
        const QByteArray path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k")).toLatin1();
        DeviceAllInfo info;
        info.path = QString::fromLatin1(path);
        info.modelIndex = kPlainModel;
        CurrentDevice::SetInfo(info);
        DeviceCacheFile::SetSelectionCacheName(kCacheName);
        page.reset(new Buttoninterface);
        CurrentDevice::SetPath(path);
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), IgnoreReports));
        page->resize(1200, 700);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        // No cache yet: the switch only sets the texts and the prefixes.
        QFile::remove(DeviceCacheFile::Folder() + QLatin1Char('/') + kCacheName);
        page->SlotAllLanguage(0);
    }

    void cleanupTestCase()
    {
        page.reset();
        UsbServer_Exit();
    }

    void init()
    {
        SetModel(kPlainModel);
        SimulatedDeviceControl::setOnline(kMouse, true);
        buttonPageFilling = false;
        lastOnline = 0;
        linkUp = 0;
        ClearChecks();
        MarkRows();
    }

    // ---- Row display ----------------------------------------------------------

    void rowShowsItsFunction_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QByteArray>("keyBlock");
        QTest::addColumn<QString>("expected"); // "was": the row keeps its text

        const QByteArray none;
        auto row = [&](const char* name, int type, int code, int extra, const QString& expected,
                       const QByteArray& block = QByteArray(), int model = kPlainModel) {
            QTest::newRow(name) << model << type << code << extra << block << expected;
        };
        row("disabled", 0, 0, 0, "{DPI_5}");
        row("left", 1, 1, 0, "{LeftKey_3}");
        row("right", 1, 2, 0, "{RightKey_3}");
        row("middle", 1, 4, 0, "{MidKey}");
        row("back", 1, 8, 0, "{BackKey_2}");
        row("forward", 1, 16, 0, "{ForWardKey}");
        row("mouse button of no name", 1, 3, 0, "was");
        row("DPI cycle", 2, 1, 0, "{VolumeUp_8}");
        row("DPI up", 2, 2, 0, "{VolumeUp_9}");
        row("DPI down", 2, 3, 0, "{VolumeUp_10}");
        row("DPI step of no name", 2, 4, 0, "was");
        row("tilt left", 3, 1, 0, "{VolumeUp_2}");
        row("tilt right", 3, 2, 0, "{VolumeDown_2}");
        row("tilt of no name", 3, 0, 0, "was");
        row("rapid fire", 4, 10, 3, "{DPI_6}");
        row("report rate", 7, 0, 0, "{DPI_2}");
        row("all lights", 8, 0, 0, "{VolumeUp_4}");
        row("DPI indicator", 8, 1, 0, "{VolumeUp_5}");
        row("light bar", 8, 3, 0, "{VolumeUp_6}");
        row("next effect", 8, 4, 0, "{VolumeUp_7}");
        row("lights code 2", 8, 2, 0, "was");
        row("profile", 9, 0, 0, "{DPI_3}");
        row("scroll up", 11, 1, 0, "{VolumeUp_14}");
        row("scroll down", 11, 2, 0, "{VolumeDown_14}");
        row("scroll of no name", 11, 3, 0, "was");
        row("type 12", 12, 0, 0, "was");
        row("type 255", 255, 1, 0, "was");
        // DPI lock: the plain rule without constants, the sensor's own table with them.
        row("DPI lock, no constants", 10, 15, 0, "{DPI_4}-800");
        row("DPI lock, constant", 10, 3, 0, "{DPI_4}-400", none, kTableModel);
        row("DPI lock, hex constant", 10, 9, 0, "{DPI_4}-1000", none, kTableModel);
        row("DPI lock, code without constant", 10, 200, 0, "{DPI_4}-0", none, kTableModel);
        // Media keys: only the usage's low byte counts.
        row("media Player", 5, 0, 0, "{Player}", BlockBytes(Block(2, {{0, 2, 0x0183}, {1, 2, 0x0183}})));
        row("media low byte only", 5, 0, 0, "{Player}", BlockBytes(Block(2, {{0, 2, 0x0083}})));
        row("media volume down", 5, 0, 0, "{VolumeDown_4}", BlockBytes(Block(2, {{0, 2, 0x00EA}})));
        row("media of no button", 5, 0, 0, "was", BlockBytes(Block(2, {{0, 2, 0x00E3}})));
        // Key sequences: the names of the press events.
        row("one key", 5, 0, 0, "A", BlockBytes(Block(2, {{0, 1, 0x04}, {1, 1, 0x04}})));
        row("Ctrl+C", 5, 0, 0, "Ctrl+C",
            BlockBytes(Block(4, {{0, 0, 0x01}, {0, 1, 0x06}, {1, 1, 0x06}, {1, 0, 0x01}})));
        row("count 5 shows two", 5, 0, 0, "Shift+B",
            BlockBytes(Block(5, {{0, 0, 0x02}, {0, 1, 0x05}, {0, 1, 0x06}})));
        row("six keys", 5, 0, 0, "A+B+C+D+E+F",
            BlockBytes(Block(12, {{0, 1, 4}, {0, 1, 5}, {0, 1, 6}, {0, 1, 7}, {0, 1, 8}, {0, 1, 9}})));
        // The count byte claims more events than a block holds: the next
        // block's bytes are no keys of this button.
        row("count beyond the block", 5, 0, 0, "A+B+C+D+E+F",
            BlockBytes(Block(255, {{0, 1, 4}, {0, 1, 5}, {0, 1, 6}, {0, 1, 7}, {0, 1, 8}, {0, 1, 9}})));
        row("empty key block", 5, 0, 0, "", BlockBytes(KeyBlock{}));
    }
    void rowShowsItsFunction()
    {
        QFETCH(int, model);
        QFETCH(int, type);
        QFETCH(int, code);
        QFETCH(int, extra);
        QFETCH(QByteArray, keyBlock);
        QFETCH(QString, expected);
        SetModel(model);
        const int count = KeyNumberOf(model);
        const int button = 2;

        FlashDataMap record = BaseRecord();
        record.buttons[button] = {uint8_t(type), uint8_t(code), uint8_t(extra)};
        if (!keyBlock.isEmpty())
            std::memcpy(&record.keyBlocks[button], keyBlock.constData(), sizeof(KeyBlock));
        // The next button's block is full of keys the row must not read.
        record.keyBlocks[button + 1] = Block(12, {{0, 1, 0x1D}, {0, 1, 0x1D}, {0, 1, 0x1D}});

        QSignalSpy light(PostMsg::Instance(), SIGNAL(SigLightToFrom(int)));
        page->SlotUpDataButtonUIButton(record);

        QCOMPARE(Row(button)->text(), expected == QLatin1String("was") ? QStringLiteral("was") : Expand(expected));
        for (int b = 0; b < DeviceButtonIndex::RowCount; ++b) {
            if (b == button)
                continue;
            // Rows beyond the model's buttons are left alone.
            QCOMPARE(Row(b)->text(), b < count ? F()->RightKey_3->text() : QStringLiteral("was"));
        }
        QList<int> types, codes, extras;
        for (int b = 0; b < count; ++b) {
            types << record.buttons[b].type;
            codes << record.buttons[b].code;
            extras << record.buttons[b].extra;
        }
        QCOMPARE(Mirror(), (QList<QList<int>>{types, codes, extras}));
        QCOMPARE(light.size(), 1);
        QCOMPARE(light.at(0).at(0).toInt(), 60);
        QVERIFY(!buttonPageFilling);
        QVERIFY(buttonPageReady);
    }

    void macroRowRewritesItsFileAndHandsTheRecordOn_data()
    {
        QTest::addColumn<QByteArray>("nameBytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("extra");
        QTest::newRow("short name") << QByteArray("abc") << "abc" << 254;
        QTest::newRow("thirty bytes") << QByteArray(30, 'm') << QString(30, QLatin1Char('m')) << 3;
    }
    void macroRowRewritesItsFileAndHandsTheRecordOn()
    {
        QFETCH(QByteArray, nameBytes);
        QFETCH(QString, name);
        QFETCH(int, extra);
        const int button = 4;
        FlashDataMap record = BaseRecord();
        record.buttons[button] = {6, uint8_t(button), uint8_t(extra)};
        SetMacroName(record, button, nameBytes);
        {
            QFile old(MacroFilePath(name));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n");
        }

        QList<QPair<QByteArray, int>> toMacro;
        const QMetaObject::Connection seen = connect(PostMsg::Instance(), &PostMsg::SigButtonToMacro, this,
                                                     [&](FlashDataMap map, int k) { toMacro.append({Bytes(map), k}); });
        page->SlotUpDataButtonUIB(record);
        disconnect(seen);

        QCOMPARE(Row(button)->text(), QStringLiteral("Macro: ") + name);
        QFile file(MacroFilePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::number(extra) + "\r\n");
        QCOMPARE(toMacro.size(), 1);
        QCOMPARE(toMacro.at(0).first, Bytes(record));
        QCOMPARE(toMacro.at(0).second, button);
    }

    // A name the mouse holds is no path: it writes no file outside the folder.
    void macroNameFromTheMouseStaysInItsFolder()
    {
        const int button = 1;
        FlashDataMap record = BaseRecord();
        record.buttons[button] = {6, 1, 254};
        SetMacroName(record, button, QByteArray("../../escaped"));
        page->SlotUpDataButtonUIB(record);
        QVERIFY(!QFile::exists(AppPaths::UserDataFolder() + QStringLiteral("/escaped.ini")));
        QVERIFY(!QFile::exists(AppPaths::UserDataFolder() + QStringLiteral("/usersetting/escaped.ini")));
    }

    // The same record reaches the rows from the mouse, from the device cache
    // and from a profile file: the rows and the mirror come out the same.
    void cacheAndProfileFillLikeTheMouse()
    {
        FlashDataMap record = BaseRecord();
        record.dpiLevelCount = 1;
        record.buttons[0] = {1, 1, 0};
        record.buttons[1] = {5, 0, 0};
        record.keyBlocks[1] = Block(4, {{0, 0, 0x01}, {0, 1, 0x06}, {1, 1, 0x06}, {1, 0, 0x01}});
        record.buttons[2] = {5, 0, 0};
        record.keyBlocks[2] = Block(2, {{0, 2, 0x00E2}, {1, 2, 0x00E2}});
        record.buttons[3] = {10, 15, 0};
        record.buttons[4] = {2, 1, 0};
        record.buttons[5] = {4, 20, 2};

        page->SlotUpDataButtonUIButton(record);
        const QStringList fromMouse = RowTexts();
        const auto mirrorFromMouse = Mirror();
        QCOMPARE(fromMouse.mid(0, 6),
                 (QStringList{F()->LeftKey_3->text(), "Ctrl+C", F()->VolumeUp->text(), F()->DPI_4->text() + "-800",
                              F()->VolumeUp_8->text(), F()->DPI_6->text()}));

        // The device cache, read by the please-wait dialog while the link is down.
        MarkRows();
        page->SlotFormResetButton();
        DeviceCacheFile::WriteFlashCache(kCacheName, record);
        {
            UpDataParam dialog;
            AnswerNextDialog([&] { dialog.onTimeupDestroy(); });
        }
        QCOMPARE(RowTexts(), fromMouse);
        QCOMPARE(Mirror(), mirrorFromMouse);

        // A profile file, imported.
        MarkRows();
        page->SlotFormResetButton();
        const QString path = dir.filePath(QStringLiteral("profile.bin"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ProfileFixture("3950", record));
        }
        {
            UpDataParam dialog;
            dialog.importMode = true;
            dialog.profilePath = path;
            const QStringList notices = AnswerNextDialog([&] { dialog.onTimeupDestroy(); });
            QVERIFY2(notices.isEmpty(), qPrintable(notices.join(QLatin1Char('|'))));
        }
        QCOMPARE(RowTexts(), fromMouse);
        QCOMPARE(Mirror(), mirrorFromMouse);
    }

    // The mouse's own record arrives from the report thread, which waits.
    void recordFromAnotherThreadFillsTheRows()
    {
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        record.buttons[5] = {0, 0, 0};
        bool done = false;
        std::thread reporter([&] {
            PostMsg::Instance()->EmitSigUpDataLightUIButton(record);
            done = true;
        });
        QTRY_VERIFY(done);
        reporter.join();
        QCOMPARE(Row(0)->text(), F()->LeftKey_3->text());
        QCOMPARE(Row(5)->text(), F()->DPI_5->text());
        QCOMPARE(page->MirrorTypes().size(), 6);
    }

    void factoryResetFillsOnlyTheMirror()
    {
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        page->SlotUpDataButtonUIButton(record);
        const QStringList before = RowTexts();
        F()->stackedWidget->setCurrentWidget(F()->page_2);
        F()->stackedWidget_2->setCurrentWidget(F()->page_3);
        QSignalSpy light(PostMsg::Instance(), SIGNAL(SigLightToFrom(int)));
        const int updates = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size();

        bool done = false;
        std::thread worker([&] {
            PostMsg::Instance()->EmitSigFormReset();
            done = true;
        });
        QTRY_VERIFY(done);
        worker.join();

        QCOMPARE(page->MirrorTypes(), (QList<int>{1, 1, 1, 1, 1, 2, 2, 2, 7, 7, 4, 0}));
        QCOMPARE(page->MirrorCodes(), (QList<int>{1, 2, 4, 8, 16, 1, 2, 3, 0, 0, 10, 0}));
        QVERIFY(page->MirrorExtras().isEmpty());
        QCOMPARE(RowTexts(), before);
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page);
        QCOMPARE(F()->stackedWidget_2->currentWidget(), F()->page_9);
        QCOMPARE(F()->DebunceButton->findChild<QComboBox*>(QStringLiteral("Debunce"))->currentIndex(), 8);
        QCOMPARE(light.size(), 1);
        QCOMPARE(light.at(0).at(0).toInt(), 60);
        QVERIFY(!buttonPageFilling);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size(), updates);
    }

    void profileComboFollowsTheReport_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("select");
        QTest::addColumn<bool>("enable");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("current");
        QTest::newRow("four profiles") << 4 << 2 << true
                                       << QStringList{"Profile 1", "Profile 2", "Profile 3", "Profile 4"} << "Profile 3";
        QTest::newRow("no profile report") << 0 << 0 << false << QStringList{"Profile 1"} << "Profile 1";
        QTest::newRow("negative count") << -1 << 0 << true << QStringList{} << "";
        QTest::newRow("profile byte beyond the list") << 4 << 9 << true
                                                      << QStringList{"Profile 1", "Profile 2", "Profile 3", "Profile 4"}
                                                      << "Profile 1";
    }
    void profileComboFollowsTheReport()
    {
        QFETCH(int, total);
        QFETCH(int, select);
        QFETCH(bool, enable);
        QFETCH(QStringList, items);
        QFETCH(QString, current);
        MyConmboBox* combo = F()->ProjectChoose;
        combo->clear();
        combo->addItem(QStringLiteral("old"));
        QSignalSpy added(PostMsg::Instance(), SIGNAL(SigAddConfig(QString)));
        // Following the mouse's report is no profile switch.
        QSignalSpy changed(combo, SIGNAL(currentIndexChanged(int)));

        bool done = false;
        std::thread reporter([&] {
            PostMsg::Instance()->EmitSigUpDataConfigUI(total, select, enable);
            done = true;
        });
        QTRY_VERIFY(done);
        reporter.join();

        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(combo->currentText(), current);
        QCOMPARE(combo->isEnabled(), enable);
        QCOMPARE(added.size(), 1);
        QCOMPARE(added.at(0).at(0).toString(), current);
        QCOMPARE(changed.size(), 0);
    }

    // The language switch shows the rows again from the cache.
    void languageSwitchRedisplaysTheRows()
    {
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        record.buttons[3] = {5, 0, 0};
        record.keyBlocks[3] = Block(2, {{0, 2, 0x00B7}});
        DeviceCacheFile::WriteFlashCache(kCacheName, record);
        page->SlotAllLanguage(0);
        QCOMPARE(Row(0)->text(), F()->LeftKey_3->text());
        QCOMPARE(Row(3)->text(), F()->Mute->text());
        QCOMPARE(Row(1)->text(), F()->RightKey_3->text());
        QCOMPARE(page->MirrorTypes().size(), 6);
        QVERIFY(QFile::remove(DeviceCacheFile::Folder() + QLatin1Char('/') + kCacheName));
    }

    void sensorCodeToDpi_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("dpi");
        const QStringList mixed{"SENSOR_COUNT", "SENSOR_3311_DPI_100", "SENSOR_3311_DPI_200", "SENSOR_9_DPI_300"};
        QTest::newRow("no constants: the step rule") << "3950" << mixed << QList<int>{3, 0, 1, 0} << 15 << 800;
        QTest::newRow("no constants, code 0") << "3950" << mixed << QList<int>{3, 0, 1, 0} << 0 << 50;
        QTest::newRow("empty table") << "3311" << QStringList{} << QList<int>{} << 1 << 100;
        QTest::newRow("constant") << "3311" << mixed << QList<int>{3, 0, 1, 0} << 1 << 200;
        QTest::newRow("first matching constant") << "3311" << mixed << QList<int>{3, 0, 0, 0} << 0 << 100;
        QTest::newRow("code without constant") << "3311" << mixed << QList<int>{3, 0, 1, 0} << 7 << 0;
        // The number follows the sensor's prefix, whatever capitals its name has.
        QTest::newRow("sensor with an I") << "PIXI" << QStringList{"SENSOR_PIXI_DPI_400"} << QList<int>{7} << 7 << 400;
        QTest::newRow("lower-case constant is another sensor")
            << "3311" << QStringList{"sensor_3311_DPI_400"} << QList<int>{7} << 7 << 400;
    }
    void sensorCodeToDpi()
    {
        QFETCH(QString, sensor);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, values);
        QFETCH(int, code);
        QFETCH(int, dpi);
        SensorDefineTable table{names, QVector<qint32>(values.begin(), values.end())};
        QCOMPARE(DpiLockCoding::SensorCodeToDpi(code, sensor, table), dpi);
    }

    // ---- Row selection ----------------------------------------------------------

    void selectingARowShowsItsFunction_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("keyBlock");
        QTest::addColumn<QString>("optionPage");
        QTest::addColumn<QString>("checked"); // chooser and option buttons checked, comma-separated
        QTest::addColumn<int>("chooserScroll");

        auto row = [](const char* name, int type, int code, const char* page, const char* checked, int n,
                      const QByteArray& block = QByteArray(), int model = kPlainModel) {
            QTest::newRow(name) << model << type << code << block << QString::fromLatin1(page)
                                << QString::fromLatin1(checked) << 15 * n;
        };
        row("disabled", 0, 0, "page_9", "DPI_5", 9);
        row("right", 1, 2, "page_9", "RightKey_3", 1);
        row("forward", 1, 16, "page_9", "ForWardKey", 4);
        row("mouse button of no name", 1, 5, "page_9", "", 0);
        row("DPI down", 2, 3, "page_7", "DPI_7,VolumeUp_10", 13);
        row("tilt right", 3, 2, "page_4", "DPI_11,VolumeDown_2", 10);
        row("rapid fire", 4, 10, "page_9", "DPI_6", 7);
        row("media volume down", 5, 0, "page_3", "DPI_12,VolumeDown_4", 16, BlockBytes(Block(2, {{0, 2, 0x00EA}})));
        row("keyboard 4 is a combination", 5, 0, "page_9", "DPI_8", 8, BlockBytes(Block(2, {{0, 1, 0x21}})));
        row("report rate", 7, 0, "page_9", "DPI_2", 5);
        row("light bar", 8, 3, "page_6", "DPI_9,VolumeUp_6", 12);
        row("next effect", 8, 4, "page_6", "DPI_9,VolumeUp_7", 12);
        row("lights code 2", 8, 2, "page_6", "DPI_9", 12);
        row("profile", 9, 0, "page_9", "DPI_3", 6);
        row("DPI lock 100", 10, 1, "page_8", "DPI_4,VolumeUp_11", 15);
        row("DPI lock 1200", 10, 23, "page_8", "DPI_4,VolumeUp_21", 15);
        row("DPI lock 50", 10, 0, "page_8", "DPI_4", 15);
        row("DPI lock by constant", 10, 3, "page_8", "DPI_4,VolumeUp_16", 15, QByteArray(), kTableModel);
        row("DPI lock without constant", 10, 100, "page_8", "DPI_4", 15, QByteArray(), kTableModel);
        row("scroll down", 11, 2, "page_10", "DPI_13,VolumeDown_14", 10);
    }
    void selectingARowShowsItsFunction()
    {
        QFETCH(int, model);
        QFETCH(int, type);
        QFETCH(int, code);
        QFETCH(QByteArray, keyBlock);
        QFETCH(QString, optionPage);
        QFETCH(QString, checked);
        QFETCH(int, chooserScroll);
        SetModel(model);
        const int count = KeyNumberOf(model);

        // Every row of the model in turn holds the function; button 0 keeps
        // the left click so none is the last left click.
        for (int b = 1; b < count; ++b) {
            FlashDataMap record = BaseRecord();
            record.buttons[0] = {1, 1, 0};
            record.buttons[b] = {uint8_t(type), uint8_t(code), 0};
            if (!keyBlock.isEmpty())
                std::memcpy(&record.keyBlocks[b], keyBlock.constData(), sizeof(KeyBlock));
            {
                CurrentFlashMapLock lock;
                lock.Map() = record;
            }
            page->SlotUpDataButtonUIButton(record);
            ClearChecks();

            QAbstractButton* rowButton = Row(b);
            rowButton->click();
            const QString where = QStringLiteral("row %1").arg(rowButton->objectName());
            QVERIFY2(rowButton->isChecked(), qPrintable(where));
            QCOMPARE(F()->stackedWidget->currentWidget(), F()->page_2);
            QCOMPARE(F()->stackedWidget_2->currentWidget()->objectName(), optionPage);
            QStringList all;
            for (const char* g : {"chooserButtonGroup", "optionButtonGroup"})
                if (!CheckedIn(g).isEmpty())
                    all << CheckedIn(g);
            QCOMPARE(all.join(QLatin1Char(',')), checked);
            QScrollBar* chooser = F()->scrollArea_4->verticalScrollBar();
            QCOMPARE(chooser->sliderPosition(), qMin(chooserScroll, chooser->maximum()));
            const bool wide = b == 0 || b >= 6;
            QCOMPARE(F()->scrollArea_11->verticalScrollBar()->styleSheet(),
                     wide ? QStringLiteral("QScrollBar {width:10px;}") : QStringLiteral("QScrollBar {width:0px;}"));
        }
    }

    // A six-button mouse: every row the page shows can be scrolled to with
    // the wheel and clicked where the user sees it, and it is selected.
    void everyShownRowCanBeReachedAndSelected()
    {
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        record.buttons[5] = {1, 1, 0}; // so the first row is not the last left click
        page->SlotUpDataButtonUIButton(record);
        QCOMPARE(page->MirrorTypes().size(), 6);
        QWidget* viewport = F()->scrollArea_11->viewport();
        QScrollBar* bar = F()->scrollArea_11->verticalScrollBar();
        bar->setValue(0);

        QStringList shown;
        for (int b = 0; b < DeviceButtonIndex::RowCount; ++b) {
            if (!Row(b)->isHidden())
                shown << Row(b)->objectName();
        }
        QCOMPARE(shown, QStringList({"FireKey", "RightKey", "BackKey", "TopMusic", "StartPause", "BackMusic"}));

        // Top to bottom, as the user reads them.
        const QStringList inListOrder{"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic"};
        for (const QString& name : inListOrder) {
            QAbstractButton* row = Child(name);
            ClearChecks();
            // Where the user would point: the row's centre, if the list
            // shows it there.
            auto pointed = [&]() -> QWidget* {
                const QPoint centre = row->mapTo(page.get(), row->rect().center());
                const QPoint inViewport = viewport->mapFrom(page.get(), centre);
                if (!viewport->rect().contains(inViewport))
                    return nullptr;
                return page->childAt(centre);
            };
            for (int turn = 0; turn < 10 && pointed() != row; ++turn) {
                const QPoint at = viewport->rect().center();
                QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(viewport, &wheel);
            }
            QVERIFY2(pointed() == row, qPrintable(name + " cannot be reached"));
            QTest::mouseClick(pointed(), Qt::LeftButton);
            QVERIFY2(row->isChecked(), qPrintable(name));
            QCOMPARE(CheckedIn("rowButtonGroup"), name);
            QCOMPARE(F()->stackedWidget->currentWidget(), F()->page_2);
        }
        // The last row is whole in view once the list is scrolled to its end.
        bar->setValue(bar->maximum());
        QVERIFY(viewport->rect().contains(
            QRect(F()->BackMusic->mapTo(viewport, QPoint(0, 0)), F()->BackMusic->size())));
    }

    void unknownTypeLeavesTheViewAlone()
    {
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        record.buttons[2] = {12, 0, 0};
        page->SlotUpDataButtonUIButton(record);
        ClearChecks();
        Row(2)->click();
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page);
        QCOMPARE(F()->stackedWidget_2->currentWidget(), F()->page_9);
        QCOMPARE(CheckedIn("chooserButtonGroup"), QString());
        QCOMPARE(F()->scrollArea_4->verticalScrollBar()->sliderPosition(), 0);
    }

    // Rows the model does not have are not in the mirror: nothing opens.
    void rowBeyondTheMirrorOpensNothing()
    {
        page->SlotUpDataButtonUIButton(BaseRecord());
        ClearChecks();
        Row(9)->click();
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page);
        QCOMPARE(CheckedIn("chooserButtonGroup"), QString());
    }

    void lastLeftClickIsKept()
    {
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        page->SlotUpDataButtonUIButton(record);
        ClearChecks();
        F()->stackedWidget->setCurrentWidget(F()->page_2);
        const int updates = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size();

        const QStringList seen = AnswerNextDialog([&] { Row(0)->click(); });
        QCOMPARE(seen.value(0), QStringLiteral("LeftButtonOnly"));
        QVERIFY2(seen.contains(QStringLiteral("One button must keep the left click")), qPrintable(seen.join('|')));
        QCOMPARE(CheckedIn("rowButtonGroup"), QString());
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page);
        QCOMPARE(F()->stackedWidget_2->currentWidget(), F()->page_9);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size(), updates);
        QCOMPARE(page->MirrorEntry(0), (QList<int>{1, 1, 0}));
    }

    void secondLeftClickFreesTheFirst_data()
    {
        QTest::addColumn<int>("otherButton");
        QTest::newRow("shown row") << 3;
        QTest::newRow("hidden row") << 8;
    }
    void secondLeftClickFreesTheFirst()
    {
        QFETCH(int, otherButton);
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        page->SlotUpDataButtonUIButton(record);
        Row(otherButton)->setText(F()->LeftKey_3->text());
        ClearChecks();

        const QStringList seen = AnswerNextDialog([&] { Row(0)->click(); });
        QVERIFY2(seen.isEmpty(), qPrintable(seen.join('|')));
        QVERIFY(Row(0)->isChecked());
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page_2);
        QCOMPARE(CheckedIn("chooserButtonGroup"), QStringLiteral("LeftKey_3"));
    }

    void hotspotChecksTheRowOnly_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("row");
        const char* rows[] = {"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic",
                              "Button7", "Button8", "Button9", "Button10", "Button11", "Button12"};
        for (int k = 1; k <= 12; ++k)
            QTest::addRow("Number%d", k) << k << QString::fromLatin1(rows[k - 1]);
    }
    void hotspotChecksTheRowOnly()
    {
        QFETCH(int, k);
        QFETCH(QString, row);
        FlashDataMap record = BaseRecord();
        record.buttons[0] = {1, 1, 0};
        page->SlotUpDataButtonUIButton(record);
        ClearChecks();
        // Even the last left click: no selector runs, so no guard either.
        const QStringList seen = AnswerNextDialog([&] { Child(QStringLiteral("Number%1").arg(k))->click(); });
        QVERIFY2(seen.isEmpty(), qPrintable(seen.join('|')));
        QCOMPARE(CheckedIn("rowButtonGroup"), row);
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page);
        QScrollBar* rows = F()->scrollArea_11->verticalScrollBar();
        QCOMPARE(rows->sliderPosition(), qMin(20 * (k - 1), rows->maximum()));
    }

    void hotspotWhileOfflineShowsTheNoticeFirst()
    {
        SimulatedDeviceControl::setOnline(kMouse, false);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        F()->Number2->click();
        QCOMPARE(offline.size(), 1);
        QCOMPARE(CheckedIn("rowButtonGroup"), QStringLiteral("RightKey"));
        QCOMPARE(F()->stackedWidget->currentWidget(), F()->page);
    }

    void categoryButtonOpensItsPage_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("optionPage");
        QTest::newRow("tilt") << "DPI_11" << "page_4";
        QTest::newRow("media") << "DPI_12" << "page_3";
        QTest::newRow("scroll") << "DPI_13" << "page_10";
        QTest::newRow("DPI lock") << "DPI_4" << "page_8";
        QTest::newRow("DPI step") << "DPI_7" << "page_7";
        QTest::newRow("lights") << "DPI_9" << "page_6";
    }
    void categoryButtonOpensItsPage()
    {
        QFETCH(QString, category);
        QFETCH(QString, optionPage);
        F()->stackedWidget->setCurrentWidget(F()->page_2);
        F()->VolumeUp_8->setChecked(true);
        const int updates = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size();
        Child(category)->click();
        QCOMPARE(F()->stackedWidget_2->currentWidget()->objectName(), optionPage);
        QCOMPARE(CheckedIn("chooserButtonGroup"), category);
        QCOMPARE(CheckedIn("optionButtonGroup"), QStringLiteral("VolumeUp_8"));
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size(), updates);
    }
};

QTEST_MAIN(TestButtonRows)
#include "tst_buttonrows.moc"
