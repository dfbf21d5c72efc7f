#include "platform/rozuri/SimulatedDevices.h"
#include "platform/files/FileReader.h"

#include "platform/rozuri/FirmwareImageHeader.h"
#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/HotPlugNotifier.h"
#include "platform/rozuri/JsonFields.h"
#include "platform/rozuri/ReportDispatcher.h"
#include "platform/rozuri/TaskScheduler.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// A scenario is a few kilobytes of JSON; a larger file is not read.
constexpr qint64 kMaxScenarioBytes = 4 * 1024 * 1024;

const quint8 kReportMarker = 0xA5;

// The state file is written at most this often; a change in between waits
// for the next turn (and for exit at the latest).
const std::chrono::milliseconds kSaveInterval(250);

enum ReportType : quint8 {
    kBattery = 4,
    kPairStatus = 6,
    kData = 8,
    kReinitialised = 9,
    kStatusChanged = 10,
    kConfiguration = 14,
    kVersion = 18,
};

enum StatusFlag { kFlagDpi = 0, kFlagReportRate = 1, kFlagSettings = 2, kFlagBattery = 6 };

QString textOf(const char *s)
{
    return s ? QString::fromLatin1(s) : QString();
}

quint16 hexId(const QString &text)
{
    return static_cast<quint16>(text.toUInt(nullptr, 16));
}

QByteArray recordOf(const SimulatedMouse &m)
{
    QByteArray record;
    if (!FlashImageCodec::decode(m.images[m.profile], &record))
        record = FlashImageCodec::defaultRecord();
    return record;
}

void storeRecordIn(SimulatedMouse *m, const QByteArray &record)
{
    m->currentImage() = FlashImageCodec::encode(record);
}

QByteArray statusFlags(int flag)
{
    QByteArray flags(7, '\0');
    flags[flag] = 1;
    return flags;
}

} // namespace

struct SimulatedDevices::UpgradeJob {
    quint64 epoch = 0;
    bool mouse = false;
    QString device;
    quint16 versionWord = 0;
    RozUpgradeStatusCallback callback = nullptr;
    int failPercent = -1;
    bool neverEnds = false;
    int vanishPercent = -1;
    bool bootNeverAppears = false;
    int stepMs = 0;
};

SimulatedDevices &SimulatedDevices::instance()
{
    // Never destroyed: library threads may still use it while the process ends.
    static SimulatedDevices *devices = new SimulatedDevices;
    return *devices;
}

SimulatedDevices::SimulatedDevices()
{
    scenarioPath_ = qEnvironmentVariable("NK_SIM_SCENARIO");
    if (scenarioPath_.isEmpty() && QCoreApplication::instance())
        scenarioPath_ = QCoreApplication::applicationDirPath() + QStringLiteral("/Simulation/DefaultScenario.json");
    Snapshot snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        loadInitialLocked();
        snapshot = snapshotLocked();
    }
    save(snapshot);
    // The last change reaches the file however soon the process ends.
    std::atexit([] { SimulatedDevices::instance().flushState(); });
}

// The state file wins when it was made from the same scenario; a changed or
// different scenario starts afresh.
void SimulatedDevices::loadInitialLocked()
{
    const QByteArray scenarioBytes = FileReader::Read(scenarioPath_, kMaxScenarioBytes).bytes;
    const QByteArray hash = QCryptographicHash::hash(scenarioBytes, QCryptographicHash::Sha1).toHex();

    SimulatedWorld world;
    const QJsonObject state = QJsonDocument::fromJson(store_.read()).object();
    const Options options = optionsFromScenario(scenarioBytes);
    if (state.value(QStringLiteral("scenarioHash")).toString().toLatin1() == hash
        && SimulatedWorld::fromJson(state, &world, nullptr)) {
        installWorldLocked(world, hash, options);
        return;
    }
    if (!SimulatedWorld::fromJson(QJsonDocument::fromJson(scenarioBytes).object(), &world, nullptr))
        world = SimulatedWorld();
    installWorldLocked(world, hash, options);
}

SimulatedDevices::Options SimulatedDevices::optionsFromScenario(const QByteArray &scenarioJson)
{
    Options options;
    const QJsonObject json = QJsonDocument::fromJson(scenarioJson).object().value(QStringLiteral("options")).toObject();
    const QString pairing = JsonFields::text(json, QStringLiteral("pairing"), QStringLiteral("normal")).toLower();
    if (pairing == QLatin1String("fail"))
        options.pairing = PairingOutcome::Fail;
    else if (pairing == QLatin1String("never"))
        options.pairing = PairingOutcome::NeverEnds;
    else if (pairing == QLatin1String("unplug"))
        options.pairing = PairingOutcome::Unplug;
    options.pairingMs = qMax(0, JsonFields::number(json, QStringLiteral("pairingMs"), options.pairingMs));
    options.failExchanges = qMax(0, JsonFields::number(json, QStringLiteral("failExchanges"), 0));
    // "upgrade": how the next upgrades end; "upgradePercent": where.
    const QString upgrade = JsonFields::text(json, QStringLiteral("upgrade"), QStringLiteral("normal")).toLower();
    const int percent = qBound(0, JsonFields::number(json, QStringLiteral("upgradePercent"), 50), 100);
    if (upgrade == QLatin1String("fail")) {
        options.upgradeFailPercent = percent;
        options.upgradeFailsLeft = qMax(-1, JsonFields::number(json, QStringLiteral("upgradeCount"), -1));
    }
    else if (upgrade == QLatin1String("never"))
        options.upgradeNeverEnds = true;
    else if (upgrade == QLatin1String("refuse"))
        options.upgradeRefused = true;
    else if (upgrade == QLatin1String("vanish"))
        options.upgradeVanishPercent = percent;
    else if (upgrade == QLatin1String("nobootdevice"))
        options.bootNeverAppears = true;
    options.upgradeStepMs = qMax(0, JsonFields::number(json, QStringLiteral("upgradeStepMs"), options.upgradeStepMs));
    return options;
}

void SimulatedDevices::installWorldLocked(const SimulatedWorld &world, const QByteArray &scenarioHash,
                                          const Options &options)
{
    world_ = world;
    scenarioHash_ = scenarioHash;
    bool fromEnvironment = false;
    const int envLatency = qEnvironmentVariableIntValue("NK_SIM_LATENCY_MS", &fromEnvironment);
    latencyMs_ = qMax(0, fromEnvironment ? envLatency : world.latencyMs);
    options_ = options;
    ++epoch_;
    upgradeHoldChanged_.notify_all(); // a held upgrade belongs to the world left
    upgradeBusy_ = false;
    unseenBootDevice_.clear();
    openedPath_.clear();
}

SimulatedDevices::Snapshot SimulatedDevices::snapshotLocked()
{
    return Snapshot{++sequence_};
}

// The first change after a quiet spell is written at once; later ones are
// gathered and written together when the interval has passed.
void SimulatedDevices::save(const Snapshot &)
{
    {
        std::lock_guard<std::mutex> lock(saveMutex_);
        saveDirty_ = true;
        if (saveScheduled_)
            return;
        const auto wait = lastSave_ + kSaveInterval - std::chrono::steady_clock::now();
        if (wait > std::chrono::steady_clock::duration::zero()) {
            saveScheduled_ = true;
            const int ms = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count());
            TaskScheduler::instance().schedule(ms, [this] { flushState(); });
            return;
        }
    }
    flushState();
}

void SimulatedDevices::flushState()
{
    std::lock_guard<std::mutex> saveLock(saveMutex_);
    saveScheduled_ = false;
    if (!saveDirty_)
        return;
    quint64 sequence = 0;
    QByteArray bytes;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        QJsonObject json = world_.toJson();
        json.insert(QStringLiteral("scenarioHash"), QString::fromLatin1(scenarioHash_));
        json.insert(QStringLiteral("scenario"), scenarioPath_);
        sequence = sequence_;
        bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    }
    // A failed write stays due: the next change or the exit tries again.
    saveDirty_ = !store_.write(sequence, bytes);
    lastSave_ = std::chrono::steady_clock::now();
}

int SimulatedDevices::stateWrites() const
{
    return store_.writes();
}

int SimulatedDevices::latencyMs() const
{
    return latencyMs_;
}

void SimulatedDevices::setLatencyMs(int ms)
{
    latencyMs_ = qMax(0, ms);
}

void SimulatedDevices::waitLatency() const
{
    const int ms = latencyMs_;
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SimulatedDevices::postReportLocked(quint8 type, quint8 sub, const QByteArray &payload)
{
    QByteArray header(5, '\0');
    header[0] = static_cast<char>(kReportMarker);
    header[1] = static_cast<char>(type);
    header[4] = static_cast<char>(sub);
    ReportDispatcher::instance().post(header, payload);
}

SimulatedMouse *SimulatedDevices::serverMouseLocked()
{
    if (!serverRunning_)
        return nullptr;
    return world_.answeringMouse(world_.endpoint(serverPath_.c_str()));
}

bool SimulatedDevices::serverReachesLocked(const SimulatedMouse *mouse)
{
    return mouse && serverMouseLocked() == mouse;
}

// ---- finding and identification ----

std::vector<std::string> SimulatedDevices::find(const char *vid, const char *pid, int capacity)
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> paths = world_.find(textOf(vid), textOf(pid));
    if (static_cast<int>(paths.size()) > qMax(0, capacity))
        paths.resize(qMax(0, capacity));
    return paths;
}

bool SimulatedDevices::attribute(const char *path, unsigned char *attr)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedWorld::Endpoint e = world_.endpoint(path);
    if (!e.present() || !attr)
        return false;
    const quint16 vid = hexId(e.receiver ? e.receiver->vid : e.mouse->vid);
    const quint16 pid = hexId(e.receiver ? e.receiver->pid : e.mouse->pid);
    const quint16 version = e.receiver ? e.receiver->version : e.mouse->version;
    const quint16 words[] = {12, 0, vid, pid, version, 0};
    for (int i = 0; i < 6; ++i) {
        attr[2 * i] = static_cast<unsigned char>(words[i] & 0xFF);
        attr[2 * i + 1] = static_cast<unsigned char>(words[i] >> 8);
    }
    return true;
}

QByteArray SimulatedDevices::deviceInfo(const char *path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    QByteArray info(3, '\0');
    if (options_.failIdentifications > 0) {
        --options_.failIdentifications;
        return info;
    }
    const SimulatedWorld::Endpoint e = world_.endpoint(path);
    if (e.mouse) {
        info[0] = static_cast<char>(e.mouse->cid);
        info[1] = static_cast<char>(e.mouse->mid);
        info[2] = static_cast<char>(e.mouse->cableKind);
    } else if (e.receiver) {
        if (const SimulatedMouse *m = world_.pairedMouse(*e.receiver)) {
            info[0] = static_cast<char>(m->cid);
            info[1] = static_cast<char>(m->mid);
        }
        info[2] = static_cast<char>(e.receiver->kind);
    }
    return info;
}

bool SimulatedDevices::online(const char *path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    SimulatedMouse *m = world_.answeringMouse(world_.endpoint(path));
    if (m && options_.onlineAnswersLeft.contains(m->name)) {
        int &left = options_.onlineAnswersLeft[m->name];
        if (left <= 0) {
            options_.onlineAnswersLeft.remove(m->name);
            m->powered = false;
            return false;
        }
        --left;
    }
    if (m && options_.dropAfterAnswers.contains(m->name)) {
        if (--options_.dropAfterAnswers[m->name] <= 0) {
            options_.dropAfterAnswers.remove(m->name);
            m->powered = false;
        }
        return true;
    }
    return m != nullptr;
}

bool SimulatedDevices::onlineWithAddress(const char *path, unsigned char *status)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedWorld::Endpoint e = world_.endpoint(path);
    const bool answers = world_.answeringMouse(e) != nullptr;
    if (!status)
        return answers;
    std::memset(status, 0, 10);
    if (!e.present())
        return false;
    QByteArray address(3, '\0');
    if (e.receiver) {
        address = e.receiver->address;
        status[1] = e.receiver->kind;
    } else {
        if (const SimulatedReceiver *r = world_.pairedReceiver(*e.mouse))
            address = r->address;
        status[1] = e.mouse->cableKind;
    }
    status[0] = 1;
    status[6] = answers ? 1 : 0;
    for (int i = 0; i < 3; ++i)
        status[7 + i] = static_cast<unsigned char>(address.at(i));
    return answers;
}

int SimulatedDevices::version(const char *path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedMouse *m = world_.answeringMouse(world_.endpoint(path));
    return m ? m->version : -1;
}

bool SimulatedDevices::slaveVersion(const char *path, int *version)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedWorld::Endpoint e = world_.endpoint(path);
    if (!e.receiver || !version)
        return false;
    *version = e.receiver->version;
    return true;
}

bool SimulatedDevices::longRange(const char *path, unsigned char *mode)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedMouse *m = world_.answeringMouse(world_.endpoint(path));
    if (!m || !mode)
        return false;
    *mode = m->longRange;
    return true;
}

bool SimulatedDevices::setLongRange(const char *path, int mode)
{
    return changeAndSave([&] {
        SimulatedMouse *m = world_.answeringMouse(world_.endpoint(path));
        if (!m)
            return false;
        m->longRange = mode ? 1 : 0;
        return true;
    });
}

// ---- receiver lighting ----

bool SimulatedDevices::receiverLight(const char *path, Light which, unsigned char *out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedWorld::Endpoint e = world_.endpoint(path);
    if (!e.receiver || !out)
        return false;
    // Only the 4 kHz receiver has the single LED.
    if (which == Light::LedRecord && e.receiver->kind != 1)
        return false;
    const QByteArray &bytes = which == Light::LedRecord ? e.receiver->ledRecord
        : which == Light::Bar ? e.receiver->lightBar : e.receiver->indicatorLeds;
    std::memcpy(out, bytes.constData(), static_cast<size_t>(bytes.size()));
    return true;
}

bool SimulatedDevices::setReceiverLight(const char *path, Light which, const unsigned char *in)
{
    return changeAndSave([&] {
        const SimulatedWorld::Endpoint e = world_.endpoint(path);
        if (!e.receiver || !in || options_.refusingReceivers.contains(e.receiver->name))
            return false;
        if (which == Light::LedRecord && e.receiver->kind != 1)
            return false;
        QByteArray &bytes = which == Light::LedRecord ? e.receiver->ledRecord
            : which == Light::Bar ? e.receiver->lightBar : e.receiver->indicatorLeds;
        bytes = QByteArray(reinterpret_cast<const char *>(in), bytes.size());
        return true;
    });
}

bool SimulatedDevices::setDongleIdToMouse(const char *path, const unsigned char *id)
{
    return changeAndSave([&] {
        SimulatedWorld::Endpoint e = world_.endpoint(path);
        SimulatedMouse *m = e.mouse ? world_.answeringMouse(e) : nullptr;
        if (!m || !id || options_.miceRefuseReceiverId)
            return false;
        // The id comes as status bytes 9, 8, 7.
        const QByteArray address = QByteArray() + static_cast<char>(id[2]) + static_cast<char>(id[1])
            + static_cast<char>(id[0]);
        SimulatedReceiver *target = nullptr;
        for (SimulatedReceiver &r : world_.receivers) {
            if (r.address == address)
                target = &r;
        }
        if (!target)
            return false;
        world_.pair(m, target);
        return true;
    });
}

bool SimulatedDevices::openDevice(const char *path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!world_.endpoint(path).present())
        return false;
    openedPath_ = path;
    return true;
}

bool SimulatedDevices::exchange(const unsigned char *packet, unsigned char *reply, int length)
{
    return changeAndSave([&] {
        if (!packet || !reply || length < 12)
            return false;
        std::memset(reply, 0, static_cast<size_t>(length));
        SimulatedMouse *m = world_.answeringMouse(world_.endpoint(openedPath_.c_str()));
        if (!m || !m->screen)
            return false;
        quint8 sum = 0;
        for (int i = 0; i < length - 1; ++i)
            sum = static_cast<quint8>(sum + packet[i]);
        if (static_cast<quint8>(0x55 - sum) != packet[length - 1])
            return false;
        // A scripted failure: the echo comes back garbled in its checksum.
        if (options_.failExchanges > 0) {
            --options_.failExchanges;
            std::memcpy(reply, packet, static_cast<size_t>(length));
            reply[length - 1] = static_cast<unsigned char>(reply[length - 1] ^ 0xFF);
            return true;
        }
        // A clock packet sets the screen's clock; every valid packet is echoed.
        if (packet[0] == 0x0A && packet[2] == 0x10)
            m->clock = QByteArray(reinterpret_cast<const char *>(packet) + 3, 8);
        std::memcpy(reply, packet, static_cast<size_t>(length));
        return true;
    });
}

// ---- server ----

bool SimulatedDevices::startServer(const char *path, RozReportCallback callback)
{
    std::lock_guard<std::mutex> lock(mutex_);
    serverRunning_ = true;
    serverPath_ = path ? path : "";
    ReportDispatcher::instance().start(callback);
    return world_.endpoint(path).present();
}

void SimulatedDevices::exitServer()
{
    quint64 stopMark = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        serverRunning_ = false;
        serverPath_.clear();
        stopMark = ReportDispatcher::instance().stop();
    }
    // Outside the lock: the callback it waits for may still call us.
    ReportDispatcher::instance().finishDelivery(stopMark);
}

bool SimulatedDevices::read(Read what)
{
    std::lock_guard<std::mutex> lock(mutex_);
    SimulatedMouse *m = serverMouseLocked();
    if (!m)
        return false;
    const QByteArray record = recordOf(*m);
    auto slice = [&record](std::size_t offset, int length) { return record.mid(static_cast<int>(offset), length); };
    switch (what) {
    case Read::AllFlash:
        postReportLocked(kData, 0, m->currentImage());
        break;
    case Read::CurrentDpi:
        postReportLocked(kData, 4, slice(FlashImageCodec::kCurrentDpiLevel, 1));
        break;
    case Read::ReportRate:
        postReportLocked(kData, 0, slice(FlashImageCodec::kReportRate, 1));
        break;
    case Read::Battery:
        postReportLocked(kBattery, 0, QByteArray() + static_cast<char>(m->battery) + static_cast<char>(m->charging ? 1 : 0));
        break;
    case Read::LedBar:
        postReportLocked(kData, 160, slice(FlashImageCodec::kLedBar, 7) + QByteArray(2, '\0'));
        break;
    case Read::DpiLed:
        postReportLocked(kData, 76, slice(FlashImageCodec::kDpiLed, 4) + QByteArray(4, '\0'));
        break;
    case Read::Version:
        postReportLocked(kVersion, 0, QByteArray() + static_cast<char>(m->version & 0xFF) + static_cast<char>(m->version >> 8));
        break;
    case Read::Config:
        postReportLocked(kConfiguration, 0, QByteArray(1, static_cast<char>(m->profile)));
        break;
    }
    return true;
}

bool SimulatedDevices::setPcDriverStatus(int status)
{
    return changeAndSave([&] {
        SimulatedMouse *m = serverMouseLocked();
        if (!m)
            return false;
        m->pcDriverStatus = status;
        return true;
    });
}

bool SimulatedDevices::setBatteryOptimize(int enable)
{
    return changeAndSave([&] {
        SimulatedMouse *m = serverMouseLocked();
        if (!m)
            return false;
        m->batteryOptimize = enable != 0;
        return true;
    });
}

bool SimulatedDevices::factoryReset()
{
    return changeAndSave([&] {
        SimulatedMouse *m = serverMouseLocked();
        if (!m)
            return false;
        m->factoryReset();
        postReportLocked(kReinitialised, 0, QByteArray());
        return true;
    });
}

bool SimulatedDevices::setProfile(int index)
{
    return changeAndSave([&] {
        SimulatedMouse *m = serverMouseLocked();
        if (!m || index < 0 || index >= SimulatedMouse::kProfiles)
            return false;
        m->profile = index;
        postReportLocked(kConfiguration, 0, QByteArray(1, static_cast<char>(index)));
        postReportLocked(kStatusChanged, 0, statusFlags(kFlagSettings));
        return true;
    });
}

bool SimulatedDevices::enterPairing(int cid)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!serverRunning_)
        return false;
    SimulatedReceiver *r = world_.endpoint(serverPath_.c_str()).receiver;
    if (!r)
        return false;
    r->pairStatus = SimulatedReceiver::PairPending;
    const quint64 serial = ++pairingSerial_;
    if (options_.pairing == PairingOutcome::NeverEnds)
        return true;
    const quint64 epoch = epoch_;
    const QString name = r->name;
    const int wanted = cid & 0xFF;
    if (options_.pairing == PairingOutcome::Unplug) {
        TaskScheduler::instance().schedule(options_.pairingMs, [this, epoch, name, serial] {
            unplugDuringPairing(epoch, name, serial);
        });
        return true;
    }
    TaskScheduler::instance().schedule(options_.pairingMs, [this, epoch, name, serial, wanted] {
        finishPairing(epoch, name, serial, wanted);
    });
    return true;
}

void SimulatedDevices::finishPairing(quint64 epoch, const QString &name, quint64 serial, int cid)
{
    Snapshot snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        SimulatedReceiver *r = world_.receiver(name);
        // A reload, a newer request or an unplugged receiver drops the answer.
        if (epoch != epoch_ || serial != pairingSerial_ || !r || !r->plugged || r->bootMode)
            return;
        SimulatedMouse *found = nullptr;
        if (options_.pairing == PairingOutcome::Normal) {
            for (SimulatedMouse &m : world_.mice) {
                if (m.cid == cid && m.pairingMode && m.powered && !m.bootMode) {
                    found = &m;
                    break;
                }
            }
        }
        if (found)
            world_.pair(found, r);
        r->pairStatus = found ? SimulatedReceiver::PairPaired : SimulatedReceiver::PairFailed;
        if (serverRunning_ && serverPath_ == r->path)
            postReportLocked(kPairStatus, 0, QByteArray(1, static_cast<char>(r->pairStatus)));
        snapshot = snapshotLocked();
    }
    save(snapshot);
}

// The receiver is pulled out before it answers: no report, only the hot-plug news.
void SimulatedDevices::unplugDuringPairing(quint64 epoch, const QString &name, quint64 serial)
{
    const bool changed = changeAndSave([&] {
        SimulatedReceiver *r = world_.receiver(name);
        if (epoch != epoch_ || serial != pairingSerial_ || !r || !r->plugged)
            return false;
        r->plugged = false;
        r->pairStatus = SimulatedReceiver::PairIdle;
        return true;
    });
    if (changed)
        HotPlugNotifier::instance().changed();
}

bool SimulatedDevices::readPairStatus()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!serverRunning_)
        return false;
    const SimulatedReceiver *r = world_.endpoint(serverPath_.c_str()).receiver;
    if (!r)
        return false;
    postReportLocked(kPairStatus, 0, QByteArray(1, static_cast<char>(r->pairStatus)));
    return true;
}

bool SimulatedDevices::storeRecord(const unsigned char *record)
{
    if (!record)
        return false;
    const QByteArray bytes(reinterpret_cast<const char *>(record), FlashImageCodec::kRecordSize);
    const QByteArray image = FlashImageCodec::encode(bytes);
    return changeAndSave([&] {
        SimulatedMouse *m = serverMouseLocked();
        if (!m)
            return false;
        if (options_.failRecordStores > 0) {
            --options_.failRecordStores;
            return false;
        }
        m->currentImage() = image;
        return true;
    });
}

// ---- firmware ----

int SimulatedDevices::countBootDevices(const RozFirmwareImage *image, int capacity)
{
    FirmwareImageHeader header;
    if (!FirmwareImageHeader::read(image, &header))
        return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    int count = 0;
    if (header.target == FirmwareImageHeader::kMouseTarget) {
        for (const SimulatedMouse &m : world_.mice)
            count += (m.bootMode && m.name != unseenBootDevice_ && m.cid == header.cid && m.mid == header.mid) ? 1 : 0;
    } else {
        for (const SimulatedReceiver &r : world_.receivers)
            count += (r.plugged && r.bootMode && r.name != unseenBootDevice_ && r.cid == header.cid
                      && r.mid == header.mid) ? 1 : 0;
    }
    return capacity > 0 ? qMin(count, capacity) : count;
}

bool SimulatedDevices::startUpgrade(const RozFirmwareImage *image, RozUpgradeStatusCallback callback)
{
    FirmwareImageHeader header;
    if (!FirmwareImageHeader::read(image, &header) || !callback)
        return false;
    auto job = std::make_shared<UpgradeJob>();
    bool vanished = false;
    Snapshot snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (upgradeBusy_ || options_.upgradeRefused)
            return false;
        const bool mouseImage = header.target == FirmwareImageHeader::kMouseTarget;
        // A device already in boot mode is taken first; otherwise one in
        // normal mode (a mouse only on its cable). Never a guess between two.
        QStringList boot, normal;
        if (mouseImage) {
            for (const SimulatedMouse &m : world_.mice) {
                if (m.cid != header.cid || m.mid != header.mid)
                    continue;
                if (m.bootMode)
                    boot.append(m.name);
                else if (m.cablePlugged && m.powered)
                    normal.append(m.name);
            }
        } else {
            for (const SimulatedReceiver &r : world_.receivers) {
                if (!r.plugged || r.cid != header.cid || r.mid != header.mid)
                    continue;
                (r.bootMode ? boot : normal).append(r.name);
            }
        }
        const QStringList &candidates = boot.isEmpty() ? normal : boot;
        if (candidates.size() != 1)
            return false;
        job->epoch = epoch_;
        job->mouse = mouseImage;
        job->device = candidates.first();
        job->versionWord = header.versionWord;
        job->callback = callback;
        if (options_.upgradeFailsLeft != 0)
            job->failPercent = options_.upgradeFailPercent;
        if (options_.upgradeFailsLeft > 0)
            --options_.upgradeFailsLeft;
        job->neverEnds = options_.upgradeNeverEnds;
        job->stepMs = options_.upgradeStepMs;
        job->vanishPercent = options_.upgradeVanishPercent;
        job->bootNeverAppears = options_.bootNeverAppears;
        if (job->bootNeverAppears)
            unseenBootDevice_ = job->device;
        if (mouseImage) {
            SimulatedMouse *m = world_.mouse(job->device);
            vanished = !m->bootMode && m->cablePlugged;
            m->bootMode = true;
        } else {
            SimulatedReceiver *r = world_.receiver(job->device);
            vanished = !r->bootMode;
            r->bootMode = true;
        }
        upgradeBusy_ = true;
        snapshot = snapshotLocked();
    }
    save(snapshot);
    if (vanished)
        HotPlugNotifier::instance().changed(); // it left the enumeration for boot mode
    std::thread([this, job] { runUpgrade(job); }).detach();
    return true;
}

// Leaves boot mode with the image's version; false when the world was
// reloaded meanwhile.
bool SimulatedDevices::upgradeStepLocked(const UpgradeJob &job)
{
    if (job.epoch != epoch_)
        return false;
    if (job.mouse) {
        SimulatedMouse *m = world_.mouse(job.device);
        if (!m)
            return false;
        m->version = job.versionWord;
        m->bootMode = false;
    } else {
        SimulatedReceiver *r = world_.receiver(job.device);
        if (!r)
            return false;
        r->version = job.versionWord;
        r->bootMode = false;
    }
    return true;
}

void SimulatedDevices::runUpgrade(std::shared_ptr<UpgradeJob> job)
{
    auto report = [&job](quint8 kind, quint8 value) {
        const unsigned char status[8] = {7, kind, value, 0, 0, 0, 0, 0};
        job->callback(status);
    };
    auto stillCurrent = [this, &job] {
        std::lock_guard<std::mutex> lock(mutex_);
        return job->epoch == epoch_;
    };
    auto release = [this, &job] {
        std::lock_guard<std::mutex> lock(mutex_);
        if (job->epoch == epoch_)
            upgradeBusy_ = false;
    };
    if (job->bootNeverAppears) {
        // The library waits for the device in boot mode as long as a whole
        // write would take, then gives up; afterwards the device shows up.
        std::this_thread::sleep_for(std::chrono::milliseconds(job->stepMs * 11));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (job->epoch != epoch_)
                return;
            unseenBootDevice_.clear();
            upgradeBusy_ = false;
        }
        HotPlugNotifier::instance().changed();
        report(2, 0);
        return;
    }
    for (int percent = 0; percent <= 100; percent += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(job->stepMs));
        if (!stillCurrent())
            return;
        if (job->vanishPercent >= 0 && percent >= job->vanishPercent) {
            // Pulled out mid-write: gone from the enumeration, the write fails.
            Snapshot snapshot;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (job->epoch != epoch_)
                    return;
                if (job->mouse) {
                    if (SimulatedMouse *m = world_.mouse(job->device)) {
                        m->cablePlugged = false;
                        m->bootMode = false;
                    }
                } else if (SimulatedReceiver *r = world_.receiver(job->device)) {
                    r->plugged = false;
                    r->bootMode = false;
                }
                upgradeBusy_ = false;
                snapshot = snapshotLocked();
            }
            save(snapshot);
            HotPlugNotifier::instance().changed();
            report(2, 0);
            return;
        }
        if (job->failPercent >= 0 && percent >= job->failPercent) {
            release();
            report(2, 0); // stays in boot mode
            return;
        }
        if (job->neverEnds && percent > 50) {
            release();
            return;
        }
        report(1, static_cast<quint8>(percent));
        std::unique_lock<std::mutex> lock(mutex_);
        upgradeHoldChanged_.wait(lock, [this, &job, percent] {
            return options_.upgradeHoldPercent != percent || job->epoch != epoch_;
        });
    }
    Snapshot snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!upgradeStepLocked(*job))
            return;
        upgradeBusy_ = false;
        snapshot = snapshotLocked();
    }
    save(snapshot);
    HotPlugNotifier::instance().changed();
    report(2, 1);
}

// ---- control ----

bool SimulatedDevices::loadScenario(const QString &path, QString *error)
{
    const FileReader::Result file = FileReader::Read(path, kMaxScenarioBytes);
    if (!file.ok()) {
        if (error)
            *error = QStringLiteral("cannot read %1 (%2)").arg(path, file.reason);
        return false;
    }
    if (!loadScenarioJson(file.bytes, error))
        return false;
    std::lock_guard<std::mutex> lock(mutex_);
    scenarioPath_ = path;
    return true;
}

bool SimulatedDevices::loadScenarioJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = parseError.errorString();
        return false;
    }
    SimulatedWorld world;
    if (!SimulatedWorld::fromJson(doc.object(), &world, error))
        return false;
    Snapshot snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        installWorldLocked(world, QCryptographicHash::hash(json, QCryptographicHash::Sha1).toHex(),
                           optionsFromScenario(json));
        snapshot = snapshotLocked();
    }
    save(snapshot);
    HotPlugNotifier::instance().changed();
    return true;
}

void SimulatedDevices::restart()
{
    // The run before ends by writing what it still held.
    flushState();
    exitServer();
    Snapshot snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        loadInitialLocked();
        snapshot = snapshotLocked();
    }
    save(snapshot);
}

void SimulatedDevices::setStatePath(const QString &path)
{
    flushState();
    store_.setPath(path);
}

QString SimulatedDevices::statePath() const
{
    return store_.path();
}

QString SimulatedDevices::scenarioPath() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return scenarioPath_;
}

bool SimulatedDevices::plug(const QString &name, bool plugged)
{
    const bool changed = changeAndSave([&] {
        if (SimulatedReceiver *r = world_.receiver(name))
            r->plugged = plugged;
        else if (SimulatedMouse *m = world_.mouse(name))
            m->cablePlugged = plugged;
        else
            return false;
        return true;
    });
    if (changed)
        HotPlugNotifier::instance().changed();
    return changed;
}

bool SimulatedDevices::setMouseOnline(const QString &name, bool online)
{
    std::lock_guard<std::mutex> lock(mutex_);
    SimulatedMouse *m = world_.mouse(name);
    if (!m)
        return false;
    m->powered = online;
    options_.onlineAnswersLeft.remove(name);
    options_.dropAfterAnswers.remove(name);
    return true;
}

bool SimulatedDevices::switchOffAfterOnlineAnswers(const QString &name, int answers)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!world_.mouse(name))
        return false;
    options_.onlineAnswersLeft.insert(name, qMax(0, answers));
    return true;
}

bool SimulatedDevices::dropAfterOnlineAnswers(const QString &name, int answers)
{
    std::lock_guard<std::mutex> lock(mutex_);
    SimulatedMouse *m = world_.mouse(name);
    if (!m)
        return false;
    if (answers <= 0) {
        m->powered = false;
        options_.dropAfterAnswers.remove(name);
    } else {
        options_.dropAfterAnswers.insert(name, answers);
    }
    return true;
}

bool SimulatedDevices::setPairingMode(const QString &name, bool on)
{
    std::lock_guard<std::mutex> lock(mutex_);
    SimulatedMouse *m = world_.mouse(name);
    if (!m)
        return false;
    m->pairingMode = on;
    return true;
}

bool SimulatedDevices::setBattery(const QString &name, int level, bool charging)
{
    std::lock_guard<std::mutex> lock(mutex_);
    SimulatedMouse *m = world_.mouse(name);
    if (!m)
        return false;
    m->battery = static_cast<quint8>(qBound(0, level, 100));
    m->charging = charging;
    if (serverReachesLocked(m))
        postReportLocked(kStatusChanged, 0, statusFlags(kFlagBattery));
    return true;
}

bool SimulatedDevices::setBootMode(const QString &name, bool on)
{
    const bool changed = changeAndSave([&] {
        if (SimulatedReceiver *r = world_.receiver(name))
            r->bootMode = on;
        else if (SimulatedMouse *m = world_.mouse(name))
            m->bootMode = on;
        else
            return false;
        return true;
    });
    if (changed)
        HotPlugNotifier::instance().changed();
    return changed;
}

bool SimulatedDevices::pressDpiButton(const QString &name)
{
    return changeAndSave([&] {
        SimulatedMouse *m = world_.mouse(name);
        if (!m || m->bootMode || !m->powered)
            return false;
        QByteArray record = recordOf(*m);
        const int count = qBound(1, static_cast<int>(static_cast<quint8>(record[1])), 8);
        const int level = static_cast<quint8>(record[2]);
        record[2] = static_cast<char>((level + 1) % count);
        storeRecordIn(m, record);
        if (serverReachesLocked(m))
            postReportLocked(kStatusChanged, 0, statusFlags(kFlagDpi));
        return true;
    });
}

void SimulatedDevices::injectReport(const QByteArray &header, const QByteArray &payload)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (serverRunning_)
        ReportDispatcher::instance().post(header, payload);
}

void SimulatedDevices::failNextIdentifications(int count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.failIdentifications = qMax(0, count);
}

void SimulatedDevices::setPairingOutcome(PairingOutcome outcome)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.pairing = outcome;
}

void SimulatedDevices::failNextRecordStores(int count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.failRecordStores = qMax(0, count);
}

void SimulatedDevices::failNextExchanges(int count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.failExchanges = qMax(0, count);
}

void SimulatedDevices::setUpgradeFailure(int percent, int upgrades)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.upgradeFailPercent = percent;
    options_.upgradeFailsLeft = upgrades < 0 ? -1 : upgrades;
}

void SimulatedDevices::setMiceRefuseReceiverId(bool refuse)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.miceRefuseReceiverId = refuse;
}

void SimulatedDevices::setUpgradeNeverEnds(bool never)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.upgradeNeverEnds = never;
}

void SimulatedDevices::setUpgradeRefused(bool refused)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.upgradeRefused = refused;
}

void SimulatedDevices::setUpgradeVanishes(int percent)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.upgradeVanishPercent = percent;
}

void SimulatedDevices::setBootDeviceNeverAppears(bool never)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.bootNeverAppears = never;
}

void SimulatedDevices::holdUpgradeAt(int percent)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.upgradeHoldPercent = percent;
    upgradeHoldChanged_.notify_all();
}

bool SimulatedDevices::setReceiverRefusesLighting(const QString &name, bool refuse)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!world_.receiver(name))
        return false;
    options_.refusingReceivers.removeAll(name);
    if (refuse)
        options_.refusingReceivers.append(name);
    return true;
}

void SimulatedDevices::setTiming(int pairingMs, int upgradeStepMs)
{
    std::lock_guard<std::mutex> lock(mutex_);
    options_.pairingMs = qMax(0, pairingMs);
    options_.upgradeStepMs = qMax(0, upgradeStepMs);
}

QString SimulatedDevices::pathOf(const QString &name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (const SimulatedReceiver *r = world_.receiver(name))
        return QString::fromStdString(r->path);
    if (const SimulatedMouse *m = world_.mouse(name))
        return QString::fromStdString(m->cablePath);
    return QString();
}

QByteArray SimulatedDevices::flashImage(const QString &name, int profile)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedMouse *m = world_.mouse(name);
    if (!m || profile < 0 || profile >= SimulatedMouse::kProfiles)
        return QByteArray();
    return m->images[profile];
}

int SimulatedDevices::firmwareVersion(const QString &name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (const SimulatedReceiver *r = world_.receiver(name))
        return r->version;
    if (const SimulatedMouse *m = world_.mouse(name))
        return m->version;
    return -1;
}

bool SimulatedDevices::inBootMode(const QString &name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (const SimulatedReceiver *r = world_.receiver(name))
        return r->bootMode;
    if (const SimulatedMouse *m = world_.mouse(name))
        return m->bootMode;
    return false;
}

QString SimulatedDevices::pairedReceiver(const QString &mouse)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimulatedMouse *m = world_.mouse(mouse);
    return m ? m->receiver : QString();
}
