// The notice frame and the simple notices: texts from the language tables,
// the buttons that end the caller's modal run, window flags that keep the
// keyboard, the theme colours, the pictures their style sheets name, the
// font scaling and the caller-centred placement.

#include "NoticeTestSupport.h"

#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "dialogs/ContainReset.h"
#include "dialogs/DeleteConfirm.h"
#include "dialogs/ExeIsRun.h"
#include "dialogs/GroupMaxThree.h"
#include "dialogs/InportFail.h"
#include "dialogs/KeyNumberLimit.h"
#include "dialogs/LeftButtonOnly.h"
#include "dialogs/MakeMacro.h"
#include "dialogs/MouseOffLine.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/Progress.h"
#include "dialogs/QuestiondialogB.h"
#include "dialogs/SameMacro.h"
#include "dialogs/ScaleWidgetFonts.h"
#include "macro/MacroFileNotice.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Fixtures are written with single quotes to stay readable inside C++ strings.
QByteArray Json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

using Factory = std::function<QDialog*()>;

struct NoticeCase {
    const char* name;
    Factory create;
    const char* section;
    const char* key;
    bool hasOk;
    QRect labelGeometry;
};

const QVector<NoticeCase>& SimpleNotices()
{
    static const QVector<NoticeCase> notices = {
        {"QuestiondialogB", [] { return new QuestiondialogB; }, "home", "ErrorDevice", false, QRect(0, 30, 301, 60)},
        {"LeftButtonOnly", [] { return new LeftButtonOnly; }, "key", "DialogKeepLeftKey", false, QRect(0, 19, 301, 91)},
        {"MakeMacro", [] { return new MakeMacro; }, "home", "MakeMaro", true, QRect(6, 29, 291, 71)},
        {"SameMacro", [] { return new SameMacro; }, "macro", "DialogSameMacroName", true, QRect(0, 10, 301, 91)},
        {"GroupMaxThree", [] { return new GroupMaxThree; }, "home", "MaxThree", true, QRect(0, 30, 301, 71)},
        {"KeyNumberLimit", [] { return new KeyNumberLimit; }, "macro", "DialogMaxMacroKey", true, QRect(0, 30, 301, 71)},
    };
    return notices;
}

// Every dialog of the family, for the checks that hold for all of them.
const QVector<QPair<const char*, Factory>>& AllDialogs()
{
    static const QVector<QPair<const char*, Factory>> dialogs = {
        {"QuestiondialogB", [] { return new QuestiondialogB; }},
        {"LeftButtonOnly", [] { return new LeftButtonOnly; }},
        {"MakeMacro", [] { return new MakeMacro; }},
        {"SameMacro", [] { return new SameMacro; }},
        {"GroupMaxThree", [] { return new GroupMaxThree; }},
        {"KeyNumberLimit", [] { return new KeyNumberLimit; }},
        {"InportFail", [] { return new InportFail; }},
        {"ContainReset", [] { return new ContainReset; }},
        {"DeleteConfirm", [] { return new DeleteConfirm; }},
        {"MouseOffLine", [] { return new MouseOffLine; }},
        {"ExeIsRun", [] { return new ExeIsRun; }},
        {"Progress", [] { return new Progress; }},
        {"MacroFileNotice", [] { return new MacroFileNotice(MacroFileNotice::Failure::Save); }},
    };
    return dialogs;
}

QString Text(const char* section, const char* key, int language = 0)
{
    return LanguageTables::Text(language, QString::fromLatin1(section), QString::fromLatin1(key));
}

QLabel* LabelOf(QWidget* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("label"));
}

QToolButton* ButtonOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QToolButton*>(QString::fromLatin1(name));
}

QImage Picture(const QString& name)
{
    return QImage(QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/WarningDialog/") + name);
}

// The background frame of a dialog: the frame whose style sheet names BackGround.png.
QFrame* BackgroundFrame(QWidget* dialog)
{
    for (QFrame* frame : dialog->findChildren<QFrame*>()) {
        if (frame->styleSheet().contains(QStringLiteral("BackGround.png")))
            return frame;
    }
    return nullptr;
}

// A window as the screen shows it: its own pixels, and nothing outside the
// shape it gave itself.
QImage SeenOnScreen(QWidget* window)
{
    QImage image(window->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    window->render(&image);
    const QRegion shape = window->mask();
    if (!shape.isEmpty()) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!shape.contains(QPoint(x, y)))
                    image.setPixel(x, y, 0);
    }
    return image;
}

} // namespace

class TestNoticeDialogs : public QObject {
    Q_OBJECT

private:
    QTemporaryDir scratch;

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        // A second language that has only an OK text.
        const QString path = scratch.path() + QStringLiteral("/second.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Json("{'mouse': {'common': {'OK': 'Okay (second)'}}}"));
        file.close();
        QVERIFY(LanguageLoader::LoadLanguageFile(path));
        QCOMPARE(LanguageTables::LanguageCount(), 2);
    }

    // The macro file notice: what was not done, then why, in the system's
    // words or a text of the language tables; it follows a language change.
    void macroFileNoticeSaysWhatAndWhy_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("key");
        QTest::newRow("save") << int(MacroFileNotice::Failure::Save) << "DialogSaveFail";
        QTest::newRow("export") << int(MacroFileNotice::Failure::Export) << "DialogExportFail";
        QTest::newRow("rename") << int(MacroFileNotice::Failure::Rename) << "DialogRenameFail";
        QTest::newRow("name refused") << int(MacroFileNotice::Failure::NameRefused) << "DialogNameRefused";
    }

    void macroFileNoticeSaysWhatAndWhy()
    {
        QFETCH(int, failure);
        QFETCH(QString, key);
        MacroFileNotice notice(static_cast<MacroFileNotice::Failure>(failure));
        const QString headline = Text("macro", qPrintable(key));
        QVERIFY(!headline.isEmpty());
        QCOMPARE(LabelOf(&notice)->text(), headline);
        QCOMPARE(notice.size(), QSize(300, 140));
        notice.SetSystemReason(QStringLiteral("No space left on device"));
        QCOMPARE(LabelOf(&notice)->text(), headline + QStringLiteral("\nNo space left on device"));
        notice.SetReasonKey(QStringLiteral("ReasonFileExists"));
        QCOMPARE(LabelOf(&notice)->text(), headline + QLatin1Char('\n') + Text("macro", "ReasonFileExists"));
        // The second language has no such texts.
        notice.SlotAllLanguage(1);
        QCOMPARE(LabelOf(&notice)->text(), QString());
        QCOMPARE(ButtonOf(&notice, "NewHong")->text(), QStringLiteral("Okay (second)"));
    }

    void cleanup()
    {
        qunsetenv("NK_SCREEN_DPI");
        importFailCode = 0;
    }

    void simpleNoticeShowsItsLanguageText_data()
    {
        QTest::addColumn<int>("notice");
        for (int i = 0; i < SimpleNotices().size(); ++i)
            QTest::newRow(SimpleNotices().at(i).name) << i;
    }

    void simpleNoticeShowsItsLanguageText()
    {
        QFETCH(int, notice);
        const NoticeCase& entry = SimpleNotices().at(notice);
        std::unique_ptr<QDialog> dialog(entry.create());
        QCOMPARE(dialog->objectName(), QString::fromLatin1(entry.name));
        QCOMPARE(dialog->size(), QSize(300, 140));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Dialog"));
        QVERIFY(!Text(entry.section, entry.key).isEmpty());
        QCOMPARE(LabelOf(dialog.get())->text(), Text(entry.section, entry.key));
        QCOMPARE(LabelOf(dialog.get())->geometry(), entry.labelGeometry);
        QToolButton* ok = ButtonOf(dialog.get(), "NewHong");
        QCOMPARE(ok != nullptr, entry.hasOk);
        if (ok)
            QCOMPARE(ok->text(), QStringLiteral("OK"));
    }

    // A language that lacks the notice's key gives an empty text, and its own OK text.
    void languageSwitchRetextsOpenNotice_data() { simpleNoticeShowsItsLanguageText_data(); }

    void languageSwitchRetextsOpenNotice()
    {
        QFETCH(int, notice);
        const NoticeCase& entry = SimpleNotices().at(notice);
        std::unique_ptr<QDialog> dialog(entry.create());
        PostMsg::Instance()->EmitSigAllLanguage(1);
        QCOMPARE(LabelOf(dialog.get())->text(), QString());
        if (entry.hasOk)
            QCOMPARE(ButtonOf(dialog.get(), "NewHong")->text(), QStringLiteral("Okay (second)"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(LabelOf(dialog.get())->text(), Text(entry.section, entry.key));
    }

    void eitherButtonEndsTheModalRun_data()
    {
        QTest::addColumn<int>("notice");
        QTest::addColumn<QString>("button");
        for (int i = 0; i < SimpleNotices().size(); ++i) {
            const NoticeCase& entry = SimpleNotices().at(i);
            QTest::addRow("%s close", entry.name) << i << QStringLiteral("CloseButton");
            if (entry.hasOk)
                QTest::addRow("%s OK", entry.name) << i << QStringLiteral("NewHong");
        }
        QTest::addRow("InportFail OK") << -1 << QStringLiteral("NewHong");
        QTest::addRow("InportFail close") << -1 << QStringLiteral("CloseButton");
    }

    void eitherButtonEndsTheModalRun()
    {
        QFETCH(int, notice);
        QFETCH(QString, button);
        std::unique_ptr<QDialog> dialog(notice < 0 ? new InportFail : SimpleNotices().at(notice).create());
        QToolButton* target = dialog->findChild<QToolButton*>(button);
        QVERIFY(target);
        QVERIFY(NoticeTest::ExecAndAnswer(dialog.get(), [&] { QTest::mouseClick(target, Qt::LeftButton); }));
        QVERIFY(!dialog->isVisible());
    }

    void inportFailTextFollowsTheImportResult_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not a profile") << 1 << Text("key", "DialogConfigError");
        QTest::newRow("does not fit") << 2 << Text("key", "DialogEConfigMismatch");
        QTest::newRow("other code keeps the form text") << 7 << QStringLiteral("Config does not match the device");
    }

    void inportFailTextFollowsTheImportResult()
    {
        QFETCH(int, code);
        QFETCH(QString, expected);
        importFailCode = code;
        InportFail dialog;
        QVERIFY(!expected.isEmpty());
        QCOMPARE(LabelOf(&dialog)->text(), expected);
        QCOMPARE(ButtonOf(&dialog, "NewHong")->text(), QStringLiteral("OK"));
    }

    void inportFailRechoosesOnEveryLanguageCall()
    {
        importFailCode = 2;
        InportFail first;
        QCOMPARE(LabelOf(&first)->text(), Text("key", "DialogEConfigMismatch"));
        importFailCode = 1;
        InportFail second;
        QCOMPARE(LabelOf(&second)->text(), Text("key", "DialogConfigError"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(LabelOf(&first)->text(), Text("key", "DialogConfigError"));
    }

    // Frameless, but a dialog the window manager manages: it takes the
    // keyboard, so the Return, Esc and Space shortcuts reach it.
    void dialogsAreFramelessButTakeTheKeyboard_data()
    {
        QTest::addColumn<int>("dialog");
        for (int i = 0; i < AllDialogs().size(); ++i)
            QTest::newRow(AllDialogs().at(i).first) << i;
    }

    void dialogsAreFramelessButTakeTheKeyboard()
    {
        QFETCH(int, dialog);
        std::unique_ptr<QDialog> notice(AllDialogs().at(dialog).second());
        const Qt::WindowFlags flags = notice->windowFlags();
        QCOMPARE(notice->windowType(), Qt::Dialog);
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(!(flags & Qt::X11BypassWindowManagerHint));
        QVERIFY(!(flags & Qt::WindowDoesNotAcceptFocus));
        notice->show();
        QVERIFY(QTest::qWaitForWindowActive(notice.get()));
        QCOMPARE(QApplication::activeWindow(), notice.get());
    }

    void stylePicturesExist_data() { dialogsAreFramelessButTakeTheKeyboard_data(); }

    void stylePicturesExist()
    {
        QFETCH(int, dialog);
        std::unique_ptr<QDialog> notice(AllDialogs().at(dialog).second());
        const QStringList files = NoticeTest::StyleSheetPictures(notice.get());
        // Background and the close button's three pictures at least.
        QVERIFY2(files.size() >= 4, qPrintable(files.join(QLatin1Char(' '))));
        for (const QString& file : files) {
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
            QVERIFY2(!QImage(file).isNull(), qPrintable(file));
        }
    }

    // What the user sees: the background picture, the close button's picture
    // and the OK button's picture, not an empty frame. With NK_SCREENSHOT_DIR
    // set, each dialog is also saved there (from the screen on a real display).
    void artworkIsShown_data() { dialogsAreFramelessButTakeTheKeyboard_data(); }

    void artworkIsShown()
    {
        QFETCH(int, dialog);
        std::unique_ptr<QDialog> notice(AllDialogs().at(dialog).second());
        notice->move(100, 100);
        notice->show();
        QVERIFY(QTest::qWaitForWindowExposed(notice.get()));
        const QImage shown = notice->grab().toImage();

        QFrame* frame = BackgroundFrame(notice.get());
        QVERIFY(frame);
        const QImage background = Picture(QStringLiteral("BackGround.png"));
        QVERIFY(!background.isNull());
        // The picture is centred on its frame; a spot clear of every widget.
        const QPoint spot(8, 120);
        const QPoint inPicture = spot - frame->pos()
            - QPoint((frame->width() - background.width()) / 2, (frame->height() - background.height()) / 2);
        QVERIFY2(NoticeTest::SameColour(shown.pixelColor(spot), background.pixelColor(inPicture)),
                 qPrintable(shown.pixelColor(spot).name()));

        QToolButton* close = ButtonOf(notice.get(), "CloseButton");
        const QImage closePicture = Picture(QStringLiteral("Close.png"));
        const QPoint closeCentre = close->mapTo(notice.get(), close->rect().center() + QPoint(1, 1));
        QVERIFY(NoticeTest::SameColour(shown.pixelColor(closeCentre),
                                       closePicture.pixelColor(closePicture.width() / 2, closePicture.height() / 2)));

        const QString name = QString::fromLatin1(AllDialogs().at(dialog).first);
        QToolButton* ok = ButtonOf(notice.get(), name == QLatin1String("ContainReset") ? "OK" : "NewHong");
        if (ok && ok->isVisible()) {
            const QImage okPicture = Picture(name == QLatin1String("MouseOffLine") ? QStringLiteral("ConFirm.png")
                                                                                  : QStringLiteral("Confirm.png"));
            const QPoint edge = ok->mapTo(notice.get(), QPoint(3, ok->height() / 2));
            QVERIFY(NoticeTest::SameColour(shown.pixelColor(edge), okPicture.pixelColor(3, okPicture.height() / 2)));
        }

        const QString folder = qEnvironmentVariable("NK_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            QImage saved = shown;
            if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                QTest::qWait(200);
                saved = QGuiApplication::primaryScreen()
                            ->grabWindow(0, notice->x(), notice->y(), notice->width(), notice->height())
                            .toImage();
            }
            QVERIFY(saved.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
        }
    }

    // What the user sees of a notice is its background: no light pixels at
    // its rounded corners, nor in a strip the frame leaves uncovered.
    void noLightPixelsBesideTheBackground_data() { dialogsAreFramelessButTakeTheKeyboard_data(); }

    void noLightPixelsBesideTheBackground()
    {
        QFETCH(int, dialog);
        std::unique_ptr<QDialog> notice(AllDialogs().at(dialog).second());
        notice->move(100, 100);
        notice->show();
        QVERIFY(QTest::qWaitForWindowExposed(notice.get()));
        const QImage shown = SeenOnScreen(notice.get());
        QFrame* frame = BackgroundFrame(notice.get());
        QVERIFY(frame);
        const QRect edge = frame->geometry();
        QList<QPoint> spots = {edge.topLeft(), edge.topRight(), edge.bottomLeft(), edge.bottomRight(),
                               QPoint(0, 0), QPoint(notice->width() - 1, 0), QPoint(0, notice->height() - 1),
                               QPoint(notice->width() - 1, notice->height() - 1)};
        for (int y = edge.bottom() + 1; y < notice->height(); ++y)
            spots << QPoint(notice->width() / 2, y) << QPoint(20, y);
        for (const QPoint& spot : spots) {
            const QColor seen = shown.pixelColor(spot);
            QVERIFY2(seen.alpha() < 128 || seen.lightness() < 128,
                     qPrintable(QStringLiteral("%1,%2: %3").arg(spot.x()).arg(spot.y()).arg(seen.name(QColor::HexArgb))));
        }
        // The background itself is there.
        QVERIFY(shown.pixelColor(edge.center().x(), edge.bottom() - 3).alpha() == 255);
    }

    // A long text wraps clear of the frame's sides.
    void textsKeepASideMargin_data()
    {
        QTest::addColumn<int>("notice");
        for (int i = 0; i < SimpleNotices().size(); ++i)
            QTest::newRow(SimpleNotices().at(i).name) << i;
    }

    void textsKeepASideMargin()
    {
        QFETCH(int, notice);
        std::unique_ptr<QDialog> dialog(SimpleNotices().at(notice).create());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QLabel* label = LabelOf(dialog.get());
        label->setText(QString());
        const QImage empty = dialog->grab().toImage();
        label->setText(QStringLiteral("Wwwwwwwww ").repeated(24));
        const QImage full = dialog->grab().toImage();
        QVERIFY(empty != full);
        const QRect frame = BackgroundFrame(dialog.get())->geometry();
        const QRect text = label->geometry().intersected(frame);
        constexpr int margin = 8;
        for (int y = text.top(); y <= text.bottom(); ++y) {
            for (int dx = 0; dx < margin; ++dx) {
                for (int x : {frame.left() + dx, frame.right() - dx})
                    QVERIFY2(empty.pixel(x, y) == full.pixel(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }

    void labelIsColouredByTheTheme()
    {
        MakeMacro dialog;
        QLabel* label = LabelOf(&dialog);
        label->ensurePolished();
        const QStringList items = ConfigSettings::Instance()->ListValue(QStringLiteral("Option"), QStringLiteral("LabelColor"));
        QCOMPARE(items.size(), 3);
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 QColor(items.at(0).toInt(), items.at(1).toInt(), items.at(2).toInt()));
    }

    void themeColourReadsOnlyWhatTheKeyHolds_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three items") << "Colour=225,228,235" << "rgb(225,228,235)";
        QTest::newRow("extra items ignored") << "Colour=1,2,3,4" << "rgb(1,2,3)";
        QTest::newRow("two items") << "Colour=10,20" << "rgb(255,255,255)";
        QTest::newRow("one item") << "Colour=10" << "rgb(255,255,255)";
        QTest::newRow("empty") << "Colour=" << "rgb(255,255,255)";
        QTest::newRow("missing key") << "Other=1,2,3" << "rgb(255,255,255)";
        QTest::newRow("not numbers") << "Colour=a,b,c" << "rgb(255,255,255)";
        QTest::newRow("out of range") << "Colour=300,0,0" << "rgb(255,255,255)";
    }

    void themeColourReadsOnlyWhatTheKeyHolds()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const QString path = scratch.path() + QStringLiteral("/Config.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Option]\n" + line.toUtf8() + "\n");
        file.close();
        ConfigSettings settings(path);
        QCOMPARE(ThemeColor::Rgb(&settings, QStringLiteral("Colour")), expected);
    }

    void fontsFollowTheScreenDpi_data()
    {
        QTest::addColumn<QByteArray>("dpi");
        QTest::addColumn<double>("points");
        QTest::newRow("96 DPI") << QByteArray("96") << 11.0;
        QTest::newRow("120 DPI") << QByteArray("120") << 8.8;
        QTest::newRow("144 DPI") << QByteArray("144") << 11.0 * 2.0 / 3.0;
    }

    void fontsFollowTheScreenDpi()
    {
        QFETCH(QByteArray, dpi);
        QFETCH(double, points);
        qputenv("NK_SCREEN_DPI", dpi);
        MakeMacro dialog;
        QVERIFY(qAbs(LabelOf(&dialog)->font().pointSizeF() - points) < 0.01);
        QVERIFY(qAbs(ButtonOf(&dialog, "NewHong")->font().pointSizeF() - points) < 0.01);
    }

    // Each font is scaled once, also where a child only inherits its parent's.
    void scaleWidgetFontsScalesEachFontOnce()
    {
        QWidget parent;
        QFont parentFont = parent.font();
        parentFont.setPointSizeF(10);
        parent.setFont(parentFont);
        auto* inheriting = new QLabel(&parent);
        auto* own = new QLabel(inheriting);
        QFont ownFont = own->font();
        ownFont.setPointSizeF(11);
        own->setFont(ownFont);
        auto* pixels = new QLabel(&parent);
        QFont pixelFont = pixels->font();
        pixelFont.setPixelSize(14);
        pixels->setFont(pixelFont);

        ScaleWidgetFonts(&parent, 0.8);
        QCOMPARE(parent.font().pointSizeF(), 8.0);
        QCOMPARE(inheriting->font().pointSizeF(), 8.0);
        QVERIFY(qAbs(own->font().pointSizeF() - 8.8) < 1e-9);
        QCOMPARE(pixels->font().pixelSize(), 14);
        ScaleWidgetFonts(nullptr, 0.8);
    }

    void dialogIsPlacedOnTheCallersCentre_data()
    {
        QTest::addColumn<QRect>("caller");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("button page") << QRect(100, 200, 800, 600) << QPoint(-50, -70) << QPoint(300, 360);
        QTest::newRow("no offset") << QRect(0, 0, 400, 240) << QPoint(0, 0) << QPoint(50, 50);
        // (299 - 300) / 2 is 0 when truncated toward zero, -1 when floored.
        QTest::newRow("narrower than the dialog") << QRect(10, 10, 299, 139) << QPoint(-20, 0) << QPoint(-10, 10);
    }

    void dialogIsPlacedOnTheCallersCentre()
    {
        QFETCH(QRect, caller);
        QFETCH(QPoint, offset);
        QFETCH(QPoint, expected);
        QWidget window;
        window.setGeometry(caller);
        MakeMacro dialog;
        NoticeFrame::PlaceOnCaller(&dialog, &window, offset.x(), offset.y());
        QCOMPARE(dialog.pos(), expected);
    }

    // The check boxes and entry fields of the input dialogs use the frame's pictures and colours too.
    void inputStylesNameExistingPictures()
    {
        const QString folder = NoticeFrame::PictureFolder();
        QWidget holder;
        holder.setStyleSheet(NoticeFrame::CheckBoxStyle(folder));
        const QStringList files = NoticeTest::StyleSheetPictures(&holder);
        QCOMPARE(files.size(), 2);
        for (const QString& file : files)
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
        QVERIFY(NoticeFrame::EntryStyle(QStringLiteral("QLineEdit")).startsWith(QStringLiteral("QLineEdit{color: rgb(30,32,40)")));
    }
};

QTEST_MAIN(TestNoticeDialogs)
#include "tst_noticedialogs.moc"
