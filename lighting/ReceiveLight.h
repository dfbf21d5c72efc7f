#pragma once

#include <QFrame>
#include <QVector>

class MyConmboBox;
class QLabel;
class QMouseEvent;
class QSlider;
class QSpinBox;
class QToolButton;

// The receiver light bar's panel: effect, brightness, speed and colour of the
// USB receiver's own light. Each change updates its bytes of the shared bar
// record and writes the whole bar to the receiver; a refused effect,
// brightness or speed goes back to the last value the receiver took or the
// lighting page filled in (the colour stays). The lighting page fills it
// through the accessors, which write nothing themselves.
class ReceiveLight : public QFrame {
    Q_OBJECT
public:
    explicit ReceiveLight(QWidget* parent = nullptr);
    ~ReceiveLight() override;

    // Blocks the sliders' and the channel boxes' signals (not the effect's).
    void BlockControlSignals(bool block);
    // Sets the effect with its signal flowing: the effect's slot lays the
    // panel out (and writes outside a fill).
    void SetEffectIndex(int index);
    void SetBrightnessSlider(int value);
    void SetSpeedSlider(int value);
    void SetBrightnessBox(int value);
    void SetSpeedBox(int value);
    void SetBarColor(int red, int green, int blue);

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_LightMod_2_currentIndexChanged(int index);
    void on_horizontalLight_2_sliderMoved(int position);
    void on_horizontalLight_2_valueChanged(int value);
    void on_horizontalSpeed_2_sliderMoved(int position);
    void on_horizontalSpeed_2_valueChanged(int value);
    void on_AddR_2_clicked();
    void on_AddG_2_clicked();
    void on_AddB_2_clicked();
    void on_ReduceR_2_clicked();
    void on_ReduceG_2_clicked();
    void on_ReduceB_2_clicked();
    void on_RSpinBox_2_valueChanged(int value);
    void on_GSpinBox_2_valueChanged(int value);
    void on_BSpinBox_2_valueChanged(int value);
    void on_toolButtonColorA_2_clicked();
    void on_toolButtonColorB_2_clicked();
    void on_toolButtonColorC_2_clicked();
    void on_toolButtonColorD_2_clicked();
    void on_toolButtonColorE_2_clicked();
    void on_toolButtonColorF_2_clicked();
    void on_toolButtonColorG_2_clicked();
    void on_toolButtonColorH_2_clicked();
    void on_toolButtonColorI_2_clicked();
    void on_toolButtonColorJ_2_clicked();
    void on_toolButtonColorK_2_clicked();
    void on_toolButtonColorL_2_clicked();
    void on_toolButtonColorM_2_clicked();
    void on_toolButtonColorN_2_clicked();

protected:
    // A press ends editing in the number boxes; on the colour board it picks
    // the screen's colour under the cursor.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BuildForm();
    void ApplyStyles();
    void ApplyLayout(int index);
    void ShowPreview(int red, int green, int blue);
    // Hands the whole bar to the receiver; on success the device record
    // follows. True when the receiver took the bar.
    static bool WriteBar();
    void LevelChange(QSlider* slider, QSpinBox* box, int byte, int* last, int value);
    void ColourChange(int red, int green, int blue);
    void StepChannel(QSpinBox* box, int step);
    void ApplyPreset(int preset);

    QString pictureFolder;

    QFrame* LightPage_2 = nullptr;
    QLabel* label_9 = nullptr;
    QToolButton* TitleButton_5 = nullptr;
    MyConmboBox* LightMod_2 = nullptr;
    QLabel* label_14 = nullptr;
    QSlider* horizontalLight_2 = nullptr;
    QSpinBox* LightSpinBox_3 = nullptr;
    QFrame* line_3 = nullptr;
    QLabel* label_15 = nullptr;
    QSlider* horizontalSpeed_2 = nullptr;
    QSpinBox* SpeedSpinBox_3 = nullptr;
    QFrame* line_4 = nullptr;
    QLabel* label_23 = nullptr;
    QLabel* label_24 = nullptr;
    QLabel* label_18 = nullptr;
    QLabel* labelPreView_2 = nullptr;
    QLabel* label_20 = nullptr;
    QLabel* label_19 = nullptr;
    QLabel* label_21 = nullptr;
    QToolButton* ReduceR_2 = nullptr;
    QToolButton* ReduceG_2 = nullptr;
    QToolButton* ReduceB_2 = nullptr;
    QSpinBox* RSpinBox_2 = nullptr;
    QSpinBox* GSpinBox_2 = nullptr;
    QSpinBox* BSpinBox_2 = nullptr;
    QToolButton* AddR_2 = nullptr;
    QToolButton* AddG_2 = nullptr;
    QToolButton* AddB_2 = nullptr;
    QLabel* label_22 = nullptr;
    QVector<QToolButton*> presetButtons;
    // Everything of the colour, shown and hidden together.
    QVector<QWidget*> colourWidgets;
};
