#pragma once

#include <QFrame>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QLabel;

// Second design of the lift-off distance control: three exclusive tick boxes
// (0.7 mm, 1 mm, 2 mm) instead of a list. The 0.7 mm choice exists only on
// some sensors and starts hidden. A tick writes the record's code at once.
class SensorLODB : public QFrame {
    Q_OBJECT
public:
    explicit SensorLODB(QWidget* parent = nullptr);

    void ShowSubMillimetreOption();
    void HideSubMillimetreOption();
    // Enables the 1 mm and 2 mm choices; the 0.7 mm one keeps its state.
    void SetOptionsEnabled(bool on);
    // index = record code - 1: 0 = 1 mm, 1 = 2 mm, 2 = 0.7 mm (only while
    // shown). Writes nothing.
    void SetLodIndex(int index);
    void SetTitleText(const QString& text);
    void SetTitleToolTip(const QString& text);

private slots:
    void on_MM0_clicked();
    void on_MM1_clicked();
    void on_MM2_clicked();

private:
    void Write(int code);

    QLabel* label = nullptr;
    QCheckBox* MM1 = nullptr;
    QCheckBox* MM2 = nullptr;
    QCheckBox* MM0 = nullptr;
    QString pictureFolder;
    QButtonGroup* group = nullptr;
};
