#include "dialogs/NoticeForm.h"

#include "dialogs/NoticeFrame.h"
#include "dialogs/RoundedWindowShape.h"
#include "dialogs/ScaleWidgetFonts.h"

#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSizePolicy>
#include <QToolButton>

namespace {

constexpr int kTextSideMargin = 12;

QFont NoticeFont()
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    return font;
}

} // namespace

NoticeForm::NoticeForm(QDialog* dialog, const QString& dialogName, const QString& frameName)
    : dialog(dialog)
{
    dialog->setObjectName(dialogName);
    dialog->resize(300, 140);
    dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    dialog->setWindowTitle(QStringLiteral("Dialog"));

    frame = new QFrame(dialog);
    frame->setObjectName(frameName);
    frame->setGeometry(QRect(0, 0, 300, 140));
    frame->setMinimumSize(300, 140);
    frame->setMaximumSize(300, 140);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    CloseButton = new QToolButton(frame);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(QRect(275, 5, 20, 20));
    CloseButton->setMaximumSize(20, 20);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);
    CloseButton->setText(QString());

    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(0, 30, 301, 71));
    label->setFont(NoticeFont());
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    // Wrapped text keeps clear of the rounded edges of the background.
    label->setContentsMargins(kTextSideMargin, 0, kTextSideMargin, 0);
}

QToolButton* NoticeForm::AddButton(const QString& objectName, const QRect& geometry, const QString& text)
{
    auto* button = new QToolButton(frame);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setMinimumSize(0, 0);
    button->setMaximumSize(500, 500);
    button->setFont(NoticeFont());
    button->setAutoRaise(true);
    button->setText(text);
    return button;
}

QToolButton* NoticeForm::AddOkButton(const QString& objectName, const QRect& geometry, const QString& text)
{
    okButton = AddButton(objectName, geometry, text);
    return okButton;
}

QToolButton* NoticeForm::AddCancelButton(const QString& objectName, const QRect& geometry, const QString& text)
{
    cancelButton = AddButton(objectName, geometry, text);
    return cancelButton;
}

void NoticeForm::ApplyStyle(const QString& pictureFolder, const QString& buttonPicture,
                            const QString& buttonPressedPicture)
{
    dialog->setWindowFlags(NoticeFrame::WindowFlags());
    if (!dialog->findChild<RoundedWindowShape*>(QString(), Qt::FindDirectChildrenOnly))
        new RoundedWindowShape(dialog, frame);
    label->setStyleSheet(NoticeFrame::LabelStyle());
    for (QToolButton* button : {okButton, cancelButton}) {
        if (button)
            button->setStyleSheet(NoticeFrame::ButtonStyle(pictureFolder, buttonPicture, buttonPressedPicture));
    }
    CloseButton->setStyleSheet(NoticeFrame::CloseButtonStyle(pictureFolder));
    frame->setStyleSheet(NoticeFrame::BackgroundStyle(frame->objectName(), pictureFolder));
}

void NoticeForm::ScaleFonts()
{
    ScaleWidgetFonts(dialog, ScreenFontFactor());
}
