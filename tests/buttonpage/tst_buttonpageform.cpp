#include "buttons/ButtonPageForm.h"
#include "sensor/DebounceTime.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// A page stand-in whose slots record the order in which they run.
class SlotRecorder : public QWidget {
    Q_OBJECT
public:
    QStringList calls;

public slots:
    void on_DPI_6_clicked(bool checked) { calls << QStringLiteral("DPI_6(bool %1)").arg(checked ? "true" : "false"); }
    void on_stackedWidget_currentChanged(int index) { calls << QStringLiteral("stackedWidget(%1)").arg(index); }
    void on_stackedWidget_2_currentChanged(int index) { calls << QStringLiteral("stackedWidget_2(%1)").arg(index); }
    void on_DPI_4_clicked() { calls << QStringLiteral("DPI_4()"); }
    void on_DPI_4_clicked(bool checked) { calls << QStringLiteral("DPI_4(bool %1)").arg(checked ? "true" : "false"); }
    void on_DPI_6_clicked() { calls << QStringLiteral("DPI_6()"); }
    void on_ProjectChoose_currentIndexChanged(int index) { calls << QStringLiteral("ProjectChoose(%1)").arg(index); }
    void on_Nothing_clicked() { calls << QStringLiteral("Nothing()"); }
    void on_VolumeUp_2_clicked(bool checked) { calls << QStringLiteral("VolumeUp_2(bool %1)").arg(checked ? "true" : "false"); }
    void on_FireKey_clicked() { calls << QStringLiteral("FireKey()"); }
};

struct Expected {
    const char* name;
    const char* className;
    const char* parent; // nearest named ancestor (a scroll area's contents: the scroll area)
    QRect geometry;     // null: placed by a layout
    QSize fixedSize;    // invalid: not fixed
};

const QRect kLaidOut;
const QSize kFree;

// Every named object of the form, in creation order.
const QVector<Expected>& Objects()
{
    static const QVector<Expected> objects = [] {
        QVector<Expected> list{
            {"gridLayout_9", "QGridLayout", "Buttoninterface", kLaidOut, kFree},
            {"MainWindow", "QFrame", "Buttoninterface", kLaidOut, kFree},
            {"label", "QLabel", "MainWindow", QRect(30, 30, 20, 14), kFree},
            {"widget", "QWidget", "MainWindow", QRect(230, 10, 432, 356), QSize(432, 356)},
            {"Number1", "QToolButton", "widget", QRect(157, 63, 38, 38), QSize(38, 38)},
            {"Number2", "QToolButton", "widget", QRect(237, 63, 38, 38), QSize(38, 38)},
            {"Number3", "QToolButton", "widget", QRect(197, 63, 38, 38), QSize(38, 38)},
            {"Number4", "QToolButton", "widget", QRect(107, 128, 38, 38), QSize(38, 38)},
            {"Number5", "QToolButton", "widget", QRect(107, 170, 38, 38), QSize(38, 38)},
            {"Number6", "QToolButton", "widget", QRect(188, 108, 38, 38), QSize(38, 38)},
            {"Number7", "QToolButton", "widget", QRect(380, 60, 38, 38), QSize(38, 38)},
            {"Number8", "QToolButton", "widget", QRect(380, 100, 38, 38), QSize(38, 38)},
            {"Number9", "QToolButton", "widget", QRect(380, 140, 38, 38), QSize(38, 38)},
            {"Number10", "QToolButton", "widget", QRect(380, 180, 38, 38), QSize(38, 38)},
            {"Number11", "QToolButton", "widget", QRect(330, 100, 38, 38), QSize(38, 38)},
            {"Number12", "QToolButton", "widget", QRect(330, 140, 38, 38), QSize(38, 38)},
            {"OutputData", "QToolButton", "MainWindow", QRect(780, 350, 90, 26), QSize(90, 26)},
            {"ImportData", "QToolButton", "MainWindow", QRect(680, 350, 90, 26), QSize(90, 26)},
            {"groupBox", "QGroupBox", "MainWindow", QRect(7, 380, 862, 216), kFree},
            {"scrollArea_11", "QScrollArea", "groupBox", QRect(150, 2, 480, 212), QSize(480, 212)},
            {"scrollAreaWidgetContents_11", "QWidget", "scrollArea_11", QRect(0, 0, 510, 212), QSize(510, 212)},
        };
        const struct {
            const char* name;
            bool isLabel;
            int y;
        } rows[] = {
            {"label_14", true, 6},   {"FireKey", false, 5},    {"label_9", true, 48},   {"RightKey", false, 47},
            {"label_15", true, 90},  {"BackKey", false, 89},   {"label_11", true, 131}, {"StartPause", false, 130},
            {"label_12", true, 172}, {"TopMusic", false, 171}, {"label_13", true, 300}, {"BackMusic", false, 300},
            {"Button7", false, 214}, {"label_16", true, 215},  {"Button8", false, 249},  {"Button9", false, 284},
            {"Button10", false, 319}, {"Button11", false, 354}, {"Button12", false, 389}, {"label_17", true, 250},
            {"label_18", true, 285}, {"label_19", true, 320},  {"label_20", true, 355},  {"label_21", true, 390},
        };
        for (const auto& row : rows) {
            if (row.isLabel)
                list.append({row.name, "QLabel", "scrollAreaWidgetContents_11", QRect(0, row.y, 24, 24), QSize(24, 24)});
            else
                list.append({row.name, "QToolButton", "scrollAreaWidgetContents_11", QRect(30, row.y, 262, 26),
                             QSize(262, 26)});
        }
        list += QVector<Expected>{
            {"stackedWidget", "QStackedWidget", "groupBox", QRect(445, -11, 201, 241), kFree},
            {"page", "QWidget", "stackedWidget", kLaidOut, QSize(195, 240)},
            {"gridLayout_3", "QGridLayout", "page", kLaidOut, kFree},
            {"page_2", "QWidget", "stackedWidget", kLaidOut, QSize(195, 240)},
            {"gridLayout", "QGridLayout", "page_2", kLaidOut, kFree},
            {"scrollArea_4", "QScrollArea", "page_2", kLaidOut, QSize(195, 220)},
            {"scrollAreaWidgetContents_4", "QWidget", "scrollArea_4", QRect(0, 0, 195, 420), QSize(195, 420)},
            {"verticalLayout_9", "QVBoxLayout", "scrollAreaWidgetContents_4", kLaidOut, kFree},
        };
        for (const char* name : {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey", "DPI_2", "DPI_3",
                                 "DPI_6", "DPI_8", "DPI_5", "DPI_13", "DPI_11", "DPI_4", "DPI_9", "DPI_7", "DPI_12",
                                 "DPI_10"}) {
            const bool press = qstrcmp(name, "DPI_6") == 0 || qstrcmp(name, "DPI_8") == 0;
            list.append({name, press ? "MyToolButton" : "QToolButton", "scrollAreaWidgetContents_4", kLaidOut,
                         QSize(164, 22)});
        }
        list += QVector<Expected>{
            {"groupBox_4", "QGroupBox", "groupBox", QRect(643, -11, 211, 241), kFree},
            {"stackedWidget_2", "QStackedWidget", "groupBox_4", QRect(0, 0, 213, 238), kFree},
        };
        auto categoryPage = [&list](const char* page, const char* grid, const char* area, const char* contents,
                                    int height, const char* box, QStringList buttons) {
            list.append({page, "QWidget", "stackedWidget_2", kLaidOut, QSize(205, 240)});
            if (grid)
                list.append({grid, "QGridLayout", page, kLaidOut, kFree});
            list.append({area, "QScrollArea", page, grid ? kLaidOut : QRect(0, 10, 205, 220), QSize(205, 220)});
            list.append({contents, "QWidget", area, QRect(0, 0, 205, height), QSize(205, height)});
            list.append({box, "QVBoxLayout", contents, kLaidOut, kFree});
            static QList<QByteArray> keep;
            for (const QString& button : buttons) {
                keep.append(button.toLatin1());
                list.append({keep.last().constData(), "QToolButton", contents, kLaidOut, QSize(174, 22)});
            }
        };
        categoryPage("page_3", "gridLayout_2", "scrollArea_3", "scrollAreaWidgetContents_3", 500, "verticalLayout_4",
                     {"Player", "StartPause_2", "BackMusic_2", "TopMusic_2", "Mute", "VolumeUp", "VolumeDown",
                      "VolumeDown_4", "VolumeDown_5", "VolumeDown_6", "VolumeDown_3", "VolumeDown_8", "VolumeDown_9",
                      "VolumeDown_7", "VolumeDown_10", "VolumeDown_12", "VolumeDown_13", "VolumeDown_11"});
        categoryPage("page_5", "gridLayout_5", "scrollArea_7", "scrollAreaWidgetContents_7", 220, "verticalLayout_6",
                     {});
        categoryPage("page_6", "gridLayout_6", "scrollArea_8", "scrollAreaWidgetContents_8", 220, "verticalLayout_10",
                     {"VolumeUp_4", "VolumeUp_5", "VolumeUp_6", "VolumeUp_7"});
        categoryPage("page_8", "gridLayout_8", "scrollArea_10", "scrollAreaWidgetContents_10", 400,
                     "verticalLayout_12",
                     {"VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_16", "VolumeUp_15", "VolumeUp_19",
                      "VolumeUp_20", "VolumeUp_22", "VolumeUp_18", "VolumeUp_24", "VolumeUp_23", "VolumeUp_21"});
        list += QVector<Expected>{
            {"page_9", "QWidget", "stackedWidget_2", kLaidOut, kFree},
            {"groupBox_2", "QGroupBox", "page_9", QRect(10, 0, 200, 241), kFree},
            {"label_3", "QLabel", "groupBox_2", QRect(0, 20, 201, 31), kFree},
            {"DebunceButton", "DebounceTime", "groupBox_2", QRect(35, 50, 165, 37), kFree},
        };
        categoryPage("page_4", "gridLayout_4", "scrollArea_6", "scrollAreaWidgetContents_6", 220, "verticalLayout_5",
                     {"VolumeUp_2", "VolumeDown_2"});
        categoryPage("page_7", "gridLayout_7", "scrollArea_9", "scrollAreaWidgetContents_9", 220, "verticalLayout_11",
                     {"VolumeUp_8", "VolumeUp_9", "VolumeUp_10"});
        categoryPage("page_10", nullptr, "scrollArea_12", "scrollAreaWidgetContents_12", 220, "verticalLayout_7",
                     {"VolumeUp_14", "VolumeDown_14"});
        list.append({"ProjectChoose", "MyConmboBox", "MainWindow", QRect(60, 25, 128, 24), QSize(128, 24)});
        return list;
    }();
    return objects;
}

// The nearest ancestor with a name of the form's own, skipping the scroll
// areas' viewports (a contents widget belongs to its scroll area).
QString NamedParent(QObject* object)
{
    for (QObject* up = object->parent(); up; up = up->parent()) {
        if (up->objectName() == QLatin1String("qt_scrollarea_viewport"))
            continue;
        if (!up->objectName().isEmpty())
            return up->objectName();
    }
    return QString();
}

} // namespace

class TestButtonPageForm : public QObject {
    Q_OBJECT

    QWidget* m_page = nullptr;
    ButtonPageForm m_form;

private slots:
    void initTestCase()
    {
        // One tree serves the table of objects: it is only read.
        m_page = new QWidget;
        m_form.setupUi(m_page);
    }
    void cleanupTestCase() { delete m_page; }
    void objectTree_data();
    void objectTree();
    void everyObjectOnce();
    void stackedPageOrder();
    void startState();
    void namedPageKeepsItsName();
    void retranslatePutsDefaultsBack();
    void slotsConnectByNameInSlotOrder();
    void pressButtonsReportOnPress();
    void rowsBelowTheContentsAreOutOfView();
};

void TestButtonPageForm::objectTree_data()
{
    QTest::addColumn<int>("at");
    for (int i = 0; i < Objects().size(); ++i)
        QTest::newRow(Objects()[i].name) << i;
}

void TestButtonPageForm::objectTree()
{
    QFETCH(int, at);
    const Expected& expected = Objects()[at];
    QObject* object = m_page->findChild<QObject*>(QString::fromLatin1(expected.name));
    QVERIFY2(object, expected.name);
    // The combo declares no meta-object of its own.
    const QString className = dynamic_cast<MyConmboBox*>(object) ? QStringLiteral("MyConmboBox")
                                                                 : QString::fromLatin1(object->metaObject()->className());
    QCOMPARE(className, QString::fromLatin1(expected.className));
    QCOMPARE(NamedParent(object), QString::fromLatin1(expected.parent));
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (!expected.geometry.isNull())
            QCOMPARE(widget->geometry(), expected.geometry);
        if (expected.fixedSize.isValid()) {
            QCOMPARE(widget->minimumSize(), expected.fixedSize);
            QCOMPARE(widget->maximumSize(), expected.fixedSize);
        }
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QVERIFY(button->autoRaise());
            // Rows and function buttons are checkable; hotspots and import/export are not.
            const QString name = button->objectName();
            const bool plain = name.startsWith("Number") || name == "ImportData" || name == "OutputData";
            QCOMPARE(button->isCheckable(), !plain);
            QVERIFY(!button->isChecked());
        }
        if (qobject_cast<QScrollArea*>(widget) || qobject_cast<QComboBox*>(widget))
            QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
    }
}

void TestButtonPageForm::everyObjectOnce()
{
    QWidget page;
    ButtonPageForm form;
    form.setupUi(&page);
    QCOMPARE(Objects().size(), 152);
    QStringList created;
    for (QObject* object : page.findChildren<QObject*>()) {
        // The debounce panel's and the combo's own insides are theirs.
        if (object->objectName().isEmpty() || object->objectName().startsWith("qt_")
            || NamedParent(object) == "DebunceButton" || NamedParent(object) == "ProjectChoose")
            continue;
        created << object->objectName();
    }
    QStringList expected;
    for (const Expected& e : Objects())
        expected << QString::fromLatin1(e.name);
    created.sort();
    expected.sort();
    QCOMPARE(created, expected);
    // Four unnamed spacers gather the buttons of four category pages at the top.
    for (QVBoxLayout* box : {form.verticalLayout_10, form.verticalLayout_5, form.verticalLayout_11,
                             form.verticalLayout_7}) {
        QLayoutItem* last = box->itemAt(box->count() - 1);
        QVERIFY(last->spacerItem());
        QCOMPARE(last->spacerItem()->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    }
    QCOMPARE(form.verticalLayout_6->count(), 0);
}

void TestButtonPageForm::stackedPageOrder()
{
    QWidget page;
    ButtonPageForm form;
    form.setupUi(&page);
    QCOMPARE(form.stackedWidget->count(), 2);
    QCOMPARE(form.stackedWidget->widget(0), form.page);
    QCOMPARE(form.stackedWidget->widget(1), form.page_2);
    const QList<QWidget*> pages{form.page_3, form.page_5, form.page_6, form.page_8,
                                form.page_9, form.page_4, form.page_7, form.page_10};
    QCOMPARE(form.stackedWidget_2->count(), pages.size());
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(form.stackedWidget_2->widget(i), pages[i]);
    // Chooser buttons in their column order.
    QStringList column;
    for (int i = 0; i < form.verticalLayout_9->count(); ++i)
        column << form.verticalLayout_9->itemAt(i)->widget()->objectName();
    QCOMPARE(column, QStringList({"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey", "DPI_2", "DPI_3",
                                  "DPI_6", "DPI_8", "DPI_5", "DPI_13", "DPI_11", "DPI_4", "DPI_9", "DPI_7", "DPI_12",
                                  "DPI_10"}));
}

void TestButtonPageForm::startState()
{
    QWidget page;
    ButtonPageForm form;
    form.setupUi(&page);
    QCOMPARE(page.objectName(), QString("Buttoninterface"));
    QCOMPARE(page.size(), QSize(883, 630));
    QCOMPARE(page.maximumSize(), QSize(883, 660));
    QCOMPARE(page.windowTitle(), QString("Form"));
    QCOMPARE(form.stackedWidget->currentWidget(), form.page_2);
    QCOMPARE(form.stackedWidget_2->currentWidget(), form.page_9);
    QCOMPARE(form.FireKey->text(), QString::fromUtf8("左键"));
    QCOMPARE(form.DPI_12->text(), QString::fromUtf8("多媒体功能"));
    QCOMPARE(form.DPI_12->font().pointSize(), 7);
    QCOMPARE(form.DPI_13->font().pointSize(), 6);
    QCOMPARE(form.label_3->text(), QString::fromUtf8("按钮防抖时间"));
    QCOMPARE(form.VolumeUp_9->text(), QString("DPI+"));
    QCOMPARE(form.Number10->text(), QString("10"));
    QCOMPARE(form.ProjectChoose->count(), 0);
    QCOMPARE(form.DebunceButton->frameShape(), QFrame::StyledPanel);
    QCOMPARE(form.DebunceButton->frameShadow(), QFrame::Raised);
    QCOMPARE(form.scrollArea_11->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(form.scrollArea_11->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(form.stackedWidget->styleSheet().contains("Picture/Buttoninterface/FunctionAreaBack.png"));
    QVERIFY(form.MainWindow->styleSheet().contains("QScrollBar:vertical"));
}

void TestButtonPageForm::namedPageKeepsItsName()
{
    QWidget page;
    page.setObjectName("Mine");
    ButtonPageForm form;
    form.setupUi(&page);
    QCOMPARE(page.objectName(), QString("Mine"));
}

void TestButtonPageForm::retranslatePutsDefaultsBack()
{
    QWidget page;
    ButtonPageForm form;
    form.setupUi(&page);
    form.ProjectChoose->addItems({"a", "b"});
    form.ProjectChoose->setCurrentIndex(1);
    form.FireKey->setText("Left click");
    form.VolumeDown_11->setText("Favourites");
    form.label_3->setText("Debounce");
    form.groupBox_2->setTitle("x");
    form.retranslateUi(&page);
    QCOMPARE(form.FireKey->text(), QString::fromUtf8("左键"));
    QCOMPARE(form.VolumeDown_11->text(), QString::fromUtf8("收藏夹"));
    QCOMPARE(form.label_3->text(), QString::fromUtf8("按钮防抖时间"));
    QCOMPARE(form.groupBox_2->title(), QString());
    // The profile items are not the form's.
    QCOMPARE(form.ProjectChoose->count(), 2);
    QCOMPARE(form.ProjectChoose->currentIndex(), 1);
}

void TestButtonPageForm::slotsConnectByNameInSlotOrder()
{
    SlotRecorder page;
    ButtonPageForm form;
    form.setupUi(&page);
    // The start pages were chosen before the slots were connected.
    QCOMPARE(page.calls, QStringList());

    QTest::mouseClick(form.DPI_4, Qt::LeftButton);
    QCOMPARE(page.calls, QStringList({"DPI_4()", "DPI_4(bool true)"}));
    page.calls.clear();
    QTest::mousePress(form.DPI_6, Qt::LeftButton);
    QCOMPARE(page.calls, QStringList({"DPI_6(bool false)", "DPI_6()"}));
    page.calls.clear();
    QTest::mouseClick(form.VolumeUp_2, Qt::LeftButton);
    QTest::mouseClick(form.FireKey, Qt::LeftButton);
    form.stackedWidget->setCurrentIndex(0);
    form.stackedWidget_2->setCurrentIndex(2);
    form.ProjectChoose->addItem("x");
    QCOMPARE(page.calls, QStringList({"VolumeUp_2(bool true)", "FireKey()", "stackedWidget(0)", "stackedWidget_2(2)",
                                      "ProjectChoose(0)"}));
    // One connection each: a second click reports once.
    page.calls.clear();
    QTest::mouseClick(form.FireKey, Qt::LeftButton);
    QCOMPARE(page.calls, QStringList({"FireKey()"}));
}

void TestButtonPageForm::pressButtonsReportOnPress()
{
    SlotRecorder page;
    ButtonPageForm form;
    form.setupUi(&page);
    QTest::mousePress(form.DPI_6, Qt::RightButton);
    QCOMPARE(page.calls, QStringList());
    QVERIFY(!form.DPI_6->isChecked());
    QTest::mouseDClick(form.DPI_6, Qt::LeftButton);
    QVERIFY(form.DPI_6->isChecked());
    QVERIFY(page.calls.contains("DPI_6(bool true)"));
}

void TestButtonPageForm::rowsBelowTheContentsAreOutOfView()
{
    QWidget page;
    ButtonPageForm form;
    form.setupUi(&page);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    // The list scrolls only over the contents' own height (less its frame).
    QVERIFY(form.scrollArea_11->verticalScrollBar()->maximum() <= 4);
    const QRect contents = form.scrollAreaWidgetContents_11->rect();
    QVERIFY(contents.contains(form.TopMusic->geometry()));
    QVERIFY(!contents.intersects(form.BackMusic->geometry()));
    QVERIFY(!contents.intersects(form.Button12->geometry()));
}

QTEST_MAIN(TestButtonPageForm)
#include "tst_buttonpageform.moc"
