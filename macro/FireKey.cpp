#include "macro/FireKey.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

QFont CaptionFont()
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    return font;
}

// The value is typed: no arrows, centred. How an unfinished typed value is
// taken: the interval's becomes its lowest value; an emptied count keeps its
// last value, since 0 is a mode of its own rather than the lowest count.
QSpinBox* ValueBox(QWidget* parent, const QString& name, const QRect& geometry, int minimum, int maximum,
                   int value, QAbstractSpinBox::CorrectionMode correction)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(12);
    box->setFont(font);
    box->setAlignment(Qt::AlignCenter);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setCorrectionMode(correction);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QLabel* Caption(QWidget* parent, const QString& name, const QRect& geometry, const QString& text)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(CaptionFont());
    label->setText(text);
    return label;
}

} // namespace

FireKey::FireKey(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("FireKey"), QStringLiteral("FireKeyA")))
{
    resize(406, 170);
    setMinimumSize(406, 170);
    setMaximumSize(406, 170);
    form->frame->setMinimumSize(406, 170);
    form->frame->setMaximumSize(406, 170);
    form->frame->setGeometry(0, 0, 406, 170);
    form->CloseButton->setGeometry(380, 5, 20, 20);

    // The frame's text label is the count caption here. Both captions reach
    // as far as the next one, so a longer translation is not cut off.
    form->label->setGeometry(60, 30, 175, 16);
    form->label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->label->setWordWrap(false);
    form->label->setText(QStringLiteral("次数 (0-3)"));
    label_2 = Caption(form->frame, QStringLiteral("label_2"), QRect(240, 30, 160, 16), QStringLiteral("间隔 (10-255)"));
    label_3 = Caption(form->frame, QStringLiteral("label_3"), QRect(0, 79, 401, 61),
                      QStringLiteral("次数设置为0时, 按下按键一直发, 松开按键结束"));
    label_3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label_3->setWordWrap(true);

    Count = ValueBox(form->frame, QStringLiteral("Count"), QRect(60, 50, 71, 27), 0, 3, 3,
                     QAbstractSpinBox::CorrectToPreviousValue);
    Time = ValueBox(form->frame, QStringLiteral("Time"), QRect(255, 50, 81, 27), 10, 255, 10,
                    QAbstractSpinBox::CorrectToNearestValue);

    form->AddOkButton(QStringLiteral("NewHong"), QRect(60, 137, 81, 24), QStringLiteral("确认"));
    form->AddCancelButton(QStringLiteral("NewHong_2"), QRect(260, 137, 81, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &FireKey::on_CloseButton_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &FireKey::on_NewHong_2_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &FireKey::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    label_2->setStyleSheet(NoticeFrame::LabelStyle());
    label_3->setStyleSheet(NoticeFrame::LabelStyle());
    Count->setStyleSheet(NoticeFrame::EntryStyle(QStringLiteral("QSpinBox")));
    Time->setStyleSheet(NoticeFrame::EntryStyle(QStringLiteral("QSpinBox")));
    // This background is wider than the notice picture: stretch it over the frame.
    form->frame->setStyleSheet(
        QStringLiteral("#FireKeyA{border:0px;background-position:center;background-repeat:no-repeat;border-image: url(")
        + pictureFolder + QStringLiteral("BackGround.png);}"));

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

FireKey::~FireKey()
{
    delete form;
}

void FireKey::SetTime(int value)
{
    Time->setValue(value);
}

void FireKey::SetCount(int value)
{
    Count->setValue(value);
}

void FireKey::on_CloseButton_clicked()
{
    confirmed = false;
    close();
}

void FireKey::on_NewHong_2_clicked()
{
    confirmed = false;
    close();
}

void FireKey::on_NewHong_clicked()
{
    // Take what the fields show, even while a typed value is still incomplete.
    Time->interpretText();
    Count->interpretText();
    confirmed = true;
    interval = Time->value();
    count = Count->value();
    close();
}

void FireKey::SlotAllLanguage(int index)
{
    const QString key = QStringLiteral("key");
    form->label->setText(LanguageTables::Text(index, key, QStringLiteral("DialogFireKeyTimes")));
    label_2->setText(LanguageTables::Text(index, key, QStringLiteral("DialogFireKeyInterval")));
    label_3->setText(LanguageTables::Text(index, key, QStringLiteral("DialogFireKeyTips")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
}
