#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QLineEdit;

// Asks for the name of a new macro or a macro's new name. The field refuses
// punctuation typed or committed by an input method, drops spaces and keeps
// the name within MacroName::MaxBytes bytes; OK with a name that cannot be a
// file name leaves the dialog open. The caller reads `macroName` afterwards:
// empty means nothing is to be done.
class QuestionDialog : public QDialog {
    Q_OBJECT
public:
    explicit QuestionDialog(QWidget* parent = nullptr);
    ~QuestionDialog() override;

    // 0: the select-a-macro-first prompt (new macro), else the enter-a-name prompt.
    void SetPromptMode(int mode);

    QString macroName;

public slots:
    void WindowClosedLan();
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_lineEdit_textEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    NoticeForm* form;
    QLineEdit* lineEdit;
    QString pictureFolder;
    QString selectMacroFirstText;
    QString inputMacroNameText;
};
