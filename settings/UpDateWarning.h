#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// A firmware update warning whose text the caller sets before the modal run.
class UpDateWarning : public QDialog {
    Q_OBJECT
public:
    explicit UpDateWarning(QWidget* parent = nullptr);
    ~UpDateWarning() override;

    void SetText(const QString& text);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QString pictureDir;
};
