#pragma once

#include <QFrame>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QLabel;

// Second design of the report-rate choice: a caption and seven exclusive tick
// boxes from 125 to 8000 Hz. A tick writes the rate's code and, once the
// mouse took it, tells the sensor page whether the rate lies above 1000 Hz.
class SensorRateB : public QFrame {
    Q_OBJECT
public:
    explicit SensorRateB(QWidget* parent = nullptr);

    // Ticks rate index 0..6 without writing; other indexes change nothing.
    void SetRateIndex(int index);
    // Shows the 2000, 4000 and 8000 Hz boxes the rate class offers; an
    // unknown class changes nothing.
    void SetRateLimit(int limitClass);
    void SetTitleText(const QString& text);

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    static constexpr int kRateCount = 7;
    void RateClicked(int index, bool checked);

    QLabel* label = nullptr;
    QCheckBox* rateBoxes[kRateCount] = {};
    QString pictureFolder;
    QButtonGroup* rateGroup = nullptr;
};
