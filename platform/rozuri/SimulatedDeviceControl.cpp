#include "platform/rozuri/SimulatedDeviceControl.h"

#include "platform/rozuri/CallLog.h"
#include "platform/rozuri/SimulatedDevices.h"

namespace {
SimulatedDevices &devices()
{
    return SimulatedDevices::instance();
}
} // namespace

bool SimulatedDeviceControl::loadScenario(const QString &path, QString *error)
{
    return devices().loadScenario(path, error);
}

bool SimulatedDeviceControl::loadScenarioJson(const QByteArray &json, QString *error)
{
    return devices().loadScenarioJson(json, error);
}

void SimulatedDeviceControl::restart()
{
    devices().restart();
}

void SimulatedDeviceControl::setStatePath(const QString &path)
{
    devices().setStatePath(path);
}

QString SimulatedDeviceControl::statePath()
{
    return devices().statePath();
}

void SimulatedDeviceControl::flushState()
{
    devices().flushState();
}

int SimulatedDeviceControl::stateWrites()
{
    return devices().stateWrites();
}

void SimulatedDeviceControl::setLatency(int ms)
{
    devices().setLatencyMs(ms);
}

int SimulatedDeviceControl::latency()
{
    return devices().latencyMs();
}

bool SimulatedDeviceControl::plug(const QString &name, bool plugged)
{
    return devices().plug(name, plugged);
}

bool SimulatedDeviceControl::setOnline(const QString &mouse, bool online)
{
    return devices().setMouseOnline(mouse, online);
}

bool SimulatedDeviceControl::switchOffAfterOnlineAnswers(const QString &mouse, int answers)
{
    return devices().switchOffAfterOnlineAnswers(mouse, answers);
}

bool SimulatedDeviceControl::dropAfterOnlineAnswers(const QString &mouse, int answers)
{
    return devices().dropAfterOnlineAnswers(mouse, answers);
}

bool SimulatedDeviceControl::setPairingMode(const QString &mouse, bool on)
{
    return devices().setPairingMode(mouse, on);
}

bool SimulatedDeviceControl::setBattery(const QString &mouse, int level, bool charging)
{
    return devices().setBattery(mouse, level, charging);
}

bool SimulatedDeviceControl::setBootMode(const QString &name, bool on)
{
    return devices().setBootMode(name, on);
}

bool SimulatedDeviceControl::pressDpiButton(const QString &mouse)
{
    return devices().pressDpiButton(mouse);
}

void SimulatedDeviceControl::injectReport(const QByteArray &header, const QByteArray &payload)
{
    devices().injectReport(header, payload);
}

QByteArray SimulatedDeviceControl::reportHeader(int type, int sub)
{
    QByteArray header(5, '\0');
    header[0] = static_cast<char>(0xA5);
    header[1] = static_cast<char>(type);
    header[4] = static_cast<char>(sub);
    return header;
}

void SimulatedDeviceControl::failNextIdentifications(int count)
{
    devices().failNextIdentifications(count);
}

void SimulatedDeviceControl::setPairingOutcome(PairingOutcome outcome)
{
    SimulatedDevices::PairingOutcome mapped = SimulatedDevices::PairingOutcome::Normal;
    switch (outcome) {
    case PairingOutcome::Normal:
        break;
    case PairingOutcome::Fail:
        mapped = SimulatedDevices::PairingOutcome::Fail;
        break;
    case PairingOutcome::NeverEnds:
        mapped = SimulatedDevices::PairingOutcome::NeverEnds;
        break;
    case PairingOutcome::Unplug:
        mapped = SimulatedDevices::PairingOutcome::Unplug;
        break;
    }
    devices().setPairingOutcome(mapped);
}

void SimulatedDeviceControl::failNextRecordStores(int count)
{
    devices().failNextRecordStores(count);
}

void SimulatedDeviceControl::failNextExchanges(int count)
{
    devices().failNextExchanges(count);
}

void SimulatedDeviceControl::setUpgradeFailure(int percent, int upgrades)
{
    devices().setUpgradeFailure(percent, upgrades);
}

void SimulatedDeviceControl::setMiceRefuseReceiverId(bool refuse)
{
    devices().setMiceRefuseReceiverId(refuse);
}

void SimulatedDeviceControl::setUpgradeNeverEnds(bool never)
{
    devices().setUpgradeNeverEnds(never);
}

void SimulatedDeviceControl::setUpgradeRefused(bool refused)
{
    devices().setUpgradeRefused(refused);
}

void SimulatedDeviceControl::setUpgradeVanishes(int percent)
{
    devices().setUpgradeVanishes(percent);
}

void SimulatedDeviceControl::setBootDeviceNeverAppears(bool never)
{
    devices().setBootDeviceNeverAppears(never);
}

void SimulatedDeviceControl::holdUpgradeAt(int percent)
{
    devices().holdUpgradeAt(percent);
}

bool SimulatedDeviceControl::setReceiverRefusesLighting(const QString &receiver, bool refuse)
{
    return devices().setReceiverRefusesLighting(receiver, refuse);
}

void SimulatedDeviceControl::setTiming(int pairingMs, int upgradeStepMs)
{
    devices().setTiming(pairingMs, upgradeStepMs);
}

QString SimulatedDeviceControl::pathOf(const QString &name)
{
    return devices().pathOf(name);
}

QByteArray SimulatedDeviceControl::flashImage(const QString &mouse, int profile)
{
    return devices().flashImage(mouse, profile);
}

int SimulatedDeviceControl::firmwareVersion(const QString &name)
{
    return devices().firmwareVersion(name);
}

bool SimulatedDeviceControl::inBootMode(const QString &name)
{
    return devices().inBootMode(name);
}

QString SimulatedDeviceControl::pairedReceiver(const QString &mouse)
{
    return devices().pairedReceiver(mouse);
}

void SimulatedDeviceControl::keepCalls(bool keep)
{
    CallLog::keepInMemory(keep);
}

qint64 SimulatedDeviceControl::callLogBytes()
{
    return CallLog::instance().memoryBytes();
}

qint64 SimulatedDeviceControl::callLogLimit()
{
    return CallLog::kMemoryBytes;
}

QList<QJsonObject> SimulatedDeviceControl::calls()
{
    return CallLog::instance().entries();
}

QList<QJsonObject> SimulatedDeviceControl::calls(const QString &function)
{
    QList<QJsonObject> out;
    for (const QJsonObject &entry : CallLog::instance().entries()) {
        if (entry.value(QStringLiteral("fn")).toString() == function)
            out.append(entry);
    }
    return out;
}

void SimulatedDeviceControl::clearCalls()
{
    CallLog::instance().clear();
}
