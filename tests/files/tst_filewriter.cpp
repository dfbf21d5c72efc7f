// Every writer of the program on a full disk (a file size limit below what it
// writes): the earlier file must stay whole, the failure must be reported,
// and no temporary file may be left in the folder. The same writers with
// room to write must replace the file and leave nothing else either.

#include "FileSizeLimit.h"

#include "app/AppPaths.h"
#include "app/UserFolderProblem.h"
#include "app/UserSettings.h"
#include "buttons/MacroFolder.h"
#include "buttons/ProfileExportFile.h"
#include "device/DeviceCacheFile.h"
#include "device/FlashDataMap.h"
#include "macro/MacroTextFile.h"
#include "platform/AutoStartEntry.h"
#include "platform/RegistryStore.h"
#include "platform/files/FileWriter.h"
#include "platform/rozuri/StateStore.h"
#include "sensor/DpiValueCoding.h"
#include "settings/FirmwareState.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace {

QString lastRegistryFailure;

void NoteRegistryFailure(const QString& path)
{
    lastRegistryFailure = path;
}

const QString kFirmwareKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo\\Nevrix Kazmo\\Ruzaz Arode Dazo");

QByteArray CacheBytes(char fill)
{
    FlashDataMap record;
    std::memset(&record, fill, sizeof(record));
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_9);
    stream << QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
    return bytes;
}

struct Writer {
    const char* name;
    std::function<QString(const QString& folder)> path;
    QByteArray earlier;
    // The file size limit of the full disk: below what the writer writes.
    qint64 limit;
    // Runs the writer; true when it reported a failure.
    std::function<bool(const QString& path)> reportsFailure;
};

const QList<Writer>& Writers()
{
    static const QList<Writer> writers = {
        {"the writer itself", [](const QString& f) { return f + "/file.bin"; }, "earlier bytes", 16,
         [](const QString& path) {
             QString reason;
             return !FileWriter::Replace(path, QByteArray(4096, 'n'), &reason) && !reason.isEmpty();
         }},
        {"Macro.ini", [](const QString& f) { return f + "/Macro.ini"; }, "[Language]\nLanguage=3\n", 40,
         [](const QString& path) {
             UserSettings settings(path);
             const bool stored = settings.SetValue("FileDialog", "Folder", QString(400, 'x'));
             // Not shown as stored either.
             return !stored && UserFolderProblem::TakeUntold() == path
                 && settings.Value("FileDialog", "Folder").isEmpty() && settings.Value("Language", "Language") == "3";
         }},
        {"Registry.ini, a value set",
         [](const QString& f) { return f + "/Registry.ini"; },
         "[HKEY_CURRENT_USER]\nSoftware\\Nevrix%20Kazmo\\Nevrix%20Kazmo\\Ruzaz%20Arode%20Dazo\\UpdateFailInfo=\"210,0,1,2\"\n", 140,
         [](const QString& path) {
             RegistryStore registry(path);
             lastRegistryFailure.clear();
             const bool set = registry.SetValue(kFirmwareKey, "MouseVer0102", QString(400, '9'));
             return !set && lastRegistryFailure == path;
         }},
        // The store reads the file into a copy in memory, which the limit
        // counts too; raw control characters, which the rewrite spells as
        // escapes, make the file grow though a value goes.
        {"Registry.ini, a value removed",
         [](const QString& f) { return f + "/Registry.ini"; },
         "[HKEY_CURRENT_USER]\nSoftware\\Nevrix%20Kazmo\\Nevrix%20Kazmo\\Ruzaz%20Arode%20Dazo\\UpdateFailInfo=\"210,0,1,2\"\n"
         "Software\\Nevrix%20Kazmo\\Nevrix%20Kazmo\\Ruzaz%20Arode%20Dazo\\MouseVer0102=1.05\n"
         "Note=" + QByteArray(100, '\x01') + "\n", 300,
         [](const QString& path) {
             RegistryStore registry(path);
             lastRegistryFailure.clear();
             const bool removed = registry.Remove(kFirmwareKey, "MouseVer0102");
             return !removed && lastRegistryFailure == path && registry.Value(kFirmwareKey, "MouseVer0102") == "1.05";
         }},
        {"device cache", [](const QString&) { return DeviceCacheFile::Folder() + DeviceCacheFile::CacheName(1, 2); },
         CacheBytes('\x11'), 100,
         [](const QString& path) {
             FlashDataMap record;
             std::memset(&record, 0x22, sizeof(record));
             DeviceCacheFile::WriteFlashCache(DeviceCacheFile::CacheName(1, 2), record);
             return UserFolderProblem::TakeUntold() == path;
         }},
        {"Level.ini", [](const QString& f) { return f + "/Level.ini"; }, "7", 0,
         [](const QString& path) {
             QString reason;
             return !DpiValueCoding::writeDpiLevelCountFile(QFileInfo(path).path(), 5, &reason) && !reason.isEmpty();
         }},
        {"profile export", [](const QString& f) { return f + "/profile.bin"; }, "an earlier profile", 100,
         [](const QString& path) {
             FlashDataMap record;
             std::memset(&record, 0x44, sizeof(record));
             QString reason;
             return !ProfileExportFile::Write(path, "3395", record, &reason) && !reason.isEmpty();
         }},
        {"macro file, replaced", [](const QString& f) { return f + "/Game1.ini"; }, "254\r\n0x04 1 0\r\n", 20,
         [](const QString& path) {
             QString reason;
             return !MacroTextFile::Replace(path, QByteArray("254\r\n") + QByteArray(200, 'x'), &reason) && !reason.isEmpty();
         }},
        {"macro file, events added", [](const QString& f) { return f + "/Game1.ini"; }, "254\r\n0x04 1 0\r\n", 20,
         [](const QString& path) { return !MacroTextFile::Append(path, "0x04 0 0\n0x05 1 0\n0x05 0 0\n"); }},
        {"macro file, header from the button page", [](const QString&) { return MacroFolder::FileOf("Game1"); },
         "254\r\n0x04 1 0\r\n", 2, [](const QString&) { return !MacroFolder::WriteHeader("Game1", "253"); }},
        {"autostart entry", [](const QString&) { return AutoStartEntry::FilePath("Nevrix Kazmo"); }, "[Desktop Entry]\n", 20,
         [](const QString&) {
             QString error;
             return !AutoStartEntry::Write("Nevrix Kazmo", "/opt/nevrix/nevrix-kazmo", &error) && !error.isEmpty();
         }},
        {"simulator state", [](const QString& f) { return f + "/state.json"; }, "{\"devices\":[]}", 20,
         [](const QString& path) {
             StateStore store;
             store.setPath(path);
             return !store.write(1, "{\"devices\":[" + QByteArray(200, ' ') + "]}");
         }},
    };
    return writers;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList FolderEntries(const QString& path)
{
    return QDir(QFileInfo(path).absolutePath())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestFileWriter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;

    void AddRows()
    {
        QTest::addColumn<int>("writer");
        for (int i = 0; i < Writers().size(); ++i)
            QTest::newRow(Writers().at(i).name) << i;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath("config")));
        RegistryStore::SetWriteFailureHandler(&NoteRegistryFailure);
    }

    void init()
    {
        UserFolderProblem::Reset();
    }

    void onAFullDiskTheEarlierFileStaysWhole_data() { AddRows(); }

    void onAFullDiskTheEarlierFileStaysWhole()
    {
        QFETCH(int, writer);
        const Writer& under = Writers().at(writer);
        QTemporaryDir dir(folder.filePath("XXXXXX"));
        const QString path = under.path(dir.path());
        QVERIFY(WriteAll(path, under.earlier));
        const QStringList before = FolderEntries(path);

        bool reported = false;
        {
            const FileSizeLimit fullDisk(under.limit);
            reported = under.reportsFailure(path);
        }
        QVERIFY(reported);
        QCOMPARE(ReadAll(path), under.earlier);
        QCOMPARE(FolderEntries(path), before);
        QFile::remove(path);
    }

    void withRoomTheFileIsReplaced_data() { AddRows(); }

    void withRoomTheFileIsReplaced()
    {
        QFETCH(int, writer);
        const Writer& under = Writers().at(writer);
        QTemporaryDir dir(folder.filePath("XXXXXX"));
        const QString path = under.path(dir.path());
        QVERIFY(WriteAll(path, under.earlier));
        const QStringList before = FolderEntries(path);

        QVERIFY(!under.reportsFailure(path));
        QVERIFY(ReadAll(path) != under.earlier);
        QCOMPARE(FolderEntries(path), before);
        QVERIFY(UserFolderProblem::TakeUntold().isEmpty());
        QFile::remove(path);
    }

    // A new file is made as any new file is: 0666 less the umask. A file
    // that is there keeps its mode.
    void newFilesFollowTheUmask_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("mask");
        for (int i : {0, 1, 2}) {
            for (int mask : {077, 027, 022})
                QTest::addRow("%s, umask %03o", Writers().at(i).name, mask) << i << mask;
        }
    }

    void newFilesFollowTheUmask()
    {
        QFETCH(int, writer);
        QFETCH(int, mask);
        const Writer& under = Writers().at(writer);
        QTemporaryDir dir(folder.filePath("XXXXXX"));
        const QString path = under.path(dir.path());
        const mode_t before = ::umask(mode_t(mask));
        const bool failed = under.reportsFailure(path);
        ::umask(before);
        QVERIFY(!failed);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), 0666 & ~mask);

        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        const mode_t again = ::umask(mode_t(mask));
        under.reportsFailure(path);
        ::umask(again);
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), 0640);
        QCOMPARE(FolderEntries(path), QStringList{QFileInfo(path).fileName()});
    }

    // The program's next start still finds the failed update, whatever write
    // of the registry failed after it was recorded.
    void theFailedUpdateRecordOutlivesAFailedRegistryWrite()
    {
        FirmwareState::WriteFailRecord(210, 0, 1, 2);
        const QString path = RegistryStore::Instance().FilePath();
        const QByteArray recorded = ReadAll(path);
        QVERIFY(recorded.contains("UpdateFailInfo"));
        lastRegistryFailure.clear();
        {
            const FileSizeLimit fullDisk(recorded.size() + 10);
            FirmwareState::StoreMouseVersion(0, QString(500, '1'));
        }
        QCOMPARE(lastRegistryFailure, path);
        QCOMPARE(ReadAll(path), recorded);
        QVERIFY(FirmwareState::ReadFailRecord(nullptr));

        RegistryStore nextStart(path);
        QCOMPARE(nextStart.Value(AppPaths::FirmwareStateKey(), "UpdateFailInfo"), QStringLiteral("210,0,1,2"));
        // And QSettings, which wrote every earlier file, reads it as ever.
        QSettings earlier(path, QSettings::IniFormat);
        QCOMPARE(earlier.value("HKEY_CURRENT_USER/Software/Nevrix Kazmo/Nevrix Kazmo/Ruzaz Arode Dazo/UpdateFailInfo").toString(),
                 QStringLiteral("210,0,1,2"));
    }
};

QTEST_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
