#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Tells the user that a recording reached the macro's event limit.
class KeyNumberLimit : public QDialog {
    Q_OBJECT
public:
    explicit KeyNumberLimit(QWidget* parent = nullptr);
    ~KeyNumberLimit() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
