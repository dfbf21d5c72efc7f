#pragma once

#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedWorld.h"
#include "platform/rozuri/StateStore.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The simulated devices behind the C interface: one process-wide instance
// holding the device world under one lock. No lock is held while a program
// callback runs: reports go through the ReportDispatcher, hot-plug calls
// through the HotPlugNotifier, and upgrade status callbacks are made from
// the upgrade's own thread with the lock released.
class SimulatedDevices {
public:
    enum class PairingOutcome { Normal, Fail, NeverEnds, Unplug };

    static SimulatedDevices &instance();

    // Finding and identification
    std::vector<std::string> find(const char *vid, const char *pid, int capacity);
    bool attribute(const char *path, unsigned char *attr);
    QByteArray deviceInfo(const char *path);
    bool online(const char *path);
    bool onlineWithAddress(const char *path, unsigned char *status);
    int version(const char *path);
    bool slaveVersion(const char *path, int *version);
    bool longRange(const char *path, unsigned char *mode);
    bool setLongRange(const char *path, int mode);

    // Receiver lighting; sizes are 10, 7 and 3 bytes.
    enum class Light { LedRecord, Bar, IndicatorLeds };
    bool receiverLight(const char *path, Light which, unsigned char *out);
    bool setReceiverLight(const char *path, Light which, const unsigned char *in);
    bool setDongleIdToMouse(const char *path, const unsigned char *id);

    bool openDevice(const char *path);
    bool exchange(const unsigned char *packet, unsigned char *reply, int length);

    // Server
    bool startServer(const char *path, RozReportCallback callback);
    void exitServer();
    enum class Read { AllFlash, CurrentDpi, ReportRate, Battery, LedBar, DpiLed, Version, Config };
    bool read(Read what);
    bool setPcDriverStatus(int status);
    bool setBatteryOptimize(int enable);
    bool factoryReset();
    bool setProfile(int index);
    bool enterPairing(int cid);
    bool readPairStatus();
    bool storeRecord(const unsigned char *record);

    // Firmware
    int countBootDevices(const RozFirmwareImage *image, int capacity);
    bool startUpgrade(const RozFirmwareImage *image, RozUpgradeStatusCallback callback);

    // Control (tests)
    bool loadScenario(const QString &path, QString *error);
    bool loadScenarioJson(const QByteArray &json, QString *error);
    void restart();
    void setStatePath(const QString &path);
    QString statePath() const;
    // Writes a change not yet in the state file now, as at exit.
    void flushState();
    int stateWrites() const;
    // Delay of every call that talks to a device: the scenario's
    // "latencyMs", overridden by NK_SIM_LATENCY_MS.
    int latencyMs() const;
    void setLatencyMs(int ms);
    void waitLatency() const;
    QString scenarioPath() const;
    bool plug(const QString &name, bool plugged);
    bool setMouseOnline(const QString &name, bool online);
    bool switchOffAfterOnlineAnswers(const QString &name, int answers);
    bool dropAfterOnlineAnswers(const QString &name, int answers);
    bool setPairingMode(const QString &name, bool on);
    bool setBattery(const QString &name, int level, bool charging);
    bool setBootMode(const QString &name, bool on);
    bool pressDpiButton(const QString &name);
    void injectReport(const QByteArray &header, const QByteArray &payload);
    void failNextIdentifications(int count);
    void setPairingOutcome(PairingOutcome outcome);
    void failNextExchanges(int count);
    void failNextRecordStores(int count);
    void setUpgradeFailure(int percent, int upgrades);
    void setUpgradeNeverEnds(bool never);
    void setUpgradeRefused(bool refused);
    void setUpgradeVanishes(int percent);
    void setBootDeviceNeverAppears(bool never);
    void holdUpgradeAt(int percent);
    bool setReceiverRefusesLighting(const QString &name, bool refuse);
    void setMiceRefuseReceiverId(bool refuse);
    void setTiming(int pairingMs, int upgradeStepMs);
    QString pathOf(const QString &name);
    QByteArray flashImage(const QString &name, int profile);
    int firmwareVersion(const QString &name);
    bool inBootMode(const QString &name);
    QString pairedReceiver(const QString &mouse);

private:
    // Runs change under the lock; when it succeeds, the state file is
    // written after the lock is released (see save).
    template <typename Change>
    bool changeAndSave(Change change)
    {
        Snapshot snapshot;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!change())
                return false;
            snapshot = snapshotLocked();
        }
        save(snapshot);
        return true;
    }

    // A change of the state to be saved; the file's bytes are taken when
    // it is written.
    struct Snapshot {
        quint64 sequence = 0;
    };
    struct Options {
        int failIdentifications = 0;
        PairingOutcome pairing = PairingOutcome::Normal;
        int upgradeFailPercent = -1;
        // How many upgrades still fail (-1: all of them).
        int upgradeFailsLeft = -1;
        bool upgradeNeverEnds = false;
        bool upgradeRefused = false;
        int upgradeVanishPercent = -1;
        bool bootNeverAppears = false;
        // The running upgrade waits after reporting this percentage (-1: none).
        int upgradeHoldPercent = -1;
        QStringList refusingReceivers;
        bool miceRefuseReceiverId = false;
        // Online queries a mouse still answers before it is switched off.
        QMap<QString, int> onlineAnswersLeft;
        // Online queries a mouse still answers; it is switched off right
        // after the last of them.
        QMap<QString, int> dropAfterAnswers;
        int pairingMs = 1500;
        int upgradeStepMs = 150;
        int failExchanges = 0;
        int failRecordStores = 0;
    };
    // What a scenario's "options" object scripts; the rest stays default.
    static Options optionsFromScenario(const QByteArray &scenarioJson);
    struct UpgradeJob;

    SimulatedDevices();
    void loadInitialLocked();
    void installWorldLocked(const SimulatedWorld &world, const QByteArray &scenarioHash, const Options &options);
    Snapshot snapshotLocked();
    void save(const Snapshot &snapshot);
    void postReportLocked(quint8 type, quint8 sub, const QByteArray &payload);
    SimulatedMouse *serverMouseLocked();
    bool serverReachesLocked(const SimulatedMouse *mouse);
    void finishPairing(quint64 epoch, const QString &receiver, quint64 serial, int cid);
    void unplugDuringPairing(quint64 epoch, const QString &receiver, quint64 serial);
    void runUpgrade(std::shared_ptr<UpgradeJob> job);
    bool upgradeStepLocked(const UpgradeJob &job);

    mutable std::mutex mutex_;
    // Signalled when the upgrade hold changes or the world is reloaded.
    std::condition_variable upgradeHoldChanged_;
    // Taken before mutex_, never while holding it.
    std::mutex saveMutex_;
    bool saveDirty_ = false;
    bool saveScheduled_ = false;
    std::chrono::steady_clock::time_point lastSave_;
    std::atomic<int> latencyMs_{0};
    SimulatedWorld world_;
    StateStore store_;
    QString scenarioPath_;
    QByteArray scenarioHash_;
    Options options_;
    quint64 epoch_ = 0;
    quint64 sequence_ = 0;
    quint64 pairingSerial_ = 0;
    bool serverRunning_ = false;
    std::string serverPath_;
    std::string openedPath_;
    bool upgradeBusy_ = false;
    // A device gone into boot mode that the boot search does not see yet.
    QString unseenBootDevice_;
};
