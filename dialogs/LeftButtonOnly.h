#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Tells the user that the only button with the left click must keep it.
class LeftButtonOnly : public QDialog {
    Q_OBJECT
public:
    explicit LeftButtonOnly(QWidget* parent = nullptr);
    ~LeftButtonOnly() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
