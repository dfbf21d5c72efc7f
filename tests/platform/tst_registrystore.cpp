#include "platform/RegistryStore.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {
const QString kFirmwareKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo\\Nevrix Kazmo\\Ruzaz Arode Dazo");
const QString kLanguageKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo\\Nevrix Kazmo\\Nevrix Kazmo");
} // namespace

class TestRegistryStore : public QObject {
    Q_OBJECT
private slots:
    void valuesLiveUnderTheirKeyPath()
    {
        QTemporaryDir dir;
        RegistryStore store(dir.path() + "/Registry.ini");
        QCOMPARE(store.Value(kFirmwareKey, "UpdateFailInfo"), QString());
        QVERIFY(!store.Contains(kFirmwareKey, "UpdateFailInfo"));
        store.SetValue(kFirmwareKey, "UpdateFailInfo", "210,4,7,1");
        store.SetValue(kLanguageKey, "LanguageIndex", "3");
        QCOMPARE(store.Value(kFirmwareKey, "UpdateFailInfo"), QStringLiteral("210,4,7,1"));
        QCOMPARE(store.Value(kLanguageKey, "UpdateFailInfo"), QString());
        QCOMPARE(store.Value(kLanguageKey, "LanguageIndex"), QStringLiteral("3"));
        store.Remove(kFirmwareKey, "UpdateFailInfo");
        QVERIFY(!store.Contains(kFirmwareKey, "UpdateFailInfo"));
        QCOMPARE(store.Value(kLanguageKey, "LanguageIndex"), QStringLiteral("3"));
    }

    void everyWriteIsOnDiskAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/Registry.ini";
        RegistryStore store(path);
        store.SetValue(kFirmwareKey, "MouseVer71", "v1.0A");
        RegistryStore other(path);
        QCOMPARE(other.Value(kFirmwareKey, "MouseVer71"), QStringLiteral("v1.0A"));
        store.Remove(kFirmwareKey, "MouseVer71");
        RegistryStore third(path);
        QVERIFY(!third.Contains(kFirmwareKey, "MouseVer71"));
    }

    void concurrentWritersLoseNothing()
    {
        QTemporaryDir dir;
        RegistryStore store(dir.path() + "/Registry.ini");
        QList<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads.append(QThread::create([&store, t]() {
                for (int i = 0; i < 25; ++i)
                    store.SetValue(kFirmwareKey, QStringLiteral("T%1_%2").arg(t).arg(i), QString::number(i));
            }));
        }
        for (QThread* thread : threads)
            thread->start();
        for (QThread* thread : threads) {
            thread->wait();
            delete thread;
        }
        RegistryStore reread(dir.path() + "/Registry.ini");
        for (int t = 0; t < 4; ++t)
            for (int i = 0; i < 25; ++i)
                QCOMPARE(reread.Value(kFirmwareKey, QStringLiteral("T%1_%2").arg(t).arg(i)), QString::number(i));
    }

    void processStoreIsInTheUserDataFolder()
    {
        QCOMPARE(RegistryStore::Instance().FilePath(),
                 QDir::homePath() + "/AppData/Local/Nevrix Kazmo/Registry.ini");
    }
};

QTEST_GUILESS_MAIN(TestRegistryStore)
#include "tst_registrystore.moc"
