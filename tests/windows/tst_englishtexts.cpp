// The window in English: while the chooser and the device pages are built,
// shown and clicked through, Qt lays out no Chinese text (it would look for
// a CJK font to do it), and no widget of the window shows one. The test sees
// only fonts it made, whatever the machine has installed.

#include "HanTestFont.h"
#include "HubRecorder.h"
#include "WindowTestSupport.h"

#include "app/Startup.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <cstdio>

#include <memory>

using namespace WindowTest;

namespace {

bool IsCjk(uint c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FA1F);
}

bool HasCjk(const QString& text)
{
    const QVector<uint> codes = text.toUcs4();
    return std::any_of(codes.begin(), codes.end(), IsCjk);
}

// Every text a widget can show: its own, its tip, its items and tabs.
QStringList ShownTexts(QWidget* widget)
{
    QStringList texts{widget->toolTip(), widget->windowTitle()};
    if (auto* label = qobject_cast<QLabel*>(widget))
        texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        texts << button->text();
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        texts << box->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        texts << edit->text() << edit->placeholderText();
    if (auto* edit = qobject_cast<QTextEdit*>(widget))
        texts << edit->toPlainText() << edit->placeholderText();
    if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i) << tabs->tabToolTip(i);
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        texts << group->title();
    return texts;
}

// "class objectName: text" for each Chinese text under the root.
QStringList ChineseTexts(QWidget* root)
{
    QStringList found;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        for (const QString& text : ShownTexts(widget)) {
            if (HasCjk(text))
                found << QStringLiteral("%1 %2: %3").arg(QString::fromLatin1(widget->metaObject()->className()),
                                                        widget->objectName(), text);
        }
    }
    return found;
}

// Qt maps a font file while it uses the font.
bool StandInMapped(const QString& path)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(path));
}

const QString kLatinFamily = QStringLiteral("NK Latin Stand-in");
const QString kHanFamily = QStringLiteral("NK Han Stand-in");

// Writes a Latin stand-in and the CJK stand-in into the folder and a
// fontconfig file that names only them, and points fontconfig at it: a
// Chinese font installed on the machine (a fallback font that other
// packages bring in) would otherwise be the one Qt turns to. Before the
// application object exists, since Qt reads the fonts once.
bool UseOnlyOwnFonts(const QDir& folder, QString* hanPath)
{
    const QString fonts = folder.filePath(QStringLiteral("fonts"));
    const QString cache = folder.filePath(QStringLiteral("font-cache"));
    if (!QDir().mkpath(fonts) || !QDir().mkpath(cache))
        return false;
    *hanPath = fonts + QStringLiteral("/HanStandIn.ttf");
    if (!HanTestFont::Write(fonts + QStringLiteral("/LatinStandIn.ttf"), kLatinFamily, HanTestFont::LatinRanges())
        || !HanTestFont::Write(*hanPath, kHanFamily, HanTestFont::HanRanges()))
        return false;
    const QString config = folder.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = QStringLiteral("<?xml version=\"1.0\"?>\n"
                                           "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                           "<fontconfig>\n"
                                           "  <dir>%1</dir>\n"
                                           "  <cachedir>%2</cachedir>\n"
                                           "</fontconfig>\n")
                                .arg(fonts.toHtmlEscaped(), cache.toHtmlEscaped())
                                .toUtf8();
    if (file.write(text) != text.size() || !file.flush())
        return false;
    return qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
}

} // namespace

class TestEnglishTexts : public QObject {
    Q_OBJECT
public:
    explicit TestEnglishTexts(const QString& hanPath)
        : m_fontPath(hanPath)
    {
    }

private:
    std::unique_ptr<DialogMain> m_window;
    const QString m_fontPath;

    DialogChange* Chooser() { return m_window->findChild<DialogChange*>(); }
    Dialog* Pages() { return m_window->findChild<Dialog*>(); }

    void Check(const char* step)
    {
        QVERIFY2(!StandInMapped(m_fontPath), step);
        const QStringList chinese = ChineseTexts(m_window.get());
        QVERIFY2(chinese.isEmpty(), qPrintable(QString::fromLatin1(step) + QStringLiteral(": ") + chinese.join("\n")));
    }

private slots:
    void initTestCase()
    {
        // The two stand-ins are all the fonts there are: the CJK one is the
        // only font with Chinese glyphs, so Qt turns to it when a text needs
        // them and to no other font.
        QStringList families = QFontDatabase().families();
        // Qt's generic names, which stand for fonts of the set.
        for (const char* generic : {"Monospace", "Sans Serif", "Serif"})
            families.removeAll(QString::fromLatin1(generic));
        families.sort();
        QCOMPARE(families, QStringList({kHanFamily, kLatinFamily}));
        // The pages' font is none of them: it comes out as the Latin one.
        QCOMPARE(QFontInfo(QFont(QStringLiteral("\u5FAE\u8F6F\u96C5\u9ED1"), 9)).family(), kLatinFamily);
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
        StopUsbChanged();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QCoreApplication::applicationDirPath()
                                                          + "/Simulation/DefaultScenario.json", &error),
                 qPrintable(error));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        UsbServer_Exit();
    }

    void theWindowAndEveryPageShowOnlyEnglish()
    {
        m_window.reset(new DialogMain);
        Check("built");
        if (QTest::currentTestFailed())
            return;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        Check("chooser shown");
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(Tiles(Chooser()).size(), 1);
        HubRecorder recorder;
        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        Check("pages read");
        if (QTest::currentTestFailed())
            return;

        for (const char* name : {"ButtonMain", "SensorButton", "MacroButton", "LightsButton", "Advanced",
                                 "FormSetting", "PreButton"}) {
            QToolButton* button = Pages()->findChild<QToolButton*>(QString::fromLatin1(name));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::qWait(20);
            Check(name);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The check above can fail: a Chinese text in the pages' font brings the
    // stand-in in. Last, since the font then stays loaded.
    void aChineseTextLoadsTheStandIn()
    {
        QVERIFY(!StandInMapped(m_fontPath));
        QLabel label(QStringLiteral("\u786E\u5B9A"));
        label.setFont(QFont(QStringLiteral("\u5FAE\u8F6F\u96C5\u9ED1"), 9));
        label.adjustSize();
        QVERIFY(StandInMapped(m_fontPath));
    }
};

int main(int argc, char* argv[])
{
    QTemporaryDir folder;
    QString hanPath;
    if (!folder.isValid() || !UseOnlyOwnFonts(QDir(folder.path()), &hanPath)) {
        std::fprintf(stderr, "cannot set up the test's own fonts\n");
        return 1;
    }
    QApplication app(argc, argv);
    // As QTEST_MAIN sets it for widget tests.
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestEnglishTexts test(hanPath);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_englishtexts.moc"
