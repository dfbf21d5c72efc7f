#pragma once

#include "platform/ElapsedTimer.h"
#include "platform/HeldKeys.h"

#include <QDialog>
#include <QString>

#include <memory>

class KeyboardHook;
class MyLineEdit;
class NoticeForm;
class QCheckBox;

// Captures a key combination of up to three keys: keys pressed within 2000 ms
// of the first one, plus the modifiers ticked in four check boxes (Shift,
// Ctrl, Alt, Win), which are not captured as keys. The button page runs it
// modally, then reads `confirmed` and `keyText` ("Shift+Ctrl+A": modifiers
// first, then the captured keys, joined by "+"; the key "Num+" keeps its own
// plus sign).
class GroupKey : public QDialog {
    Q_OBJECT
public:
    explicit GroupKey(QWidget* parent = nullptr);
    ~GroupKey() override;

    bool confirmed = false;
    QString keyText;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_2_clicked();
    void on_NewHong_clicked();

public slots:
    // The hook's callback: adds each newly pressed key to the combination.
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);
    // Text pasted or dropped into the display is taken in upper case.
    void on_lineEdit_textEdited(const QString& text);
    void SlotAllLanguage(int index);

protected:
    // Esc and F12 are swallowed, so they can be captured without closing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // How many keys the display shows.
    int ShownKeyCount() const;

    std::unique_ptr<KeyboardHook> hook;
    // Separators between the keys shown at the last captured key.
    int plusCount = 0;
    int lastCapturedKey = -1;
    // Keys down now: an auto-repeat of one is never a new key.
    HeldKeys heldKeys;
    bool awaitingFirstKey = true;
    // Since the first key of the combination being captured.
    ElapsedTimer captureTimer;
    NoticeForm* form;
    MyLineEdit* lineEdit;
    QCheckBox* Shift;
    QCheckBox* Ctrl;
    QCheckBox* Alt;
    QCheckBox* Win;
    QString pictureFolder;
};
