// The offline notice: its two texts, a language switch by the mode in force,
// its buttons, and the one hub signal that closes every open notice.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/MouseOffLine.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

namespace {

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

QLabel* LabelOf(QWidget* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("label"));
}

QToolButton* ButtonOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QToolButton*>(QString::fromLatin1(name));
}

} // namespace

class TestOfflineNotice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void cleanup()
    {
        offlineNoticeMode = 0;
    }

    void modeSelectsTheText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("offline") << 0 << Text("infoTips", "DialogOffline");
        QTest::newRow("time-out") << 1 << Text("infoTips", "TimeOut");
        QTest::newRow("other value keeps the form text") << 5 << QStringLiteral("   The mouse is offline. Please move first");
    }

    void modeSelectsTheText()
    {
        QFETCH(int, mode);
        QFETCH(QString, expected);
        offlineNoticeMode = mode;
        MouseOffLine notice;
        QVERIFY(!expected.isEmpty());
        QCOMPARE(LabelOf(&notice)->text(), expected);
        QCOMPARE(ButtonOf(&notice, "NewHong")->text(), Text("common", "OK"));
    }

    void languageSwitchUsesTheModeInForce()
    {
        offlineNoticeMode = 0;
        MouseOffLine notice;
        QCOMPARE(LabelOf(&notice)->text(), Text("infoTips", "DialogOffline"));
        offlineNoticeMode = 1;
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(LabelOf(&notice)->text(), Text("infoTips", "TimeOut"));
    }

    void eitherButtonEndsTheModalRun_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << "NewHong";
        QTest::newRow("close") << "CloseButton";
    }

    void eitherButtonEndsTheModalRun()
    {
        QFETCH(QString, button);
        MouseOffLine notice;
        QToolButton* target = notice.findChild<QToolButton*>(button);
        QVERIFY(NoticeTest::ExecAndAnswer(&notice, [&] { QTest::mouseClick(target, Qt::LeftButton); }));
        QVERIFY(!notice.isVisible());
    }

    // A second offline report opens a second notice on top of the first; the
    // device answering closes both with one signal.
    void oneOnlineSignalClosesEveryNotice()
    {
        MouseOffLine first;
        offlineNoticeMode = 1;
        MouseOffLine second;
        bool innerEnded = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&first, [&] {
            innerEnded = NoticeTest::ExecAndAnswer(&second, [] { PostMsg::Instance()->EmitSigCloseOffOnline(); });
        }));
        QVERIFY(innerEnded);
        QVERIFY(!first.isVisible());
        QVERIFY(!second.isVisible());
    }

    // The offline notice names its OK pictures "ConFirm.png" and "ConFirmClick.png".
    void okButtonPicturesExistInTheirOwnSpelling()
    {
        MouseOffLine notice;
        const QStringList files = NoticeTest::StyleSheetPictures(ButtonOf(&notice, "NewHong"));
        QCOMPARE(files.size(), 2);
        QVERIFY(files.at(0).endsWith(QStringLiteral("/ConFirm.png")));
        QVERIFY(files.at(1).endsWith(QStringLiteral("/ConFirmClick.png")));
        for (const QString& file : files)
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
    }
};

QTEST_MAIN(TestOfflineNotice)
#include "tst_offlinenotice.moc"
