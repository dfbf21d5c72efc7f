#include "buttons/ButtonPageForm.h"

#include "app/AppPaths.h"
#include "sensor/DebounceTime.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"

#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaMethod>
#include <QScrollArea>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

using ButtonMember = QToolButton* ButtonPageForm::*;
using LabelMember = QLabel* ButtonPageForm::*;

const char kContext[] = "Buttoninterface";
const char kYaHei[] = "微软雅黑";

// The form's default texts are the product's original ones; the language
// switch replaces them once the language tables are in.
struct HotspotSpec {
    ButtonMember member;
    const char* name;
    int x;
    int y;
    const char* text;
};

const HotspotSpec kHotspots[] = {
    {&ButtonPageForm::Number1, "Number1", 157, 63, "1"},
    {&ButtonPageForm::Number2, "Number2", 237, 63, "2"},
    {&ButtonPageForm::Number3, "Number3", 197, 63, "3"},
    {&ButtonPageForm::Number4, "Number4", 107, 128, "4"},
    {&ButtonPageForm::Number5, "Number5", 107, 170, "5"},
    {&ButtonPageForm::Number6, "Number6", 188, 108, "6"},
    {&ButtonPageForm::Number7, "Number7", 380, 60, "7"},
    {&ButtonPageForm::Number8, "Number8", 380, 100, "8"},
    {&ButtonPageForm::Number9, "Number9", 380, 140, "9"},
    {&ButtonPageForm::Number10, "Number10", 380, 180, "10"},
    {&ButtonPageForm::Number11, "Number11", 330, 100, "11"},
    {&ButtonPageForm::Number12, "Number12", 330, 140, "12"},
};

// One object of the row list: a number label or a row button.
struct RowObjectSpec {
    LabelMember label; // null for a row button
    ButtonMember button; // null for a number label
    const char* name;
    int y;
    const char* text;
};

// In creation order, which is also the stacking order.
const RowObjectSpec kRowObjects[] = {
    {&ButtonPageForm::label_14, nullptr, "label_14", 6, "1"},
    {nullptr, &ButtonPageForm::FireKey, "FireKey", 5, "左键"},
    {&ButtonPageForm::label_9, nullptr, "label_9", 48, "2"},
    {nullptr, &ButtonPageForm::RightKey, "RightKey", 47, "右键"},
    {&ButtonPageForm::label_15, nullptr, "label_15", 90, "3"},
    {nullptr, &ButtonPageForm::BackKey, "BackKey", 89, "中键"},
    {&ButtonPageForm::label_11, nullptr, "label_11", 131, "4"},
    {nullptr, &ButtonPageForm::StartPause, "StartPause", 130, "后退键"},
    {&ButtonPageForm::label_12, nullptr, "label_12", 172, "5"},
    {nullptr, &ButtonPageForm::TopMusic, "TopMusic", 171, "前进键"},
    {&ButtonPageForm::label_13, nullptr, "label_13", 300, "6"},
    {nullptr, &ButtonPageForm::BackMusic, "BackMusic", 300, "下一曲"},
    {nullptr, &ButtonPageForm::Button7, "Button7", 214, "前进键"},
    {&ButtonPageForm::label_16, nullptr, "label_16", 215, "7"},
    {nullptr, &ButtonPageForm::Button8, "Button8", 249, "前进键"},
    {nullptr, &ButtonPageForm::Button9, "Button9", 284, "前进键"},
    {nullptr, &ButtonPageForm::Button10, "Button10", 319, "前进键"},
    {nullptr, &ButtonPageForm::Button11, "Button11", 354, "前进键"},
    {nullptr, &ButtonPageForm::Button12, "Button12", 389, "前进键"},
    {&ButtonPageForm::label_17, nullptr, "label_17", 250, "8"},
    {&ButtonPageForm::label_18, nullptr, "label_18", 285, "9"},
    {&ButtonPageForm::label_19, nullptr, "label_19", 320, "10"},
    {&ButtonPageForm::label_20, nullptr, "label_20", 355, "11"},
    {&ButtonPageForm::label_21, nullptr, "label_21", 390, "12"},
};

// A tool button of the function chooser or of a category page.
struct ButtonEntry {
    ButtonMember member; // null for the two press-reporting buttons
    MyToolButton* ButtonPageForm::*pressMember;
    const char* name;
    int pointSize;
    const char* text;
};

const ButtonEntry kChooserButtons[] = {
    {&ButtonPageForm::LeftKey_3, nullptr, "LeftKey_3", 8, "左键"},
    {&ButtonPageForm::RightKey_3, nullptr, "RightKey_3", 8, "右键"},
    {&ButtonPageForm::MidKey, nullptr, "MidKey", 8, "中键"},
    {&ButtonPageForm::BackKey_2, nullptr, "BackKey_2", 8, "后退键"},
    {&ButtonPageForm::ForWardKey, nullptr, "ForWardKey", 8, "前进键"},
    {&ButtonPageForm::DPI_2, nullptr, "DPI_2", 8, "切换报告率"},
    {&ButtonPageForm::DPI_3, nullptr, "DPI_3", 8, "配置切换"},
    {nullptr, &ButtonPageForm::DPI_6, "DPI_6", 8, "火力键"},
    {nullptr, &ButtonPageForm::DPI_8, "DPI_8", 8, "组合键"},
    {&ButtonPageForm::DPI_5, nullptr, "DPI_5", 8, "待定义按键"},
    {&ButtonPageForm::DPI_13, nullptr, "DPI_13", 6, "鼠标上/下滚"},
    {&ButtonPageForm::DPI_11, nullptr, "DPI_11", 6, "鼠标左/右滚"},
    {&ButtonPageForm::DPI_4, nullptr, "DPI_4", 6, "DPI锁定"},
    {&ButtonPageForm::DPI_9, nullptr, "DPI_9", 6, "开关装饰灯"},
    {&ButtonPageForm::DPI_7, nullptr, "DPI_7", 6, "DPI切换"},
    {&ButtonPageForm::DPI_12, nullptr, "DPI_12", 7, "多媒体功能"},
    {&ButtonPageForm::DPI_10, nullptr, "DPI_10", 8, "宏定义"},
};

const ButtonEntry kMediaButtons[] = {
    {&ButtonPageForm::Player, nullptr, "Player", 9, "播放器"},
    {&ButtonPageForm::StartPause_2, nullptr, "StartPause_2", 9, "播放/暂停"},
    {&ButtonPageForm::BackMusic_2, nullptr, "BackMusic_2", 9, "下一曲"},
    {&ButtonPageForm::TopMusic_2, nullptr, "TopMusic_2", 9, "上一曲"},
    {&ButtonPageForm::Mute, nullptr, "Mute", 9, "停止播放"},
    {&ButtonPageForm::VolumeUp, nullptr, "VolumeUp", 9, "静音"},
    {&ButtonPageForm::VolumeDown, nullptr, "VolumeDown", 9, "音量加"},
    {&ButtonPageForm::VolumeDown_4, nullptr, "VolumeDown_4", 9, "音量减"},
    {&ButtonPageForm::VolumeDown_5, nullptr, "VolumeDown_5", 9, "邮件"},
    {&ButtonPageForm::VolumeDown_6, nullptr, "VolumeDown_6", 9, "计算器"},
    {&ButtonPageForm::VolumeDown_3, nullptr, "VolumeDown_3", 9, "我的电脑"},
    {&ButtonPageForm::VolumeDown_8, nullptr, "VolumeDown_8", 9, "主页"},
    {&ButtonPageForm::VolumeDown_9, nullptr, "VolumeDown_9", 9, "搜索"},
    {&ButtonPageForm::VolumeDown_7, nullptr, "VolumeDown_7", 9, "前进"},
    {&ButtonPageForm::VolumeDown_10, nullptr, "VolumeDown_10", 9, "后退"},
    {&ButtonPageForm::VolumeDown_12, nullptr, "VolumeDown_12", 9, "停止网页"},
    {&ButtonPageForm::VolumeDown_13, nullptr, "VolumeDown_13", 9, "刷新"},
    {&ButtonPageForm::VolumeDown_11, nullptr, "VolumeDown_11", 9, "收藏夹"},
};

const ButtonEntry kLightButtons[] = {
    {&ButtonPageForm::VolumeUp_4, nullptr, "VolumeUp_4", 9, "开/关所有装饰灯"},
    {&ButtonPageForm::VolumeUp_5, nullptr, "VolumeUp_5", 9, "开/关DPI指示灯"},
    {&ButtonPageForm::VolumeUp_6, nullptr, "VolumeUp_6", 9, "开/关灯带"},
    {&ButtonPageForm::VolumeUp_7, nullptr, "VolumeUp_7", 9, "循环切换灯带效果"},
};

const ButtonEntry kDpiLockButtons[] = {
    {&ButtonPageForm::VolumeUp_11, nullptr, "VolumeUp_11", 9, "100"},
    {&ButtonPageForm::VolumeUp_12, nullptr, "VolumeUp_12", 9, "200"},
    {&ButtonPageForm::VolumeUp_13, nullptr, "VolumeUp_13", 9, "300"},
    {&ButtonPageForm::VolumeUp_16, nullptr, "VolumeUp_16", 9, "400"},
    {&ButtonPageForm::VolumeUp_15, nullptr, "VolumeUp_15", 9, "500"},
    {&ButtonPageForm::VolumeUp_19, nullptr, "VolumeUp_19", 9, "600"},
    {&ButtonPageForm::VolumeUp_20, nullptr, "VolumeUp_20", 9, "700"},
    {&ButtonPageForm::VolumeUp_22, nullptr, "VolumeUp_22", 9, "800"},
    {&ButtonPageForm::VolumeUp_18, nullptr, "VolumeUp_18", 9, "900"},
    {&ButtonPageForm::VolumeUp_24, nullptr, "VolumeUp_24", 9, "1000"},
    {&ButtonPageForm::VolumeUp_23, nullptr, "VolumeUp_23", 9, "1100"},
    {&ButtonPageForm::VolumeUp_21, nullptr, "VolumeUp_21", 9, "1200"},
};

const ButtonEntry kTiltButtons[] = {
    {&ButtonPageForm::VolumeUp_2, nullptr, "VolumeUp_2", 9, "左滚"},
    {&ButtonPageForm::VolumeDown_2, nullptr, "VolumeDown_2", 9, "右滚"},
};

const ButtonEntry kDpiStepButtons[] = {
    {&ButtonPageForm::VolumeUp_8, nullptr, "VolumeUp_8", 9, "DPI循环"},
    {&ButtonPageForm::VolumeUp_9, nullptr, "VolumeUp_9", 9, "DPI+"},
    {&ButtonPageForm::VolumeUp_10, nullptr, "VolumeUp_10", 9, "DPI-"},
};

const ButtonEntry kScrollButtons[] = {
    {&ButtonPageForm::VolumeUp_14, nullptr, "VolumeUp_14", 9, "上滚"},
    {&ButtonPageForm::VolumeDown_14, nullptr, "VolumeDown_14", 9, "下滚"},
};

// One page of the category area with its scroll area and button column.
struct CategoryPageSpec {
    QWidget* ButtonPageForm::*page;
    const char* pageName;
    QGridLayout* ButtonPageForm::*grid; // null: the scroll area sits at (0, 10) without a layout
    const char* gridName;
    QScrollArea* ButtonPageForm::*scrollArea;
    const char* scrollAreaName;
    QWidget* ButtonPageForm::*contents;
    const char* contentsName;
    int contentsHeight;
    QVBoxLayout* ButtonPageForm::*box;
    const char* boxName;
    const ButtonEntry* buttons;
    int buttonCount;
    QSpacerItem* ButtonPageForm::*spacer; // null: no spacer
};

template <int N>
constexpr int CountOf(const ButtonEntry (&)[N])
{
    return N;
}

// Page order fixes the indices of the category area; the debounce page
// (index 4) is built on its own.
const CategoryPageSpec kCategoryPagesBefore[] = {
    {&ButtonPageForm::page_3, "page_3", &ButtonPageForm::gridLayout_2, "gridLayout_2", &ButtonPageForm::scrollArea_3,
     "scrollArea_3", &ButtonPageForm::scrollAreaWidgetContents_3, "scrollAreaWidgetContents_3", 500,
     &ButtonPageForm::verticalLayout_4, "verticalLayout_4", kMediaButtons, CountOf(kMediaButtons), nullptr},
    {&ButtonPageForm::page_5, "page_5", &ButtonPageForm::gridLayout_5, "gridLayout_5", &ButtonPageForm::scrollArea_7,
     "scrollArea_7", &ButtonPageForm::scrollAreaWidgetContents_7, "scrollAreaWidgetContents_7", 220,
     &ButtonPageForm::verticalLayout_6, "verticalLayout_6", nullptr, 0, nullptr},
    {&ButtonPageForm::page_6, "page_6", &ButtonPageForm::gridLayout_6, "gridLayout_6", &ButtonPageForm::scrollArea_8,
     "scrollArea_8", &ButtonPageForm::scrollAreaWidgetContents_8, "scrollAreaWidgetContents_8", 220,
     &ButtonPageForm::verticalLayout_10, "verticalLayout_10", kLightButtons, CountOf(kLightButtons),
     &ButtonPageForm::verticalSpacer},
    {&ButtonPageForm::page_8, "page_8", &ButtonPageForm::gridLayout_8, "gridLayout_8", &ButtonPageForm::scrollArea_10,
     "scrollArea_10", &ButtonPageForm::scrollAreaWidgetContents_10, "scrollAreaWidgetContents_10", 400,
     &ButtonPageForm::verticalLayout_12, "verticalLayout_12", kDpiLockButtons, CountOf(kDpiLockButtons), nullptr},
};

const CategoryPageSpec kCategoryPagesAfter[] = {
    {&ButtonPageForm::page_4, "page_4", &ButtonPageForm::gridLayout_4, "gridLayout_4", &ButtonPageForm::scrollArea_6,
     "scrollArea_6", &ButtonPageForm::scrollAreaWidgetContents_6, "scrollAreaWidgetContents_6", 220,
     &ButtonPageForm::verticalLayout_5, "verticalLayout_5", kTiltButtons, CountOf(kTiltButtons),
     &ButtonPageForm::verticalSpacer_2},
    {&ButtonPageForm::page_7, "page_7", &ButtonPageForm::gridLayout_7, "gridLayout_7", &ButtonPageForm::scrollArea_9,
     "scrollArea_9", &ButtonPageForm::scrollAreaWidgetContents_9, "scrollAreaWidgetContents_9", 220,
     &ButtonPageForm::verticalLayout_11, "verticalLayout_11", kDpiStepButtons, CountOf(kDpiStepButtons),
     &ButtonPageForm::verticalSpacer_3},
    {&ButtonPageForm::page_10, "page_10", nullptr, nullptr, &ButtonPageForm::scrollArea_12, "scrollArea_12",
     &ButtonPageForm::scrollAreaWidgetContents_12, "scrollAreaWidgetContents_12", 220,
     &ButtonPageForm::verticalLayout_7, "verticalLayout_7", kScrollButtons, CountOf(kScrollButtons),
     &ButtonPageForm::verticalSpacer_4},
};

// Every vertical scroll bar of the page: a thin dark bar with a grey handle.
const char kPageStyle[] =
    "#MainWindow{}\n"
    "QScrollArea{background-color:transparent;}\n"
    // The row list is wider than its rows (x 30 to 292): the room to their
    // right is padding, so its bar stands beside the rows.
    "#scrollArea_11{padding-right: 178px;}\n"
    "QScrollBar:vertical{border: 0px solid grey;background: rgb(28,28,28);color: rgb(28,28,28);"
    "width: 10px;margin: 2px 0 2px 0;}\n"
    "QScrollBar::handle:vertical{border: none;"
    "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 rgb(63, 63, 63), stop:1 rgb(63, 63, 63));"
    "border-radius: 3px;min-height: 30px;margin: 0px 2px 0px 2px;}\n"
    "QScrollBar::add-line:vertical{border: none;height: 25px;background: rgb(28,28,28);"
    "subcontrol-origin: margin;subcontrol-position: bottom;}\n"
    "QScrollBar::sub-line:vertical{border: none;height: 25px;background: rgb(28,28,28);"
    "subcontrol-origin: margin;subcontrol-position: top;}\n"
    "QScrollBar::handle:pressed{"
    "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 rgb(63, 63, 63), stop:1 rgb(63, 63, 63));}\n"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical,"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;border:none;}\n";

const char kGreyBorderStyle[] = "QFrame{border: 2px solid rgb(119,119,119);}";

QString Tr(const char* text)
{
    return QCoreApplication::translate(kContext, text, nullptr);
}

QFont Font(const char* family, int pointSize)
{
    QFont font;
    if (family)
        font.setFamily(QString::fromUtf8(family));
    font.setPointSize(pointSize);
    return font;
}

void SetFixed(QWidget* widget, int width, int height)
{
    widget->setMinimumSize(width, height);
    widget->setMaximumSize(width, height);
}

void SetFixedPolicy(QWidget* widget)
{
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    policy.setHeightForWidth(widget->sizePolicy().hasHeightForWidth());
    widget->setSizePolicy(policy);
}

// What every tool button of the form shares: raised look, never the focus.
void PrepareToolButton(QToolButton* button, const char* name)
{
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
}

void PrepareScrollArea(QScrollArea* area, const char* name)
{
    area->setObjectName(QString::fromLatin1(name));
    SetFixedPolicy(area);
    area->setFocusPolicy(Qt::NoFocus);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
}

QWidget* MakeContents(const char* name, int width, int height)
{
    auto* contents = new QWidget();
    contents->setObjectName(QString::fromLatin1(name));
    contents->setGeometry(0, 0, width, height);
    SetFixedPolicy(contents);
    SetFixed(contents, width, height);
    return contents;
}

QToolButton* MakeColumnButton(ButtonPageForm* form, const ButtonEntry& entry, QWidget* parent, int width)
{
    QToolButton* button;
    if (entry.pressMember) {
        auto* pressButton = new MyToolButton(parent);
        form->*entry.pressMember = pressButton;
        button = pressButton;
    } else {
        button = new QToolButton(parent);
        form->*entry.member = button;
    }
    PrepareToolButton(button, entry.name);
    SetFixedPolicy(button);
    SetFixed(button, width, 22);
    button->setFont(Font(kYaHei, entry.pointSize));
    button->setCheckable(true);
    return button;
}

QToolButton* ButtonOf(ButtonPageForm* form, const ButtonEntry& entry)
{
    return entry.pressMember ? form->*entry.pressMember : form->*entry.member;
}

template <int N>
void RetranslateButtons(ButtonPageForm* form, const ButtonEntry (&entries)[N])
{
    for (const ButtonEntry& entry : entries)
        ButtonOf(form, entry)->setText(Tr(entry.text));
}

// The function area's background: painted with the page's other pictures.
QString FunctionAreaStyle()
{
    return QStringLiteral("#stackedWidget{border-image:url(") + AppPaths::ApplicationFolder()
        + QStringLiteral("/Picture/Buttoninterface/FunctionAreaBack.png);}");
}

} // namespace

void ButtonPageForm::setupUi(QWidget* Buttoninterface)
{
    BuildUi(Buttoninterface);
    retranslateUi(Buttoninterface);
}

void ButtonPageForm::BuildUi(QWidget* Buttoninterface)
{
    if (Buttoninterface->objectName().isEmpty())
        Buttoninterface->setObjectName(QStringLiteral("Buttoninterface"));
    Buttoninterface->resize(883, 630);
    SetFixedPolicy(Buttoninterface);
    Buttoninterface->setMaximumSize(883, 660);
    // Controls without rules of their own keep the empty style sheet they are
    // made with: setting it again would restyle each one for nothing.

    gridLayout_9 = new QGridLayout(Buttoninterface);
    gridLayout_9->setObjectName(QStringLiteral("gridLayout_9"));
    gridLayout_9->setContentsMargins(0, 0, 0, 0);
    MainWindow = new QFrame(Buttoninterface);
    MainWindow->setObjectName(QStringLiteral("MainWindow"));
    SetFixedPolicy(MainWindow);
    MainWindow->setMaximumSize(883, 630);
    MainWindow->setFrameShape(QFrame::StyledPanel);
    MainWindow->setFrameShadow(QFrame::Raised);

    BuildTopFrame();
    BuildRowList();
    BuildFunctionArea();
    BuildCategoryArea();

    ProjectChoose = new MyConmboBox(MainWindow);
    ProjectChoose->setObjectName(QStringLiteral("ProjectChoose"));
    ProjectChoose->setGeometry(60, 25, 128, 24);
    SetFixedPolicy(ProjectChoose);
    SetFixed(ProjectChoose, 128, 24);
    QFont comboFont = Font(kYaHei, 11);
    comboFont.setItalic(false);
    ProjectChoose->setFont(comboFont);
    ProjectChoose->setFocusPolicy(Qt::NoFocus);

    gridLayout_9->addWidget(MainWindow, 0, 0, 1, 1);
    // Set once the tree stands: each child made under a styled frame would
    // otherwise be restyled as it arrives. The layouts polished the scroll
    // bars already; a sheet set on a frame not yet polished itself would
    // never reach them.
    MainWindow->ensurePolished();
    MainWindow->setStyleSheet(QString::fromLatin1(kPageStyle));

    // Showing a page lays its buttons out: done while they have no text yet.
    stackedWidget->setCurrentIndex(1);
    stackedWidget_2->setCurrentIndex(4);

    ConnectSlotsByName(Buttoninterface);
}

void ButtonPageForm::BuildTopFrame()
{
    label = new QLabel(MainWindow);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(30, 30, 20, 14);
    SetFixedPolicy(label);
    label->setMaximumSize(20, 14);

    widget = new QWidget(MainWindow);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setGeometry(230, 10, 432, 356);
    SetFixedPolicy(widget);
    SetFixed(widget, 432, 356);

    // The hotspots keep the default size policy.
    QFont hotspotFont;
    hotspotFont.setPointSize(16);
    hotspotFont.setWeight(QFont::Normal);
    for (const HotspotSpec& entry : kHotspots) {
        auto* hotspot = new QToolButton(widget);
        this->*entry.member = hotspot;
        PrepareToolButton(hotspot, entry.name);
        hotspot->setGeometry(entry.x, entry.y, 38, 38);
        SetFixed(hotspot, 38, 38);
        hotspot->setFont(hotspotFont);
        hotspot->setCheckable(false);
    }

    OutputData = new QToolButton(MainWindow);
    PrepareToolButton(OutputData, "OutputData");
    OutputData->setGeometry(780, 350, 90, 26);
    SetFixedPolicy(OutputData);
    SetFixed(OutputData, 90, 26);
    OutputData->setFont(Font(kYaHei, 10));

    ImportData = new QToolButton(MainWindow);
    PrepareToolButton(ImportData, "ImportData");
    ImportData->setGeometry(680, 350, 90, 26);
    SetFixedPolicy(ImportData);
    SetFixed(ImportData, 90, 26);
    ImportData->setFont(Font(kYaHei, 10));

    // The lower band keeps the default size policy.
    groupBox = new QGroupBox(MainWindow);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    groupBox->setGeometry(7, 380, 862, 216);
}

void ButtonPageForm::BuildRowList()
{
    scrollArea_11 = new QScrollArea(groupBox);
    PrepareScrollArea(scrollArea_11, "scrollArea_11");
    scrollArea_11->setGeometry(150, 2, 480, 212);
    SetFixed(scrollArea_11, 480, 212);

    scrollAreaWidgetContents_11 = MakeContents("scrollAreaWidgetContents_11", 510, 212);
    // No layout: rows 6 to 12 lie below the contents and stay out of view.
    const QFont labelFont = Font("Microsoft YaHei UI Light", 16);
    const QFont rowFont = Font(kYaHei, 11);
    for (const RowObjectSpec& entry : kRowObjects) {
        if (entry.label) {
            auto* number = new QLabel(scrollAreaWidgetContents_11);
            this->*entry.label = number;
            number->setObjectName(QString::fromLatin1(entry.name));
            number->setGeometry(0, entry.y, 24, 24);
            SetFixedPolicy(number);
            SetFixed(number, 24, 24);
            number->setFont(labelFont);
            number->setAlignment(Qt::AlignCenter);
        } else {
            auto* row = new QToolButton(scrollAreaWidgetContents_11);
            this->*entry.button = row;
            PrepareToolButton(row, entry.name);
            row->setGeometry(30, entry.y, 262, 26);
            SetFixedPolicy(row);
            SetFixed(row, 262, 26);
            row->setFont(rowFont);
            row->setCheckable(true);
            row->setChecked(false);
        }
    }
    scrollArea_11->setWidget(scrollAreaWidgetContents_11);
}

void ButtonPageForm::BuildFunctionArea()
{
    // It reaches 11 pixels above the band's top edge and overlaps the row list.
    stackedWidget = new QStackedWidget(groupBox);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    stackedWidget->setGeometry(445, -11, 201, 241);
    SetFixedPolicy(stackedWidget);
    stackedWidget->setMinimumSize(192, 230);
    stackedWidget->setMaximumSize(230, 1111);
    stackedWidget->setStyleSheet(FunctionAreaStyle());

    page = new QWidget();
    page->setObjectName(QStringLiteral("page"));
    SetFixedPolicy(page);
    SetFixed(page, 195, 240);
    gridLayout_3 = new QGridLayout(page);
    gridLayout_3->setObjectName(QStringLiteral("gridLayout_3"));
    gridLayout_3->setSpacing(0);
    gridLayout_3->setContentsMargins(0, 0, 0, 0);
    stackedWidget->addWidget(page);

    page_2 = new QWidget();
    page_2->setObjectName(QStringLiteral("page_2"));
    SetFixedPolicy(page_2);
    SetFixed(page_2, 195, 240);
    gridLayout = new QGridLayout(page_2);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    scrollArea_4 = new QScrollArea(page_2);
    PrepareScrollArea(scrollArea_4, "scrollArea_4");
    SetFixed(scrollArea_4, 195, 220);
    scrollArea_4->setStyleSheet(QString::fromLatin1(kGreyBorderStyle));
    scrollArea_4->setFrameShape(QFrame::StyledPanel);
    scrollArea_4->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    scrollAreaWidgetContents_4 = MakeContents("scrollAreaWidgetContents_4", 195, 420);
    verticalLayout_9 = new QVBoxLayout(scrollAreaWidgetContents_4);
    verticalLayout_9->setObjectName(QStringLiteral("verticalLayout_9"));
    verticalLayout_9->setContentsMargins(7, -1, -1, -1);
    for (const ButtonEntry& entry : kChooserButtons) {
        QToolButton* button = MakeColumnButton(this, entry, scrollAreaWidgetContents_4, 164);
        verticalLayout_9->addWidget(button);
    }
    scrollArea_4->setWidget(scrollAreaWidgetContents_4);
    gridLayout->addWidget(scrollArea_4, 0, 0, 1, 1);
    stackedWidget->addWidget(page_2);
}

void ButtonPageForm::BuildCategoryArea()
{
    groupBox_4 = new QGroupBox(groupBox);
    groupBox_4->setObjectName(QStringLiteral("groupBox_4"));
    groupBox_4->setGeometry(643, -11, 211, 241);
    SetFixedPolicy(groupBox_4);
    stackedWidget_2 = new QStackedWidget(groupBox_4);
    stackedWidget_2->setObjectName(QStringLiteral("stackedWidget_2"));
    stackedWidget_2->setGeometry(0, 0, 213, 238);
    SetFixedPolicy(stackedWidget_2);
    stackedWidget_2->setMinimumSize(213, 200);
    stackedWidget_2->setMaximumSize(213, 1111111);

    auto buildPage = [this](const CategoryPageSpec& entry) {
        auto* categoryPage = new QWidget();
        this->*entry.page = categoryPage;
        categoryPage->setObjectName(QString::fromLatin1(entry.pageName));
        // The DPI step page keeps the default size policy.
        if (qstrcmp(entry.pageName, "page_7") != 0)
            SetFixedPolicy(categoryPage);
        SetFixed(categoryPage, 205, 240);
        QGridLayout* grid = nullptr;
        if (entry.grid) {
            grid = new QGridLayout(categoryPage);
            this->*entry.grid = grid;
            grid->setObjectName(QString::fromLatin1(entry.gridName));
            grid->setSpacing(0);
            grid->setContentsMargins(0, 0, 0, 0);
        }
        auto* area = new QScrollArea(categoryPage);
        this->*entry.scrollArea = area;
        PrepareScrollArea(area, entry.scrollAreaName);
        SetFixed(area, 205, 220);
        area->setStyleSheet(QString::fromLatin1(kGreyBorderStyle));
        if (!grid)
            area->setGeometry(0, 10, 205, 220);
        QWidget* contents = MakeContents(entry.contentsName, 205, entry.contentsHeight);
        this->*entry.contents = contents;
        auto* box = new QVBoxLayout(contents);
        this->*entry.box = box;
        box->setObjectName(QString::fromLatin1(entry.boxName));
        box->setContentsMargins(7, -1, -1, -1);
        for (int i = 0; i < entry.buttonCount; ++i) {
            QToolButton* button = MakeColumnButton(this, entry.buttons[i], contents, 174);
            box->addWidget(button);
        }
        if (entry.spacer) {
            // Keeps the buttons together at the top.
            auto* spacer = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
            this->*entry.spacer = spacer;
            box->addItem(spacer);
        }
        area->setWidget(contents);
        if (grid)
            grid->addWidget(area, 0, 0, 1, 1);
        stackedWidget_2->addWidget(categoryPage);
    };

    for (const CategoryPageSpec& entry : kCategoryPagesBefore)
        buildPage(entry);
    BuildDebouncePage();
    for (const CategoryPageSpec& entry : kCategoryPagesAfter)
        buildPage(entry);
}

void ButtonPageForm::BuildDebouncePage()
{
    // No size limits and no layout; it keeps the default size policy.
    page_9 = new QWidget();
    page_9->setObjectName(QStringLiteral("page_9"));
    groupBox_2 = new QGroupBox(page_9);
    groupBox_2->setObjectName(QStringLiteral("groupBox_2"));
    groupBox_2->setGeometry(10, 0, 200, 241);
    groupBox_2->setStyleSheet(
        QStringLiteral("#groupBox_2{border-width:2px;border-style:solid;border-color: rgb(119, 119, 119);}"));
    label_3 = new QLabel(groupBox_2);
    label_3->setObjectName(QStringLiteral("label_3"));
    label_3->setGeometry(0, 20, 201, 31);
    SetFixedPolicy(label_3);
    label_3->setFont(Font(kYaHei, 11));
    label_3->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label_3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    DebunceButton = new DebounceTime(groupBox_2);
    DebunceButton->setObjectName(QStringLiteral("DebunceButton"));
    DebunceButton->setGeometry(35, 50, 165, 37);
    SetFixedPolicy(DebunceButton);
    DebunceButton->setFrameShape(QFrame::StyledPanel);
    DebunceButton->setFrameShadow(QFrame::Raised);
    stackedWidget_2->addWidget(page_9);
}

void ButtonPageForm::retranslateUi(QWidget* Buttoninterface)
{
    Buttoninterface->setWindowTitle(Tr("Form"));
    label->setText(QString());
    for (const HotspotSpec& entry : kHotspots)
        (this->*entry.member)->setText(Tr(entry.text));
    OutputData->setText(Tr("导出"));
    ImportData->setText(Tr("导入"));
    groupBox->setTitle(QString());
    for (const RowObjectSpec& entry : kRowObjects) {
        if (entry.label)
            (this->*entry.label)->setText(Tr(entry.text));
        else
            (this->*entry.button)->setText(Tr(entry.text));
    }
    RetranslateButtons(this, kChooserButtons);
    groupBox_4->setTitle(QString());
    RetranslateButtons(this, kMediaButtons);
    RetranslateButtons(this, kLightButtons);
    RetranslateButtons(this, kDpiLockButtons);
    groupBox_2->setTitle(QString());
    label_3->setText(Tr("按钮防抖时间"));
    RetranslateButtons(this, kTiltButtons);
    RetranslateButtons(this, kDpiStepButtons);
    RetranslateButtons(this, kScrollButtons);
}

void ButtonPageForm::ConnectSlotsByName(QObject* receiver)
{
    const QMetaObject* meta = receiver->metaObject();
    QList<QObject*> objects = receiver->findChildren<QObject*>();
    objects.prepend(receiver);
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod slot = meta->method(i);
        if (slot.methodType() != QMetaMethod::Slot)
            continue;
        const QByteArray signature = slot.methodSignature();
        if (!signature.startsWith("on_"))
            continue;
        for (QObject* object : qAsConst(objects)) {
            const QByteArray name = object->objectName().toLatin1();
            if (name.isEmpty())
                continue;
            const QByteArray prefix = "on_" + name + '_';
            if (!signature.startsWith(prefix))
                continue;
            const QByteArray signal = signature.mid(prefix.size());
            if (object->metaObject()->indexOfSignal(signal.constData()) < 0)
                continue;
            // The text form maps a signal with a default argument onto its
            // full form, so clicked() and clicked(bool) fire in the order made.
            QObject::connect(object, QByteArray("2" + signal).constData(), receiver,
                             QByteArray("1" + signature).constData(), Qt::AutoConnection);
            break;
        }
    }
}
