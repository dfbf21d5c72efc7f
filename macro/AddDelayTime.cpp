#include "macro/AddDelayTime.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

AddDelayTime::AddDelayTime(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("AddDelayTime"), QStringLiteral("AddDelayTimeA")))
{
    form->label->setGeometry(30, 25, 241, 41);
    form->label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    form->label->setText(QStringLiteral("Please enter the delay time"));

    // The delay is typed: no arrows, centred, and a typed value below the
    // range becomes its lowest value rather than the one shown before.
    spinBox = new QSpinBox(form->frame);
    spinBox->setObjectName(QStringLiteral("spinBox"));
    spinBox->setGeometry(30, 70, 231, 20);
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(12);
    spinBox->setFont(font);
    spinBox->setAlignment(Qt::AlignCenter);
    spinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spinBox->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    spinBox->setRange(10, 65535);
    spinBox->setValue(10);

    form->AddOkButton(QStringLiteral("NewHong"), QRect(40, 110, 90, 24), QStringLiteral("确定"));
    form->AddCancelButton(QStringLiteral("NewHong_2"), QRect(160, 110, 90, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &AddDelayTime::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &AddDelayTime::on_NewHong_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &AddDelayTime::on_NewHong_2_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    spinBox->setStyleSheet(NoticeFrame::EntryStyle(QStringLiteral("QSpinBox")));

    // The user types the delay at once.
    spinBox->setFocus(Qt::ActiveWindowFocusReason);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

AddDelayTime::~AddDelayTime()
{
    delete form;
}

void AddDelayTime::on_CloseButton_clicked()
{
    confirmed = false;
    close();
}

void AddDelayTime::on_NewHong_clicked()
{
    // Take what the field shows, even while a typed value is still incomplete.
    spinBox->interpretText();
    confirmed = true;
    delay = spinBox->value();
    close();
}

void AddDelayTime::on_NewHong_2_clicked()
{
    confirmed = false;
    close();
}

void AddDelayTime::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("EnterDelay")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
}
