// Every combo box's list as a user opens it with the mouse: next to its box,
// as wide as the box, showing whole rows up to the box's visible item count,
// the row under the pointer in the theme's highlight. The boxes take their
// face and list rules from the application's sheet, not each from a sheet of
// its own.

#include "HubRecorder.h"
#include "WindowTestSupport.h"

#include "app/Startup.h"
#include "app/ThemeColor.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace WindowTest;

namespace {

QColor Colour(const QString& rgb)
{
    const QStringList parts = rgb.mid(4, rgb.size() - 5).split(QLatin1Char(','));
    return QColor(parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt());
}

// What is wrong with the box's list once opened by a click, or nothing.
QStringList CheckList(QComboBox* box, int expectedMaxVisible)
{
    QStringList findings;
    const QString name = box->objectName();
    if (box->maxVisibleItems() != expectedMaxVisible)
        findings << QStringLiteral("%1 shows up to %2 rows, not %3").arg(name).arg(box->maxVisibleItems()).arg(expectedMaxVisible);
    // A box the page has greyed out opens all the same once enabled.
    const bool wasEnabled = box->isEnabled();
    box->setEnabled(true);
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* view = box->view();
    if (!QTest::qWaitFor([&]() { return view->isVisible(); }, 3000)) {
        box->setEnabled(wasEnabled);
        return findings << name + QStringLiteral(": its list did not open");
    }
    QTest::qWait(50);
    QWidget* popup = view->window();
    const QRect boxRect(box->mapToGlobal(QPoint()), box->size());
    if (popup->width() != box->width())
        findings << QStringLiteral("%1: list %2 wide, box %3").arg(name).arg(popup->width()).arg(box->width());
    if (popup->geometry().top() != boxRect.bottom() + 1 && popup->geometry().bottom() != boxRect.top() - 1
        && popup->geometry().top() != boxRect.bottom() && popup->geometry().bottom() != boxRect.top())
        findings << QStringLiteral("%1: list not next to its box").arg(name);
    int whole = 0;
    int shown = 0;
    auto* list = qobject_cast<QListView*>(view);
    for (int i = 0; i < box->count(); ++i) {
        if (list && list->isRowHidden(i))
            continue;
        ++shown;
        if (view->viewport()->rect().contains(view->visualRect(view->model()->index(i, box->modelColumn()))))
            ++whole;
    }
    const int expectedRows = qMin(shown, box->maxVisibleItems());
    if (whole != expectedRows)
        findings << QStringLiteral("%1: %2 whole rows shown, not %3").arg(name).arg(whole).arg(expectedRows);
    // The row under the pointer, in the highlight, with the viewport's
    // height a whole number of rows (25 pixels each).
    const QModelIndex middle = view->indexAt(view->viewport()->rect().center());
    if (box->count() > 1 && middle.isValid()) {
        const QRect row = view->visualRect(middle);
        QTest::mouseMove(view->viewport(), row.center());
        QTest::qWait(30);
        const QImage image = view->viewport()->grab().toImage();
        const QColor highlight = Colour(ThemeColor::Darker(QStringLiteral("ComboxSelectColor"), 135));
        const QColor at = image.pixelColor(row.right() - 2, row.center().y());
        if (at != highlight)
            findings << QStringLiteral("%1: hovered row painted %2, not %3").arg(name, at.name(), highlight.name());
        if (row.height() != 25)
            findings << QStringLiteral("%1: rows %2 high").arg(name).arg(row.height());
    }
    QTest::keyClick(view, Qt::Key_Escape);
    if (!QTest::qWaitFor([&]() { return !view->isVisible(); }, 3000))
        findings << name + QStringLiteral(": its list did not close");
    box->setEnabled(wasEnabled);
    return findings;
}

} // namespace

class TestComboPopups : public QObject {
    Q_OBJECT
    std::unique_ptr<DialogMain> m_window;

    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    QStackedWidget* PageStack() { return Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog")); }

    void ShowPage(const QString& navigation)
    {
        for (QToolButton* candidate : Pages()->findChildren<QToolButton*>(navigation))
            if (!PageStack()->isAncestorOf(candidate)) {
                QTest::mouseClick(candidate, Qt::LeftButton);
                QTest::qWait(50);
                return;
            }
        QFAIL(qPrintable(navigation));
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
        StopUsbChanged();
        QFile file(QCoreApplication::applicationDirPath() + "/Simulation/DefaultScenario.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(file.readAll()));
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        QTest::qWait(50);
    }

    void chooserListOpens()
    {
        auto* box = m_window->findChild<DialogChange*>()->findChild<QComboBox*>(QStringLiteral("comboBox"));
        QVERIFY(box && box->isVisible());
        const QStringList findings = CheckList(box, 5);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        HubRecorder recorder;
        ModalUser user;
        QTest::mouseClick(Tiles(m_window->findChild<DialogChange*>()).value(0), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
    }

    void everyPageListOpens_data()
    {
        QTest::addColumn<QString>("navigation");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("maxVisible");
        QTest::newRow("close time") << "Advanced" << -1 << "StopClose" << 15;
        QTest::newRow("debounce") << "ButtonMain" << -1 << "Debunce" << 5;
        QTest::newRow("profile") << "ButtonMain" << -1 << "ProjectChoose" << 10;
        QTest::newRow("macro event") << "MacroButton" << -1 << "ChooseEvent" << 5;
        QTest::newRow("sensor effect") << "LightsButton" << 0 << "Model" << 10;
        QTest::newRow("receiver light") << "LightsButton" << 1 << "LightMod_2" << 5;
        QTest::newRow("led 1") << "LightsButton" << 2 << "LightMod_3" << 5;
        QTest::newRow("led 2") << "LightsButton" << 2 << "LightMod_4" << 5;
        QTest::newRow("led 3") << "LightsButton" << 2 << "LightMod_5" << 5;
        QTest::newRow("dpi event") << "SensorButton" << -1 << "ChooseEvent" << 5;
        QTest::newRow("lift-off") << "SensorButton" << -1 << "LOD" << 10;
        QTest::newRow("sensor mode") << "SensorButton" << -1 << "ModelChoose" << 10;
        QTest::newRow("performance") << "SensorButton" << -1 << "PerformanceOpen" << 5;
        QTest::newRow("settings") << "FormSetting" << -1 << "comboBox" << 5;
    }

    void everyPageListOpens()
    {
        QFETCH(QString, navigation);
        QFETCH(int, tab);
        QFETCH(QString, box);
        QFETCH(int, maxVisible);
        ShowPage(navigation);
        if (tab >= 0) {
            auto* tabs = PageStack()->currentWidget()->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
            QVERIFY(tabs);
            tabs->setCurrentIndex(tab);
            QTest::qWait(50);
        }
        QComboBox* found = nullptr;
        for (QComboBox* candidate : PageStack()->currentWidget()->findChildren<QComboBox*>(box))
            if (candidate->isVisible())
                found = candidate;
        QVERIFY2(found, qPrintable(box));
        const QStringList findings = CheckList(found, maxVisible);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
    }

    // Each rule is parsed once for the program: the panel boxes and their
    // lists carry no sheet of their own (the macro event box keeps its own face).
    void boxesShareTheApplicationSheet()
    {
        int shared = 0;
        for (QComboBox* box : m_window->findChildren<QComboBox*>()) {
            QVERIFY2(box->view()->styleSheet().isEmpty() || !box->styleSheet().isEmpty(),
                     qPrintable(box->objectName()));
            if (box->styleSheet().isEmpty())
                ++shared;
        }
        QVERIFY(shared >= 15);
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("QToolTip{")));
    }
};

QTEST_MAIN(TestComboPopups)
#include "tst_combopopups.moc"
