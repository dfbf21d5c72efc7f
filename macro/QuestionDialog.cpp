#include "macro/QuestionDialog.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/ScaleWidgetFonts.h"
#include "macro/MacroFileNotice.h"
#include "macro/MacroName.h"

#include <QFont>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

// Characters a name may not take from a key press.
bool IsRefusedKeyText(const QString& text)
{
    static const QStringList refused = {
        QStringLiteral("-"), QStringLiteral("="), QStringLiteral("["), QStringLiteral("]"),
        QStringLiteral(";"), QStringLiteral("'"), QStringLiteral(","), QStringLiteral("."),
        QStringLiteral("/"), QStringLiteral("`"), QStringLiteral("\\"), QStringLiteral("*"),
        QStringLiteral("+"), QString(QChar(0x3010)), QString(QChar(0xFF1B)), QString(QChar(0x2019)),
        QString(QChar(0xFF0C)), QString(QChar(0x3002)),
    };
    return refused.contains(text);
}

// Characters a name may not take from an input method's commit.
bool IsRefusedCommitText(const QString& text)
{
    static const QStringList refused = {
        QString(QChar(0x3010)), QString(QChar(0x3011)), QStringLiteral("-"), QStringLiteral("="),
        QString(QChar(0x3001)), QString(QChar(0xFF1B)), QString(QChar(0x2019)), QString(QChar(0xFF0C)),
        QString(QChar(0x3002)), QStringLiteral("/"), QStringLiteral("*"), QString(QChar(0x00B7)),
        QString(QChar(0x2018)),
    };
    return refused.contains(text);
}

} // namespace

QuestionDialog::QuestionDialog(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("QuestionDialog"), QStringLiteral("Question")))
{
    setMinimumSize(300, 140);
    setMaximumSize(300, 140);
    form->label->setGeometry(30, 20, 241, 41);
    form->label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    form->label->setText(QStringLiteral("Please create a macro first"));

    lineEdit = new QLineEdit(form->frame);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setGeometry(30, 70, 241, 20);
    QFont family;
    family.setFamily(QStringLiteral("微软雅黑"));
    lineEdit->setFont(family);
    lineEdit->setAlignment(Qt::AlignCenter);
    lineEdit->setMaxLength(32767);
    lineEdit->setInputMask(QString());

    form->AddOkButton(QStringLiteral("NewHong"), QRect(50, 110, 90, 24), QStringLiteral("确认"));
    form->AddCancelButton(QStringLiteral("NewHong_2"), QRect(170, 110, 90, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &QuestionDialog::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &QuestionDialog::on_NewHong_clicked);
    connect(lineEdit, &QLineEdit::textEdited, this, &QuestionDialog::on_lineEdit_textEdited);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    setFixedSize(300, 140);
    connect(form->cancelButton, &QToolButton::clicked, this, &QuestionDialog::WindowClosedLan);
    lineEdit->setStyleSheet(NoticeFrame::EntryStyle(QStringLiteral("QLineEdit")));
    lineEdit->setFocus(Qt::ActiveWindowFocusReason);
    lineEdit->installEventFilter(this);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);

    // The field keeps the font it has; everything else is scaled to the screen.
    const double factor = ScreenFontFactor();
    for (auto& entry : WidgetTreeFonts(this)) {
        if (entry.first == lineEdit)
            continue;
        QFont font = entry.second;
        if (font.pointSizeF() <= 0)
            continue;
        font.setPointSizeF(font.pointSizeF() * factor);
        entry.first->setFont(font);
    }
}

QuestionDialog::~QuestionDialog()
{
    delete form;
}

void QuestionDialog::SetPromptMode(int mode)
{
    form->label->setText(mode == 0 ? selectMacroFirstText : inputMacroNameText);
}

void QuestionDialog::WindowClosedLan()
{
    macroName.clear();
    close();
}

void QuestionDialog::on_CloseButton_clicked()
{
    macroName.clear();
    close();
}

void QuestionDialog::on_NewHong_clicked()
{
    const QString name = lineEdit->text();
    // A pasted name passes the key filter; one that cannot be a file name
    // leaves the dialog open for the user to change it.
    if (!name.isEmpty() && !MacroName::IsSafe(name)) {
        macroName.clear();
        // Said, not only refused: the user sees what to change.
        MacroFileNotice notice(MacroFileNotice::Failure::NameRefused);
        NoticeFrame::PlaceOnCaller(&notice, this, 0, 0);
        notice.exec();
        lineEdit->selectAll();
        lineEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    macroName = name;
    close();
}

void QuestionDialog::SlotAllLanguage(int index)
{
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
    selectMacroFirstText = LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("DialogSelectMacroFirst"));
    inputMacroNameText = LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("DialogInputMacroName"));
}

void QuestionDialog::on_lineEdit_textEdited(const QString& text)
{
    QString name = text;
    if (name.endsWith(QLatin1Char(' ')))
        name.remove(QLatin1Char(' '));
    lineEdit->setText(MacroName::CutToBytes(name, MacroName::MaxBytes));
}

bool QuestionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit) {
        if (event->type() == QEvent::KeyPress && IsRefusedKeyText(static_cast<QKeyEvent*>(event)->text()))
            return true;
        if (event->type() == QEvent::InputMethod
            && IsRefusedCommitText(static_cast<QInputMethodEvent*>(event)->commitString()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QuestionDialog::keyPressEvent(QKeyEvent* event)
{
    // No shifted characters: the field is off while Shift is held.
    if (event->key() == Qt::Key_Shift) {
        lineEdit->setEnabled(false);
        return;
    }
    // Not the dialog's own handling: Esc does not close it, Enter does not confirm it.
    QWidget::keyPressEvent(event);
}

void QuestionDialog::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        lineEdit->setEnabled(true);
        lineEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget::keyReleaseEvent(event);
}
