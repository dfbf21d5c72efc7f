#pragma once

#include <QFrame>

class MyConmboBox;

// The sensor page's lift-off distance panel: the list of distances ("1mm",
// "2mm", and "0.7mm" in front for sensors that have it) and the distance
// shown. For now it only shows the device's distance and tells the overview;
// the list stays disabled, so nothing is chosen here yet.
class SensorLOD : public QFrame {
    Q_OBJECT
public:
    explicit SensorLOD(QWidget* parent = nullptr);
    ~SensorLOD() override;

    void addSubMillimetreItem();
    void removeSubMillimetreItem();
    // index is the record's code minus 1: 0 = 1 mm, 1 = 2 mm, 2 = 0.7 mm.
    void setLodIndex(int index);

private:
    MyConmboBox* LOD;
    int m_lodIndex = -1;
};
