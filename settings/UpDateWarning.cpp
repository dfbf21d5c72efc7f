#include "settings/UpDateWarning.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QKeySequence>
#include <QLabel>
#include <QToolButton>

UpDateWarning::UpDateWarning(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("UpDateWarning"), QStringLiteral("WarningFrame")))
{
    form->label->setGeometry(5, 30, 291, 71);
    form->label->setText(QStringLiteral("Confirm Delete"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &UpDateWarning::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &UpDateWarning::on_NewHong_clicked);

    pictureDir = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureDir);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

UpDateWarning::~UpDateWarning()
{
    delete form;
}

void UpDateWarning::SetText(const QString& text)
{
    form->label->setText(text);
}

void UpDateWarning::on_CloseButton_clicked()
{
    close();
}

void UpDateWarning::on_NewHong_clicked()
{
    close();
}

void UpDateWarning::SlotAllLanguage(int index)
{
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    // A new button text replaces the shortcut with the text's mnemonic, so
    // Return is given back after every text change.
    form->okButton->setShortcut(QKeySequence(Qt::Key_Return));
}
