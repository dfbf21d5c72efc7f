// The standard parts the pages leave to Qt take the dark theme all the same:
// every scroll bar, the macro list's menu, the debounce panel, the tool tips
// and the rounded dialogs. A scroll bar stands beside what it scrolls, a long
// combo list shows its bar, a tool tip stays inside its window and a rounded
// dialog shows nothing beyond its rounded frame.
//
// Set NK_SCREENSHOT_DIR to keep every rendering as a PNG for looking at.

#include "HubRecorder.h"
#include "LookPictures.h"
#include "WindowTestSupport.h"

#include "app/Startup.h"
#include "buttons/MacroFolder.h"
#include "settings/Match.h"
#include "settings/UpDataParam.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace WindowTest;

using namespace LookPictures;

namespace {

// Brighter than this is a light part on the dark theme (a light grey,
// rgb(180,180,180), is just above it).
const double kLight = 0.45;
// Text that stands out from its background.
const double kTextContrast = 4.5;
const int kMacros = 40;
const int kMacroEvents = 60;

// The share of an image's pixels that are light.
double LightShare(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int light = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Luminance(image.pixel(x, y)) > kLight)
                ++light;
    return image.isNull() ? 1.0 : double(light) / (image.width() * image.height());
}

// The colour that paints most of an image.
QRgb Dominant(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return best;
}

// The strongest contrast of any pixel with the image's dominant colour.
double StrongestContrast(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb ground = Dominant(image);
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = qMax(best, Contrast(image.pixel(x, y), ground));
    return best;
}

QRect GlobalRect(QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// Writes enough macros, the first with enough events, that both macro
// lists need their scroll bars.
void WriteMacros()
{
    QVERIFY(QDir().mkpath(MacroFolder::Path()));
    for (int n = 0; n < kMacros; ++n) {
        QFile file(MacroFolder::Path() + QStringLiteral("/theme%1.ini").arg(n, 2, 10, QLatin1Char('0')));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray text = "1\r\n";
        if (n == 0)
            for (int e = 0; e < kMacroEvents; ++e)
                text += "10ms\r\n";
        file.write(text);
    }
}

} // namespace

class TestThemedParts : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;

    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    QStackedWidget* PageStack() { return Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog")); }
    template <typename T>
    T* Find(const QString& name) { return m_window->findChild<T*>(name); }

    void ShowPage(const QString& navigation)
    {
        QToolButton* button = nullptr;
        for (QToolButton* candidate : Pages()->findChildren<QToolButton*>(navigation))
            if (!PageStack()->isAncestorOf(candidate))
                button = candidate;
        QVERIFY2(button, qPrintable(navigation));
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(PageStack()->currentWidget()->isVisible());
    }

    // Opens a combo box's list with a click, as a user does.
    QAbstractItemView* OpenList(QComboBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QAbstractItemView* view = box->view();
        if (!QTest::qWaitFor([&]() { return view->isVisible(); }, 3000))
            return nullptr;
        return view;
    }

    // The scroll bar a row of scrollBarsTakeTheTheme looks at, its page shown.
    QScrollBar* BarOf(const QString& part)
    {
        if (part == "button rows") {
            ShowPage(QStringLiteral("ButtonMain"));
            return Find<QScrollArea>(QStringLiteral("scrollArea_11"))->verticalScrollBar();
        }
        if (part == "macros" || part == "macro events") {
            ShowPage(QStringLiteral("MacroButton"));
            auto* macros = Find<QListWidget>(QStringLiteral("listWidgetHong"));
            if (part == "macros")
                return macros->verticalScrollBar();
            // The first macro, with its many events, on show.
            macros->scrollToTop();
            const QRect first = macros->visualItemRect(macros->item(0));
            QTest::mouseClick(macros->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
            auto* events = Find<QListWidget>(QStringLiteral("listWidgetKey"));
            if (!QTest::qWaitFor([&]() { return events->count() >= kMacroEvents; }, 3000))
                return nullptr;
            return events->verticalScrollBar();
        }
        QComboBox* box = nullptr;
        if (part == "debounce list") {
            ShowPage(QStringLiteral("ButtonMain"));
            box = Find<QComboBox>(QStringLiteral("Debunce"));
        } else {
            ShowPage(QStringLiteral("SensorButton"));
            box = PageStack()->currentWidget()->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
        }
        if (!box || box->count() <= box->maxVisibleItems())
            return nullptr;
        QAbstractItemView* view = OpenList(box);
        return view ? view->verticalScrollBar() : nullptr;
    }

    void CloseLists()
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        WriteMacros();
        QApplication::setQuitOnLastWindowClosed(false);
        StopUsbChanged();
        QFile file(QCoreApplication::applicationDirPath() + "/Simulation/DefaultScenario.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(file.readAll()));
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        HubRecorder recorder;
        ModalUser user;
        QTest::mouseClick(Tiles(m_window->findChild<DialogChange*>()).value(0), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
    }

    void cleanup() { CloseLists(); }

    void cleanupTestCase()
    {
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        QTest::qWait(50);
    }

    void scrollBarsTakeTheTheme_data()
    {
        QTest::addColumn<QString>("part");
        QTest::newRow("button rows") << "button rows";
        QTest::newRow("macros") << "macros";
        QTest::newRow("macro events") << "macro events";
        // Lists with more items than they show at once.
        QTest::newRow("debounce list") << "debounce list";
        QTest::newRow("DPI level count list") << "DPI level count list";
    }

    // Each bar is on show and dark, not Qt's light default.
    void scrollBarsTakeTheTheme()
    {
        QFETCH(QString, part);
        QScrollBar* bar = BarOf(part);
        QVERIFY2(bar, "the part is not there, or has too little to scroll");
        // A list lays itself out once it has its items.
        (void)QTest::qWaitFor([&]() { return bar->isVisible(); }, 1000);
        QVERIFY2(bar->isVisible() && bar->width() >= 4, qPrintable(QStringLiteral("no bar tells of more to scroll (%1 px wide, %2)")
                                                                     .arg(bar->width())
                                                                     .arg(bar->isVisible() ? "shown" : "hidden")));
        const QImage image = Shot(bar);
        Keep(image, "bar " + part);
        const double light = LightShare(image);
        QVERIFY2(light < 0.1, qPrintable(QStringLiteral("%1% of the bar is light").arg(qRound(light * 100))));
    }

    void pagesKeepTheirOwnScrollBars_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("width");
        QTest::addColumn<QColor>("track");
        QTest::addColumn<QColor>("handle");
        QTest::addColumn<bool>("arrows");
        QTest::newRow("button rows") << "button rows" << 10 << QColor(28, 28, 28) << QColor(63, 63, 63) << false;
        QTest::newRow("macros") << "macros" << 20 << QColor(30, 30, 30) << QColor(117, 117, 117) << true;
        QTest::newRow("macro events") << "macro events" << 20 << QColor(30, 30, 30) << QColor(117, 117, 117) << true;
        QTest::newRow("sensor page list") << "DPI level count list" << 13 << QColor(30, 30, 30) << QColor(117, 117, 117)
                                          << false;
    }

    // Where a page styles its bars, its look wins over the shared dark one:
    // the width, track and handle colours and the arrow pictures at both ends.
    void pagesKeepTheirOwnScrollBars()
    {
        QFETCH(QString, part);
        QFETCH(int, width);
        QFETCH(QColor, track);
        QFETCH(QColor, handle);
        QFETCH(bool, arrows);
        QScrollBar* bar = BarOf(part);
        QVERIFY2(bar, "the part is not there, or has too little to scroll");
        (void)QTest::qWaitFor([&]() { return bar->isVisible(); }, 1000);
        QVERIFY(bar->isVisible());
        const QImage image = Shot(bar).convertToFormat(QImage::Format_RGB32);
        Keep(image, "own bar " + part);
        QCOMPARE(image.width(), width);
        int trackPixels = 0;
        int handlePixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                trackPixels += image.pixel(x, y) == track.rgb();
                handlePixels += image.pixel(x, y) == handle.rgb();
            }
        QVERIFY2(trackPixels >= 100, qPrintable(QStringLiteral("%1 pixels of the track's colour").arg(trackPixels)));
        QVERIFY2(handlePixels >= 100, qPrintable(QStringLiteral("%1 pixels of the handle's colour").arg(handlePixels)));
        // Each end: the arrow picture's light glyph on the track, or nothing.
        for (const QRect& end : {QRect(0, 0, image.width(), 25), QRect(0, image.height() - 25, image.width(), 25)}) {
            const QImage piece = image.copy(end);
            const double light = LightShare(piece);
            QVERIFY2(arrows ? light > 0.0 : light == 0.0,
                     qPrintable(QStringLiteral("%1% of an end is light").arg(light * 100)));
            if (arrows)
                QCOMPARE(QColor(Dominant(piece)), track);
        }
    }

    // The row list's bar stands at the rows' right edge, not across the page.
    void theRowListBarStandsBesideItsRows()
    {
        ShowPage(QStringLiteral("ButtonMain"));
        auto* area = Find<QScrollArea>(QStringLiteral("scrollArea_11"));
        QScrollBar* bar = area->verticalScrollBar();
        QVERIFY(bar->isVisible());
        int rowsRight = 0;
        for (QToolButton* row : area->widget()->findChildren<QToolButton*>())
            rowsRight = qMax(rowsRight, GlobalRect(row).right());
        const QRect barRect = GlobalRect(bar);
        Keep(Shot(area->parentWidget()), "row list");
        QVERIFY2(barRect.left() > rowsRight && barRect.left() - rowsRight <= 16,
                 qPrintable(QStringLiteral("bar at x %1, rows end at x %2").arg(barRect.left()).arg(rowsRight)));
        QVERIFY(GlobalRect(area).contains(barRect));
    }

    // Right-clicking a macro opens a dark menu whose texts stand out.
    void theMacroMenuTakesTheTheme()
    {
        ShowPage(QStringLiteral("MacroButton"));
        auto* macros = Find<QListWidget>(QStringLiteral("listWidgetHong"));
        macros->scrollToTop();
        const QPoint at = macros->visualItemRect(macros->item(0)).center();
        QImage menuImage;
        QStringList texts;
        QTimer look;
        connect(&look, &QTimer::timeout, this, [&]() {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible())
                return;
            look.stop();
            menuImage = menu->grab().toImage();
            for (QAction* action : menu->actions())
                texts << action->text();
            menu->close();
        });
        look.start(10);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, macros->viewport()->mapToGlobal(at));
        QApplication::sendEvent(macros->viewport(), &request);
        QTRY_VERIFY(!menuImage.isNull());
        Keep(menuImage, "macro menu");
        QCOMPARE(texts.size(), 3);
        const QRgb ground = Dominant(menuImage);
        QVERIFY2(Luminance(ground) < 0.1, qPrintable(QStringLiteral("the menu is painted %1").arg(QColor(ground).name())));
        const double contrast = StrongestContrast(menuImage);
        QVERIFY2(contrast >= kTextContrast, qPrintable(QStringLiteral("its texts: contrast %1").arg(contrast)));
    }

    // The debounce panel shows its box on the dark page, with no light frame.
    void theDebouncePanelHasNoLightBox()
    {
        ShowPage(QStringLiteral("ButtonMain"));
        auto* box = Find<QComboBox>(QStringLiteral("Debunce"));
        QWidget* panel = box->parentWidget();
        const QImage image = Shot(panel);
        Keep(image, "debounce panel");
        // The panel beyond its box: the edges a frame would be drawn on.
        const QImage outside = image.convertToFormat(QImage::Format_RGB32);
        QStringList light;
        for (int y = 0; y < outside.height(); ++y)
            for (int x = 0; x < outside.width(); ++x)
                if (!box->geometry().contains(x, y) && Luminance(outside.pixel(x, y)) > kLight)
                    light << QStringLiteral("%1,%2").arg(x).arg(y);
        QVERIFY2(light.isEmpty(), qPrintable(QStringLiteral("%1 light pixels around the box, first at %2")
                                                 .arg(light.size())
                                                 .arg(light.value(0))));
    }

    void roundedDialogsShowNothingBeyondTheirFrame_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("please wait") << "UpDataParam";
        QTest::newRow("pairing") << "Match";
    }

    // Every corner outside the rounded background is see-through.
    void roundedDialogsShowNothingBeyondTheirFrame()
    {
        QFETCH(QString, dialog);
        std::unique_ptr<QDialog> shown;
        if (dialog == "UpDataParam")
            shown.reset(new UpDataParam);
        else
            shown.reset(new Match);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        const QImage image = shown->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        Keep(image, dialog);
        const int w = image.width() - 1;
        const int h = image.height() - 1;
        for (const QPoint& corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
            QVERIFY2(qAlpha(image.pixel(corner)) == 0,
                     qPrintable(QStringLiteral("corner %1,%2 painted %3").arg(corner.x()).arg(corner.y())
                                    .arg(QColor::fromRgba(image.pixel(corner)).name(QColor::HexArgb))));
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }

    // The offline mark of a lone tile, right of the window's middle: its
    // two-line tip opens inside the window, though the screen would have
    // room for it beyond. Last: it changes the devices.
    void theOfflineTipStaysInsideTheWindow()
    {
        const QString error = Load(Scenario().Receiver("receiver4k", 1, "3a5c17").Mouse("drive1", 1, "receiver4k"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        DialogChange chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QToolButton* tile = Tiles(&chooser).value(0);
        QVERIFY(tile);
        QLabel* mark = tile->parentWidget()->findChild<QLabel*>(QStringLiteral("label0"));
        QVERIFY(mark);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(tile, &enter);
        QVERIFY(mark->isVisible());
        const QPoint at(mark->width() / 2, mark->height() / 2);
        auto showTip = [&]() -> QWidget* {
            QHelpEvent help(QEvent::ToolTip, at, mark->mapToGlobal(at));
            QApplication::sendEvent(mark, &help);
            QWidget* tip = nullptr;
            (void)QTest::qWaitFor([&]() {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->inherits("QTipLabel") && w->isVisible())
                        tip = w;
                return tip != nullptr;
            }, 3000);
            return tip;
        };
        // How wide the tip is with this machine's fonts.
        QPointer<QWidget> firstTip = showTip();
        QVERIFY(firstTip);
        const int tipWidth = firstTip->width();
        QToolTip::hideText();
        QTRY_VERIFY(!firstTip || !firstTip->isVisible());
        // The mark so far right in the window that its tip would cross the
        // window's edge, and the screen with room for the tip beyond it.
        const QRect screen = chooser.screen()->geometry();
        const int markInWindow = mark->mapTo(&chooser, QPoint(0, 0)).x();
        const int markToEdge = chooser.width() - markInWindow;
        QVERIFY2(tipWidth > markToEdge, "the tip fits beside the mark");
        // Qt puts a tip a few pixels right of the pointer, here the mark's middle.
        const int markX = screen.right() - tipWidth - at.x() - 10;
        chooser.move(markX - markInWindow, screen.top() + 10);
        // Moved as far as a window frame's few pixels.
        QTRY_VERIFY(qAbs(mark->mapToGlobal(QPoint(0, 0)).x() - markX) <= 10);
        const QRect window = QRect(chooser.mapToGlobal(QPoint(0, 0)), chooser.size()) & screen;
        if (window.width() < tipWidth)
            QSKIP("this machine's fonts make the tip wider than the window's part on the screen");
        QWidget* tip = showTip();
        QVERIFY(tip);
        Keep(tip->grab().toImage(), "offline tip");
        const QRect tipRect = tip->geometry();
        QToolTip::hideText();
        QVERIFY2(window.contains(tipRect), qPrintable(QStringLiteral("tip at %1,%2 %3x%4, window at %5,%6 %7x%8")
                                                           .arg(tipRect.x()).arg(tipRect.y()).arg(tipRect.width())
                                                           .arg(tipRect.height()).arg(window.x()).arg(window.y())
                                                           .arg(window.width()).arg(window.height())));
    }
};

QTEST_MAIN(TestThemedParts)
#include "tst_themedparts.moc"
