#pragma once

#include "device/DongleRGB.h"
#include "device/FlashDataMap.h"

#include <QWidget>

class MouseLight;
class OneLed;
class QFrame;
class QScrollBar;
class QTabWidget;
class ReceiveLight;
class SensorEffect;
class ThreeLed;

// The lighting page. What the user sees is the DPI indicator panel; the mouse
// light editor and the receiver's panels sit hidden (on tab pages that are
// never brought forward) but are filled and kept current all the same. The
// page fills every panel from the record the device link delivers and from
// the receiver, or with its defaults when no record can be had; it sends
// nothing itself.
class LampLight : public QWidget {
    Q_OBJECT
public:
    explicit LampLight(QWidget* parent = nullptr);
    ~LampLight() override;

    // The DPI indicator's effect as a record shows it: 0 while its on flag is
    // clear, bytes 84 of 1 or 2 as they are; -1 for any other effect, which
    // leaves the shown effect alone.
    static int DpiIndicatorEffect(const FlashDataMap& record);

public slots:
    void SlotUpDataLightUILight(FlashDataMap DataMap);
    void SlotUpDataLightUIA(FlashDataMap DataMap);
    void SlotFormResetLight();
    void SlotUpDataDPILed(FlashDataMap DataMap);
    void SlotAllLanguage(int index);
    void SlotRGBValue(DongleRGB* Rgb);
    void SlotForm();
    void SlotFormB();
    // Hands the byte back as it is; kept for callers that want a char.
    char ByteToQString(uchar value);

private slots:
    // Bound by name to the hidden mouse light editor's controls and to the
    // page's own scroll bar; they have nothing to do.
    void on_LightSpinBox_2_valueChanged(int value);
    void on_SpeedSpinBox_2_valueChanged(int value);
    void on_LightMod_editTextChanged(const QString& text);
    void on_LightMod_activated(int index);
    void on_verticalScrollBar_valueChanged(int value);
    // Named for a sleep-time box and a button the page does not have: never
    // started.
    void on_StopCloseTime_activated(int index);
    void on_pushButton_clicked();

protected:
    // A wheel turn no child took ends here.
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildForm();
    // The fill shared by a record from the device and a stored one.
    void Fill(const FlashDataMap& record, bool fromDevice);
    void ReadReceiver();
    void FillReceiverBar();
    void FillDpiIndicator(const FlashDataMap& record);
    void FillMouseLight(const FlashDataMap& record);
    // Item 1 of the model's "Adveanced" list says whether it has the 4 kHz
    // receiver's LED; a list too short to have it reads as none.
    static bool ModelHasReceiverLed();
    // The 4 kHz receiver's LED panel is hidden for a cabled device, for a
    // model without that LED and for every receiver kind that
    // receiverKeepsPanel refuses.
    void HideOneLedUnless(bool (*receiverKeepsPanel)(int kind));

    QTabWidget* tabWidget = nullptr;
    QWidget* tab = nullptr;
    QFrame* LightPage = nullptr;
    SensorEffect* frameEffect = nullptr;
    MouseLight* FrameMouseLight = nullptr;
    QWidget* tab_2 = nullptr;
    QFrame* LightPage_2 = nullptr;
    ReceiveLight* FrameReceiveLight = nullptr;
    OneLed* FrameOneLed = nullptr;
    QWidget* tab_3 = nullptr;
    ThreeLed* FrameThreeLed = nullptr;
    QScrollBar* verticalScrollBar = nullptr;
};
