// The rapid-fire and delay dialogs: what they show at first and after the
// caller's presets, what the caller reads back after each way of ending the
// modal run, what typing can enter, and their texts, look and fonts.

#include "NoticeTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeFrame.h"
#include "macro/AddDelayTime.h"
#include "macro/FireKey.h"

#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

QString Text(int language, const char* section, const char* key)
{
    return LanguageTables::Text(language, QString::fromLatin1(section), QString::fromLatin1(key));
}

QSpinBox* Box(QWidget* dialog, const char* name)
{
    return dialog->findChild<QSpinBox*>(QString::fromLatin1(name));
}

QLabel* Label(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLabel*>(QString::fromLatin1(name));
}

QToolButton* Button(QWidget* dialog, const QString& name)
{
    return dialog->findChild<QToolButton*>(name);
}

// Replaces what a field shows with typed text, as the user does.
void Type(QWidget* field, const QString& text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    if (!text.isEmpty())
        QTest::keyClicks(field, text);
}

// A key pressed where the keyboard focus is, else on the dialog.
void Press(QDialog* dialog, Qt::Key key)
{
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : dialog, key);
}

// How the user ends a dialog without confirming.
void Dismiss(QDialog* dialog, const QString& how)
{
    if (how == QLatin1String("Escape")) {
        Press(dialog, Qt::Key_Escape);
        return;
    }
    QToolButton* button = Button(dialog, how);
    QVERIFY2(button, qPrintable(how));
    QTest::mouseClick(button, Qt::LeftButton);
}

void ClickOk(QDialog* dialog)
{
    QToolButton* ok = Button(dialog, QStringLiteral("NewHong"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

} // namespace

class TestValueDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        // A second language that has only the button texts.
        const QString path = scratch.path() + QStringLiteral("/second.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("{'mouse': {'common': {'OK': 'Okay (second)', 'Cancel': 'Back (second)'}}}")
                       .replace('\'', '"'));
        file.close();
        QVERIFY(LanguageLoader::LoadLanguageFile(path));
        QCOMPARE(LanguageTables::LanguageCount(), 2);
    }

    void cleanup()
    {
        qunsetenv("NK_SCREEN_DPI");
        PostMsg::Instance()->EmitSigAllLanguage(0);
    }

    // ---- FireKey ----

    void fireKeyWithoutPresetsOffersTenAndThree()
    {
        FireKey dialog;
        QCOMPARE(Box(&dialog, "Time")->text(), QStringLiteral("10"));
        QCOMPARE(Box(&dialog, "Count")->text(), QStringLiteral("3"));
        QVERIFY(!dialog.confirmed);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { ClickOk(&dialog); }));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.interval, 10);
        QCOMPARE(dialog.count, 3);
    }

    void fireKeyPresetsStayInRange_data()
    {
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("shownTime");
        QTest::addColumn<int>("shownCount");
        QTest::newRow("above both ranges") << 300 << 7 << 255 << 3;
        QTest::newRow("below both ranges") << 5 << -1 << 10 << 0;
        QTest::newRow("count 0 repeats while held") << 100 << 0 << 100 << 0;
        QTest::newRow("range ends") << 255 << 3 << 255 << 3;
        QTest::newRow("lowest interval") << 10 << 1 << 10 << 1;
        QTest::newRow("inside") << 42 << 2 << 42 << 2;
    }

    // What the button page stored is shown, brought into range, and OK
    // hands back exactly what is shown.
    void fireKeyPresetsStayInRange()
    {
        QFETCH(int, time);
        QFETCH(int, count);
        QFETCH(int, shownTime);
        QFETCH(int, shownCount);
        FireKey dialog;
        dialog.SetTime(time);
        dialog.SetCount(count);
        QCOMPARE(Box(&dialog, "Time")->text(), QString::number(shownTime));
        QCOMPARE(Box(&dialog, "Count")->text(), QString::number(shownCount));
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { ClickOk(&dialog); }));
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.interval, shownTime);
        QCOMPARE(dialog.count, shownCount);
    }

    void fireKeyTypedValues_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("expectedCount");
        QTest::newRow("count 0 accepted") << "200" << "0" << 200 << 0;
        QTest::newRow("largest interval") << "255" << "3" << 255 << 3;
        QTest::newRow("digit beyond the interval range refused") << "256" << "1" << 25 << 1;
        QTest::newRow("count beyond its range refused") << "10" << "4" << 10 << 3;
        QTest::newRow("interval below the range") << "5" << "2" << 10 << 2;
        QTest::newRow("count emptied keeps its value") << "30" << "" << 30 << 3;
        QTest::newRow("letters refused") << "1x2" << "2" << 12 << 2;
    }

    void fireKeyTypedValues()
    {
        QFETCH(QString, time);
        QFETCH(QString, count);
        QFETCH(int, interval);
        QFETCH(int, expectedCount);
        FireKey dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            // Start from values the typed ones must replace.
            dialog.SetTime(123);
            Type(Box(&dialog, "Time"), time);
            Type(Box(&dialog, "Count"), count);
            ClickOk(&dialog);
        }));
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.interval, interval);
        QCOMPARE(dialog.count, expectedCount);
    }

    void fireKeyDismissed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "NewHong_2";
        QTest::newRow("close button") << "CloseButton";
        QTest::newRow("Escape") << "Escape";
    }

    void fireKeyDismissed()
    {
        QFETCH(QString, how);
        FireKey dialog;
        dialog.SetTime(50);
        dialog.SetCount(1);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            Type(Box(&dialog, "Time"), QStringLiteral("200"));
            Type(Box(&dialog, "Count"), QStringLiteral("0"));
            Dismiss(&dialog, how);
        }));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.interval, 10);
        QCOMPARE(dialog.count, 3);
    }

    void fireKeyEnterDoesNotConfirm_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void fireKeyEnterDoesNotConfirm()
    {
        QFETCH(int, key);
        FireKey dialog;
        bool openAfterEnter = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            QSpinBox* time = Box(&dialog, "Time");
            time->setFocus(Qt::MouseFocusReason);
            Type(time, QStringLiteral("99"));
            Press(&dialog, Qt::Key(key));
            QTest::qWait(50);
            openAfterEnter = dialog.isVisible();
            Dismiss(&dialog, QStringLiteral("CloseButton"));
        }));
        QVERIFY(openAfterEnter);
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.interval, 10);
    }

    void fireKeyTexts()
    {
        FireKey dialog;
        for (const char* key : {"DialogFireKeyTimes", "DialogFireKeyInterval", "DialogFireKeyTips"})
            QVERIFY2(!Text(0, "key", key).isEmpty(), key);
        QCOMPARE(Label(&dialog, "label")->text(), Text(0, "key", "DialogFireKeyTimes"));
        QCOMPARE(Label(&dialog, "label_2")->text(), Text(0, "key", "DialogFireKeyInterval"));
        QCOMPARE(Label(&dialog, "label_3")->text(), Text(0, "key", "DialogFireKeyTips"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), Text(0, "common", "OK"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong_2"))->text(), Text(0, "common", "Cancel"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));

        // A language lacking the captions empties them; the buttons follow it.
        PostMsg::Instance()->EmitSigAllLanguage(1);
        QCOMPARE(Label(&dialog, "label")->text(), QString());
        QCOMPARE(Label(&dialog, "label_3")->text(), QString());
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), QStringLiteral("Okay (second)"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong_2"))->text(), QStringLiteral("Back (second)"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(Label(&dialog, "label_2")->text(), Text(0, "key", "DialogFireKeyInterval"));
    }

    // ---- AddDelayTime ----

    void delayOpensAtTen()
    {
        AddDelayTime dialog;
        QCOMPARE(Box(&dialog, "spinBox")->text(), QStringLiteral("10"));
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.delay, 0);
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] { ClickOk(&dialog); }));
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.delay, 10);
    }

    void delayTypedValues_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("delay");
        QTest::newRow("largest") << "65535" << 65535;
        QTest::newRow("one above the largest refused") << "65536" << 6553;
        QTest::newRow("far above refused") << "70000" << 7000;
        QTest::newRow("smallest") << "10" << 10;
        QTest::newRow("below the smallest") << "9" << 10;
        QTest::newRow("nothing typed") << "" << 10;
        QTest::newRow("ordinary") << "1500" << 1500;
    }

    // The field has the keyboard as soon as the dialog opens: the user types
    // the delay without clicking into it first.
    void delayTypedValues()
    {
        QFETCH(QString, typed);
        QFETCH(int, delay);
        AddDelayTime dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            QVERIFY(focus == Box(&dialog, "spinBox") || Box(&dialog, "spinBox")->isAncestorOf(focus));
            // A value typed before must not leak into the result.
            Type(focus, QStringLiteral("30000"));
            Type(focus, typed);
            ClickOk(&dialog);
        }));
        QVERIFY(dialog.confirmed);
        QCOMPARE(dialog.delay, delay);
    }

    void delayDismissed_data() { fireKeyDismissed_data(); }

    void delayDismissed()
    {
        QFETCH(QString, how);
        AddDelayTime dialog;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            Type(Box(&dialog, "spinBox"), QStringLiteral("500"));
            Dismiss(&dialog, how);
        }));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.delay, 0);
    }

    void delayEnterDoesNotConfirm_data() { fireKeyEnterDoesNotConfirm_data(); }

    void delayEnterDoesNotConfirm()
    {
        QFETCH(int, key);
        AddDelayTime dialog;
        bool openAfterEnter = false;
        QVERIFY(NoticeTest::ExecAndAnswer(&dialog, [&] {
            Type(Box(&dialog, "spinBox"), QStringLiteral("250"));
            Press(&dialog, Qt::Key(key));
            QTest::qWait(50);
            openAfterEnter = dialog.isVisible();
            Dismiss(&dialog, QStringLiteral("NewHong_2"));
        }));
        QVERIFY(openAfterEnter);
        QVERIFY(!dialog.confirmed);
        QCOMPARE(dialog.delay, 0);
    }

    void delayTexts()
    {
        AddDelayTime dialog;
        QVERIFY(!Text(0, "home", "EnterDelay").isEmpty());
        QCOMPARE(Label(&dialog, "label")->text(), Text(0, "home", "EnterDelay"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), Text(0, "common", "OK"));
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong_2"))->text(), Text(0, "common", "Cancel"));

        PostMsg::Instance()->EmitSigAllLanguage(1);
        QCOMPARE(Label(&dialog, "label")->text(), QString());
        QCOMPARE(Button(&dialog, QStringLiteral("NewHong"))->text(), QStringLiteral("Okay (second)"));
    }

    // A second dialog after the first is gone gets its own fresh values, and
    // the destroyed one no longer listens to the language switch.
    void eachDialogIsIndependent()
    {
        {
            AddDelayTime first;
            QVERIFY(NoticeTest::ExecAndAnswer(&first, [&] {
                Type(Box(&first, "spinBox"), QStringLiteral("800"));
                ClickOk(&first);
            }));
            QCOMPARE(first.delay, 800);
        }
        AddDelayTime second;
        QCOMPARE(Box(&second, "spinBox")->text(), QStringLiteral("10"));
        QCOMPARE(second.delay, 0);
        QVERIFY(!second.confirmed);
        PostMsg::Instance()->EmitSigAllLanguage(0);
    }

    // ---- both ----

    void lookAndFonts_data()
    {
        QTest::addColumn<bool>("fireKey");
        QTest::addColumn<QSize>("size");
        QTest::newRow("FireKey") << true << QSize(406, 170);
        QTest::newRow("AddDelayTime") << false << QSize(300, 140);
    }

    void lookAndFonts()
    {
        QFETCH(bool, fireKey);
        QFETCH(QSize, size);
        qputenv("NK_SCREEN_DPI", "96");
        std::unique_ptr<QDialog> dialog(fireKey ? static_cast<QDialog*>(new FireKey) : new AddDelayTime);
        QCOMPARE(dialog->size(), size);
        const Qt::WindowFlags flags = dialog->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags & Qt::FramelessWindowHint);
        for (const QString& file : NoticeTest::StyleSheetPictures(dialog.get())) {
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
            QVERIFY2(!QImage(file).isNull(), qPrintable(file));
        }
        for (QSpinBox* box : dialog->findChildren<QSpinBox*>()) {
            QCOMPARE(box->buttonSymbols(), QAbstractSpinBox::NoButtons);
            QCOMPARE(box->font().family(), QStringLiteral("Arial"));
            QVERIFY2(qAbs(box->font().pointSizeF() - 12.0) < 0.01, qPrintable(box->font().toString()));
        }
        QVERIFY(qAbs(Label(dialog.get(), "label")->font().pointSizeF() - 11.0) < 0.01);
    }

    void fontsFollowTheScreenDpi_data()
    {
        QTest::addColumn<QByteArray>("dpi");
        QTest::addColumn<double>("factor");
        QTest::newRow("96 DPI") << QByteArray("96") << 1.0;
        QTest::newRow("120 DPI") << QByteArray("120") << 0.8;
        QTest::newRow("144 DPI") << QByteArray("144") << 2.0 / 3.0;
    }

    void fontsFollowTheScreenDpi()
    {
        QFETCH(QByteArray, dpi);
        QFETCH(double, factor);
        qputenv("NK_SCREEN_DPI", dpi);
        FireKey fire;
        AddDelayTime delay;
        QVERIFY(qAbs(Label(&fire, "label_3")->font().pointSizeF() - 11.0 * factor) < 0.01);
        QVERIFY(qAbs(Button(&fire, QStringLiteral("NewHong_2"))->font().pointSizeF() - 11.0 * factor) < 0.01);
        QVERIFY(qAbs(Box(&fire, "Time")->font().pointSizeF() - 12.0 * factor) < 0.01);
        QVERIFY(qAbs(Label(&delay, "label")->font().pointSizeF() - 11.0 * factor) < 0.01);
        QVERIFY(qAbs(Box(&delay, "spinBox")->font().pointSizeF() - 12.0 * factor) < 0.01);
    }

    // The rapid-fire dialog is wider than the notice picture: the picture is
    // stretched over all of it, not left as a strip in the middle.
    void fireKeyBackgroundCoversTheDialog()
    {
        FireKey dialog;
        dialog.move(100, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QImage shown = dialog.grab().toImage();
        const QImage background(NoticeFrame::PictureFolder() + QStringLiteral("BackGround.png"));
        QVERIFY(!background.isNull());
        const QImage stretched = background.scaled(dialog.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (const QPoint spot : {QPoint(395, 75), QPoint(8, 75), QPoint(200, 45)}) {
            QVERIFY2(NoticeTest::SameColour(shown.pixelColor(spot), stretched.pixelColor(spot), 6),
                     qPrintable(QStringLiteral("%1,%2: %3 vs %4")
                                    .arg(spot.x())
                                    .arg(spot.y())
                                    .arg(shown.pixelColor(spot).name(), stretched.pixelColor(spot).name())));
        }
    }
};

QTEST_MAIN(TestValueDialogs)
#include "tst_valuedialogs.moc"
