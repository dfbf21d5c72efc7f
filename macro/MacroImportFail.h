#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Tells the user that the chosen file is no macro export file, or a damaged
// one, and that nothing was imported.
class MacroImportFail : public QDialog {
    Q_OBJECT
public:
    explicit MacroImportFail(QWidget* parent = nullptr);
    ~MacroImportFail() override;

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    NoticeForm* form;
    QString pictureFolder;
};
