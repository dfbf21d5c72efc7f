#pragma once

#include <QFrame>
#include <QString>

class QCheckBox;
class QLabel;

// The long-range mode of the receiver's link. It keeps nothing in the device
// record: every change of the box, by the user or by the page, goes to the
// device library while sending is enabled, and an offline mouse puts the box
// back.
class LongMode : public QFrame {
    Q_OBJECT
public:
    explicit LongMode(QWidget* parent = nullptr);
    ~LongMode() override;

    // Shows the state the receiver reported; nothing is sent.
    void setModeChecked(bool on);

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_checkBox_toggled(bool checked);

private:
    QLabel* label_5;
    QCheckBox* checkBox;
    QLabel* label_6;
    QString pictureDir;
};
