// The autostart entry that stands for start with the desktop session, and
// the launcher of the mouse settings and the maker's link.

#include "platform/AutoStartEntry.h"
#include "platform/DesktopLauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

class TestAutoStart : public QObject {
    Q_OBJECT
private:
    QString ReadEntry(const QString& name)
    {
        QFile file(AutoStartEntry::FilePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void init() { qunsetenv("XDG_CONFIG_HOME"); }

    void folderFollowsXdgConfigHome_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unset") << QString() << QDir::homePath() + "/.config/autostart";
        QTest::newRow("absolute") << "/tmp/cfg" << "/tmp/cfg/autostart";
        QTest::newRow("relative is ignored") << "cfg" << QDir::homePath() + "/.config/autostart";
    }

    void folderFollowsXdgConfigHome()
    {
        QFETCH(QString, config);
        QFETCH(QString, expected);
        if (!config.isEmpty())
            qputenv("XDG_CONFIG_HOME", config.toUtf8());
        QCOMPARE(AutoStartEntry::Folder(), expected);
    }

    void writeThenRemove()
    {
        QVERIFY(!AutoStartEntry::Exists("nk"));
        QString error;
        QVERIFY2(AutoStartEntry::Write("nk", "/opt/nk/bin/nevrix-kazmo", &error), qPrintable(error));
        const QString text = ReadEntry("nk");
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(text.contains("\nExec=\"/opt/nk/bin/nevrix-kazmo\"\n"));
        QVERIFY(text.contains("\nName=nk\n"));
        // A second write replaces the entry whole; no temporary files stay.
        QVERIFY(AutoStartEntry::Write("nk", "/usr/bin/other"));
        QVERIFY(ReadEntry("nk").contains("\nExec=\"/usr/bin/other\"\n"));
        QCOMPARE(QDir(AutoStartEntry::Folder()).entryList(QDir::Files), QStringList({"nk.desktop"}));
        QVERIFY(AutoStartEntry::Remove("nk"));
        QVERIFY(!AutoStartEntry::Exists("nk"));
        QVERIFY(AutoStartEntry::Remove("nk")); // nothing left to remove is fine
    }

    void execQuotesReservedCharacters_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("space") << "/home/a b/nk" << "\"/home/a b/nk\"";
        QTest::newRow("dollar and quote") << "/x/$HOME\"q" << "\"/x/\\\\$HOME\\\\\"q\"";
        QTest::newRow("percent") << "/x/100%" << "\"/x/100%%\"";
        QTest::newRow("backslash") << "/x/a\\b" << "\"/x/a\\\\\\\\b\"";
    }

    void execQuotesReservedCharacters()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(AutoStartEntry::QuoteExecArgument(program), exec);
    }

    void aFolderThatCannotBeMadeFailsWithoutAnEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QFile blocker(config.path() + "/autostart");
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        QString error;
        QVERIFY(!AutoStartEntry::Write("nk", "/usr/bin/nk", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!AutoStartEntry::Exists("nk"));
    }

    void launcherStartsACommandDetached()
    {
        QTemporaryDir dir;
        const QString marker = dir.filePath("started");
        QVERIFY(DesktopLauncher::StartDetached(QStringLiteral("sh -c \"echo yes > %1\"").arg(marker)));
        QTRY_VERIFY(QFile::exists(marker));
        QVERIFY(!DesktopLauncher::StartDetached("   "));
        QVERIFY(!DesktopLauncher::StartDetached("/nonexistent/program --flag"));
    }

    void launcherHandsTheLinkToTheDesktop()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "Open");
        QVERIFY(DesktopLauncher::OpenUrl(" https://nevrix.example/en "));
        QVERIFY(!DesktopLauncher::OpenUrl(""));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl("https://nevrix.example/en")}));
    }
};

QTEST_MAIN(TestAutoStart)
#include "tst_autostart.moc"
