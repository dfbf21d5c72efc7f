#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QToolButton;

// The 20K frame-rate switch of the advanced page (record byte 4). A click
// writes through its writer even before sending is enabled; a refused write
// puts the switch back.
class KFPS20 : public QFrame {
    Q_OBJECT
public:
    explicit KFPS20(QWidget* parent = nullptr);
    ~KFPS20() override;

    // Never writes.
    void setSwitchChecked(bool on);
    void moveTipIcon(int x, int y);

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_KFPS_clicked(bool checked);

private:
    QLabel* label_3;
    QToolButton* KFPS;
    QLabel* Error_2;
    QString pictureDir;
};
