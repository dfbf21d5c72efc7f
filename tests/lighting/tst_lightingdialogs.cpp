// The two lighting dialogs the settings page keeps: the receiver LED
// information dialog and the device-free light mode dialog.

#include "NoticeTestSupport.h"

#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "lighting/LedInfo.h"
#include "lighting/LightModeSet.h"
#include "platform/ScreenGrab.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/FormSetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// Raises SigRGBValue from another thread, as the device link does.
void RaiseFromDeviceThread(DongleRGB* rgb)
{
    std::unique_ptr<QThread> thread(QThread::create([rgb] { PostMsg::Instance()->EmitSigRGBValue(rgb); }));
    thread->start();
    QTRY_VERIFY(thread->isFinished());
}

QString SwatchStyle(int r, int g, int b)
{
    return QStringLiteral("QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  rgb(220,220,220);}").arg(r).arg(g).arg(b);
}

} // namespace

class TestLightingDialogs : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_configDir;
    ConfigSettings* m_shipped = nullptr;
    std::unique_ptr<ConfigSettings> m_config;

    // A configuration whose model 1 has the given Adveanced list.
    void UseAdvanced(const QString& advanced)
    {
        QFile shipped(QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(shipped.readAll());
        const int start = text.indexOf("Adveanced=", text.indexOf("[Drive1]"));
        QVERIFY(start > 0);
        text.replace(start, text.indexOf('\n', start) - start, "Adveanced=" + advanced);
        const QString path = m_configDir.filePath("Config.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        std::unique_ptr<ConfigSettings> fresh(new ConfigSettings(path));
        ConfigSettings* replaced = ConfigSettings::ReplaceInstance(fresh.get());
        if (!m_shipped)
            m_shipped = replaced;
        m_config = std::move(fresh);
    }

    void SetDevice(ConnectionKind kind, bool wired)
    {
        DeviceAllInfo device;
        device.modelIndex = 0;
        device.connectionKind = kind;
        device.wired = wired;
        CurrentDevice::SetInfo(device);
    }

    QList<QCheckBox*> Boxes(LedInfo& dialog)
    {
        return {dialog.findChild<QCheckBox*>("ReUntil"), dialog.findChild<QCheckBox*>("ReUntil_2"),
                dialog.findChild<QCheckBox*>("ReUntil_3")};
    }

    QList<bool> Ticks(LedInfo& dialog)
    {
        QList<bool> ticks;
        for (QCheckBox* box : Boxes(dialog))
            ticks.append(box->isChecked());
        return ticks;
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void cleanup()
    {
        if (m_shipped)
            ConfigSettings::ReplaceInstance(m_shipped);
        m_shipped = nullptr;
        m_config.reset();
        ScreenGrab::SetGrabFunction({});
        ScreenGrab::SetCursorFunction({});
    }

    // The settings page builds both without a parent and never shows them.
    void theSettingsPageKeepsBothHidden()
    {
        FormSetting page;
        int found = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<LedInfo*>(window) || qobject_cast<LightModeSet*>(window)) {
                ++found;
                QVERIFY(!window->parentWidget());
                QVERIFY(!window->isVisible());
            }
        }
        QCOMPARE(found, 2);
    }

    void ledMeaningTicks_data()
    {
        QTest::addColumn<QString>("advanced");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<QList<int>>("meanings");
        QTest::addColumn<QList<bool>>("ticks");
        QTest::newRow("4 kHz receiver, meaning 2") << "0,1" << 1 << false << QList<int>{2} << QList<bool>{false, true, false};
        QTest::newRow("tick moves from 2 to 3") << "0,1" << 1 << false << QList<int>{2, 3} << QList<bool>{false, false, true};
        QTest::newRow("meaning 0 keeps the tick") << "0,1" << 1 << false << QList<int>{1, 0} << QList<bool>{true, false, false};
        QTest::newRow("wired: nothing") << "0,1" << 1 << true << QList<int>{2} << QList<bool>{false, false, false};
        QTest::newRow("1 kHz receiver: nothing") << "0,1" << 0 << false << QList<int>{2} << QList<bool>{false, false, false};
        QTest::newRow("model without the setting") << "0,-1" << 1 << false << QList<int>{2} << QList<bool>{false, false, false};
        QTest::newRow("short Adveanced list") << "0" << 1 << false << QList<int>{2} << QList<bool>{false, false, false};
    }

    // The device link's news ticks the box of the 4 kHz receiver's meaning,
    // raised from its own thread through the blocking connection.
    void ledMeaningTicks()
    {
        QFETCH(QString, advanced);
        QFETCH(int, kind);
        QFETCH(bool, wired);
        QFETCH(QList<int>, meanings);
        QFETCH(QList<bool>, ticks);
        UseAdvanced(advanced);
        SetDevice(ConnectionKind(kind), wired);
        LedInfo dialog;
        SimulatedDeviceControl::clearCalls();
        DongleRGB rgb;
        for (int meaning : meanings) {
            rgb.bytes[0] = static_cast<uint8_t>(meaning);
            RaiseFromDeviceThread(&rgb);
        }
        QCOMPARE(Ticks(dialog), ticks);
        QVERIFY(SimulatedDeviceControl::calls().isEmpty()); // it sends nothing
    }

    void ledInfoShowsItsFormTextsUnscaledAndCloses()
    {
        LedInfo dialog;
        QCOMPARE(dialog.findChild<QLabel*>("label_14")->text(), QStringLiteral("选择接收器上的LED指示灯所传达的信息"));
        for (const char* pane : {"textEdit_2", "textEdit_3", "textEdit_4"})
            QVERIFY(dialog.findChild<QTextEdit*>(pane)->toPlainText().startsWith(QStringLiteral("远距离模式")));
        // No font scaling: the caption keeps the form's 11 pt.
        QCOMPARE(dialog.findChild<QLabel*>("label_14")->font().pointSize(), 11);
        QCOMPARE(dialog.findChild<QCheckBox*>("ReUntil")->font().pointSize(), 9);
        // A language switch leaves the form's texts alone.
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(dialog.findChild<QLabel*>("label_14")->text(), QStringLiteral("选择接收器上的LED指示灯所传达的信息"));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(Boxes(dialog).at(0), Qt::LeftButton);
        QTest::mouseClick(Boxes(dialog).at(2), Qt::LeftButton);
        QCOMPARE(Ticks(dialog), (QList<bool>{false, false, true}));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&dialog))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        QSignalSpy check(PostMsg::Instance(), SIGNAL(SigButtonCheck()));
        QTest::mouseClick(dialog.findChild<QToolButton*>("CloseButton"), Qt::LeftButton);
        QCOMPARE(check.size(), 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(Ticks(dialog), (QList<bool>{false, false, true}));
    }

    void lightModeLayoutByEffect_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("brightness");
        QTest::addColumn<bool>("speed");
        QTest::addColumn<bool>("colour");
        QTest::newRow("0 off") << 0 << false << false << false;
        QTest::newRow("1 flowing") << 1 << true << true << false;
        QTest::newRow("2 breathing") << 2 << true << true << true;
        QTest::newRow("3 steady") << 3 << true << false << true;
        QTest::newRow("4 neon") << 4 << true << true << false;
        QTest::newRow("5 mixed breathing") << 5 << true << true << false;
    }

    void lightModeLayoutByEffect()
    {
        QFETCH(int, effect);
        QFETCH(bool, brightness);
        QFETCH(bool, speed);
        QFETCH(bool, colour);
        LightModeSet dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* effects = dialog.findChild<QComboBox*>("LightMod");
        QCOMPARE(effects->count(), 6);
        QCOMPARE(effects->itemText(0), QStringLiteral("关闭"));
        QCOMPARE(effects->currentIndex(), 0);
        SimulatedDeviceControl::clearCalls();
        effects->setCurrentIndex(effect);
        QCOMPARE(dialog.findChild<QSlider*>("horizontalLight")->isVisible(), brightness);
        QCOMPARE(dialog.findChild<QFrame*>("line")->isVisible(), !brightness);
        QCOMPARE(dialog.findChild<QSlider*>("horizontalSpeed")->isVisible(), speed);
        QCOMPARE(dialog.findChild<QFrame*>("line_2")->isVisible(), !speed);
        for (const char* member : {"label_7", "labelPreView", "RSpinBox", "toolButtonColorA", "toolButtonColorN", "AddR"})
            QCOMPARE(dialog.findChild<QWidget*>(member)->isVisible(), colour);
        for (const char* always : {"label", "label_2", "label_3", "LightMod", "CloseButton"})
            QVERIFY(dialog.findChild<QWidget*>(always)->isVisible());
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
    }

    void lightModeColours()
    {
        LightModeSet dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QComboBox*>("LightMod")->setCurrentIndex(2);
        auto* red = dialog.findChild<QSpinBox*>("RSpinBox");
        auto* green = dialog.findChild<QSpinBox*>("GSpinBox");
        auto* blue = dialog.findChild<QSpinBox*>("BSpinBox");
        auto* swatch = dialog.findChild<QLabel*>("labelPreView");
        auto click = [&](const char* name) { QTest::mouseClick(dialog.findChild<QToolButton*>(name), Qt::LeftButton); };

        click("ReduceR"); // at 0: stays 0
        QCOMPARE(red->value(), 0);
        green->setValue(255);
        blue->setValue(255);
        click("AddG"); // at 255: stays 255
        QCOMPARE(green->value(), 255);
        QCOMPARE(swatch->styleSheet(), SwatchStyle(0, 255, 255));

        click("toolButtonColorA");
        QCOMPARE(QList<int>({red->value(), green->value(), blue->value()}), QList<int>({255, 0, 0}));
        QCOMPARE(swatch->styleSheet(), SwatchStyle(255, 0, 0));
        QVERIFY(dialog.findChild<QToolButton*>("toolButtonColorA")->isChecked());
        click("toolButtonColorA"); // again: same colour, only the check toggles
        QCOMPARE(QList<int>({red->value(), green->value(), blue->value()}), QList<int>({255, 0, 0}));
        QVERIFY(!dialog.findChild<QToolButton*>("toolButtonColorA")->isChecked());
        click("toolButtonColorI");
        QCOMPARE(QList<int>({red->value(), green->value(), blue->value()}), QList<int>({46, 166, 223}));
        click("AddB");
        click("ReduceR");
        QCOMPARE(swatch->styleSheet(), SwatchStyle(45, 166, 224));
    }

    void colourBoardPicksFromTheScreen_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("grabWorks");
        QTest::newRow("colour group shown") << 2 << true;
        QTest::newRow("colour group hidden") << 0 << true;
        QTest::newRow("a failed grab keeps the colour") << 2 << false;
    }

    void colourBoardPicksFromTheScreen()
    {
        QFETCH(int, effect);
        QFETCH(bool, grabWorks);
        QPoint grabbedAt(-1, -1);
        ScreenGrab::SetCursorFunction([] { return QPoint(100, 40); });
        ScreenGrab::SetGrabFunction([&](const QPoint& at, int w, int h) {
            grabbedAt = at;
            if (!grabWorks)
                return QImage();
            QImage image(w, h, QImage::Format_RGB32);
            image.fill(QColor(12, 34, 56));
            return image;
        });
        LightModeSet dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QComboBox*>("LightMod")->setCurrentIndex(effect);
        auto* red = dialog.findChild<QSpinBox*>("RSpinBox");
        red->setValue(7);
        QTest::mouseClick(&dialog, Qt::RightButton, {}, QPoint(390, 70)); // on the board
        QCOMPARE(grabbedAt, QPoint(100, 40)); // one logical pixel per physical one here
        const QList<int> colour{red->value(), dialog.findChild<QSpinBox*>("GSpinBox")->value(),
                                dialog.findChild<QSpinBox*>("BSpinBox")->value()};
        QCOMPARE(colour, grabWorks ? QList<int>({12, 34, 56}) : QList<int>({7, 0, 0}));

        grabbedAt = QPoint(-1, -1);
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(200, 280)); // off the board
        QCOMPARE(grabbedAt, QPoint(-1, -1));
    }

    void aPressOutsideTheChannelsEndsEditing()
    {
        LightModeSet dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QComboBox*>("LightMod")->setCurrentIndex(3);
        auto* green = dialog.findChild<QSpinBox*>("GSpinBox");
        green->setFocus();
        QTRY_VERIFY(green->hasFocus());
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(600, 300));
        QVERIFY(!green->hasFocus());
    }

    void lightModeCloses()
    {
        LightModeSet dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&dialog))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(dialog.findChild<QLabel*>("label")->text(), QStringLiteral("灯光模式"));
        QSignalSpy check(PostMsg::Instance(), SIGNAL(SigButtonCheck()));
        QTest::mouseClick(dialog.findChild<QToolButton*>("CloseButton"), Qt::LeftButton);
        QCOMPARE(check.size(), 1);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestLightingDialogs)
#include "tst_lightingdialogs.moc"
