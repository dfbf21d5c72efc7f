#pragma once

#include "settings/MyThread.h"

#include <QByteArray>
#include <QDateTime>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class PictureImportForm;
class QButtonGroup;
class QTimer;

// The picture import dialog of a mouse with a screen, which also keeps the
// screen's clock: once started, every 10 s it sends the local date and time
// to the first screen device and checks the echo.
class InputPicA : public QDialog {
    Q_OBJECT
public:
    explicit InputPicA(QWidget* parent = nullptr);
    ~InputPicA() override;

    static constexpr int kTickMs = 200;
    static constexpr int kTicksPerSend = 50;
    static constexpr int kTransfers = 5;

    void StartClockSync(bool start);
    // The hot-plug callback while the clock is kept: finds the screen devices again.
    static void OnScreenDevicesChanged();
    // Refills the screen device paths; returns how many there are.
    static int FindScreenDevices();
    static QStringList ScreenDevicePaths();
    // Sends a packet (its checksum put in first) and waits for the device's
    // echo, at most five transfers; an empty result when none came.
    QByteArray ExchangePacket(QByteArray packet);

    // Where the clock comes from (tests fix it); an empty function restores the local clock.
    static void SetClockSource(const std::function<QDateTime()>& source);
    static QDateTime Now();

public slots:
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();
    void onEraseChipTimeTimer();
    void on_Input_clicked();

private:
    PictureImportForm* form;
    QString screenPictureDir;
    QButtonGroup* pictureGroup = nullptr;
    QTimer* clockTimer = nullptr;
    int clockTicks = 0;
    int packetLength = 40;
    MyThread screenThread;
};
