#include "app/ConfigSettings.h"
#include "app/UserSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
}

QString B64(const QByteArray& text)
{
    return QString::fromLatin1(text.toBase64());
}

} // namespace

class TestSettingsStores : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString WriteConfig(const QByteArray& body)
    {
        static int counter = 0;
        const QString path = m_dir.path() + QStringLiteral("/Config%1.ini").arg(++counter);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(body);
        return path;
    }

private slots:
    void init() { warnings.clear(); }

    void base64Values_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CID with line feed") << "Option" << "CID" << B64("7\n") << "7";
        QTest::newRow("spaces removed") << "Option" << "CID" << B64(" 1 2 \r\n") << "12\r";
        QTest::newRow("Sensor in a model group") << "Drive3" << "Sensor" << B64("3950") << "3950";
        QTest::newRow("Sensor in any group") << "Whatever" << "Sensor" << B64("PAW") << "PAW";
        QTest::newRow("MID never decoded") << "Drive1" << "MID" << B64("7") << B64("7");
        QTest::newRow("case matters") << "Option" << "cid" << B64("7") << B64("7");
        QTest::newRow("plain key kept") << "Option" << "DeviceTotal" << "3" << "3";
        QTest::newRow("UTF-8 text") << "Drive1" << "MM" << B64("Maus\xc3\xa9.bin") << QString::fromUtf8("Maus\xc3\xa9.bin");
        QTest::newRow("no padding") << "Option" << "CID" << QStringLiteral("MTI") << "12";
    }
    void base64Values()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        const QString path = m_dir.path() + "/table.ini";
        QFile::remove(path);
        {
            QSettings writer(path, QSettings::IniFormat);
            writer.setValue(group + "/" + key, stored);
        }
        ConfigSettings config(path);
        QCOMPARE(config.Value(group, key), expected);
    }

    void base64ListItemsDecodedEachOnTheirOwn()
    {
        const QString path = WriteConfig("[Option]\nVID=" + QByteArray("1A2B").toBase64() + ","
                                         + QByteArray("3C4D\n").toBase64() + "\nLabelColor=1,2,3\n");
        ConfigSettings config(path);
        QCOMPARE(config.ListValue("Option", "VID"), QStringList({"1A2B", "3C4D"}));
        QCOMPARE(config.ListValue("Option", "LabelColor"), QStringList({"1", "2", "3"}));
        QCOMPARE(config.Value("Option", "LabelColor"), QStringLiteral("1,2,3"));
    }

    void singleItemListValue()
    {
        const QString path = WriteConfig("[Option]\nUSB_PID=" + QByteArray("2001").toBase64() + "\n");
        ConfigSettings config(path);
        QCOMPARE(config.ListValue("Option", "USB_PID"), QStringList({"2001"}));
    }

    void charactersOutsideBase64AreSkippedAndWarnedOnce()
    {
        // "Nw==" is "7", "MUEyQg==" is "1A2B" and "M0M0RA==" is "3C4D".
        const QString path = WriteConfig("[Option]\nCID=N!w*==\nVID=MUEy!Qg==,M0M0*RA==\n");
        ConfigSettings config(path);
        qInstallMessageHandler(CollectWarnings);
        const QString first = config.Value("Option", "CID");
        const QString second = config.Value("Option", "CID");
        const QStringList list = config.ListValue("Option", "VID");
        qInstallMessageHandler(nullptr);
        QCOMPARE(first, QStringLiteral("7"));
        QCOMPARE(second, QStringLiteral("7"));
        QCOMPARE(list, QStringList({"1A2B", "3C4D"}));
        QCOMPARE(warnings.filter("Option/CID").size(), 1);
        QCOMPARE(warnings.filter("Option/VID").size(), 1);
    }

    void missingFileGivesDefaultsAndSaysSo()
    {
        qInstallMessageHandler(CollectWarnings);
        ConfigSettings config(m_dir.path() + "/absent/Config.ini");
        const QString total = config.Value("Option", "DeviceTotal");
        const QStringList vids = config.ListValue("Option", "VID");
        qInstallMessageHandler(nullptr);
        QCOMPARE(total, QString());
        QCOMPARE(total.toInt(), 0);
        QVERIFY(vids.isEmpty());
        QCOMPARE(warnings.filter("is missing; defaults are used").size(), 1);
    }

    void missingKeyWarnsOncePerKey()
    {
        const QString path = WriteConfig("[Option]\nDeviceTotal=1\n");
        ConfigSettings config(path);
        qInstallMessageHandler(CollectWarnings);
        config.Value("Drive1", "MID");
        config.Value("Drive1", "MID");
        config.ListValue("Drive1", "MID");
        qInstallMessageHandler(nullptr);
        QCOMPARE(warnings.filter("Drive1/MID").size(), 1);
    }

    void shippedConfigurationDescribesEveryModel()
    {
        ConfigSettings config(QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
        const int total = config.Value("Option", "DeviceTotal").toInt();
        QVERIFY(total >= 3);
        QVERIFY(config.Value("Option", "CID").toInt() > 0);
        QVERIFY(!config.ListValue("Option", "VID").isEmpty());
        QSet<QString> sensors;
        for (int n = 1; n <= total; ++n) {
            const QString group = QStringLiteral("Drive%1").arg(n);
            QVERIFY(config.Value(group, "MID").toInt() > 0);
            sensors.insert(config.Value(group, "Sensor"));
            QCOMPARE(config.ListValue(group, "Adveanced").size(), 2);
            const QStringList range = config.ListValue(group, "DPIRange");
            QCOMPARE((range.size() - 1) % 3, 0);
            QVERIFY(!config.Value(group, "MM").isEmpty());
        }
        QVERIFY(sensors.contains("3950"));
        QVERIFY(sensors.contains("3395"));
        for (const char* key : {"LabelColor", "ButtonColor", "ComboxTextColor", "ComboxSelectColor",
                                "ComboxBackGroundColor", "LinEditColor", "LinEditColorSecond", "SliderColor"})
            QCOMPARE(config.ListValue("Option", key).size(), 3);
    }

    void configurationInstanceIsShared()
    {
        QCOMPARE(ConfigSettings::Instance(), ConfigSettings::Instance());
        QCOMPARE(ConfigSettings::Instance()->FilePath(),
                 QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
    }

    void userSettingsReadAndWrite()
    {
        const QString path = m_dir.path() + "/Macro.ini";
        QFile(path).open(QIODevice::WriteOnly);
        {
            UserSettings settings(path);
            QCOMPARE(settings.Value("Language", "Language"), QString());
            QCOMPARE(settings.Value("Language", "Language").toInt(), 0);
            settings.SetValue("Language", "Language", "3");
            settings.SetValue("FindNew", "IsShow", QString::fromUtf8("\xc3\xa9"));
        }
        UserSettings reread(path);
        QCOMPARE(reread.Value("Language", "Language"), QStringLiteral("3"));
        QCOMPARE(reread.Value("FindNew", "IsShow"), QString::fromUtf8("\xc3\xa9"));
    }

    void userSettingsLiveUnderHome()
    {
        QCOMPARE(UserSettings::Instance(), UserSettings::Instance());
        QCOMPARE(UserSettings::Instance()->FilePath(),
                 QDir::homePath() + "/AppData/Local/Nevrix Kazmo/Macro.ini");
    }
};

QTEST_GUILESS_MAIN(TestSettingsStores)
#include "tst_settingsstores.moc"
