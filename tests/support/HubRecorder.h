#pragma once

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QVariantList>

#include <functional>

// Listens to the hub as the pages do (blocking where the pages' connections
// are) and records what arrived, in order, with the thread it ran on.
class HubRecorder : public QObject {
    Q_OBJECT
public:
    struct Event {
        QString name;
        QVariantList args;
        QByteArray record;
        QThread* thread = nullptr;
        bool pagesReadyBefore = false;
    };

    HubRecorder()
    {
        PostMsg::Connect(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(OnButton(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigUpDataLightLight(FlashDataMap)), this, SLOT(OnLight(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(OnSensor(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(OnDpiLed(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigUpDataReportRate(int)), this, SLOT(OnReportRate(int)));
        PostMsg::Connect(SIGNAL(SigUpDataDPI(int)), this, SLOT(OnDpi(int)));
        PostMsg::Connect(SIGNAL(SigBattery(bool, int, bool)), this, SLOT(OnBattery(bool, int, bool)));
        PostMsg::Connect(SIGNAL(SigUpDataConfigUI(int, int, bool)), this, SLOT(OnConfig(int, int, bool)));
        PostMsg::Connect(SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(OnRgb(DongleRGB*)));
        PostMsg::Connect(SIGNAL(SigLongRangeMode(bool)), this, SLOT(OnLongRange(bool)));
        PostMsg::Connect(SIGNAL(SigForm()), this, SLOT(OnForm()));
        PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(OnFormReset()));
        PostMsg::Connect(SIGNAL(SigIsUsb(bool, bool)), this, SLOT(OnIsUsb(bool, bool)));
        PostMsg::Connect(SIGNAL(SigSetver(int)), this, SLOT(OnSetver(int)));
        PostMsg::Connect(SIGNAL(SigUpDataParam(int)), this, SLOT(OnUpDataParam(int)));
        PostMsg::Connect(SIGNAL(SigCloseOffOnline()), this, SLOT(OnCloseOffOnline()));
        PostMsg::Connect(SIGNAL(SigChangeMainDialog(int)), this, SLOT(OnChangeMainDialog(int)));
        PostMsg::Connect(SIGNAL(SigLabelTextB(QString, QString)), this, SLOT(OnLabelTextB(QString, QString)));
        PostMsg::Connect(SIGNAL(SigMouseOffLineo(int)), this, SLOT(OnMouseOffLine(int)));
        PostMsg::Connect(SIGNAL(SigUpDataLightUIA(FlashDataMap)), this, SLOT(OnLightA(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(OnSensorB(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(OnButtonC(FlashDataMap)));
        PostMsg::Connect(SIGNAL(SigFormB()), this, SLOT(OnFormB()));
    }

    QList<Event> Events() const
    {
        QMutexLocker lock(&m_mutex);
        return m_events;
    }
    QStringList Names() const
    {
        QStringList names;
        for (const Event& e : Events())
            names.append(e.name);
        return names;
    }
    QList<Event> Named(const QString& name) const
    {
        QList<Event> found;
        for (const Event& e : Events())
            if (e.name == name)
                found.append(e);
        return found;
    }
    void Clear()
    {
        QMutexLocker lock(&m_mutex);
        m_events.clear();
    }

    // Runs inside the slot of the next device-data signal of this name.
    std::function<void()> duringSlot;
    QString duringSlotName;

public slots:
    void OnButton(FlashDataMap map) { Add("SigUpDataLightUIButton", {}, &map); }
    void OnLight(FlashDataMap map) { Add("SigUpDataLightLight", {}, &map); }
    void OnSensor(FlashDataMap map) { Add("SigUpDataLightSensor", {}, &map); }
    void OnDpiLed(FlashDataMap map) { Add("SigUpDataDPILed", {}, &map); }
    void OnReportRate(int value) { Add("SigUpDataReportRate", {value}); }
    void OnDpi(int value) { Add("SigUpDataDPI", {value}); }
    void OnBattery(bool charging, int level, bool text) { Add("SigBattery", {charging, level, text}); }
    void OnConfig(int total, int index, bool enable) { Add("SigUpDataConfigUI", {total, index, enable}); }
    void OnRgb(DongleRGB* rgb) { Add("SigRGBValue", {int(rgb->bytes[0])}); }
    void OnLongRange(bool on) { Add("SigLongRangeMode", {on}); }
    void OnForm() { Add("SigForm", {}); }
    void OnFormReset() { Add("SigFormReset", {}); }
    void OnIsUsb(bool usb, bool vs) { Add("SigIsUsb", {usb, vs}); }
    void OnSetver(int index) { Add("SigSetver", {index}); }
    void OnUpDataParam(int index) { Add("SigUpDataParam", {index}); }
    void OnCloseOffOnline() { Add("SigCloseOffOnline", {}); }
    void OnChangeMainDialog(int index) { Add("SigChangeMainDialog", {index}); }
    void OnLabelTextB(QString a, QString b) { Add("SigLabelTextB", {a, b}); }
    void OnMouseOffLine(int index) { Add("SigMouseOffLineo", {index}); }
    void OnLightA(FlashDataMap map) { Add("SigUpDataLightUIA", {}, &map); }
    void OnSensorB(FlashDataMap map) { Add("SigUpDataSensorUIB", {}, &map); }
    void OnButtonC(FlashDataMap map) { Add("SigUpDataButtonUIC", {}, &map); }
    void OnFormB() { Add("SigFormB", {}); }

private:
    void Add(const char* name, const QVariantList& args, const FlashDataMap* map = nullptr)
    {
        Event e;
        e.name = QString::fromLatin1(name);
        e.args = args;
        if (map)
            e.record = QByteArray(reinterpret_cast<const char*>(map), sizeof(FlashDataMap));
        e.thread = QThread::currentThread();
        e.pagesReadyBefore = buttonPageReady || lightPageReady || sensorPageReady;
        {
            QMutexLocker lock(&m_mutex);
            m_events.append(e);
        }
        if (duringSlot && duringSlotName == e.name) {
            auto work = duringSlot;
            duringSlot = nullptr;
            work();
        }
    }

    mutable QMutex m_mutex;
    QList<Event> m_events;
};
