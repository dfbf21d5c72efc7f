#include "dialogs/LeftButtonOnly.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

LeftButtonOnly::LeftButtonOnly(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("LeftButtonOnly"), QStringLiteral("ButtonOnly")))
{
    setMinimumSize(300, 140);
    setMaximumSize(300, 140);
    form->label->setGeometry(0, 19, 301, 91);
    form->label->setText(QStringLiteral("Left button must be retained"));
    connect(form->CloseButton, &QToolButton::clicked, this, &LeftButtonOnly::on_CloseButton_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

LeftButtonOnly::~LeftButtonOnly()
{
    delete form;
}

void LeftButtonOnly::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("key"), QStringLiteral("DialogKeepLeftKey")));
}

void LeftButtonOnly::on_CloseButton_clicked()
{
    close();
}
