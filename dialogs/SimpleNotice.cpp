#include "dialogs/SimpleNotice.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

SimpleNotice::SimpleNotice(QWidget* parent, const QString& dialogName, const QString& frameName)
    : QDialog(parent)
    , form(new NoticeForm(this, dialogName, frameName))
{
    connect(form->CloseButton, &QToolButton::clicked, this, &SimpleNotice::on_CloseButton_clicked);
}

SimpleNotice::~SimpleNotice()
{
    delete form;
}

void SimpleNotice::AddOkButton(const QRect& geometry)
{
    form->AddOkButton(QStringLiteral("NewHong"), geometry, QStringLiteral("确定"));
    connect(form->okButton, &QToolButton::clicked, this, &SimpleNotice::on_NewHong_clicked);
}

void SimpleNotice::Finish()
{
    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    // Resolved on the subclass: Finish runs at the end of its constructor.
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    QMetaObject::invokeMethod(this, "SlotAllLanguage", Qt::DirectConnection, Q_ARG(int, languageIndex));
    form->ScaleFonts();
}

void SimpleNotice::ShowTexts(int index, const QString& section, const QString& key)
{
    form->label->setText(LanguageTables::Text(index, section, key));
    if (form->okButton)
        form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void SimpleNotice::on_CloseButton_clicked()
{
    close();
}

void SimpleNotice::on_NewHong_clicked()
{
    close();
}
