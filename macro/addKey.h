#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class KeyboardHook;
class NoticeForm;
class QLineEdit;

// Captures one key by its press or release: the event list editing opens it
// to insert a key event or change an item's key. It watches the keyboard
// through its own hook, so keys the focused widget would take (Tab, arrows,
// Esc) are captured too. The caller runs it modally, then reads `confirmed`
// and `keyName` (the display name of the last key seen, empty for a key
// without a name).
class addKey : public QDialog {
    Q_OBJECT
public:
    explicit addKey(QWidget* parent = nullptr);
    ~addKey() override;

    bool confirmed = false;
    QString keyName;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();

public slots:
    // The hook's callback: every press and release shows the key's name.
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);
    void SlotAllLanguage(int index);

protected:
    // Esc and F12 are swallowed, so they can be captured without closing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<KeyboardHook> hook;
    NoticeForm* form;
    QLineEdit* lineEdit;
    QString pictureFolder;
};
