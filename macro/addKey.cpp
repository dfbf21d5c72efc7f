#include "macro/addKey.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"
#include "macro/KeyNameTable.h"
#include "macro/KeyboardHook.h"

#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

addKey::addKey(QWidget* parent)
    : QDialog(parent)
    , hook(std::make_unique<KeyboardHook>(KeyboardHookInstance::SingleKey))
    , form(new NoticeForm(this, QStringLiteral("addKey"), QStringLiteral("addKeyA")))
{
    form->label->setGeometry(30, 25, 241, 41);
    form->label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    form->label->setText(QStringLiteral("Please enter a button"));

    lineEdit = new QLineEdit(form->frame);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setGeometry(30, 70, 231, 20);
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(12);
    lineEdit->setFont(font);
    lineEdit->setMaxLength(50);
    lineEdit->setAlignment(Qt::AlignCenter);

    form->AddOkButton(QStringLiteral("NewHong"), QRect(40, 110, 90, 24), QStringLiteral("确定"));
    form->AddCancelButton(QStringLiteral("NewHong_2"), QRect(160, 110, 90, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &addKey::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &addKey::on_NewHong_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &addKey::on_NewHong_2_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    hook->InstallKeyboardHook();
    hook->SetCallback([this](int keyCode, bool down, bool repeat) { UpdateCapslockTip(keyCode, down, repeat); });

    form->ApplyStyle(pictureFolder);
    lineEdit->setStyleSheet(NoticeFrame::EntryStyle(QStringLiteral("QLineEdit")));
    lineEdit->setFocus(Qt::ActiveWindowFocusReason);

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

addKey::~addKey()
{
    // Closed by other means than the buttons: the callback is bound to this dialog.
    hook->RemoveKeyboardHook();
    hook->SetCallback(nullptr);
    delete form;
}

void addKey::UpdateCapslockTip(int keyCode, bool /*downOrUp*/, bool /*aotu*/)
{
    QString name;
    if (!KeyNameTable::VirtualKeyToKeyName(keyCode, &name))
        name.clear();
    lineEdit->setText(name);
    keyName = name;
}

void addKey::on_CloseButton_clicked()
{
    confirmed = false;
    hook->RemoveKeyboardHook();
    reject();
}

void addKey::on_NewHong_clicked()
{
    confirmed = true;
    hook->RemoveKeyboardHook();
    accept();
}

void addKey::on_NewHong_2_clicked()
{
    confirmed = false;
    hook->RemoveKeyboardHook();
    reject();
}

void addKey::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("EnterKey")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
}

void addKey::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QDialog::keyPressEvent(event);
}
