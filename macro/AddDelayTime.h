#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QSpinBox;

// Asks for one delay of a macro, 10 to 65535 ms. The caller runs it modally
// and reads `confirmed`, then `delay`.
class AddDelayTime : public QDialog {
    Q_OBJECT
public:
    explicit AddDelayTime(QWidget* parent = nullptr);
    ~AddDelayTime() override;

    bool confirmed = false;
    int delay = 0;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QSpinBox* spinBox;
    QString pictureFolder;
};
