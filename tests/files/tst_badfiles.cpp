// Every file the program reads, with something else in its place: a FIFO no
// one writes to, a folder, a looping link, an endless device and a file far
// larger than its format. Each reader is driven through the store, loader or
// page that uses it; each must come back at once, read nothing whole, give
// the fallback its caller has for an unreadable file, and leave the thing in
// the file's place as it was.

#include "BadFile.h"

#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/UserSettings.h"
#include "buttons/MacroFolder.h"
#include "buttons/ProfileExportFile.h"
#include "device/DeviceCacheFile.h"
#include "device/FlashDataMap.h"
#include "macro/MacroTextFile.h"
#include "platform/RegistryStore.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "platform/rozuri/StateStore.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/SensorCapabilityHeader.h"
#include "sensor/SensorFeatureLists.h"
#include "settings/FirmwareImages.h"
#include "settings/UpDataParam.h"
#include "widgets/PictureFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

// Far more than any of these readers needs for a small file, under the
// sanitizers, on a busy machine; a reader stuck on a FIFO takes the FIFO
// watchdog's ten seconds.
constexpr qint64 kPromptMs = 3000;

struct Reader {
    const char* name;
    // Where the file is, in the test's folder.
    std::function<QString(const QString& folder)> path;
    qint64 bound;
    // Runs the real caller on the file; true when it gave its fallback for
    // an unreadable file.
    std::function<bool(const QString& folder, const QString& path)> fallsBack;
};

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo");

QString MacroFilePath(const QString&)
{
    return MacroFolder::FileOf(QStringLiteral("Bad"));
}

const QList<Reader>& Readers()
{
    static const QList<Reader> readers = {
        {"Config.ini", [](const QString& f) { return f + "/usersetting/Config.ini"; }, ConfigSettings::kMaxFileBytes,
         [](const QString&, const QString& path) {
             ConfigSettings config(path);
             return config.State() == ConfigSettings::FileState::Unreadable
                 && config.Value("Option", "DeviceTotal").isEmpty();
         }},
        {"Macro.ini", [](const QString& f) { return f + "/Macro.ini"; }, UserSettings::kMaxFileBytes,
         [](const QString&, const QString& path) {
             UserSettings settings(path);
             // Nothing read, and nothing written over what could not be read.
             return settings.Value("Language", "Language").isEmpty() && !settings.SetValue("Language", "Language", "2")
                 && settings.Value("Language", "Language").isEmpty();
         }},
        {"Registry.ini", [](const QString& f) { return f + "/Registry.ini"; }, RegistryStore::kMaxFileBytes,
         [](const QString&, const QString& path) {
             RegistryStore registry(path);
             return registry.Value(kKey, "Language").isEmpty() && !registry.SetValue(kKey, "Language", "2")
                 && !registry.Remove(kKey, "Language");
         }},
        {"en.json", [](const QString& f) { return f + "/Language/en.json"; }, LanguageLoader::kMaxLanguageFileBytes,
         [](const QString&, const QString& path) { return !LanguageLoader::LoadLanguageFile(path); }},
        {"Net.xml", [](const QString& f) { return f + "/Language/Net.xml"; }, LanguageLoader::kMaxLabelsFileBytes,
         [](const QString&, const QString& path) { return !LanguageLoader::LoadLabelsFile(path); }},
        {"driver_sensor.h", [](const QString& f) { return f + "/driver_sensor.h"; }, 256 * 1024,
         [](const QString&, const QString& path) {
             SensorDefineTable table;
             SensorFeatureLists features;
             SensorCapabilityHeader::Parse(path, &table, &features);
             return table.sensorDefineNames.isEmpty() && table.sensorDefineValues.isEmpty();
         }},
        {"Level.ini", [](const QString& f) { return f + "/Level.ini"; }, 64,
         [](const QString& folder, const QString&) { return DpiValueCoding::readDpiLevelCountFile(folder) == 1; }},
        {"device cache", [](const QString&) { return DeviceCacheFile::Folder() + DeviceCacheFile::CacheName(0x1A, 0x2B); },
         4 + qint64(sizeof(FlashDataMap)),
         [](const QString&, const QString&) {
             FlashDataMap record;
             std::memset(&record, 0x55, sizeof(record));
             const bool read = DeviceCacheFile::ReadFlashCache(DeviceCacheFile::CacheName(0x1A, 0x2B), &record);
             // Never a half-filled record: defaults throughout.
             const QByteArray bytes(reinterpret_cast<const char*>(&record), sizeof(record));
             return !read && bytes == QByteArray(sizeof(record), '\0');
         }},
        {"profile import", [](const QString& f) { return f + "/profile.bin"; }, ProfileExportFile::kFileLength,
         [](const QString&, const QString& path) {
             UpDataParam dialog;
             QByteArray record(ProfileExportFile::kRecordLength, '\x33');
             const int code = dialog.ReadProfileFile(path, reinterpret_cast<uchar*>(record.data()));
             // The notice's "cannot be read" case, the record untouched.
             return code == 1 && record == QByteArray(ProfileExportFile::kRecordLength, '\x33');
         }},
        {"macro file", MacroFilePath, MacroTextFile::kMaxFileBytes,
         [](const QString&, const QString&) {
             return MacroFolder::ReadHeader(QStringLiteral("Bad")) == QLatin1String("0")
                 && !MacroTextFile::Append(MacroFolder::FileOf(QStringLiteral("Bad")), "0x04 1 0\n");
         }},
        {"firmware image", [](const QString& f) { return f + "/bin/Bad.bin"; }, kMaxFirmwareImageBytes,
         [](const QString& folder, const QString&) {
             // The shipped image beside the bad one is still found.
             const QString shipped = QCoreApplication::applicationDirPath() + "/bin/NK-M1-Mouse.bin";
             QFile::remove(folder + "/bin/NK-M1-Mouse.bin");
             if (!QFile::copy(shipped, folder + "/bin/NK-M1-Mouse.bin"))
                 return false;
             QFile file(shipped);
             if (!file.open(QIODevice::ReadOnly))
                 return false;
             FirmwareImageHeader header;
             if (!ReadFirmwareImageHeader(file.readAll(), &header))
                 return false;
             SetFirmwareFolder(folder + "/bin");
             const bool found = FindFirmwareImage(header.target, QString(), FirmwareImageName(header), header.cid, header.mid);
             SetFirmwareFolder(QString());
             return found && firmwareImageList.Count() == 1;
         }},
        {"picture", [](const QString& f) { return f + "/Picture/Sensor/dpi.png"; }, PictureFile::kMaxBytes,
         [](const QString&, const QString& path) { return PictureFile::Read(path).isNull(); }},
        {"simulator scenario", [](const QString& f) { return f + "/scenario.json"; }, 4 * 1024 * 1024,
         [](const QString&, const QString& path) {
             QString error;
             return !SimulatedDeviceControl::loadScenario(path, &error) && error.contains(path);
         }},
        {"simulator state", [](const QString& f) { return f + "/state.json"; }, StateStore::kMaxFileBytes,
         [](const QString&, const QString& path) {
             StateStore store;
             store.setPath(path);
             // Read as no state: the run starts from the scenario.
             return store.read().isEmpty();
         }},
    };
    return readers;
}

} // namespace

class TestBadFiles : public QObject {
    Q_OBJECT

private slots:
    void eachReaderReturnsAtOnceAndFallsBack_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<BadFileKind>("kind");
        for (int i = 0; i < Readers().size(); ++i) {
            for (BadFileKind kind : AllBadFileKinds())
                QTest::addRow("%s, %s", Readers().at(i).name, BadFileKindName(kind)) << i << kind;
        }
    }

    void eachReaderReturnsAtOnceAndFallsBack()
    {
        QFETCH(int, reader);
        QFETCH(BadFileKind, kind);
        const Reader& under = Readers().at(reader);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = under.path(folder.path());
        BadFile bad(kind, path, under.bound);
        QVERIFY(bad.Placed());

        QElapsedTimer timer;
        timer.start();
        const bool fellBack = under.fallsBack(folder.path(), path);
        const qint64 took = timer.elapsed();
        QVERIFY2(took < kPromptMs, qPrintable(QStringLiteral("took %1 ms").arg(took)));
        QVERIFY(fellBack);
        QVERIFY(bad.StillThere());
    }
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
