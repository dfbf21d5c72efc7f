#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QLabel;
class QSpinBox;

// Asks for the two values of a rapid-fire button: how often the key repeats
// (0 to 3; 0 repeats while the button is held) and the interval (10 to 255).
// The caller presets both, runs it modally and reads `confirmed`, then
// `interval` and `count`.
class FireKey : public QDialog {
    Q_OBJECT
public:
    explicit FireKey(QWidget* parent = nullptr);
    ~FireKey() override;

    // Presets; a value outside the spin box's range is brought into it.
    void SetTime(int value);
    void SetCount(int value);

    bool confirmed = false;
    int interval = 10;
    int count = 3;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_2_clicked();
    void on_NewHong_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QLabel* label_2;
    QLabel* label_3;
    QSpinBox* Count;
    QSpinBox* Time;
    QString pictureFolder;
};
