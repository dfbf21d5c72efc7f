#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// Test control of the simulated devices behind ROZUri.h. Devices are named as
// in the scenario ("name" fields). Everything here may be called from the
// GUI thread while the program talks to the library.
class SimulatedDeviceControl {
public:
    // Normal: a mouse of the asked CID in pairing mode pairs, else it fails.
    // Unplug: the receiver is pulled out before it answers.
    enum class PairingOutcome { Normal, Fail, NeverEnds, Unplug };

    // Replaces all devices with the scenario's and clears every option
    // below. The state file is rewritten from the scenario.
    static bool loadScenario(const QString &path, QString *error = nullptr);
    static bool loadScenarioJson(const QByteArray &json, QString *error = nullptr);
    // As a new run of the program: stops the server and reloads from the
    // state file when it was made from the current scenario file.
    static void restart();
    static void setStatePath(const QString &path);
    static QString statePath();
    // The state file is written at most a few times a second; this writes
    // a change still waiting, as the exit of the process does.
    static void flushState();
    // State files written so far by this process.
    static int stateWrites();
    // Delay of every call that talks to a device (0: none). Loading a
    // scenario sets it from the scenario or NK_SIM_LATENCY_MS.
    static void setLatency(int ms);
    static int latency();

    // A receiver's USB plug, or a mouse's cable.
    static bool plug(const QString &name, bool plugged);
    // An offline mouse answers nothing (switched off, out of range).
    static bool setOnline(const QString &mouse, bool online);
    // The mouse answers the online query (UsbFinderC_GetDeviceOnLine) this
    // many more times, then is switched off, as by setOnline(false). Lets a
    // test drop the mouse between two writes of one user action.
    static bool switchOffAfterOnlineAnswers(const QString &mouse, int answers);
    // The mouse answers the online query this many more times and is
    // switched off right after the last answer, before any other call: the
    // call that follows an online check finds it gone.
    static bool dropAfterOnlineAnswers(const QString &mouse, int answers);
    static bool setPairingMode(const QString &mouse, bool on);
    static bool setBattery(const QString &mouse, int level, bool charging);
    static bool setBootMode(const QString &name, bool on);
    // Steps the current DPI level and reports it to the server.
    static bool pressDpiButton(const QString &mouse);
    // Queues any report for the running server's callback.
    static void injectReport(const QByteArray &header, const QByteArray &payload);
    // Builds the 5-byte header of a report of the given type and sub-type.
    static QByteArray reportHeader(int type, int sub = 0);

    static void failNextIdentifications(int count);
    static void setPairingOutcome(PairingOutcome outcome);
    // The next count screen-device exchanges echo the packet with a wrong
    // checksum byte.
    static void failNextExchanges(int count);
    // The mouse refuses the next count stored records (ProtocolDataUpdate)
    // and keeps what it held.
    static void failNextRecordStores(int count);
    // The next upgrades (all of them, or only the next count) end with a
    // failure once they reach percent (-1: never).
    static void setUpgradeFailure(int percent, int upgrades = -1);
    static void setUpgradeNeverEnds(bool never);
    // The library refuses to start the next upgrades (UsbUpgrade_Start 0).
    static void setUpgradeRefused(bool refused);
    // The device being written is pulled out at percent (-1: never): it
    // leaves the enumeration and the upgrade ends with a failure.
    static void setUpgradeVanishes(int percent);
    // The device goes into boot mode but the library never finds it there:
    // no progress, a failure after the time of a whole write; then the
    // device is seen in boot mode.
    static void setBootDeviceNeverAppears(bool never);
    // The upgrades stop after reporting percent and wait there, the device
    // half written, until the hold is moved or released (-1).
    static void holdUpgradeAt(int percent);
    static bool setReceiverRefusesLighting(const QString &receiver, bool refuse);
    // Mice refuse a receiver's id (UsbFinderC_SetDongleIDToMouse 0).
    static void setMiceRefuseReceiverId(bool refuse);
    // Delay of a pairing's answer and of each 10 % upgrade step.
    static void setTiming(int pairingMs, int upgradeStepMs);

    static QString pathOf(const QString &name);
    static QByteArray flashImage(const QString &mouse, int profile = 0);
    static int firmwareVersion(const QString &name);
    static bool inBootMode(const QString &name);
    static QString pairedReceiver(const QString &mouse);

    // The library keeps its calls in memory only when asked (every test
    // program asks before main) or when NK_SIM_LOG is set.
    static void keepCalls(bool keep);
    // Every library call in order: "fn", "t", arguments, bytes as hex; the
    // most recent ones up to a bound in bytes of compact JSON.
    static QList<QJsonObject> calls();
    static qint64 callLogBytes();
    static qint64 callLogLimit();
    static QList<QJsonObject> calls(const QString &function);
    static void clearCalls();
};
