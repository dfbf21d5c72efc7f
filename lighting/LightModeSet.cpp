#include "lighting/LightModeSet.h"

#include "app/AppPaths.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/ScaleWidgetFonts.h"
#include "lighting/LightColorPresets.h"
#include "platform/ScreenGrab.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QAbstractSpinBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

} // namespace

struct LightModeSet::Form {
    QFrame* LightModeSetframe = nullptr;
    QLabel* label = nullptr;
    MyConmboBox* LightMod = nullptr;
    QLabel* label_2 = nullptr;
    QSlider* horizontalLight = nullptr;
    QFrame* line = nullptr;
    QLabel* label_3 = nullptr;
    QSlider* horizontalSpeed = nullptr;
    QFrame* line_2 = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QLabel* label_8 = nullptr;
    QLabel* labelPreView = nullptr;
    QLabel* label_11 = nullptr;
    QLabel* label_10 = nullptr;
    QLabel* label_12 = nullptr;
    QToolButton* ReduceR = nullptr;
    QToolButton* ReduceG = nullptr;
    QToolButton* ReduceB = nullptr;
    QSpinBox* RSpinBox = nullptr;
    QSpinBox* GSpinBox = nullptr;
    QSpinBox* BSpinBox = nullptr;
    QToolButton* AddR = nullptr;
    QToolButton* AddG = nullptr;
    QToolButton* AddB = nullptr;
    QLabel* label_13 = nullptr;
    QVector<QToolButton*> presets;
    QToolButton* CloseButton = nullptr;

    QList<QWidget*> ColourGroup() const
    {
        QList<QWidget*> group{label_6, label_7, label_8, labelPreView, label_11, label_10, label_12, RSpinBox,
                              GSpinBox, BSpinBox, AddR, AddG, AddB, ReduceR, ReduceG, ReduceB, label_13};
        for (QToolButton* preset : presets)
            group.append(preset);
        return group;
    }
};

LightModeSet::LightModeSet(QWidget* parent)
    : QDialog(parent)
    , form(new Form)
{
    BuildForm();
    pictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/ScreeInfo/");
    setWindowFlags(NoticeFrame::WindowFlags());
    ApplyStyles();
    PanelStyle::InstallComboList(form->LightMod, 5);

    // A window of its own: no main window scales it.
    ScaleWidgetFonts(this, ScreenFontFactor());

    // The effects go in once the list is styled and the fonts are scaled:
    // both lay the list out, and laying out Chinese items looks for a CJK
    // font while the dialog is only being built.
    for (const char* item : {"关闭", "彩色流动", "单色呼吸", "混色常亮", "霓虹", "混彩呼吸"})
        form->LightMod->addItem(QString::fromUtf8(item));
    form->LightMod->setCurrentIndex(0);
    on_LightMod_currentIndexChanged(form->LightMod->currentIndex());

    connect(form->AddR, &QToolButton::clicked, this, &LightModeSet::on_AddR_clicked);
    connect(form->AddG, &QToolButton::clicked, this, &LightModeSet::on_AddG_clicked);
    connect(form->AddB, &QToolButton::clicked, this, &LightModeSet::on_AddB_clicked);
    connect(form->ReduceR, &QToolButton::clicked, this, &LightModeSet::on_ReduceR_clicked);
    connect(form->ReduceG, &QToolButton::clicked, this, &LightModeSet::on_ReduceG_clicked);
    connect(form->ReduceB, &QToolButton::clicked, this, &LightModeSet::on_ReduceB_clicked);
    connect(form->RSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &LightModeSet::on_RSpinBox_valueChanged);
    connect(form->GSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &LightModeSet::on_GSpinBox_valueChanged);
    connect(form->BSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &LightModeSet::on_BSpinBox_valueChanged);
    for (int i = 0; i < form->presets.size(); ++i)
        connect(form->presets.at(i), &QToolButton::clicked, this, [this, i]() { ApplyPreset(i); });
    connect(form->CloseButton, &QToolButton::clicked, this, &LightModeSet::on_CloseButton_clicked);
    connect(form->LightMod, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LightModeSet::on_LightMod_currentIndexChanged);
}

LightModeSet::~LightModeSet()
{
    delete form;
}

void LightModeSet::BuildForm()
{
    setObjectName(QStringLiteral("LightModeSet"));
    setWindowTitle(QStringLiteral("Dialog"));
    resize(638, 318);
    Form& f = *form;
    f.LightModeSetframe = new QFrame(this);
    f.LightModeSetframe->setObjectName(QStringLiteral("LightModeSetframe"));
    f.LightModeSetframe->setGeometry(0, 0, 638, 318);
    f.LightModeSetframe->setFrameShape(QFrame::StyledPanel);
    f.LightModeSetframe->setFrameShadow(QFrame::Raised);
    QWidget* frame = f.LightModeSetframe;

    auto label = [frame](const char* name, const QRect& geometry, const QString& text) {
        auto* l = new QLabel(frame);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        l->setFont(PanelForm::YaHei(11));
        l->setText(text);
        return l;
    };
    auto slider = [frame](const char* name, const QRect& geometry) {
        auto* s = new QSlider(Qt::Horizontal, frame);
        s->setObjectName(QString::fromLatin1(name));
        s->setGeometry(geometry);
        s->setRange(1, 10);
        s->setPageStep(1);
        s->setTracking(false);
        s->setFocusPolicy(Qt::NoFocus);
        s->setFont(QFont(QStringLiteral("Microsoft YaHei UI Light")));
        return s;
    };
    auto line = [frame](const char* name, const QRect& geometry) {
        auto* l = new QFrame(frame);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        l->setStyleSheet(QStringLiteral("background-color: rgb(57, 57, 57);"));
        return l;
    };
    auto smallButton = [frame](const char* name, const QRect& geometry, bool autoRaise, const QString& text) {
        auto* b = new QToolButton(frame);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(geometry);
        b->setFixedSize(geometry.size());
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(autoRaise);
        b->setText(text);
        return b;
    };
    auto channel = [frame](const char* name, int y, int points) {
        auto* box = new QSpinBox(frame);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(511, y, 45, 20);
        box->setRange(0, 255);
        box->setValue(0);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setAlignment(Qt::AlignCenter);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setKeyboardTracking(true);
        box->setFont(PanelForm::YaHei(points));
        return box;
    };

    f.label = label("label", QRect(30, 30, 241, 21), QStringLiteral("灯光模式"));
    f.LightMod = new MyConmboBox(frame);
    f.LightMod->setObjectName(QStringLiteral("LightMod"));
    f.LightMod->setGeometry(30, 60, 281, 34);
    f.LightMod->setFixedSize(281, 34);
    f.LightMod->setFocusPolicy(Qt::NoFocus);
    f.LightMod->setFont(PanelForm::YaHei(11));
    f.label_2 = label("label_2", QRect(30, 110, 161, 21), QStringLiteral("亮度"));
    f.horizontalLight = slider("horizontalLight", QRect(30, 140, 281, 25));
    f.horizontalLight->setMinimumSize(25, 25);
    f.horizontalLight->setMaximumSize(316, 22);
    f.line = line("line", QRect(31, 150, 281, 3));
    f.label_3 = label("label_3", QRect(30, 190, 191, 21), QStringLiteral("速度"));
    f.horizontalSpeed = slider("horizontalSpeed", QRect(30, 220, 281, 25));
    f.line_2 = line("line_2", QRect(31, 230, 281, 3));
    f.label_6 = label("label_6", QRect(380, 30, 321, 20), QStringLiteral("自定义颜色"));
    f.label_7 = label("label_7", QRect(380, 60, 200, 22), QString());
    f.label_7->setMinimumSize(200, 22);
    f.label_7->setFont(QFont());
    f.label_8 = label("label_8", QRect(380, 110, 261, 17), QStringLiteral("预览"));
    f.labelPreView = label("labelPreView", QRect(380, 140, 60, 60), QString());
    f.labelPreView->setFixedSize(60, 60);
    f.labelPreView->setScaledContents(true);
    f.labelPreView->setAlignment(Qt::AlignCenter);
    f.labelPreView->setFont(QFont());
    // The channel captions reach up to the minus buttons, so "G:" is not cut.
    f.label_11 = label("label_11", QRect(470, 130, 20, 17), QStringLiteral("R:"));
    f.label_10 = label("label_10", QRect(470, 160, 20, 17), QStringLiteral("G:"));
    f.label_12 = label("label_12", QRect(470, 190, 20, 17), QStringLiteral("B:"));
    f.label_12->setFixedSize(20, 17);
    f.ReduceR = smallButton("ReduceR", QRect(491, 138, 14, 4), false, QStringLiteral("..."));
    f.ReduceG = smallButton("ReduceG", QRect(491, 168, 14, 4), false, QStringLiteral("..."));
    f.ReduceB = smallButton("ReduceB", QRect(491, 198, 14, 4), false, QStringLiteral("..."));
    f.RSpinBox = channel("RSpinBox", 130, 10);
    f.GSpinBox = channel("GSpinBox", 160, 11);
    f.BSpinBox = channel("BSpinBox", 190, 10);
    f.AddR = smallButton("AddR", QRect(562, 133, 14, 14), true, QString());
    f.AddG = smallButton("AddG", QRect(562, 163, 14, 14), true, QString());
    f.AddB = smallButton("AddB", QRect(562, 193, 14, 14), true, QString());
    f.label_13 = label("label_13", QRect(380, 220, 341, 17), QStringLiteral("预设颜色"));
    const int columns[] = {380, 410, 440, 470, 500, 530, 560};
    const QVector<LightColorPresetButton>& presets = LightColorPresets();
    for (int i = 0; i < presets.size(); ++i) {
        auto* preset = new QToolButton(frame);
        preset->setObjectName(presets.at(i).objectName);
        preset->setGeometry(columns[i % 7], i < 7 ? 250 : 280, 18, 18);
        preset->setFixedSize(18, 18);
        preset->setCheckable(true);
        preset->setFocusPolicy(Qt::NoFocus);
        f.presets.append(preset);
    }
    f.CloseButton = new QToolButton(frame);
    f.CloseButton->setObjectName(QStringLiteral("CloseButton"));
    f.CloseButton->setGeometry(610, 10, 20, 20);
    f.CloseButton->setFixedSize(20, 20);
    f.CloseButton->setFocusPolicy(Qt::NoFocus);
    f.CloseButton->setIconSize(QSize(30, 30));
    f.CloseButton->setAutoRaise(true);
}

void LightModeSet::ApplyStyles()
{
    Form& f = *form;
    const QString labelColour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    const QString sliderColour = ThemeColor::Rgb(QStringLiteral("SliderColor"));
    const QString& dir = pictureFolder;
    const QString centred = QStringLiteral(";background-position:center;background-repeat:no-repeat;}");

    for (QLabel* l : {f.label, f.label_2, f.label_3, f.label_6, f.label_8, f.label_10, f.label_11, f.label_12, f.label_13})
        l->setStyleSheet(QStringLiteral("QLabel{color:") + labelColour + QStringLiteral(";}"));
    for (QToolButton* b : {f.ReduceR, f.ReduceG, f.ReduceB})
        b->setStyleSheet(QLatin1Char('#') + b->objectName() + QStringLiteral("{border:0px;background-image:url(") + dir
                         + QStringLiteral("Reduce.png)") + centred);
    for (QToolButton* b : {f.AddR, f.AddG, f.AddB})
        b->setStyleSheet(QLatin1Char('#') + b->objectName() + QStringLiteral("{border:0px;background-image:url(") + dir
                         + QStringLiteral("Add.png)") + centred);
    f.LightModeSetframe->setStyleSheet(QStringLiteral("#LightModeSetframe{border:0px;background-image:url(") + dir
                                       + QStringLiteral("Back.png)") + centred);
    f.CloseButton->setStyleSheet(QStringLiteral("QToolButton{border:0px;background-image:url(") + dir
                                 + QStringLiteral("CloseButton.png)") + centred
                                 + QStringLiteral("QToolButton:hover{background-image:url(") + dir
                                 + QStringLiteral("CloseHover.png);}QToolButton:pressed{background-image:url(") + dir
                                 + QStringLiteral("CloseClick.png);}"));
    for (QSpinBox* box : {f.RSpinBox, f.GSpinBox, f.BSpinBox})
        box->setStyleSheet(PanelStyle::ChannelBoxStyle());
    PanelStyle::SetPanelComboFace(f.LightMod, dir);
    const QString sliderStyle
        = QStringLiteral("QSlider::groove:horizontal{height:5px;border-radius:2px;background:#ffffff;}"
                         "QSlider::handle:horizontal{width:6px;height:18px;margin:-9px -1px -9px -1px;border-image:url(")
        + dir + QStringLiteral("Slider.png);}QSlider::sub-page:horizontal{border-radius:2px;background:") + sliderColour
        + QStringLiteral(";}QSlider::add-page:horizontal{border-radius:2px;background:rgb(255,255,255);}");
    f.horizontalLight->setStyleSheet(sliderStyle);
    f.horizontalSpeed->setStyleSheet(sliderStyle);
    f.labelPreView->setStyleSheet(QStringLiteral("#labelPreView{border:0px;background-image:url(") + dir
                                  + QStringLiteral("PreviewColor.png)") + centred);
    const QVector<LightColorPresetButton>& presets = LightColorPresets();
    for (int i = 0; i < f.presets.size(); ++i)
        f.presets.at(i)->setStyleSheet(QLatin1Char('#') + presets.at(i).objectName
                                       + QStringLiteral("{border:0px;background-image:url(") + dir + presets.at(i).picture
                                       + QLatin1Char(')') + centred);
    f.label_7->setStyleSheet(QStringLiteral("#label_7{border:0px;background-image:url(") + dir
                             + QStringLiteral("ColorBoard.png)") + centred);
}

void LightModeSet::SetColourGroupVisible(bool visible)
{
    for (QWidget* widget : form->ColourGroup())
        widget->setVisible(visible);
}

void LightModeSet::on_LightMod_currentIndexChanged(int index)
{
    Form& f = *form;
    bool light = true;
    bool speed = true;
    bool colour = false;
    switch (index) {
    case 0:
        light = speed = false;
        break;
    case 1:
    case 4:
    case 5:
        break;
    case 2:
        colour = true;
        break;
    case 3:
        speed = false;
        colour = true;
        break;
    case 6:
        speed = false;
        break;
    default:
        return;
    }
    f.horizontalLight->setVisible(light);
    f.line->setVisible(!light);
    f.horizontalSpeed->setVisible(speed);
    f.line_2->setVisible(!speed);
    SetColourGroupVisible(colour);
}

void LightModeSet::ShowSwatch(int red, int green, int blue)
{
    form->labelPreView->setStyleSheet(QStringLiteral("QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  rgb(220,220,220);}")
                                          .arg(red)
                                          .arg(green)
                                          .arg(blue));
}

void LightModeSet::on_RSpinBox_valueChanged(int)
{
    ShowSwatch(form->RSpinBox->value(), form->GSpinBox->value(), form->BSpinBox->value());
}

void LightModeSet::on_GSpinBox_valueChanged(int)
{
    on_RSpinBox_valueChanged(0);
}

void LightModeSet::on_BSpinBox_valueChanged(int)
{
    on_RSpinBox_valueChanged(0);
}

// The boxes keep to 0..255 themselves: a step past either end changes nothing.
void LightModeSet::on_AddR_clicked() { form->RSpinBox->setValue(form->RSpinBox->value() + 1); }
void LightModeSet::on_AddG_clicked() { form->GSpinBox->setValue(form->GSpinBox->value() + 1); }
void LightModeSet::on_AddB_clicked() { form->BSpinBox->setValue(form->BSpinBox->value() + 1); }
void LightModeSet::on_ReduceR_clicked() { form->RSpinBox->setValue(form->RSpinBox->value() - 1); }
void LightModeSet::on_ReduceG_clicked() { form->GSpinBox->setValue(form->GSpinBox->value() - 1); }
void LightModeSet::on_ReduceB_clicked() { form->BSpinBox->setValue(form->BSpinBox->value() - 1); }

void LightModeSet::ApplyPreset(int index)
{
    const QColor colour = LightColorPresets().value(index).colour;
    form->RSpinBox->setValue(colour.red());
    form->GSpinBox->setValue(colour.green());
    form->BSpinBox->setValue(colour.blue());
}

void LightModeSet::SlotAllLanguage(int)
{
}

void LightModeSet::on_CloseButton_clicked()
{
    PostMsg::Instance()->EmitSigButtonCheck();
    close();
}

void LightModeSet::mousePressEvent(QMouseEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return;
    Form& f = *form;
    const QPoint at = event->pos();
    bool inChannel = false;
    for (QSpinBox* box : {f.RSpinBox, f.GSpinBox, f.BSpinBox})
        inChannel = inChannel || QRect(box->mapTo(this, QPoint(0, 0)), box->size()).contains(at);
    if (!inChannel) {
        for (QSpinBox* box : {f.RSpinBox, f.GSpinBox, f.BSpinBox})
            box->clearFocus();
        setFocus(Qt::OtherFocusReason);
    }
    if (!QRect(f.label_7->mapTo(this, QPoint(0, 0)), f.label_7->size()).contains(at))
        return;
    QColor picked;
    // A grab that gives no pixel picks nothing: the colour stays as it was.
    if (!ScreenGrab::PixelAt(ScreenGrab::ScaledCursorPosition(), &picked))
        return;
    f.RSpinBox->setValue(picked.red());
    f.GSpinBox->setValue(picked.green());
    f.BSpinBox->setValue(picked.blue());
    ShowSwatch(picked.red(), picked.green(), picked.blue());
}
