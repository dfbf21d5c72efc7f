#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Tells the user that a macro of that name already exists.
class SameMacro : public QDialog {
    Q_OBJECT
public:
    explicit SameMacro(QWidget* parent = nullptr);
    ~SameMacro() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
