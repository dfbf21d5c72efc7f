#include "macro/GroupKey.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "buttons/KeyBlockCodec.h"
#include "dialogs/GroupMaxThree.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/ScaleWidgetFonts.h"
#include "macro/KeyNameTable.h"
#include "macro/KeyboardHook.h"
#include "widgets/MyLineEdit.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QStringList>
#include <QToolButton>

namespace {

// Keys more than this far from the first key start a new combination.
constexpr qint64 kCombinationWindowMs = 2000;
constexpr int kMaxKeys = 3;

QCheckBox* ModifierBox(QWidget* parent, const QString& name, const QRect& geometry, const QString& text)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setText(text);
    return box;
}

// The display is the key names joined by "+"; the key "Num+" holds a plus
// sign of its own and counts once.
int KeyCount(const QString& display)
{
    return display.isEmpty() ? 0 : KeyBlockCodec::SplitCombination(display).size();
}

} // namespace

GroupKey::GroupKey(QWidget* parent)
    : QDialog(parent)
    , hook(std::make_unique<KeyboardHook>(KeyboardHookInstance::Combination))
    , form(new NoticeForm(this, QStringLiteral("GroupKey"), QStringLiteral("groupKeyA")))
{
    setMinimumSize(300, 140);
    setMaximumSize(300, 140);
    form->label->setGeometry(45, 9, 231, 51);
    form->label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    form->label->setWordWrap(false);
    form->label->setText(QStringLiteral("Please enter keystroke"));

    lineEdit = new MyLineEdit(form->frame);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setGeometry(45, 60, 231, 20);
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    lineEdit->setFont(font);
    lineEdit->setAlignment(Qt::AlignCenter);

    Shift = ModifierBox(form->frame, QStringLiteral("Shift"), QRect(45, 85, 61, 17), QStringLiteral("shift"));
    Ctrl = ModifierBox(form->frame, QStringLiteral("Ctrl"), QRect(110, 85, 51, 17), QStringLiteral("Ctrl"));
    Alt = ModifierBox(form->frame, QStringLiteral("Alt"), QRect(170, 85, 51, 17), QStringLiteral("Alt"));
    Win = ModifierBox(form->frame, QStringLiteral("Win"), QRect(225, 85, 61, 17), QStringLiteral("Win"));

    form->AddOkButton(QStringLiteral("NewHong"), QRect(50, 110, 90, 24), QStringLiteral("确定"));
    form->AddCancelButton(QStringLiteral("NewHong_2"), QRect(170, 110, 90, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &GroupKey::on_CloseButton_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &GroupKey::on_NewHong_2_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &GroupKey::on_NewHong_clicked);
    connect(lineEdit, &QLineEdit::textEdited, this, &GroupKey::on_lineEdit_textEdited);

    pictureFolder = NoticeFrame::PictureFolder();
    hook->InstallKeyboardHook();
    hook->SetCallback([this](int keyCode, bool down, bool repeat) { UpdateCapslockTip(keyCode, down, repeat); });

    form->ApplyStyle(pictureFolder);
    // The display shows key names, never composed text.
    lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    lineEdit->setFocus(Qt::OtherFocusReason);
    lineEdit->setStyleSheet(NoticeFrame::EntryStyle(QStringLiteral("QLineEdit")));
    for (QCheckBox* box : {Shift, Ctrl, Alt, Win})
        box->setStyleSheet(NoticeFrame::CheckBoxStyle(pictureFolder));

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);

    // The display keeps the size its form gives it.
    const double factor = ScreenFontFactor();
    for (auto& entry : WidgetTreeFonts(this)) {
        if (entry.first->objectName() == QLatin1String("lineEdit"))
            continue;
        QFont scaled = entry.second;
        if (scaled.pointSizeF() <= 0)
            continue;
        scaled.setPointSizeF(scaled.pointSizeF() * factor);
        entry.first->setFont(scaled);
    }
}

GroupKey::~GroupKey()
{
    // Closed by other means than the buttons: the callback is bound to this dialog.
    hook->RemoveKeyboardHook();
    hook->SetCallback(nullptr);
    delete form;
}

int GroupKey::ShownKeyCount() const
{
    return KeyCount(lineEdit->text());
}

void GroupKey::UpdateCapslockTip(int keyCode, bool downOrUp, bool /*aotu*/)
{
    // Releases only say which keys are still down. A held key repeats its
    // press: after the third key of a combination, or after another key went
    // up, that is still no new key.
    if (!heldKeys.Take(keyCode, downOrUp) || !downOrUp)
        return;

    if (awaitingFirstKey) {
        captureTimer.start();
        awaitingFirstKey = false;
    } else if (captureTimer.elapsed() > kCombinationWindowMs) {
        lineEdit->clear();
        lastCapturedKey = -1;
        captureTimer.restart();
    }

    // A key held down repeats.
    if (keyCode == lastCapturedKey)
        return;
    lastCapturedKey = keyCode;

    QString name;
    if (!KeyNameTable::VirtualKeyToKeyName(keyCode, &name, KeyNameTable::VirtualKeySet::WithoutModifiers))
        name.clear();

    const int shown = ShownKeyCount();
    plusCount = shown > 0 ? shown - 1 : 0;
    if (shown == kMaxKeys) {
        // A fourth key starts a new combination.
        plusCount = 0;
        lastCapturedKey = keyCode;
        lineEdit->setText(name);
        return;
    }
    // A key shown already, or one without a name (the empty name occurs in
    // every text), adds nothing.
    if (lineEdit->text().contains(name))
        return;

    if (lineEdit->text().isEmpty()) {
        lineEdit->setText(name);
    } else {
        lineEdit->setText(lineEdit->text() + QLatin1Char('+') + name);
        if (plusCount == 1)
            lastCapturedKey = -1;
    }
}

void GroupKey::on_NewHong_clicked()
{
    QStringList modifiers;
    const QList<QPair<QCheckBox*, QString>> boxes = {{Shift, QStringLiteral("Shift")},
                                                     {Ctrl, QStringLiteral("Ctrl")},
                                                     {Alt, QStringLiteral("Alt")},
                                                     {Win, QStringLiteral("Win")}};
    for (const auto& box : boxes) {
        if (box.first->isChecked())
            modifiers << box.second;
    }
    const QString modifierPart = modifiers.join(QLatin1Char('+'));
    const QString display = lineEdit->text();
    const int count = modifiers.size() + ShownKeyCount();

    if (count <= kMaxKeys) {
        hook->RemoveKeyboardHook();
        if (!modifierPart.isEmpty() && !display.isEmpty())
            keyText = modifierPart + QLatin1Char('+') + display;
        else
            keyText = modifierPart.isEmpty() ? display : modifierPart;
        confirmed = true;
        close();
        return;
    }

    GroupMaxThree notice;
    notice.move(mapToGlobal(QPoint(0, 0)));
    notice.exec();
    plusCount = 0;
    lastCapturedKey = -1;
    lineEdit->clear();
}

void GroupKey::on_NewHong_2_clicked()
{
    confirmed = false;
    hook->RemoveKeyboardHook();
    close();
}

void GroupKey::on_CloseButton_clicked()
{
    confirmed = false;
    hook->RemoveKeyboardHook();
    close();
}

void GroupKey::on_lineEdit_textEdited(const QString& text)
{
    lineEdit->setText(text.toUpper());
}

void GroupKey::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("ComKey")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
}

void GroupKey::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QDialog::keyPressEvent(event);
}
