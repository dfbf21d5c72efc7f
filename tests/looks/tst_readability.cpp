// What a user reads on every page and dialog: the text of each combo box,
// of its open list, of each number box and of each item list stands out
// from what is painted behind it, enabled and disabled; the button page's
// function lists all look alike; captions are not cut off.
//
// Text is found by rendering a control twice, with and without its text:
// the pixels that differ are the text, the second picture what lies behind.
// Set NK_SCREENSHOT_DIR to keep every rendering as a PNG for looking at.

#include "HubRecorder.h"
#include "LookPictures.h"
#include "WindowTestSupport.h"

#include "app/Startup.h"
#include "lighting/LightModeSet.h"
#include "macro/AddDelayTime.h"
#include "macro/FireKey.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace WindowTest;

using namespace LookPictures;

namespace {

// Contrast ratios as the accessibility guidelines count them: body text
// needs 4.5; a disabled control may be dimmer but must stay legible.
const double kTextContrast = 4.5;
const double kDisabledContrast = 3.0;
// A highlighted list row keeps its theme colours; it must still be legible.
const double kSelectedContrast = 3.0;

// The strongest contrast between a text pixel and the same pixel without the
// text; 1 when the text left no mark at all.
double TextContrast(const QImage& withText, const QImage& without)
{
    const QImage a = withText.convertToFormat(QImage::Format_RGB32);
    const QImage b = without.convertToFormat(QImage::Format_RGB32);
    double best = 1.0;
    if (a.size() != b.size())
        return best;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                best = qMax(best, Contrast(a.pixel(x, y), b.pixel(x, y)));
    return best;
}

QString Name(QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Renders with and without the text that hide() takes away and show() puts back.
double Measure(QWidget* w, const QRect& r, const std::function<void()>& hide, const std::function<void()>& show,
               const QString& label)
{
    const QImage with = Shot(w, r);
    hide();
    const QImage without = Shot(w, r);
    show();
    Keep(with, label);
    return TextContrast(with, without);
}

// Clears the display text of one model row for a rendering; the model tells
// nobody, so no page reacts to the change.
double MeasureRow(QAbstractItemView* view, const QModelIndex& index, const QString& label)
{
    QAbstractItemModel* model = view->model();
    const QVariant text = model->data(index, Qt::DisplayRole);
    const QRect r = view->visualRect(index).intersected(view->viewport()->rect());
    auto set = [&](const QVariant& value) {
        const QSignalBlocker blocker(model);
        model->setData(index, value, Qt::DisplayRole);
    };
    return Measure(view->viewport(), r, [&]() { set(QString()); }, [&]() { set(text); }, label);
}

double MeasureComboFace(QComboBox* box, const QString& label)
{
    const QModelIndex index = box->model()->index(box->currentIndex(), box->modelColumn(), box->rootModelIndex());
    QAbstractItemModel* model = box->model();
    const QVariant text = model->data(index, Qt::DisplayRole);
    auto set = [&](const QVariant& value) {
        const QSignalBlocker blocker(model);
        model->setData(index, value, Qt::DisplayRole);
    };
    return Measure(box, box->rect(), [&]() { set(QString()); }, [&]() { set(text); }, label);
}

double MeasureSpinBox(QAbstractSpinBox* box, const QString& label)
{
    QLineEdit* edit = box->findChild<QLineEdit*>();
    const QString text = edit->text();
    auto set = [&](const QString& value) {
        const QSignalBlocker blocker(edit);
        edit->setText(value);
    };
    return Measure(box, box->rect(), [&]() { set(QString()); }, [&]() { set(text); }, label);
}

double MeasureButton(QAbstractButton* button, const QString& label)
{
    const QString text = button->text();
    return Measure(button, button->rect(), [&]() { button->setText(QString()); },
                   [&]() { button->setText(text); }, label);
}

// Collects what a user cannot read, one line per finding.
class Findings {
public:
    void Check(double contrast, double needed, const QString& what)
    {
        if (contrast < needed)
            lines << QStringLiteral("%1: contrast %2, needs %3").arg(what).arg(contrast, 0, 'f', 2).arg(needed);
    }
    QStringList lines;
};

// Every row of an item view that shows text, as far as the view shows it.
void CheckRows(QAbstractItemView* view, const QString& where, Findings* findings)
{
    QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        const QModelIndex index = model->index(row, 0, view->rootIndex());
        if (model->data(index, Qt::DisplayRole).toString().trimmed().isEmpty())
            continue;
        if (!view->visualRect(index).intersects(view->viewport()->rect()))
            continue;
        const bool selected = view->selectionModel() && view->selectionModel()->isSelected(index);
        const QString what = where + QStringLiteral(" row %1%2").arg(row).arg(selected ? " (selected)" : "");
        findings->Check(MeasureRow(view, index, what), selected ? kSelectedContrast : kTextContrast, what);
    }
}

// Opens the box's list with a click, as a user does, and returns the list
// once it is on screen.
QAbstractItemView* OpenList(QComboBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* view = box->view();
    if (!QTest::qWaitFor([&]() { return view->isVisible(); }, 3000))
        return nullptr;
    QTest::qWait(50);
    return view;
}

bool CloseList(QComboBox* box)
{
    QTest::keyClick(box->view(), Qt::Key_Escape);
    return QTest::qWaitFor([&]() { return !box->view()->isVisible(); }, 3000);
}

void CheckComboBox(QComboBox* box, const QString& where, Findings* findings)
{
    const QString name = where + QLatin1Char('/') + Name(box);
    const bool wasEnabled = box->isEnabled();
    box->setEnabled(true);
    if (!box->currentText().trimmed().isEmpty()) {
        findings->Check(MeasureComboFace(box, name), kTextContrast, name);
        box->setEnabled(false);
        findings->Check(MeasureComboFace(box, name + " disabled"), kDisabledContrast, name + " disabled");
        box->setEnabled(true);
    }
    if (QAbstractItemView* view = OpenList(box)) {
        Keep(view->window()->grab().toImage(), name + " list");
        CheckRows(view, name + " list", findings);
        if (!CloseList(box))
            findings->lines << name + ": its list did not close on Escape";
    } else {
        findings->lines << name + ": its list did not open";
    }
    box->setEnabled(wasEnabled);
}

void CheckSpinBox(QAbstractSpinBox* box, const QString& where, Findings* findings)
{
    const QString name = where + QLatin1Char('/') + Name(box);
    if (box->text().trimmed().isEmpty())
        return;
    const bool wasEnabled = box->isEnabled();
    box->setEnabled(true);
    findings->Check(MeasureSpinBox(box, name), kTextContrast, name);
    box->setEnabled(false);
    findings->Check(MeasureSpinBox(box, name + " disabled"), kDisabledContrast, name + " disabled");
    box->setEnabled(wasEnabled);
}

// Every combo box, number box and item list that is on screen below root.
void CheckControls(QWidget* root, const QString& where, Findings* findings)
{
    Keep(Shot(root), where);
    for (QComboBox* box : root->findChildren<QComboBox*>())
        if (box->isVisible())
            CheckComboBox(box, where, findings);
    for (QAbstractSpinBox* box : root->findChildren<QAbstractSpinBox*>())
        if (box->isVisible())
            CheckSpinBox(box, where, findings);
    for (QAbstractItemView* view : root->findChildren<QAbstractItemView*>())
        if (view->isVisible() && view->window() == root->window())
            CheckRows(view, where + QLatin1Char('/') + Name(view), findings);
}

// The colours that paint at least a twentieth of a scroll bar.
QSet<QRgb> BarColours(QScrollBar* bar)
{
    const QImage image = Shot(bar).convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QSet<QRgb> colours;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() * 20 >= image.width() * image.height())
            colours.insert(it.key());
    return colours;
}

} // namespace

class TestReadability : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;

    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    QStackedWidget* PageStack() { return Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog")); }
    template <typename T>
    T* Find(const QString& name) { return m_window->findChild<T*>(name); }

    void LoadScenario()
    {
        StopUsbChanged();
        QFile file(QCoreApplication::applicationDirPath() + "/Simulation/DefaultScenario.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(file.readAll()));
    }

    void ShowPage(const QString& navigation)
    {
        QToolButton* button = nullptr;
        for (QToolButton* candidate : Pages()->findChildren<QToolButton*>(navigation))
            if (!PageStack()->isAncestorOf(candidate))
                button = candidate;
        QVERIFY2(button, qPrintable(navigation));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::qWait(50);
    }

    // Selects the first row of the button page and opens one function category.
    QWidget* OpenCategory(const QString& category)
    {
        ShowPage(QStringLiteral("ButtonMain"));
        QTest::mouseClick(Find<QToolButton>(QStringLiteral("RightKey")), Qt::LeftButton);
        QTest::mouseClick(Find<QToolButton>(category), Qt::LeftButton);
        QTest::qWait(50);
        return Find<QStackedWidget>(QStringLiteral("stackedWidget_2"))->currentWidget();
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
        LoadScenario();
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        Findings findings;
        CheckControls(m_window->findChild<DialogChange*>(), QStringLiteral("chooser"), &findings);
        m_chooserFindings = findings.lines;
        HubRecorder recorder;
        ModalUser user;
        QTest::mouseClick(Tiles(m_window->findChild<DialogChange*>()).value(0), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        QTest::qWait(50);
    }

    void theChooserIsReadable() { QVERIFY2(m_chooserFindings.isEmpty(), qPrintable(m_chooserFindings.join('\n'))); }

    void everyPageIsReadable_data()
    {
        QTest::addColumn<QString>("navigation");
        QTest::newRow("overview") << "PreButton";
        QTest::newRow("advanced") << "Advanced";
        QTest::newRow("buttons") << "ButtonMain";
        QTest::newRow("macro") << "MacroButton";
        QTest::newRow("lighting") << "LightsButton";
        QTest::newRow("sensor") << "SensorButton";
        QTest::newRow("settings") << "FormSetting";
    }

    void everyPageIsReadable()
    {
        QFETCH(QString, navigation);
        ShowPage(navigation);
        Findings findings;
        CheckControls(PageStack()->currentWidget(), QString::fromLatin1(QTest::currentDataTag()), &findings);
        QVERIFY2(findings.lines.isEmpty(), qPrintable(findings.lines.join('\n')));
    }

    void dialogsAreReadable_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("rapid fire") << "FireKey";
        QTest::newRow("delay") << "AddDelayTime";
        // Kept by the settings page, shown by none.
        QTest::newRow("light mode") << "LightModeSet";
    }

    void dialogsAreReadable()
    {
        QFETCH(QString, dialog);
        std::unique_ptr<QDialog> shown;
        if (dialog == "FireKey")
            shown.reset(new FireKey);
        else if (dialog == "AddDelayTime")
            shown.reset(new AddDelayTime);
        else
            shown.reset(new LightModeSet);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        Findings findings;
        CheckControls(shown.get(), dialog, &findings);
        // No caption is cut off: each one's text fits its width.
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || label->wordWrap())
                continue;
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            if (needed > label->contentsRect().width())
                findings.lines << QStringLiteral("%1/%2: \"%3\" needs %4 pixels, has %5")
                                      .arg(dialog, label->objectName(), label->text())
                                      .arg(needed)
                                      .arg(label->contentsRect().width());
        }
        QVERIFY2(findings.lines.isEmpty(), qPrintable(findings.lines.join('\n')));
    }

    void everyFunctionListLooksAlike_data()
    {
        QTest::addColumn<QString>("category");
        QTest::newRow("lights") << "DPI_9";
        QTest::newRow("DPI lock") << "DPI_4";
        QTest::newRow("tilt") << "DPI_11";
        QTest::newRow("DPI") << "DPI_7";
        QTest::newRow("scroll") << "DPI_13";
    }

    // Each category's list is painted like the media list: readable function
    // texts and the same scroll bar.
    void everyFunctionListLooksAlike()
    {
        QFETCH(QString, category);
        QWidget* media = OpenCategory(QStringLiteral("DPI_12"));
        QScrollArea* mediaArea = media->findChild<QScrollArea*>();
        QVERIFY(mediaArea);
        const QSet<QRgb> mediaBar = BarColours(mediaArea->verticalScrollBar());
        QWidget* page = OpenCategory(category);
        QVERIFY(page != media);
        QScrollArea* area = page->findChild<QScrollArea*>();
        QVERIFY(area);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        Keep(Shot(page), QStringLiteral("functions ") + tag);
        Findings findings;
        // The buttons in view; the list scrolls to the others.
        for (QToolButton* button : page->findChildren<QToolButton*>())
            if (button->isVisible() && !button->text().isEmpty()
                && button->visibleRegion().boundingRect() == button->rect())
                findings.Check(MeasureButton(button, tag + "/" + button->objectName()), kTextContrast,
                               tag + "/" + button->objectName());
        // A short list's bar is mostly handle, a long one's mostly groove:
        // whatever it shows, the media list's bar has the same colours.
        for (QRgb colour : BarColours(area->verticalScrollBar()))
            if (!mediaBar.contains(colour))
                findings.lines << QStringLiteral("%1: scroll bar painted %2, unlike the media list's")
                                      .arg(tag, QColor(colour).name());
        QVERIFY2(findings.lines.isEmpty(), qPrintable(findings.lines.join('\n')));
    }

    // The insert-event box of the macro page: its arrow inside its frame and
    // its list opening on whole rows.
    void theMacroEventBoxShowsWholeRows()
    {
        ShowPage(QStringLiteral("MacroButton"));
        auto* box = Find<QComboBox>(QStringLiteral("ChooseEvent"));
        QVERIFY(box);
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        const QRect arrow = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
        QVERIFY2(box->rect().contains(arrow), qPrintable(QStringLiteral("arrow at %1,%2 %3x%4 in a %5x%6 box")
                                                              .arg(arrow.x()).arg(arrow.y()).arg(arrow.width())
                                                              .arg(arrow.height()).arg(box->width()).arg(box->height())));
        QAbstractItemView* view = OpenList(box);
        QVERIFY(view);
        const QModelIndex first = view->indexAt(QPoint(1, 1));
        QVERIFY(first.isValid());
        QVERIFY2(view->visualRect(first).top() >= 0, "the first row shown is cut off at the top");
        QVERIFY(CloseList(box));
    }

private:
    QStringList m_chooserFindings;
};

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
