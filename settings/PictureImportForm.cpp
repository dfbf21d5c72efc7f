#include "settings/PictureImportForm.h"

#include "app/ThemeColor.h"
#include "dialogs/NoticeFrame.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace {

QFont Yahei(int points)
{
    QFont font(QStringLiteral("微软雅黑"));
    if (points > 0)
        font.setPointSize(points);
    return font;
}

} // namespace

PictureImportForm::PictureImportForm(QDialog* dialog, const QString& dialogName, Arrangement arrangement)
    : m_dialog(dialog)
{
    const bool a = arrangement == Arrangement::A;
    dialog->setObjectName(dialogName);
    dialog->resize(638, 318);
    dialog->setWindowTitle(QStringLiteral("Dialog"));

    InputPicAFrame = new QFrame(dialog);
    InputPicAFrame->setObjectName(QStringLiteral("InputPicAFrame"));
    InputPicAFrame->setGeometry(0, 0, 638, 318);
    InputPicAFrame->setFrameShape(QFrame::StyledPanel);
    InputPicAFrame->setFrameShadow(QFrame::Raised);

    auto makeButton = [this](const char* name, const QRect& geometry) {
        auto* button = new QToolButton(InputPicAFrame);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(geometry);
        return button;
    };
    auto makeLabel = [this](const char* name, const QRect& geometry, const QFont& font, const QString& text) {
        auto* l = new QLabel(InputPicAFrame);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        l->setFont(font);
        l->setText(text);
        return l;
    };

    CheckButton = makeButton("CheckButton", QRect(160, 35, 36, 18));
    CheckButton->setCheckable(true);
    label = makeLabel("label", QRect(50, 33, 111, 21), Yahei(11), QStringLiteral("关闭屏幕"));
    label_2 = makeLabel("label_2", QRect(50, a ? 135 : 75, 301, 21), Yahei(10), QStringLiteral("图片预览(1080x1920"));
    const int pictureY = a ? 160 : 155;
    const QSize pictureSize = a ? QSize(74, 100) : QSize(88, 64);
    toolButtonA = makeButton("toolButtonA", QRect(QPoint(50, pictureY), pictureSize));
    toolButtonB = makeButton("toolButtonB", QRect(QPoint(150, pictureY), pictureSize));
    toolButtonC = makeButton("toolButtonC", QRect(QPoint(250, pictureY), pictureSize));
    toolButtonD = makeButton("toolButtonD", QRect(QPoint(350, pictureY), pictureSize));
    for (QToolButton* picture : {toolButtonA, toolButtonB, toolButtonC, toolButtonD})
        picture->setCheckable(true);
    Input = makeButton("Input", QRect(460, a ? 180 : 160, 96, 26));
    Input->setFont(Yahei(10));
    Input->setText(QStringLiteral("导入"));
    Output = makeButton("Output", QRect(460, a ? 220 : 190, 96, 26));
    Output->setFont(Yahei(10));
    Output->setText(QStringLiteral("导出"));
    label_3 = makeLabel("label_3", QRect(50, a ? 70 : 120, 291, 21), Yahei(10), QStringLiteral("屏幕亮度"));
    SpeedH = new QSlider(Qt::Horizontal, InputPicAFrame);
    SpeedH->setObjectName(QStringLiteral("SpeedH"));
    SpeedH->setGeometry(50, 90, 281, 25);
    SpeedH->setFocusPolicy(Qt::NoFocus);
    SpeedH->setRange(1, 5);
    SpeedH->setPageStep(1);
    SpeedH->setTracking(false);
    const int numberY = a ? 265 : 225;
    label_4 = makeLabel("label_4", QRect(85, numberY, 16, 16), Yahei(0), QStringLiteral("1"));
    label_5 = makeLabel("label_5", QRect(185, numberY, 16, 16), Yahei(0), QStringLiteral("2"));
    label_6 = makeLabel("label_6", QRect(285, numberY, 16, 16), Yahei(0), QStringLiteral("3"));
    label_7 = makeLabel("label_7", QRect(385, numberY, 16, 16), Yahei(0), QStringLiteral("4"));
    CloseButton = makeButton("CloseButton", QRect(610, 10, 20, 20));
    QSizePolicy fixed(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fixed.setHorizontalStretch(32);
    fixed.setVerticalStretch(32);
    CloseButton->setSizePolicy(fixed);
    CloseButton->setFixedSize(20, 20);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);
}

QButtonGroup* PictureImportForm::MakePictureGroup()
{
    auto* group = new QButtonGroup(m_dialog);
    group->setExclusive(true);
    for (QToolButton* picture : {toolButtonA, toolButtonB, toolButtonC, toolButtonD})
        group->addButton(picture);
    return group;
}

void PictureImportForm::ApplyStyle(const QString& folder)
{
    m_dialog->setWindowFlags(NoticeFrame::WindowFlags());
    const QString labelColour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    const QString buttonColour = ThemeColor::Rgb(QStringLiteral("ButtonColor"));
    const QString sliderColour = ThemeColor::Rgb(QStringLiteral("SliderColor"));
    auto url = [&folder](const char* picture) {
        return QStringLiteral("url(") + folder + QString::fromLatin1(picture) + QLatin1Char(')');
    };
    InputPicAFrame->setStyleSheet(QStringLiteral("#InputPicAFrame{border:0px;background-image:") + url("Back.png")
                                  + QStringLiteral(";background-position:center;background-repeat:no-repeat;}"));
    for (QLabel* l : {label, label_2, label_3, label_4, label_5, label_6, label_7})
        l->setStyleSheet(QStringLiteral("QLabel{color:") + labelColour + QStringLiteral(";}"));
    for (QToolButton* picture : {toolButtonA, toolButtonB, toolButtonC, toolButtonD})
        picture->setStyleSheet(QStringLiteral("QToolButton{border:0px;color:") + buttonColour
                               + QStringLiteral(";border-image:") + url("Pic.png")
                               + QStringLiteral(";}QToolButton:checked{border-image:") + url("PicHover.png")
                               + QStringLiteral(";}"));
    for (QToolButton* button : {Input, Output})
        button->setStyleSheet(QStringLiteral("QToolButton{border:0px;color:") + buttonColour
                              + QStringLiteral(";border-image:") + url("Button.png")
                              + QStringLiteral(";}QToolButton:hover{border-image:") + url("ButtonHover.png")
                              + QStringLiteral(";}"));
    CheckButton->setStyleSheet(QStringLiteral("QToolButton{border:0px;color:rgb(255,255,255);background-image:")
                               + url("Close.png")
                               + QStringLiteral(";background-position:center;background-repeat:no-repeat;}"
                                                "QToolButton:checked{background-image:")
                               + url("Open.png") + QStringLiteral(";}"));
    SpeedH->setStyleSheet(QStringLiteral("QSlider::groove:horizontal{height:5px;border-radius:2px;background:#ffffff;}"
                                         "QSlider::handle:horizontal{width:6px;height:18px;border-radius:2px;"
                                         "margin:-9px -1px -9px -1px;border-image:")
                          + url("Slider.png")
                          + QStringLiteral(";}QSlider::sub-page:horizontal{border-radius:2px;background:") + sliderColour
                          + QStringLiteral(";}QSlider::add-page:horizontal{border-radius:2px;background:rgb(255,255,255);}"));
    CloseButton->setStyleSheet(QStringLiteral("QToolButton{border:0px;background-image:") + url("CloseButton.png")
                               + QStringLiteral(";background-position:center;background-repeat:no-repeat;}"
                                                "QToolButton:hover{background-image:")
                               + url("CloseHover.png") + QStringLiteral(";}QToolButton:pressed{background-image:")
                               + url("CloseClick.png") + QStringLiteral(";}"));
}
