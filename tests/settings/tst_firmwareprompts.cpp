// The two prompts the chooser opens before a firmware update or a pairing:
// the pair-again question and the update warning.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "settings/RePair.h"
#include "settings/UpDateWarning.h"

#include <QFileInfo>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

using namespace NoticeTest;

class TestFirmwarePrompts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void rePairAsksWhetherToPairAgain()
    {
        RePair dialog;
        QVERIFY(!Text("home", "Repair").isEmpty());
        QCOMPARE(LabelOf(&dialog)->text(), Text("home", "Repair"));
        QCOMPARE(ButtonOf(&dialog, "OK")->text(), Text("common", "OK"));
        QCOMPARE(ButtonOf(&dialog, "Cancel")->text(), Text("common", "Cancel"));
        QCOMPARE(dialog.size(), QSize(300, 140));
        QVERIFY(!dialog.confirmed);
        for (const QString& picture : NoticeTest::StyleSheetPictures(&dialog))
            QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));
    }

    void rePairAnswer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << "OK" << true;
        QTest::newRow("Cancel") << "Cancel" << false;
        QTest::newRow("close button") << "CloseButton" << false;
        QTest::newRow("Escape") << "Escape" << false;
    }

    void rePairAnswer()
    {
        QFETCH(QString, how);
        QFETCH(bool, confirmed);
        RePair dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { Answer(&dialog, how); }));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.confirmed, confirmed);
    }

    // Asked twice, the second answer counts: a Cancel after an OK is a no.
    void rePairReadsTheLastAnswer()
    {
        RePair dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { Answer(&dialog, "OK"); }));
        QVERIFY(dialog.confirmed);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { Answer(&dialog, "Cancel"); }));
        QVERIFY(!dialog.confirmed);
    }

    void updateWarningShowsTheCallersText()
    {
        UpDateWarning dialog;
        QCOMPARE(ButtonOf(&dialog, "NewHong")->text(), Text("common", "OK"));
        dialog.SetText(Text("home", "WiredMode"));
        QCOMPARE(LabelOf(&dialog)->text(), Text("home", "WiredMode"));
        // A language switch while it is open changes only the button.
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(LabelOf(&dialog)->text(), Text("home", "WiredMode"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&dialog))
            QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));
    }

    void updateWarningCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "NewHong";
        QTest::newRow("Return") << "Return";
        QTest::newRow("close button") << "CloseButton";
        QTest::newRow("Escape") << "Escape";
    }

    void updateWarningCloses()
    {
        QFETCH(QString, how);
        UpDateWarning dialog;
        dialog.SetText("Connect the cable");
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { Answer(&dialog, how); }));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestFirmwarePrompts)
#include "tst_firmwareprompts.moc"
