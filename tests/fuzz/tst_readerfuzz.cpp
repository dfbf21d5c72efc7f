// The readers of files that come from outside (a user's export, the disk,
// the language and scenario files beside the program) fed with random and
// mutated bytes: none may crash, hang or trip a sanitizer, whatever it is
// given. Each reader gets a fixed number of seeded runs, reproducible from
// the seed; NK_FUZZ_RUNS asks for more runs and NK_FUZZ_SEED for another
// seed (the seed and the run are named on any failure).

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/Startup.h"
#include "device/DeviceCacheFile.h"
#include "device/FlashDataMap.h"
#include "macro/KeyNameTable.h"
#include "macro/MacroExportFile.h"
#include "macro/MacroTextFile.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/UpDataParam.h"

#include "app/ConfigSettings.h"
#include "app/UserSettings.h"
#include "device/CurrentDevice.h"
#include "platform/RegistryStore.h"
#include "platform/rozuri/FirmwareImageHeader.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/SensorCapabilityHeader.h"
#include "sensor/SensorFeatureLists.h"
#include "settings/FirmwareImages.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

namespace {

// Runs per reader in CI: a few seconds each under the sanitizers.
constexpr int kDefaultRuns = 300;
constexpr quint32 kDefaultSeed = 20261210;
// One input taking longer than this is a hang.
constexpr qint64 kMaxMsPerInput = 3000;

int Runs()
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue("NK_FUZZ_RUNS", &ok);
    return ok && runs > 0 ? runs : kDefaultRuns;
}

quint32 Seed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("NK_FUZZ_SEED").toUInt(&ok);
    return ok ? seed : kDefaultSeed;
}

// Values that make lengths and counts go wrong.
const quint32 kInteresting[] = {0u, 1u, 2u, 12u, 13u, 48u, 0x7Fu, 0x80u, 0xFFu, 0x28D0u, 0xFFFFu,
                                0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu};

class Mutator {
public:
    explicit Mutator(quint32 seed)
        : random(seed)
    {
    }

    int Below(int n) { return n <= 0 ? 0 : int(random.bounded(quint32(n))); }

    QByteArray RandomBytes(int maxSize)
    {
        QByteArray bytes(Below(maxSize + 1), '\0');
        for (char& c : bytes)
            c = char(Below(256));
        return bytes;
    }

    // A few byte-level changes to one of the samples, or random bytes.
    QByteArray Mutate(const QVector<QByteArray>& samples)
    {
        if (samples.isEmpty() || Below(10) == 0)
            return RandomBytes(512);
        QByteArray bytes = samples.at(Below(samples.size()));
        const int changes = 1 + Below(8);
        for (int i = 0; i < changes; ++i)
            MutateOnce(&bytes, samples);
        return bytes;
    }

    // A change to the structure of a JSON sample: values replaced by other
    // kinds, members dropped, arrays grown; sometimes a byte change on top.
    QByteArray MutateJson(const QVector<QByteArray>& samples)
    {
        if (Below(4) == 0)
            return Mutate(samples);
        const QJsonDocument document = QJsonDocument::fromJson(samples.at(Below(samples.size())));
        QJsonValue value = document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
        const int changes = 1 + Below(6);
        for (int i = 0; i < changes; ++i)
            value = MutateValue(value, 0);
        const QByteArray json = value.isObject() ? QJsonDocument(value.toObject()).toJson()
                                                 : QJsonDocument(value.toArray()).toJson();
        return Below(5) == 0 ? Mutate({json}) : json;
    }

private:
    void MutateOnce(QByteArray* bytes, const QVector<QByteArray>& samples)
    {
        const int size = bytes->size();
        switch (Below(7)) {
        case 0: // flip a bit
            if (size > 0) {
                const int at = Below(size);
                (*bytes)[at] = char(bytes->at(at) ^ char(1 << Below(8)));
            }
            break;
        case 1: // a random byte
            if (size > 0)
                (*bytes)[Below(size)] = char(Below(256));
            break;
        case 2: { // a length or count gone wrong, big-endian as the streams have them
            if (size < 4)
                break;
            const quint32 value = kInteresting[Below(int(sizeof(kInteresting) / sizeof(kInteresting[0])))];
            const int at = Below(size - 3);
            for (int i = 0; i < 4; ++i)
                (*bytes)[at + i] = char((value >> (24 - 8 * i)) & 0xFF);
            break;
        }
        case 3: // cut
            bytes->truncate(Below(size + 1));
            break;
        case 4: // drop a piece
            if (size > 0)
                bytes->remove(Below(size), 1 + Below(16));
            break;
        case 5: // insert random bytes
            bytes->insert(Below(size + 1), RandomBytes(16));
            break;
        case 6: { // splice in a piece of another sample
            const QByteArray& other = samples.at(Below(samples.size()));
            if (other.isEmpty())
                break;
            const int from = Below(other.size());
            bytes->insert(Below(size + 1), other.mid(from, 1 + Below(64)));
            break;
        }
        }
    }

    QJsonValue RandomValue(int depth)
    {
        switch (Below(depth > 3 ? 6 : 8)) {
        case 0: return QJsonValue();
        case 1: return QJsonValue(Below(2) == 0);
        case 2: return QJsonValue(double(qint64(kInteresting[Below(15)])) * (Below(2) ? 1 : -1));
        case 3: return QJsonValue(1e300 * (Below(2) ? 1 : -1));
        case 4: return QJsonValue(QString::fromLatin1(RandomBytes(12).toHex()));
        case 5: return QJsonValue(QStringLiteral("0x") + QString::number(Below(0x10000), 16));
        case 6: {
            QJsonArray array;
            for (int i = Below(4); i > 0; --i)
                array.append(RandomValue(depth + 1));
            return array;
        }
        default: {
            QJsonObject object;
            for (int i = Below(3); i > 0; --i)
                object.insert(QString::number(Below(100)), RandomValue(depth + 1));
            return object;
        }
        }
    }

    QJsonValue MutateValue(const QJsonValue& value, int depth)
    {
        if (value.isObject()) {
            QJsonObject object = value.toObject();
            const QStringList keys = object.keys();
            if (keys.isEmpty() || Below(8) == 0) {
                object.insert(keys.isEmpty() || Below(2) ? QStringLiteral("x") : keys.at(Below(keys.size())),
                              RandomValue(depth));
                return object;
            }
            const QString key = keys.at(Below(keys.size()));
            if (Below(10) == 0)
                object.remove(key);
            else
                object.insert(key, MutateValue(object.value(key), depth + 1));
            return object;
        }
        if (value.isArray()) {
            QJsonArray array = value.toArray();
            if (array.isEmpty() || Below(8) == 0) {
                array.append(Below(2) && !array.isEmpty() ? array.at(Below(array.size())) : RandomValue(depth));
                return array;
            }
            const int at = Below(array.size());
            if (Below(10) == 0)
                array.removeAt(at);
            else
                array.replace(at, MutateValue(array.at(at), depth + 1));
            return array;
        }
        return RandomValue(depth);
    }

    QRandomGenerator random;
};

// The readers say what is wrong with each damaged file; thousands of such
// warnings would bury the test's own output.
QtMessageHandler previousHandler = nullptr;

void QuietWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg || type == QtWarningMsg)
        return;
    previousHandler(type, context, message);
}

QByteArray ReadWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteWhole(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

class TestReaderFuzz : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Feeds `runs` inputs from `make` to `read`; a slow input fails the test
    // with the seed and the run that made it.
    void Feed(const char* reader, const std::function<QByteArray(Mutator&)>& make,
              const std::function<void(const QByteArray&)>& read)
    {
        const quint32 seed = Seed();
        const int runs = Runs();
        Mutator mutator(seed);
        qInfo("%s: %d runs, seed %u", reader, runs, seed);
        QElapsedTimer total;
        total.start();
        previousHandler = qInstallMessageHandler(QuietWarnings);
        struct Restore {
            ~Restore() { qInstallMessageHandler(previousHandler); }
        } restore;
        for (int run = 0; run < runs; ++run) {
            const QByteArray input = make(mutator);
            QElapsedTimer clock;
            clock.start();
            read(input);
            QVERIFY2(clock.elapsed() < kMaxMsPerInput,
                     qPrintable(QStringLiteral("%1: run %2 of seed %3 took %4 ms")
                                    .arg(QLatin1String(reader)).arg(run).arg(seed).arg(clock.elapsed())));
        }
        qInfo("%s: done in %lld ms", reader, total.elapsed());
    }

    static QVector<QByteArray> MacroTextSamples()
    {
        return {QByteArray("254\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n"),
                QByteArray("1\n0x01 4 0\n25ms\n0x01 4 1\n0x02 0 0\n7ms\n0x02 0 1\n"),
                QByteArray("  253 \r\n  0x04   1 0\r\nabc\r\n0x4 1 0\r\n0x04 1\r\n"),
                QByteArray()};
    }

    static QVector<QByteArray> ExportSamples()
    {
        QPixmap red(16, 16);
        red.fill(Qt::red);
        MacroExportFile::Content content;
        content.name = QStringLiteral("Game1");
        content.modeText = QStringLiteral("254");
        content.items = {{{QStringLiteral("A"), false}, QIcon(red)},
                         {{QStringLiteral("10ms"), false}, QIcon()},
                         {{QStringLiteral("A"), true}, QIcon(red)}};
        const QByteArray withPictures = MacroExportFile::Write(content);
        for (auto& item : content.items)
            item.icon = QIcon();
        const QByteArray plain = MacroExportFile::Write(content);
        content.items.clear();
        return {withPictures, plain, MacroExportFile::Write(content)};
    }

    static QByteArray StreamOf(const QByteArray& array)
    {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_5_9);
        stream << array;
        return bytes;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        MouseButtonNames[0] = QStringLiteral("Left button");
    }

    void macroTextReader()
    {
        const QVector<QByteArray> samples = MacroTextSamples();
        Feed("macro text", [&](Mutator& m) { return m.Mutate(samples); },
             [](const QByteArray& input) {
                 const MacroTextFile::Parsed parsed = MacroTextFile::Parse(input);
                 QVERIFY(parsed.repeatMode == 253 || parsed.repeatMode == 254 || parsed.repeatMode == 255
                         || (parsed.repeatMode >= 1 && parsed.repeatMode <= 250));
             });
    }

    void exportReader()
    {
        const QVector<QByteArray> samples = ExportSamples();
        Feed("macro export", [&](Mutator& m) { return m.Mutate(samples); },
             [](const QByteArray& input) {
                 MacroExportFile::Content content;
                 const MacroExportFile::ReadStatus status = MacroExportFile::Read(input, &content);
                 if (status == MacroExportFile::ReadStatus::Ok) {
                     QVERIFY(content.items.size() <= MacroExportFile::MaxItems);
                     for (const MacroExportFile::Item& item : content.items)
                         QVERIFY(item.icon.isNull());
                 } else {
                     QVERIFY(content.items.isEmpty());
                 }
             });
    }

    void deviceCacheReader()
    {
        QVERIFY(QDir().mkpath(DeviceCacheFile::Folder()));
        FlashDataMap record{};
        std::memset(&record, 0x5A, sizeof(record));
        const QByteArray whole(reinterpret_cast<const char*>(&record), sizeof(record));
        const QVector<QByteArray> samples = {StreamOf(whole), StreamOf(whole.left(100)), StreamOf(QByteArray())};
        const QString name = QStringLiteral("Device_CID07_MID01.bin");
        Feed("device cache", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(DeviceCacheFile::Folder() + name, input));
                 FlashDataMap read{};
                 DeviceCacheFile::ReadFlashCache(name, &read);
             });
    }

    void profileReader()
    {
        UpDataParam reader;
        const QString group = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);
        const QByteArray sensor = ConfigSettings::Instance()->Value(group, QStringLiteral("Sensor")).toLatin1();
        auto field = [](const QByteArray& text) { return text.left(12) + QByteArray(12 - qMin(12, text.size()), '\0'); };
        QByteArray good;
        {
            QDataStream stream(&good, QIODevice::WriteOnly);
            stream << field("Tesmo") << field(sensor) << QByteArray(int(sizeof(FlashDataMap)), '\x01');
        }
        const QVector<QByteArray> samples = {good, good.left(40)};
        const QString path = dir.filePath(QStringLiteral("profile.ini"));
        Feed("profile", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 FlashDataMap record{};
                 const int result = reader.ReadProfileFile(path, reinterpret_cast<uchar*>(&record));
                 QVERIFY(result >= 0 && result <= 2);
             });
    }

    void languageLoader()
    {
        const QByteArray shipped = ReadWhole(QCoreApplication::applicationDirPath() + "/Language/en.json");
        QVERIFY(!shipped.isEmpty());
        const QVector<QByteArray> samples = {shipped,
                                             QByteArray("{\"mouse\":{\"common\":{\"OK\":\"OK\",\"light\":\"x\"},"
                                                        "\"ReportRates\":[{\"value\":125,\"option\":\"a\","
                                                        "\"children\":[{\"value\":\"x\"}]}]},"
                                                        "\"keyboard\":{\"keyboardKeyfunctions\":"
                                                        "[{\"type\":\"0x01\",\"value\":\"a\",\"label\":\"b\"}]}}")};
        const QString path = dir.filePath(QStringLiteral("en.json"));
        Feed("language", [&](Mutator& m) { return m.MutateJson(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 LanguageTables::Clear();
                 LanguageLoader::LoadLanguageFile(path);
                 // A text of the loaded language, as a page reads it.
                 LanguageTables::Text(0, QStringLiteral("macro"), QStringLiteral("MacroList"));
             });
        LanguageTables::Clear();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void sensorHeaderReader()
    {
        const QByteArray shipped = ReadWhole(QCoreApplication::applicationDirPath() + "/driver_sensor.h");
        QVERIFY(!shipped.isEmpty());
        const QVector<QByteArray> samples = {shipped, QByteArray("#define SUPPORT_LOD \"3395,3950\"\n#define 3395_400 0x04\n")};
        const QString path = dir.filePath(QStringLiteral("driver_sensor.h"));
        Feed("sensor header", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 SensorDefineTable table;
                 SensorFeatureLists features;
                 SensorCapabilityHeader::Parse(path, &table, &features);
                 QCOMPARE(table.sensorDefineNames.size(), table.sensorDefineValues.size());
             });
    }

    void firmwareImageReader()
    {
        QVector<QByteArray> samples;
        const QDir shipped(QCoreApplication::applicationDirPath() + "/bin");
        for (const QString& name : shipped.entryList(QStringList{QStringLiteral("*.bin")}, QDir::Files))
            samples.append(ReadWhole(shipped.filePath(name)));
        QVERIFY(!samples.isEmpty());
        FirmwareImageHeader header;
        QVERIFY(ReadFirmwareImageHeader(samples.first(), &header));
        const QString imageName = FirmwareImageName(header);
        const QString folder = dir.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(folder));
        SetFirmwareFolder(folder);
        Feed("firmware image", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(folder + "/image.bin", input));
                 FirmwareImageHeader read;
                 if (ReadFirmwareImageHeader(input, &read))
                     QVERIFY(read.imageName.size() <= FirmwareImageHeader::kNameSize);
                 // The scan that reads every image in the folder.
                 FindFirmwareImage(header.target, QString(), imageName, header.cid, header.mid);
             });
        SetFirmwareFolder(QString());
    }

    // The three INI stores, and what the pages ask of them.
    void configReader()
    {
        const QByteArray shipped = ReadWhole(QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
        QVERIFY(!shipped.isEmpty());
        const QVector<QByteArray> samples = {shipped, QByteArray("[Option]\nDeviceTotal=1\nCID=Nw==\n[Drive1]\nDPIRange=\"100,26000,50,0x11\"\n")};
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        Feed("Config.ini", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 ConfigSettings config(path);
                 config.State();
                 for (const char* key : {"DeviceTotal", "CID", "VID", "LabelColor"})
                     config.Value(QStringLiteral("Option"), QString::fromLatin1(key));
                 config.ListValue(QStringLiteral("Drive1"), QStringLiteral("DPIRange"));
                 config.ListValue(QStringLiteral("Drive1"), QStringLiteral("MM"));
             });
    }

    void userSettingsReader()
    {
        const QVector<QByteArray> samples = {
            QByteArray("[Language]\nLanguage=3\n\n[FindNew]\nIsShow=1\n\n[FileDialog]\nFolder=/home/user/My Files\n"),
            QByteArray("[General]\nx=\"a,b\"\n[%General]\ny=@@at\n")};
        const QString path = dir.filePath(QStringLiteral("Macro.ini"));
        Feed("Macro.ini", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 UserSettings settings(path);
                 settings.Value(QStringLiteral("Language"), QStringLiteral("Language"));
                 // A change keeps the other values: a write must never lose what it read.
                 const QString shown = settings.Value(QStringLiteral("FindNew"), QStringLiteral("IsShow"));
                 if (settings.SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("2"))) {
                     UserSettings reread(path);
                     QCOMPARE(reread.Value(QStringLiteral("Language"), QStringLiteral("Language")), QStringLiteral("2"));
                     QCOMPARE(reread.Value(QStringLiteral("FindNew"), QStringLiteral("IsShow")), shown);
                 }
             });
    }

    void registryReader()
    {
        const QVector<QByteArray> samples = {QByteArray(
            "[HKEY_CURRENT_USER]\nSoftware\\Nevrix%20Kazmo\\Nevrix%20Kazmo\\Ruzaz%20Arode%20Dazo\\UpdateFailInfo=\"210,0,1,2\"\n"
            "Software\\Nevrix%20Kazmo\\Nevrix%20Kazmo\\Ruzaz%20Arode%20Dazo\\MouseVer0701=1.05\n")};
        const QString key = AppPaths::FirmwareStateKey();
        const QString path = dir.filePath(QStringLiteral("Registry.ini"));
        Feed("Registry.ini", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 RegistryStore registry(path);
                 const QString record = registry.Value(key, QStringLiteral("UpdateFailInfo"));
                 if (registry.SetValue(key, QStringLiteral("MouseVer0701"), QStringLiteral("1.06")))
                     QCOMPARE(RegistryStore(path).Value(key, QStringLiteral("UpdateFailInfo")), record);
             });
    }

    void levelCountReader()
    {
        const QVector<QByteArray> samples = {QByteArray("3\n"), QByteArray("8"), QByteArray("12\r\n")};
        Feed("Level.ini", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(dir.filePath(QStringLiteral("Level.ini")), input));
                 const int count = DpiValueCoding::readDpiLevelCountFile(dir.path());
                 QVERIFY(count >= 0 && count <= 8);
             });
    }

    void labelsReader()
    {
        const QByteArray shipped = ReadWhole(QCoreApplication::applicationDirPath() + "/Language/Net.xml");
        QVERIFY(!shipped.isEmpty());
        const QVector<QByteArray> samples = {shipped};
        const QString path = dir.filePath(QStringLiteral("Net.xml"));
        Feed("Net.xml", [&](Mutator& m) { return m.Mutate(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 LanguageLoader::LoadLabelsFile(path);
             });
        LanguageLoader::LoadLabelsFile(QCoreApplication::applicationDirPath() + "/Language/Net.xml");
    }

    // The simulated devices' state file, as the next run reads it.
    void simulatorStateReader()
    {
        const QString path = dir.filePath(QStringLiteral("state.json"));
        const QString before = SimulatedDeviceControl::statePath();
        SimulatedDeviceControl::setStatePath(path);
        SimulatedDeviceControl::restart();
        SimulatedDeviceControl::flushState();
        const QByteArray written = ReadWhole(path);
        QVERIFY(!written.isEmpty());
        const QVector<QByteArray> samples = {written};
        Feed("simulator state", [&](Mutator& m) { return m.MutateJson(samples); },
             [&](const QByteArray& input) {
                 QVERIFY(WriteWhole(path, input));
                 SimulatedDeviceControl::restart();
             });
        SimulatedDeviceControl::setStatePath(before);
        SimulatedDeviceControl::restart();
    }

    void scenarioReader()
    {
        const QByteArray shipped = ReadWhole(QCoreApplication::applicationDirPath() + "/Simulation/DefaultScenario.json");
        QVERIFY(!shipped.isEmpty());
        const QVector<QByteArray> samples = {shipped};
        Feed("scenario", [&](Mutator& m) { return m.MutateJson(samples); },
             [](const QByteArray& input) {
                 QString error;
                 SimulatedDeviceControl::loadScenarioJson(input, &error);
             });
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenarioJson(shipped, &error), qPrintable(error));
    }
};

QTEST_MAIN(TestReaderFuzz)
#include "tst_readerfuzz.moc"
