#pragma once

#include <QFrame>
#include <QVector>

class MyConmboBox;
class QButtonGroup;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
class QWidget;

// Editor of the mouse's light bar: effect, brightness and speed (1..10,
// written as 0..9), the light-off-while-moving switch and the colour (three
// channel boxes with plus and minus buttons, a swatch and fourteen presets).
// Each change goes through a setting writer; a refused write puts the
// control back (the colour excepted). Only the controls the effect uses are
// shown. The lighting page fills it through the accessors.
class MouseLight : public QFrame {
    Q_OBJECT
public:
    explicit MouseLight(QWidget* parent = nullptr);
    ~MouseLight() override;

    void BlockValueSignals(bool block);
    void EnableSliders(bool enabled);
    void SetComboIndex(int effect);
    void SetLightValue(int value);
    void SetLightSpinBox(int value);
    void SetSpeedValue(int value);
    void SetSpeedSpinBox(int value);
    void SetRGB(int red, int green, int blue);
    void SetRippeControl(bool checked);
    // Puts the presets into the editor's exclusive group; nothing calls it,
    // so each preset toggles by itself.
    void AddPresetButtons();

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_AddB_clicked();
    void on_AddG_clicked();
    void on_AddR_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int value);
    void on_GSpinBox_valueChanged(int value);
    void on_BSpinBox_valueChanged(int value);
    void on_toolButtonColorA_clicked();
    void on_toolButtonColorB_clicked();
    void on_toolButtonColorC_clicked();
    void on_toolButtonColorD_clicked();
    void on_toolButtonColorE_clicked();
    void on_toolButtonColorF_clicked();
    void on_toolButtonColorG_clicked();
    void on_toolButtonColorH_clicked();
    void on_toolButtonColorI_clicked();
    void on_toolButtonColorJ_clicked();
    void on_toolButtonColorK_clicked();
    void on_toolButtonColorL_clicked();
    void on_toolButtonColorM_clicked();
    void on_toolButtonColorN_clicked();
    void on_horizontalLight_valueChanged(int value);
    void on_horizontalSpeed_valueChanged(int value);
    void on_LightMod_currentIndexChanged(int index);
    void on_RippeControl_clicked(bool checked);
    void on_horizontalLight_sliderMoved(int position);
    void on_horizontalSpeed_sliderMoved(int position);

protected:
    // A press ends editing in the number boxes; on the colour board it picks
    // the screen's colour under the cursor.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BuildForm();
    void ApplyStyles();
    void ApplyLayout(int effect);
    void ShowSwatch(int red, int green, int blue);
    // Shows the colour and writes it; a colour the mouse does not take is put back.
    void WriteColour(int red, int green, int blue);
    void StepChannel(QSpinBox* box, int step);
    void ApplyPreset(int preset);

    QString pictureFolder;
    QButtonGroup* presetGroup = nullptr;

    QToolButton* TitleButton_4 = nullptr;
    QLabel* label = nullptr;
    MyConmboBox* LightMod = nullptr;
    QLabel* label_2 = nullptr;
    QSlider* horizontalLight = nullptr;
    QFrame* line = nullptr;
    QSpinBox* LightSpinBox_2 = nullptr;
    QLabel* label_3 = nullptr;
    QSlider* horizontalSpeed = nullptr;
    QFrame* line_2 = nullptr;
    QSpinBox* SpeedSpinBox_2 = nullptr;
    QToolButton* RippeControl = nullptr;
    QLabel* label_4 = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QLabel* label_8 = nullptr;
    QLabel* labelPreView = nullptr;
    QLabel* label_11 = nullptr;
    QLabel* label_10 = nullptr;
    QLabel* label_12 = nullptr;
    QSpinBox* RSpinBox = nullptr;
    QSpinBox* GSpinBox = nullptr;
    QSpinBox* BSpinBox = nullptr;
    QToolButton* ReduceR = nullptr;
    QToolButton* ReduceG = nullptr;
    QToolButton* ReduceB = nullptr;
    QToolButton* AddR = nullptr;
    QToolButton* AddG = nullptr;
    QToolButton* AddB = nullptr;
    QLabel* label_13 = nullptr;
    QVector<QToolButton*> presetButtons;
    // Everything of the colour group, shown and hidden together.
    QVector<QWidget*> colourGroup;
};
