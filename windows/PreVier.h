#pragma once

#include "device/DeviceAllInfo.h"

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;

// The overview page: a picture of the mouse and the values the other pages
// report (DPI, report rate, lift-off distance, debounce, profile, firmware
// versions). It keeps nothing of its own; each value arrives through the hub.
class PreVier : public QWidget {
    Q_OBJECT
public:
    explicit PreVier(QWidget* parent = nullptr);
    ~PreVier() override;

public slots:
    void SlotAllLanguage(int index);
    void SlotMouseIndex(int index);
    // Shows that mouse ahead, its picture decoded, while the page is hidden.
    void PrepareMousePicture(int index);
    void SlotAddSensor(int Value);
    void SlotAddReport(int Value);
    void SlotAddLOD(QString Value);
    void SlotDebnunce(QString Vlue);
    void SlotAddConfig(QString Value);
    void SlotAddVer(int type, QString Ver);
    void SlotAddUpdate(int type, bool Ver);
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);

private:
    QString MousePicture(int index) const;
    QLabel* AddLabel(const QString& name, const QRect& geometry, const QString& text, Qt::Alignment alignment);

    QString pictureFolder;
    QFrame* PreViewFrame;
    QWidget* widget;
    QLabel* DpiName;
    QLabel* DpiValue;
    QLabel* ReportName;
    QLabel* ReportValue;
    QLabel* LodName;
    QLabel* LodValue;
    QLabel* MotionName;
    QLabel* DebunceValue;
    QLabel* ConfigName;
    QLabel* ConfigValue;
    QLabel* MouseVer;
    QLabel* MouseValue;
    QLabel* DongleVer;
    QLabel* DongleValue;
    QLabel* MouseUp;
    QLabel* DongleUp;
};
