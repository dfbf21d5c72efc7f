#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Tells the user that a key combination holds at most three keys.
class GroupMaxThree : public QDialog {
    Q_OBJECT
public:
    explicit GroupMaxThree(QWidget* parent = nullptr);
    ~GroupMaxThree() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
