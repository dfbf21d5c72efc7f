#include "macro/MacroForm.h"

#include "widgets/MyConmboBox.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QWidget>

namespace {

QFont PageFont(int pointSize)
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(pointSize);
    return font;
}

QFont NumberFont()
{
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(12);
    return font;
}

template <typename W>
W* Make(QWidget* parent, const char* name, const QRect& geometry)
{
    W* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* ModeLabel(QWidget* parent, const char* name, int y)
{
    QLabel* label = Make<QLabel>(parent, name, QRect(660, y, 201, 41));
    label->setFont(PageFont(10));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QSpinBox* NumberBox(QWidget* parent, const char* name, const QRect& geometry, int minimum, int maximum, int value)
{
    QSpinBox* box = Make<QSpinBox>(parent, name, geometry);
    box->setFont(NumberFont());
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

MacroForm::MacroForm(QWidget* page)
{
    page->setObjectName(QStringLiteral("Macro"));
    page->setFixedSize(883, 630);
    auto* grid = new QGridLayout(page);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);

    MacroPage = new QFrame(page);
    MacroPage->setObjectName(QStringLiteral("MacroPage"));
    MacroPage->setFixedSize(883, 630);
    MacroPage->setFont(PageFont(11));
    grid->addWidget(MacroPage, 0, 0);

    label = Make<QLabel>(MacroPage, "label", QRect(70, 60, 141, 17));
    listWidgetHong = Make<QListWidget>(MacroPage, "listWidgetHong", QRect(70, 87, 261, 421));
    listWidgetHong->setFocusPolicy(Qt::ClickFocus);
    listWidgetHong->setContextMenuPolicy(Qt::CustomContextMenu);
    listWidgetHong->setAutoScroll(true);
    listWidgetHong->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    label_2 = Make<QLabel>(MacroPage, "label_2", QRect(350, 60, 201, 17));
    listWidgetKey = Make<QListWidget>(MacroPage, "listWidgetKey", QRect(350, 87, 261, 421));
    listWidgetKey->setFocusPolicy(Qt::NoFocus);
    listWidgetKey->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    StartRecord = Make<QPushButton>(MacroPage, "StartRecord", QRect(637, 57, 190, 32));
    StopRecord = Make<QPushButton>(MacroPage, "StopRecord", QRect(637, 57, 190, 32));
    for (QPushButton* button : {StartRecord, StopRecord}) {
        button->setFont(PageFont(9));
        button->setFocusPolicy(Qt::NoFocus);
    }

    AutoInsertDelay = Make<QCheckBox>(MacroPage, "AutoInsertDelay", QRect(640, 100, 20, 20));
    AutoInsertDelayLabel = ModeLabel(MacroPage, "AutoInsertDelayLabel", 100);
    DefaultDelay = Make<QCheckBox>(MacroPage, "DefaultDelay", QRect(640, 142, 181, 20));
    DefaultDelay->setFont(PageFont(10));
    DelayTime = NumberBox(MacroPage, "DelayTime", QRect(660, 167, 76, 30), 10, 99999, 10);

    ReUntilLoose = Make<QCheckBox>(MacroPage, "ReUntilLoose", QRect(640, 217, 20, 20));
    ReUntilLooseLabel = ModeLabel(MacroPage, "ReUntilLooseLabel", 217);
    ReUntilClick = Make<QCheckBox>(MacroPage, "ReUntilClick", QRect(640, 257, 20, 20));
    ReUntilClickLabel = ModeLabel(MacroPage, "ReUntilClickLabel", 257);
    ReUntil = Make<QCheckBox>(MacroPage, "ReUntil", QRect(640, 297, 20, 20));
    ReUntilLabel = ModeLabel(MacroPage, "ReUntilLabel", 297);
    ReNumber = Make<QCheckBox>(MacroPage, "ReNumber", QRect(640, 337, 181, 20));
    ReNumber->setFont(PageFont(10));
    ReNumber->setChecked(true);
    NumberEdit = NumberBox(MacroPage, "NumberEdit", QRect(660, 362, 76, 30), 1, 250, 1);

    label_3 = Make<QLabel>(MacroPage, "label_3", QRect(640, 407, 181, 17));
    ChooseEvent = Make<MyConmboBox>(MacroPage, "ChooseEvent", QRect(640, 432, 181, 30));
    ChooseEvent->setMaxVisibleItems(5);
    Save = Make<QToolButton>(MacroPage, "Save", QRect(640, 477, 116, 30));

    NewHong = Make<QToolButton>(MacroPage, "NewHong", QRect(70, 530, 116, 30));
    DeleteHong = Make<QToolButton>(MacroPage, "DeleteHong", QRect(200, 530, 116, 30));
    Amend = Make<QToolButton>(MacroPage, "Amend", QRect(350, 530, 116, 30));
    DeleteKey = Make<QToolButton>(MacroPage, "DeleteKey", QRect(485, 530, 116, 30));

    RetranslateUi();
}

void MacroForm::RetranslateUi()
{
    label->setText(QStringLiteral("Macro list"));
    label_2->setText(QStringLiteral("Key list"));
    label_3->setText(QStringLiteral("Insert event"));
    StartRecord->setText(QStringLiteral("Start record"));
    StopRecord->setText(QStringLiteral("Stop record"));
    AutoInsertDelayLabel->setText(QStringLiteral("Auto insert delay"));
    DefaultDelay->setText(QStringLiteral("Default delay"));
    ReUntilLooseLabel->setText(QStringLiteral("Repeat until this key is released"));
    ReUntilClickLabel->setText(QStringLiteral("Repeat until any key is pressed"));
    ReUntilLabel->setText(QStringLiteral("Repeat until this key is pressed again"));
    ReNumber->setText(QStringLiteral("Cycle times"));
    ChooseEvent->clear();
    ChooseEvent->addItems({QString(), QStringLiteral("Key down"), QStringLiteral("Key up"), QStringLiteral("Delay"),
                           QStringLiteral("Left button"), QStringLiteral("Right button"),
                           QStringLiteral("Middle button"), QStringLiteral("Forward button"),
                           QStringLiteral("Back button")});
    Save->setText(QStringLiteral("Save"));
    NewHong->setText(QStringLiteral("New"));
    DeleteHong->setText(QStringLiteral("Delete"));
    Amend->setText(QStringLiteral("Modify"));
    DeleteKey->setText(QStringLiteral("Delete"));
}
