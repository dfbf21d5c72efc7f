#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Tells the user that two devices of one model sit on one connection class.
class QuestiondialogB : public QDialog {
    Q_OBJECT
public:
    explicit QuestiondialogB(QWidget* parent = nullptr);
    ~QuestiondialogB() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
