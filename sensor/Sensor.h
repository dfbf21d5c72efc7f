#pragma once

#include "device/FlashDataMap.h"
#include "sensor/SensorFeatureLists.h"

#include <QString>
#include <QWidget>

class QAbstractButton;
class QListView;
class SensorSwitchPanel;
class SensorForm;

// The sensor page: the DPI level editor, the report rate, and the sensor
// settings (sensor mode, lift-off distance, performance mode with its time,
// ripple control, straight line). It is filled from every device record,
// shows the model's defaults when no record can be had, follows the DPI
// level and report rate that the mouse reports, and writes its own controls'
// changes through the setting writers. It reads the sensor capability header
// once, and at every fill the model's sensor and DPI ranges.
class Sensor : public QWidget {
    Q_OBJECT
public:
    explicit Sensor(QWidget* parent = nullptr);
    ~Sensor() override;

    // The report-rate panel's index of a record rate code; -1 for an unknown code.
    static int RateIndexOfCode(int code);
    // The performance-time list's index of a record time code; -1 for an unknown code.
    static int PerformanceIndexOfCode(int code);
    // The record time code of a performance-time list index; 0 for another index.
    static int PerformanceCodeOfIndex(int index);

    // The SUPPORT lists of the capability header.
    const SensorFeatureLists& featureLists() const { return sensorFeatures; }

    // Gives the button the picture of the file as its icon, at the button's
    // own size. False, and the button unchanged, when the file is no
    // readable picture.
    static bool setButtonPicture(QAbstractButton* button, const QString& file);

public slots:
    void SlotHideModel(int index);
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotFormReset();
    void SlotUpDataReportRate(int index);
    void SlotUpDataDPI(int index);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotAllLanguage(int index);

private slots:
    void on_ModelChoose_currentIndexChanged(int index);
    void on_PerformanceOpen_currentIndexChanged(int index);
    void on_Performance_clicked(bool checked);
    void on_Performance_toggled(bool checked);
    // No control of the page starts these; each does what its name says.
    void on_RippeControl_clicked(bool checked);
    void on_StraightLine_clicked(bool checked);
    void on_MotionSync_clicked(bool checked);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void ApplyStyles();
    void Fill(const FlashDataMap& record);
    bool SensorModeSupported() const;
    // The sensor mode as the record or the rate allows: free (Corded row
    // hidden) or forced to Corded.
    void ShowFreeSensorMode(int mode);
    void ForceCordedSensorMode();
    void SetSubMillimetreItemBySensor();
    void SetModeIndexSilently(int index);
    // Writes a switch; once the mouse took it, its panel shows it.
    void WriteSwitch(bool (*writer)(int on), SensorSwitchPanel* panel, bool checked);

    SensorForm* ui = nullptr;
    QString sensorPageFolder;
    QString dpiMinimumText;
    QString dpiMaximumText;
    QString pictureDir;
    QListView* modeListView = nullptr;
    SensorFeatureLists sensorFeatures;
    int lastSensorModeIndex = 0;
    int lastPerformanceTimeIndex = 0;
};
