#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Asks whether the selected macro is to be deleted. OK is yes, the close
// button is no; the caller reads `confirmed` after the modal run.
class DeleteConfirm : public QDialog {
    Q_OBJECT
public:
    explicit DeleteConfirm(QWidget* parent = nullptr);
    ~DeleteConfirm() override;

    bool confirmed = false;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QString pictureFolder;
};
