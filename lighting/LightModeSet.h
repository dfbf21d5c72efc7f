#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <QVector>

class MyConmboBox;
class QFrame;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

// The light editor's controls without a device: effect, brightness, speed
// and the colour group with its presets and screen colour board. Everything
// stays inside its own form; nothing is read from or sent to the mouse.
class LightModeSet : public QDialog {
    Q_OBJECT
public:
    explicit LightModeSet(QWidget* parent = nullptr);
    ~LightModeSet() override;

public slots:
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int);
    void on_GSpinBox_valueChanged(int);
    void on_BSpinBox_valueChanged(int);
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();
    void on_LightMod_currentIndexChanged(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Form;

    void BuildForm();
    void ApplyStyles();
    void ApplyPreset(int index);
    void ShowSwatch(int red, int green, int blue);
    void SetColourGroupVisible(bool visible);

    Form* form;
    QString pictureFolder;
};
