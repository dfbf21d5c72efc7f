// The picture import dialogs of a mouse with a screen with the clock packet
// they send, and the new-firmware notice.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/ClockSyncPacket.h"
#include "settings/FindNewVer.h"
#include "settings/InputPicA.h"
#include "settings/InputPicB.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

namespace {

const QDateTime kWednesday(QDate(2025, 4, 9), QTime(14, 5, 30));

QList<QByteArray> SentPackets()
{
    QList<QByteArray> packets;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_ReadWriteDeviceData")))
        packets.append(QByteArray::fromHex(call.value(QStringLiteral("packet")).toString().toLatin1()));
    return packets;
}

} // namespace

class TestPictureDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        InputPicA::SetClockSource([] { return kWednesday; });
    }

    void init()
    {
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            R"({"mice":[{"name":"screen","cid":7,"mid":1,"cablePlugged":true,"screen":true}]})"));
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup() { StopUsbChanged(); }

    void clockPacketForAFixedTime()
    {
        const QByteArray packet = ClockSyncPacket::Build(kWednesday);
        QCOMPARE(packet.size(), 40);
        QCOMPARE(packet.left(11), QByteArray::fromHex("0a001007e904090e051e03"));
        QCOMPARE(packet.mid(11, 28), QByteArray(28, '\0'));
        quint8 sum = 0;
        for (int i = 0; i < 39; ++i)
            sum = static_cast<quint8>(sum + static_cast<quint8>(packet.at(i)));
        QCOMPARE(static_cast<quint8>(packet.at(39)), static_cast<quint8>(0x55 - sum));
        QCOMPARE(static_cast<quint8>(packet.at(39)), quint8(0x0A));
        QVERIFY(ClockSyncPacket::CheckReply(packet));
    }

    void sundayIsSeven()
    {
        const QByteArray packet = ClockSyncPacket::Build(QDateTime(QDate(2024, 12, 29), QTime(0, 0, 0)));
        QCOMPARE(packet.left(11), QByteArray::fromHex("0a001007e80c1d00000007"));
    }

    void echoCheck_data()
    {
        QTest::addColumn<int>("changedByte");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("true echo") << -1 << true;
        QTest::newRow("first byte differs") << 0 << false;
        QTest::newRow("seventh byte differs") << 6 << false;
        QTest::newRow("eighth byte differs, checksum mended") << 7 << true;
        QTest::newRow("wrong checksum") << 39 << false;
    }

    void echoCheck()
    {
        QFETCH(int, changedByte);
        QFETCH(bool, accepted);
        const QByteArray packet = ClockSyncPacket::Build(kWednesday);
        QByteArray reply = packet;
        if (changedByte >= 0) {
            reply[changedByte] = static_cast<char>(reply.at(changedByte) ^ 0x40);
            if (changedByte != 39)
                ClockSyncPacket::PutChecksum(&reply);
        }
        QCOMPARE(ClockSyncPacket::IsEcho(packet, reply), accepted);
    }

    // Every 50 ticks of 200 ms the clock goes to the first screen device.
    void clockTicksSendEveryFiftyTicks()
    {
        InputPicA dialog;
        dialog.StartClockSync(true);
        QCOMPARE(InputPicA::ScreenDevicePaths(), QStringList({SimulatedDeviceControl::pathOf("screen")}));
        for (int tick = 1; tick < InputPicA::kTicksPerSend; ++tick)
            dialog.onEraseChipTimeTimer();
        QVERIFY(SentPackets().isEmpty());
        dialog.onEraseChipTimeTimer();
        QCOMPARE(SentPackets(), QList<QByteArray>({ClockSyncPacket::Build(kWednesday)}));
        QCOMPARE(SimulatedDeviceControl::calls("UsbFinderC_OpenDevice").last().value("path").toString(),
                 SimulatedDeviceControl::pathOf("screen"));
        for (int tick = 0; tick < InputPicA::kTicksPerSend; ++tick)
            dialog.onEraseChipTimeTimer();
        QCOMPARE(SentPackets().size(), 2);
    }

    void retriesAGarbledEcho_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("transfers");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("first echo good") << 0 << 1 << true;
        QTest::newRow("two garbled") << 2 << 3 << true;
        QTest::newRow("four garbled") << 4 << 5 << true;
        QTest::newRow("five garbled: gives up") << 5 << 5 << false;
    }

    void retriesAGarbledEcho()
    {
        QFETCH(int, failures);
        QFETCH(int, transfers);
        QFETCH(bool, accepted);
        InputPicA dialog;
        QVERIFY(UsbFinderC_OpenDevice(SimulatedDeviceControl::pathOf("screen").toLatin1().constData()));
        SimulatedDeviceControl::clearCalls();
        SimulatedDeviceControl::failNextExchanges(failures);
        QByteArray packet = ClockSyncPacket::Build(kWednesday);
        packet[39] = 0; // the exchange puts the checksum in itself
        const QByteArray reply = dialog.ExchangePacket(packet);
        QCOMPARE(SentPackets().size(), transfers);
        QCOMPARE(reply.isEmpty(), !accepted);
        if (accepted)
            QCOMPARE(reply, ClockSyncPacket::Build(kWednesday));
    }

    void noScreenDeviceSendsNothing()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({"mice":[{"name":"plain","cid":7,"mid":1}]})"));
        SimulatedDeviceControl::clearCalls();
        InputPicA dialog;
        dialog.StartClockSync(true);
        QVERIFY(InputPicA::ScreenDevicePaths().isEmpty());
        for (int tick = 0; tick < 2 * InputPicA::kTicksPerSend; ++tick)
            dialog.onEraseChipTimeTimer();
        QVERIFY(SentPackets().isEmpty());
    }

    void formsOfBothDialogs_data()
    {
        QTest::addColumn<bool>("second");
        QTest::addColumn<QRect>("pictureA");
        QTest::addColumn<QPoint>("input");
        QTest::newRow("InputPicA") << false << QRect(50, 160, 74, 100) << QPoint(460, 180);
        QTest::newRow("InputPicB") << true << QRect(50, 155, 88, 64) << QPoint(460, 160);
    }

    // One picture at a time, a five-step brightness, the form's own texts,
    // and a close button that tells the hub and hides the dialog.
    void formsOfBothDialogs()
    {
        QFETCH(bool, second);
        QFETCH(QRect, pictureA);
        QFETCH(QPoint, input);
        std::unique_ptr<QDialog> dialog(second ? static_cast<QDialog*>(new InputPicB) : new InputPicA);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(dialog->objectName(), second ? QStringLiteral("InputPicB") : QStringLiteral("InputPicA"));
        auto button = [&](const char* name) { return dialog->findChild<QToolButton*>(QString::fromLatin1(name)); };
        QCOMPARE(button("toolButtonA")->geometry(), pictureA);
        QCOMPARE(button("Input")->pos(), input);
        QCOMPARE(button("Input")->text(), QStringLiteral("导入"));
        QCOMPARE(dialog->findChild<QLabel*>("label_2")->text(), QStringLiteral("图片预览(1080x1920"));
        auto* brightness = dialog->findChild<QSlider*>("SpeedH");
        QCOMPARE(brightness->minimum(), 1);
        QCOMPARE(brightness->maximum(), 5);

        QTest::mouseClick(button("toolButtonB"), Qt::LeftButton);
        QTest::mouseClick(button("toolButtonD"), Qt::LeftButton);
        QVERIFY(button("toolButtonD")->isChecked());
        for (const char* other : {"toolButtonA", "toolButtonB", "toolButtonC"})
            QVERIFY(!button(other)->isChecked());

        QTest::mouseClick(button("Input"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());

        const QStringList pictures = NoticeTest::StyleSheetPictures(dialog.get());
        QVERIFY(pictures.size() >= 10);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));

        QSignalSpy check(PostMsg::Instance(), SIGNAL(SigButtonCheck()));
        QTest::mouseClick(button("CloseButton"), Qt::LeftButton);
        QCOMPARE(check.size(), 1);
        QVERIFY(!dialog->isVisible());
    }

    void newFirmwareNoticeClosesEitherWayAndKeepsTheBox_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("OK") << "NewHong" << false;
        QTest::newRow("OK, box ticked") << "NewHong" << true;
        QTest::newRow("close") << "CloseButton" << true;
    }

    void newFirmwareNoticeClosesEitherWayAndKeepsTheBox()
    {
        QFETCH(QString, how);
        QFETCH(bool, ticked);
        FindNewVer notice;
        QCOMPARE(NoticeTest::LabelOf(&notice)->text(), NoticeTest::Text("update", "UpgradeTips"));
        QCOMPARE(NoticeTest::ButtonOf(&notice, "NewHong")->text(), NoticeTest::Text("common", "OK"));
        auto* box = notice.findChild<QCheckBox*>("NoApear");
        QCOMPARE(box->text(), NoticeTest::Text("home", "NoApear"));
        QVERIFY(!box->isChecked());
        QVERIFY(NoticeTest::ExecAndAnswer(&notice, [&]() {
            if (ticked)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            NoticeTest::Answer(&notice, how);
        }));
        QVERIFY(!notice.isVisible());
        QCOMPARE(notice.DoNotShowAgain(), ticked);
        for (const QString& picture : NoticeTest::StyleSheetPictures(&notice))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
    }

    void newFirmwareNoticeFollowsTheLanguage()
    {
        FindNewVer notice;
        LanguageTable<TextMap>* update = LanguageTables::Section(LanguageTables::Side::Mouse, QStringLiteral("update"));
        const QString before = update->Find(0)->value(QStringLiteral("UpgradeTips"));
        update->Find(0)->insert(QStringLiteral("UpgradeTips"), QStringLiteral("Neue Firmware"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        update->Find(0)->insert(QStringLiteral("UpgradeTips"), before);
        QCOMPARE(NoticeTest::LabelOf(&notice)->text(), QStringLiteral("Neue Firmware"));
    }
};

QTEST_MAIN(TestPictureDialogs)
#include "tst_picturedialogs.moc"
