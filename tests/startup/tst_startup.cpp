#include "app/AppPaths.h"
#include "app/Startup.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSharedMemory>
#include <QTemporaryDir>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidget>
#include <QLineEdit>
#include <QSpinBox>
#include <QScopeGuard>
#include <QtTest>

namespace {

void WriteFile(const QString& path, const QByteArray& data, qint64 ageSeconds)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.flush();
    const QDateTime when = QDateTime::currentDateTime().addSecs(-ageSeconds);
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
    file.close();
}

constexpr qint64 kDay = 86400;

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QDir(AppPaths::UserDataFolder()).removeRecursively();
    }

    void createsFolderTreeAndEmptyUserSettings()
    {
        CreateUserFolders();
        const QString base = AppPaths::UserDataFolder();
        QVERIFY(base.startsWith(QDir::homePath() + "/AppData/Local/Nevrix Kazmo"));
        for (const char* folder : {"/Log", "/Device_Info", "/Exception", "/usersetting",
                                   "/usersetting/MainPage", "/usersetting/MacroPage",
                                   "/usersetting/SensorPage"})
            QVERIFY2(QDir(base + folder).exists(), folder);
        QFile userFile(base + "/Macro.ini");
        QVERIFY(userFile.exists());
        QCOMPARE(userFile.size(), qint64(0));
    }

    void keepsExistingUserSettingsByteForByte()
    {
        const QString base = AppPaths::UserDataFolder();
        QVERIFY(QDir().mkpath(base));
        const QByteArray contents("[Language]\r\nLanguage=0\r\n\xc3\xa9\n");
        WriteFile(base + "/Macro.ini", contents, 3 * kDay);
        const QDateTime before = QFileInfo(base + "/Macro.ini").lastModified();
        CreateUserFolders();
        QFile file(base + "/Macro.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
        QCOMPARE(QFileInfo(base + "/Macro.ini").lastModified(), before);
    }

    void scaleFactor_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::newRow("no display") << 0 << QString();
        QTest::newRow("1920") << 1920 << QString();
        QTest::newRow("1921 still one") << 1921 << QStringLiteral("1");
        QTest::newRow("2560") << 2560 << QStringLiteral("1");
        QTest::newRow("3839") << 3839 << QStringLiteral("1");
        QTest::newRow("3840") << 3840 << QStringLiteral("2");
        QTest::newRow("5760") << 5760 << QStringLiteral("3");
    }
    void scaleFactor()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        QCOMPARE(ScaleFactorText(width), text);
    }

    void removesOnlyFilesEightWholeDaysOld()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        WriteFile(root + "/a-old.log", "x", 8 * kDay + 60);
        WriteFile(root + "/b-old.log", "x", 30 * kDay);
        WriteFile(root + "/c-young.log", "x", 8 * kDay - 3600);
        WriteFile(root + "/d-today.log", "x", 10);
        WriteFile(root + "/e-future.log", "x", -5 * kDay);
        QVERIFY(QDir(root).mkpath("sub/deeper"));
        WriteFile(root + "/sub/ancient.dmp", "x", 100 * kDay);

        RemoveOldFiles(root);

        QVERIFY(!QFile::exists(root + "/a-old.log"));
        QVERIFY(!QFile::exists(root + "/b-old.log"));
        QVERIFY(QFile::exists(root + "/c-young.log"));
        QVERIFY(QFile::exists(root + "/d-today.log"));
        QVERIFY(QFile::exists(root + "/e-future.log"));
        QVERIFY(QFile::exists(root + "/sub/ancient.dmp"));
        QVERIFY(QDir(root + "/sub/deeper").exists());
    }

    void fontsUnchangedAtNinetySixDpi()
    {
        QWidget window;
        auto* label = new QLabel("x", &window);
        QFont font = label->font();
        font.setPointSizeF(11);
        label->setFont(font);
        const qreal windowSize = window.font().pointSizeF();
        ScaleWindowFonts(&window, 1.0f / static_cast<float>(96.0 / 96.0));
        QCOMPARE(label->font().pointSizeF(), 11.0);
        QCOMPARE(window.font().pointSizeF(), windowSize);
    }

    void everyWidgetScaledOnceAndReceiveKeepsItsFont()
    {
        QWidget window;
        QFont base = window.font();
        base.setPointSizeF(12);
        window.setFont(base);
        auto* panel = new QWidget(&window);
        auto* inherited = new QLabel("inherits", panel);
        auto* receive = new QWidget(panel);
        receive->setObjectName("Receive_2");
        QFont own = receive->font();
        own.setPointSizeF(20);
        receive->setFont(own);
        auto* underReceive = new QLabel("child", receive);

        ScaleWindowFonts(&window, 0.5);

        QCOMPARE(window.font().pointSizeF(), 6.0);
        QCOMPARE(panel->font().pointSizeF(), 6.0);
        QCOMPARE(inherited->font().pointSizeF(), 6.0);
        QCOMPARE(receive->font().pointSizeF(), 20.0);
        QCOMPARE(underReceive->font().pointSizeF(), 10.0);
    }

    // A styled spin box's editor shows the box's font, scaled once, whether
    // the pass comes before the window is first polished or after.
    void aStyledSpinBoxEditorIsScaledFromItsBox_data()
    {
        QTest::addColumn<bool>("polishedFirst");
        QTest::newRow("pass before the first polish") << false;
        QTest::newRow("pass after the first polish") << true;
    }

    void aStyledSpinBoxEditorIsScaledFromItsBox()
    {
        QFETCH(bool, polishedFirst);
        // As in the program, whose tool tips are styled for the whole application.
        qApp->setStyleSheet(QStringLiteral("QToolTip{color: white;}"));
        auto restore = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        QWidget window;
        auto* box = new QSpinBox(&window);
        QFont font = box->font();
        font.setPointSizeF(10);
        box->setFont(font);
        box->setStyleSheet(QStringLiteral("QSpinBox{border:1px solid gray;}"));
        if (polishedFirst)
            window.ensurePolished();
        ScaleWindowFonts(&window, 0.5);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(box->font().pointSizeF(), 5.0);
        QCOMPARE(box->findChild<QLineEdit*>()->font().pointSizeF(), 5.0);
    }

    void noApearSetsTooltipFont()
    {
        QWidget window;
        auto* box = new QWidget(&window);
        box->setObjectName("NoApear");
        QFont font = box->font();
        font.setPointSizeF(14);
        box->setFont(font);
        ScaleWindowFonts(&window, 0.5);
        QCOMPARE(QToolTip::font().pointSizeF(), 7.0);
    }

    // One instance per user: the same user's second start is refused,
    // another user's instance on the machine does not count.
    void oneInstancePerUser()
    {
        // A name of this test's own, so that no running program counts.
        const QString name = QStringLiteral("Nevrix Kazmo test %1").arg(QCoreApplication::applicationPid());
        const unsigned user = SingleInstance::CurrentUserId();
        const unsigned otherUser = user + 1;
        QVERIFY(SingleInstance::Key(name, user) != SingleInstance::Key(name, otherUser));

        QSharedMemory running(SingleInstance::Key(name, user));
        QVERIFY(!SingleInstance::AnotherInstanceRuns(&running));
        QSharedMemory others(SingleInstance::Key(name, otherUser));
        QVERIFY(!SingleInstance::AnotherInstanceRuns(&others));
        QSharedMemory repeat(SingleInstance::Key(name, user));
        QVERIFY(SingleInstance::AnotherInstanceRuns(&repeat));
        QSharedMemory othersRepeat(SingleInstance::Key(name, otherUser));
        QVERIFY(SingleInstance::AnotherInstanceRuns(&othersRepeat));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
