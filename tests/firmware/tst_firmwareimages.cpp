// Firmware image header, version text and the image scans over a folder of
// fixture images.
#include "FirmwareFixtures.h"

#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"
#include "settings/FirmwareImages.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareFixtures;

namespace {

const QByteArray kSentinel("sentinel block");

void FillLists()
{
    firmwareImageList.ReplaceWith(kSentinel);
    updateImageList.ReplaceWith(kSentinel);
}

} // namespace

class TestFirmwareImages : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(FIRMWARE_FIXTURES "/firmware.ini"));
        ConfigSettings::ReplaceInstance(m_config);
    }

    void cleanupTestCase()
    {
        ConfigSettings::ReplaceInstance(nullptr);
        delete m_config;
        SetFirmwareFolder(QString());
    }

    void init()
    {
        SetModelIndex(0);
        FillLists();
    }

    void headerFields_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("mid");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("name");

        QTest::newRow("minor 0x0A") << MakeImage(210, 7, 1, 1, 0x0A, "NK-M1-Mouse.bin") << true << 210 << 7 << 1
                                    << "v1.0A" << "NK-M1-Mouse.bin";
        QTest::newRow("receiver v1.05") << MakeImage(211, 5, 3, 1, 0x05, "R") << true << 211 << 5 << 3 << "v1.05"
                                        << "R";
        QTest::newRow("major is three bytes") << MakeImage(210, 0xFF, 0x80, 0x010203, 0xFF, "x") << true << 210
                                              << 255 << 128 << "v66051.FF" << "x";
        QTest::newRow("zero version") << MakeImage(7, 0, 0, 0, 0, "") << true << 7 << 0 << 0 << "v0.00" << "";
        const QByteArray longName(70, 'N');
        QTest::newRow("name ends after 64 bytes")
            << MakeImage(210, 1, 1, 2, 0x10, longName) << true << 210 << 1 << 1 << "v2.10" << QString(64, 'N');
        QTest::newRow("exactly the header") << MakeImage(210, 1, 2, 3, 4, "n", 728) << true << 210 << 1 << 2
                                            << "v3.04" << "n";
        QTest::newRow("one byte short") << MakeImage(210, 1, 2, 3, 4, "n", 727) << false << 0 << 0 << 0 << ""
                                        << "";
    }

    void headerFields()
    {
        QFETCH(QByteArray, block);
        QFETCH(bool, parsed);
        FirmwareImageHeader header;
        QCOMPARE(ReadFirmwareImageHeader(block, &header), parsed);
        if (!parsed)
            return;
        QTEST(int(header.target), "target");
        QTEST(int(header.cid), "cid");
        QTEST(int(header.mid), "mid");
        QTEST(FirmwareVersionText(header), "version");
        QTEST(FirmwareImageName(header), "name");
    }

    void nameStopsAtTheFirstNul()
    {
        QByteArray block = MakeImage(210, 1, 1, 1, 1, "Mouse.bin");
        block[0x57 + 5] = '\0';
        FirmwareImageHeader header;
        QVERIFY(ReadFirmwareImageHeader(block, &header));
        QCOMPARE(FirmwareImageName(header), QStringLiteral("Mouse"));
    }

    void compareForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("form");
        QTest::newRow("v1.0A") << "v1.0A" << "1.0A";
        QTest::newRow("no v") << "1.05" << "1.05";
        QTest::newRow("every v") << "vv1.v05" << "1.05";
        QTest::newRow("only lower-case v") << "V1.05" << "V1.05";
        QTest::newRow("empty") << "" << "";
    }

    void compareForm()
    {
        QFETCH(QString, text);
        QTEST(FirmwareCompareForm(text), "form");
    }

    void receiverKinds_data()
    {
        QTest::addColumn<int>("connection");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("key");
        QTest::newRow("1 kHz receiver") << 0 << 1 << "DM";
        QTest::newRow("2 kHz receiver") << 4 << 2 << "D2M";
        QTest::newRow("4 kHz receiver") << 1 << 4 << "D4M";
        QTest::newRow("8 kHz receiver") << 5 << 8 << "D8M";
        QTest::newRow("cable 1000 Hz") << 2 << 0 << "";
        QTest::newRow("cable 8000 Hz") << 3 << 0 << "";
        QTest::newRow("unknown") << 9 << 0 << "";
    }

    void receiverKinds()
    {
        QFETCH(int, connection);
        QFETCH(int, code);
        QCOMPARE(ReceiverKindCode(static_cast<ConnectionKind>(connection)), code);
        QTEST(ReceiverImageKey(code), "key");
    }

    void scan_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("scan");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("mid");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("taken"); // file whose bytes end in the list; empty: list empty

        const QString m = QStringLiteral("MouseOne.bin");
        auto row = [&](const char* title, const QStringList& files, const char* scan, int target,
                       const QString& current, const QString& name, bool found, const QString& taken,
                       int cid = 5, int mid = 3) {
            QTest::newRow(title) << files << QString::fromLatin1(scan) << target << current << name << cid << mid
                                 << found << taken;
        };

        // Ordered by name ignoring case: a, b, C (case-sensitive order would end with b).
        const QStringList three = {"a.bin 210 5 3 1.01 MouseOne.bin", "C.bin 210 5 3 1.03 MouseOne.bin",
                                   "b.bin 210 5 3 1.02 MouseOne.bin"};
        row("empty current: Find ends with the last file ignoring case", three, "Find", 210, "", m, true, "C.bin");
        row("empty current: FindNewer ends with the last file", three, "FindNewer", 210, "", m, true, "C.bin");
        row("empty current: HasNewer says no", three, "HasNewer", 210, "", m, false, "");
        row("a lone v counts as empty", three, "Find", 210, "v", m, true, "C.bin");
        row("a lone v: HasNewer says no", three, "HasNewer", 210, "v", m, false, "");

        const QStringList same = {"a.bin 210 5 3 1.05 MouseOne.bin", "b.bin 210 5 3 1.06 MouseOne.bin"};
        row("v1.05: 1.05 passed over, 1.06 taken (Find)", same, "Find", 210, "v1.05", m, true, "b.bin");
        row("v1.05: 1.05 passed over, 1.06 taken (FindNewer)", same, "FindNewer", 210, "v1.05", m, true, "b.bin");
        row("v1.05: 1.06 is newer (HasNewer)", same, "HasNewer", 210, "v1.05", m, true, "");
        const QStringList reversed = {"a.bin 210 5 3 1.06 MouseOne.bin", "b.bin 210 5 3 1.05 MouseOne.bin"};
        row("v1.05: the same version after a taken one keeps it", reversed, "FindNewer", 210, "v1.05", m, true,
            "a.bin");
        row("only the current version", {"a.bin 210 5 3 1.05 MouseOne.bin"}, "Find", 210, "v1.05", m, false, "");

        const QStringList hex = {"a.bin 210 5 3 1.0B MouseOne.bin"};
        row("v1.0A vs 1.0B: both read 0, FindNewer stops", hex, "FindNewer", 210, "v1.0A", m, false, "");
        row("v1.0A vs 1.0B: HasNewer stops", hex, "HasNewer", 210, "v1.0A", m, false, "");
        row("v1.0A vs 1.0B: Find takes it", hex, "Find", 210, "v1.0A", m, true, "a.bin");
        const QStringList stop = {"a.bin 210 5 3 1.05 MouseOne.bin", "b.bin 210 5 3 1.0B MouseOne.bin",
                                  "c.bin 210 5 3 1.07 MouseOne.bin"};
        row("the stop rule keeps what was taken before it", stop, "FindNewer", 210, "v1.0A", m, true, "a.bin");
        row("the stop rule: HasNewer keeps the earlier answer", stop, "HasNewer", 210, "v1.0A", m, true, "");
        row("Find has no stop rule", stop, "Find", 210, "v1.0A", m, true, "c.bin");
        row("v1.0A vs 1.05: taken", {"a.bin 210 5 3 1.05 MouseOne.bin"}, "FindNewer", 210, "v1.0A", m, true,
            "a.bin");
        row("v1.5 vs 1.50: same number, FindNewer stops", {"a.bin 210 5 3 1.50 MouseOne.bin"}, "FindNewer", 210,
            "v1.5", m, false, "");
        row("v1.5 vs 1.50: Find takes it", {"a.bin 210 5 3 1.50 MouseOne.bin"}, "Find", 210, "v1.5", m, true,
            "a.bin");

        const QStringList lower = {"a.bin 210 5 3 1.06 mouseone.bin"};
        row("name differing in case: Find", lower, "Find", 210, "", m, false, "");
        row("name differing in case: FindNewer", lower, "FindNewer", 210, "v1.05", m, false, "");
        const QStringList receiver = {"a.bin 211 5 3 1.06 MouseOne.bin"};
        row("receiver image not taken by a mouse scan", receiver, "Find", 210, "", m, false, "");
        row("receiver image taken by a receiver scan", receiver, "Find", 211, "", m, true, "a.bin");
        row("other CID", {"a.bin 210 6 3 1.06 MouseOne.bin"}, "Find", 210, "", m, false, "");
        row("other MID", {"a.bin 210 5 4 1.06 MouseOne.bin"}, "Find", 210, "", m, false, "");
        row("CID and MID compared by their low byte", {"a.bin 210 5 3 1.06 MouseOne.bin"}, "Find", 210, "", m,
            true, "a.bin", 0x105, 0x203);
        row("only *.bin files", {"a.txt 210 5 3 1.06 MouseOne.bin", "b.bi 210 5 3 1.06 MouseOne.bin"}, "Find", 210,
            "", m, false, "");
        row("the file's own name plays no part", {"other.bin 210 5 3 1.06 MouseOne.bin"}, "Find", 210, "", m, true,
            "other.bin");

        row("short file matches nothing", {"a.bin 210 5 3 1.06 MouseOne.bin 727"}, "Find", 210, "", m, false, "");
        row("a file of just the header matches", {"a.bin 210 5 3 1.06 MouseOne.bin 728"}, "Find", 210, "", m, true,
            "a.bin");
        row("short file after a match keeps it", {"a.bin 210 5 3 1.06 MouseOne.bin", "b.bin 210 5 3 1.07 X 100"},
            "Find", 210, "", m, true, "a.bin");

        // An entry that cannot be opened is skipped: it hides no image before or after it.
        const QStringList unreadableAfter = {"a.bin 210 5 3 1.06 MouseOne.bin", "b.bin dir"};
        row("unreadable file after a match (Find)", unreadableAfter, "Find", 210, "", m, true, "a.bin");
        row("unreadable file after a match (FindNewer)", unreadableAfter, "FindNewer", 210, "v1.05", m, true,
            "a.bin");
        row("unreadable file after a match (HasNewer)", unreadableAfter, "HasNewer", 210, "v1.05", m, true, "");
        const QStringList unreadableBefore = {"a.bin dir", "b.bin 210 5 3 1.06 MouseOne.bin"};
        row("unreadable file before a match", unreadableBefore, "Find", 210, "", m, true, "b.bin");
        row("unreadable file before a match (FindNewer)", unreadableBefore, "FindNewer", 210, "v1.05", m, true,
            "b.bin");
        row("empty folder", {}, "Find", 210, "", m, false, "");
    }

    void scan()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, scan);
        QFETCH(int, target);
        QFETCH(QString, current);
        QFETCH(QString, name);
        QFETCH(int, cid);
        QFETCH(int, mid);
        QFETCH(bool, found);
        QFETCH(QString, taken);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString problem = WriteImages(dir.path(), files);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        SetFirmwareFolder(dir.path());

        bool result = false;
        ImageBlockList* list = nullptr;
        if (scan == QLatin1String("Find")) {
            result = FindFirmwareImage(target, current, name, cid, mid);
            list = &firmwareImageList;
        } else if (scan == QLatin1String("FindNewer")) {
            result = FindNewerFirmwareImage(target, current, name, cid, mid);
            list = &updateImageList;
        } else {
            result = HasNewerFirmwareImage(target, current, name, cid, mid);
        }
        QCOMPARE(result, found);

        // Each scan fills only its own list; HasNewer touches none.
        for (ImageBlockList* other : {&firmwareImageList, &updateImageList}) {
            if (other == list)
                continue;
            QCOMPARE(other->Blocks(), QList<QByteArray>{kSentinel});
        }
        if (!list)
            return;
        if (taken.isEmpty()) {
            QVERIFY(list->IsEmpty());
            QCOMPARE(list->First(), QByteArray());
        } else {
            // The whole file, header and payload.
            QCOMPARE(list->Blocks(), QList<QByteArray>{ReadFile(dir.path() + QLatin1Char('/') + taken)});
        }
    }

    void missingFolderEmptiesTheListAndFindsNothing()
    {
        QTemporaryDir dir;
        SetFirmwareFolder(dir.path() + QStringLiteral("/missing"));
        QVERIFY(!FindFirmwareImage(210, QString(), QStringLiteral("MouseOne.bin"), 5, 3));
        QVERIFY(firmwareImageList.IsEmpty());
        QVERIFY(!FindNewerFirmwareImage(210, QStringLiteral("v1.05"), QStringLiteral("MouseOne.bin"), 5, 3));
        QVERIFY(updateImageList.IsEmpty());
    }

    void defaultFolderIsBinBesideTheProgram()
    {
        SetFirmwareFolder(QStringLiteral("/somewhere/else"));
        QCOMPARE(FirmwareFolder(), QStringLiteral("/somewhere/else"));
        SetFirmwareFolder(QString());
        QCOMPARE(FirmwareFolder(), QCoreApplication::applicationDirPath() + QStringLiteral("/bin"));
    }

    void blockHeldByTheLibraryOutlivesTheNextScan()
    {
        QTemporaryDir dir;
        QVERIFY(WriteImages(dir.path(), {"a.bin 210 5 3 1.06 MouseOne.bin"}).isEmpty());
        SetFirmwareFolder(dir.path());
        QVERIFY(FindFirmwareImage(210, QString(), QStringLiteral("MouseOne.bin"), 5, 3));
        const QByteArray held = firmwareImageList.First();
        const RozFirmwareImage view = FirmwareImageView(held);
        QVERIFY(!FindFirmwareImage(210, QString(), QStringLiteral("Nothing.bin"), 5, 3));
        QVERIFY(firmwareImageList.IsEmpty());
        // The bytes handed out before are still the image.
        QCOMPARE(view.length, 1000);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(view.bytes), view.length),
                 ReadFile(dir.path() + QStringLiteral("/a.bin")));
    }

    void modelFirmware_data()
    {
        QTest::addColumn<int>("modelIndex");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("kindCode");
        QTest::addColumn<bool>("found");

        QTest::newRow("mouse image, kind code ignored (0)") << 0 << 210 << "v1.02" << 0 << true;
        QTest::newRow("mouse image, kind code ignored (7)") << 0 << 210 << "v1.02" << 7 << true;
        QTest::newRow("mouse image of the same version") << 0 << 210 << "v1.03" << 4 << false;
        QTest::newRow("empty current version") << 0 << 210 << "" << 4 << false;
        QTest::newRow("receiver, kind code 0") << 0 << 211 << "v1.05" << 0 << false;
        QTest::newRow("receiver, kind code 3") << 0 << 211 << "v1.05" << 3 << false;
        QTest::newRow("receiver, kind code 4 names D4M") << 0 << 211 << "v1.05" << 4 << true;
        QTest::newRow("receiver, kind code 1 names DM") << 0 << 211 << "v1.05" << 1 << true;
        QTest::newRow("receiver, kind code 2 names D2M (no image)") << 0 << 211 << "v1.05" << 2 << false;
        QTest::newRow("receiver, same version") << 0 << 211 << "v1.06" << 4 << false;
        QTest::newRow("second model's mouse (its MID)") << 1 << 210 << "v1.03" << 0 << true;
        QTest::newRow("second model has no 4 kHz receiver image") << 1 << 211 << "v1.05" << 4 << false;
    }

    void modelFirmware()
    {
        QFETCH(int, modelIndex);
        QFETCH(int, target);
        QFETCH(QString, current);
        QFETCH(int, kindCode);

        QTemporaryDir dir;
        QVERIFY(WriteImages(dir.path(), {"m1.bin 210 5 3 1.03 MouseOne.bin", "r4.bin 211 5 3 1.06 R4K-One.bin",
                                         "r1.bin 211 5 3 1.06 R1K-One.bin", "m2.bin 210 5 4 2.00 MouseTwo.bin",
                                         // right names under the wrong model's MID
                                         "x.bin 211 5 4 1.07 R4K-One.bin"})
                    .isEmpty());
        SetFirmwareFolder(dir.path());
        SetModelIndex(modelIndex);
        updateCid = 0;

        QTEST(FindModelFirmware(target, current, kindCode), "found");
        QCOMPARE(int(updateCid), 5);
        QCOMPARE(firmwareImageList.Blocks(), QList<QByteArray>{kSentinel});
        QCOMPARE(updateImageList.Blocks(), QList<QByteArray>{kSentinel});
    }
};

QTEST_GUILESS_MAIN(TestFirmwareImages)
#include "tst_firmwareimages.moc"
