#pragma once

#include <QFrame>

class MyConmboBox;
class QLabel;

// The sensor page's lift-off distance panel: a title, a tip icon and the list
// of distances ("1mm", "2mm", and "0.7mm" in front for sensors that have it).
// Choosing a distance writes its code through the lift-off writer and
// announces the distance; when the mouse does not answer, the distance shown
// before comes back.
class SensorLOD : public QFrame {
    Q_OBJECT
public:
    explicit SensorLOD(QWidget* parent = nullptr);
    ~SensorLOD() override;

    void addSubMillimetreItem();
    void removeSubMillimetreItem();
    // index is the record's code minus 1: 0 = 1 mm, 1 = 2 mm, 2 = 0.7 mm.
    // An index the list has no item for changes nothing.
    void setLodIndex(int index);
    void setLodEnabled(bool enabled);
    void setTitleText(const QString& text);
    void setTipText(const QString& text);
    void placeTipIcon(int languageIndex);

    // The distance last shown or accepted, as the record code minus 1; -1 before any.
    int lodIndex() const { return m_lodIndex; }

private slots:
    void on_LOD_currentIndexChanged(int index);

private:
    // The list position of a LOD index in the present shape; -1 for none.
    int PositionOfIndex(int index) const;

    QLabel* label;
    MyConmboBox* LOD;
    QLabel* label_2;
    QString pictureDir;
    int m_lodIndex = -1;
};
