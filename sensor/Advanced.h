#pragma once

#include "device/FlashDataMap.h"

#include <QString>
#include <QWidget>

class AngleMove;
class CurvePlotWidget;
class KFPS20;
class LongMode;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QScrollBar;
class QTabWidget;
class StopCloseTime;

// The advanced page: the sleep time, and the long-range mode where the
// model's receiver offers it and the mouse is not on its cable. The 20K
// frame-rate and sensor-angle panels are built, filled and kept working but
// every layout pass hides them; the curve plots sit on a second tab nothing
// switches to. The page itself writes nothing: the panels do.
class Advanced : public QWidget {
    Q_OBJECT
public:
    explicit Advanced(QWidget* parent = nullptr);
    ~Advanced() override;

public slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotAllLanguage(int index);
    void SlotFormReset();
    void SlotForm();
    void SlotFormB();
    void SlotLongRangeMode(bool Select);
    void Slot20KOpen(bool Open);
    void SetPos(int index);

private slots:
    void on_verticalScrollBar_valueChanged(int value);
    void on_checkBox_3_clicked(bool checked);
    void on_checkBox_4_clicked(bool checked);
    void on_checkBox_5_clicked(bool checked);
    void on_checkBox_6_clicked(bool checked);
    void on_checkBox_2_clicked(bool checked);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildForm();
    void ApplyStyles();
    void Fill(const FlashDataMap& DataMap);
    void ShowLongModeByModel();
    bool ModelOffersLongMode() const;
    void setModeLabelColor(bool on);
    void ShowModePage(int page, bool checked);

    QTabWidget* AdvancedTab;
    QWidget* tab;
    QWidget* tab_2;
    QWidget* tab_3;
    QLabel* label;
    QLabel* Error;
    StopCloseTime* frameClose;
    KFPS20* FrameFPS;
    LongMode* FrameLongMode;
    AngleMove* FrameAngle;
    QCheckBox* checkBox_2;
    QLabel* label_2;
    QLabel* Error_4;
    QLabel* label_4;
    QCheckBox* modeBoxes[4];
    QLabel* modeLabels[4];
    QTabWidget* ModeTab;
    CurvePlotWidget* plots[4];
    QScrollBar* verticalScrollBar;

    QString pictureDir;
    QButtonGroup* modeGroup = nullptr;
    bool longModeShown = false;
    QString labelColor;
};
