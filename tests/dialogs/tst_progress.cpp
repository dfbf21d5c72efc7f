// The firmware progress notice and the staged progress bar.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/MyProgressBar.h"
#include "dialogs/Progress.h"
#include "settings/FirmwareUpdateState.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// Fixtures are written with single quotes to stay readable inside C++ strings.
QByteArray Json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

QString Text(const char* section, const char* key, int language = 0)
{
    return LanguageTables::Text(language, QString::fromLatin1(section), QString::fromLatin1(key));
}

QString Running(int percent)
{
    return Text("update", "DialogUpgradeUpgrading") + QStringLiteral(": %1%").arg(percent);
}

QLabel* LabelOf(QWidget* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("label"));
}

QToolButton* Ok(QWidget* dialog)
{
    return dialog->findChild<QToolButton*>(QStringLiteral("NewHong"));
}

QProgressBar* Bar(QWidget* dialog)
{
    return dialog->findChild<QProgressBar*>(QStringLiteral("progressBar_2"));
}

} // namespace

class TestProgress : public QObject {
    Q_OBJECT

private:
    QTemporaryDir scratch;

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        const QString path = scratch.path() + QStringLiteral("/second.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Json("{'mouse': {'update': {'DialogUpgradeUpgrading': 'Firmware\\nupdating'}}}"));
        file.close();
        QVERIFY(LanguageLoader::LoadLanguageFile(path));
        QVERIFY(!Text("update", "DialogUpgradeUpgrading").isEmpty());
    }

    void cleanup()
    {
        upgradeRunning = false;
    }

    void startsRunningAtOnePercent()
    {
        Progress dialog;
        QCOMPARE(LabelOf(&dialog)->text(), Running(1));
        QVERIFY(Ok(&dialog)->isHidden());
        QCOMPARE(Ok(&dialog)->text(), Text("Settings", "OK"));
        QCOMPARE(Bar(&dialog)->value(), 0);
        QCOMPARE(Bar(&dialog)->text(), QString());
    }

    void progressReport_data()
    {
        QTest::addColumn<int>("schedue");
        QTest::addColumn<int>("discrib");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("bar");
        QTest::addColumn<bool>("okShown");
        QTest::newRow("running") << 40 << 0 << Running(40) << 40 << false;
        QTest::newRow("failed") << 33 << 1 << Text("update", "DialogUpgradeFail") << 33 << true;
        QTest::newRow("succeeded") << 57 << 2 << Text("update", "DialogUpgradeSuccess") << 100 << true;
        QTest::newRow("hide OK") << 70 << 3 << Running(1) << 70 << false;
        QTest::newRow("back to start") << 70 << 4 << Running(0) << 0 << false;
        QTest::newRow("other") << 12 << 9 << Running(1) << 12 << false;
    }

    void progressReport()
    {
        QFETCH(int, schedue);
        QFETCH(int, discrib);
        QFETCH(QString, label);
        QFETCH(int, bar);
        QFETCH(bool, okShown);
        Progress dialog;
        dialog.SlotProgress(schedue, discrib);
        QCOMPARE(LabelOf(&dialog)->text(), label);
        QCOMPARE(Bar(&dialog)->value(), bar);
        QCOMPARE(!Ok(&dialog)->isHidden(), okShown);
    }

    void okAfterFailureReturnsToTheChooser()
    {
        QSignalSpy chooser(PostMsg::Instance(), SIGNAL(SigChangeMainDialog(int)));
        QSignalSpy proceed(PostMsg::Instance(), SIGNAL(SigContinue(int)));
        Progress dialog;
        dialog.SlotProgress(30, 1);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { QTest::mouseClick(Ok(&dialog), Qt::LeftButton); }));
        QCOMPARE(chooser.size(), 1);
        QCOMPARE(chooser.at(0).at(0).toInt(), 0);
        QCOMPARE(proceed.size(), 0);
    }

    void returnAfterFailureActsAsOk()
    {
        QSignalSpy chooser(PostMsg::Instance(), SIGNAL(SigChangeMainDialog(int)));
        Progress dialog;
        dialog.SlotProgress(30, 1);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClick(&dialog, Qt::Key_Return);
        }));
        QCOMPARE(chooser.size(), 1);
    }

    void okAfterSuccessLetsTheUpdateContinue_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << "NewHong";
        QTest::newRow("close") << "CloseButton";
    }

    void okAfterSuccessLetsTheUpdateContinue()
    {
        QFETCH(QString, button);
        QSignalSpy chooser(PostMsg::Instance(), SIGNAL(SigChangeMainDialog(int)));
        QSignalSpy proceed(PostMsg::Instance(), SIGNAL(SigContinue(int)));
        Progress dialog;
        dialog.SlotProgress(100, 2);
        QToolButton* target = dialog.findChild<QToolButton*>(button);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { QTest::mouseClick(target, Qt::LeftButton); }));
        QCOMPARE(proceed.size(), 1);
        QCOMPARE(proceed.at(0).at(0).toInt(), 0);
        QCOMPARE(chooser.size(), 0);
        QCOMPARE(LabelOf(&dialog)->text(), Running(0));
        QCOMPARE(Bar(&dialog)->value(), 0);
    }

    // While an upgrade runs, neither the close button nor the close request ends it.
    void runningUpgradeCannotBeClosed()
    {
        QSignalSpy proceed(PostMsg::Instance(), SIGNAL(SigContinue(int)));
        Progress dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.SlotProgress(45, 0);
        upgradeRunning = true;
        QTest::mouseClick(dialog.findChild<QToolButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        PostMsg::Instance()->EmitSigCloseProgress();
        QVERIFY(dialog.isVisible());
        QCOMPARE(LabelOf(&dialog)->text(), Running(45));
        QCOMPARE(proceed.size(), 0);

        upgradeRunning = false;
        PostMsg::Instance()->EmitSigCloseProgress();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(LabelOf(&dialog)->text(), Running(0));
        QCOMPARE(Bar(&dialog)->value(), 0);
        QCOMPARE(proceed.size(), 0);
    }

    void runningTextIsOneLine()
    {
        Progress dialog;
        PostMsg::Instance()->EmitSigAllLanguage(1);
        dialog.SlotProgress(5, 0);
        QCOMPARE(LabelOf(&dialog)->text(), QStringLiteral("Firmware updating: 5%"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
    }

    // Within each stage the bar creeps to one below the stage's end and waits.
    void barCreepsToJustBelowTheFirstBound_data()
    {
        QTest::addColumn<int>("stages");
        QTest::addColumn<int>("stop");
        QTest::newRow("four stages") << 4 << 24;
        QTest::newRow("three stages") << 3 << 32;
        QTest::newRow("one stage") << 1 << 99;
        QTest::newRow("no stages") << 0 << 99;
        QTest::newRow("negative") << -2 << 99;
    }

    void barCreepsToJustBelowTheFirstBound()
    {
        QFETCH(int, stages);
        QFETCH(int, stop);
        MyProgressBar bar;
        QCOMPARE(bar.text(), QStringLiteral("0.0%"));
        bar.Start(stages, 1);
        QTRY_COMPARE_WITH_TIMEOUT(bar.value(), stop, 10000);
        QTest::qWait(100);
        QCOMPARE(bar.value(), stop);
        QCOMPARE(bar.text(), QStringLiteral("%1.0%").arg(stop));
    }

    void finishedStagesRunUpToTheEnd()
    {
        MyProgressBar bar;
        bar.Start(2, 1);
        QTRY_COMPARE_WITH_TIMEOUT(bar.value(), 49, 10000);
        bar.mUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(bar.value(), 99, 10000);
        bar.mUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(bar.value(), 100, 10000);
        QCOMPARE(bar.text(), QStringLiteral("100.0%"));
        bar.mUpdate();
        QTest::qWait(100);
        QCOMPARE(bar.value(), 100);
    }

    // Ending a stage runs the bar quickly to its bound even when creeping is slow.
    void stageEndCatchesUpQuickly()
    {
        MyProgressBar bar;
        bar.Start(4, 60000);
        bar.mUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(bar.value(), 25, 2000);
        QCOMPARE(bar.text(), QStringLiteral("25.0%"));
        QTest::qWait(100);
        QCOMPARE(bar.value(), 25);
    }

    void updateWithoutStartChangesNothing()
    {
        MyProgressBar bar;
        bar.mUpdate();
        QTest::qWait(50);
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.text(), QStringLiteral("0.0%"));
    }
};

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
