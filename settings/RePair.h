#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Asks whether the mouse needs to be paired with its receiver again. The
// caller reads `confirmed` after the modal run.
class RePair : public QDialog {
    Q_OBJECT
public:
    explicit RePair(QWidget* parent = nullptr);
    ~RePair() override;

    bool confirmed = false;

private slots:
    void on_CloseButton_clicked();
    void on_OK_clicked();
    void on_Cancel_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QString pictureDir;
};
