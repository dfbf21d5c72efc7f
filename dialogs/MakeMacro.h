#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Asks the user to create a macro before binding one to a button.
class MakeMacro : public QDialog {
    Q_OBJECT
public:
    explicit MakeMacro(QWidget* parent = nullptr);
    ~MakeMacro() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
