// The INI stores read what QSettings reads and write what QSettings reads back
// as written: over a table of hard cases and a seeded random search, each
// way, against a plain QSettings on a real file. NK_FUZZ_RUNS asks for more
// random runs and NK_FUZZ_SEED for another seed.

#include "app/UserSettings.h"
#include "platform/RegistryStore.h"
#include "platform/files/IniFileCodec.h"
#include "platform/files/IniFileStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Values = QMap<QString, QVariant>;

constexpr qint64 kBound = 1024 * 1024;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// QSettings keeps what it wrote of a file by name and gives that back while
// the file's size and time are unchanged: each reading is of a fresh copy.
Values QtReads(const QString& path)
{
    static int copies = 0;
    const QString copy = path + QStringLiteral(".read%1").arg(++copies);
    if (!QFile::copy(path, copy))
        return Values{{"(unreadable)", path}};
    QSettings settings(copy, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    Values values;
    for (const QString& key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

void QtWrites(const QString& path, const Values& values)
{
    QFile::remove(path);
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    QCOMPARE(settings.status(), QSettings::NoError);
}

QString Describe(const Values& values)
{
    QString text;
    QDebug(&text) << values;
    return text;
}

// The seeded search: keys and values built from the characters INI text
// treats specially.
class Generator {
public:
    explicit Generator(quint32 seed)
        : random(seed)
    {
    }

    int Below(int n) { return int(random.bounded(quint32(n))); }

    QString Text(bool forKey)
    {
        static const QStringList pieces = {
            "a", "Z", "7", " ", "\t", "=", ";", "#", ",", "\"", "\\", "%", "@", "[", "]", "'", "?", "\n", "\r\n",
            "\xc3\xa9", "\xe4\xb8\xad", "true", "0x1F", "-3.5", "@Rect(", "@ByteArray(", "@@", "%U0041", "%20", "\\x41",
        };
        QString text;
        const int length = Below(6);
        for (int i = 0; i < length; ++i)
            text += QString::fromUtf8(pieces.at(Below(pieces.size())).toUtf8());
        if (!forKey && Below(12) == 0)
            text += QChar(QChar::Null);
        return text;
    }

    QString Key()
    {
        static const QStringList groups = {"", "Language", "General", "a b", "%", "\xc3\xa9"};
        QString name;
        while (name.trimmed().isEmpty())
            name = Text(true).remove(QLatin1Char('/'));
        const QString group = QString::fromUtf8(groups.at(Below(groups.size())).toUtf8());
        return group.isEmpty() ? name : group + QLatin1Char('/') + name;
    }

    QVariant Value()
    {
        switch (Below(6)) {
        case 0: {
            QStringList list;
            for (int i = Below(4); i > 0; --i)
                list << Text(false);
            return list;
        }
        case 1: {
            QByteArray bytes;
            for (int i = Below(8); i > 0; --i)
                bytes += char(Below(256));
            return bytes;
        }
        case 2:
            return QRect(Below(100) - 50, Below(100), Below(100), Below(100));
        default:
            return Text(false);
        }
    }

    Values Map()
    {
        Values values;
        for (int i = 1 + Below(5); i > 0; --i) {
            // QSettings' own key form: no empty parts, no stray slashes.
            const QString key = Key().split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
            if (!key.isEmpty())
                values.insert(key, Value());
        }
        return values;
    }

private:
    QRandomGenerator random;
};

int Runs()
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue("NK_FUZZ_RUNS", &ok);
    return ok && runs > 0 ? runs : 150;
}

quint32 Seed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("NK_FUZZ_SEED").toUInt(&ok);
    return ok ? seed : 20261231u;
}

} // namespace

class TestIniParity : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    int counter = 0;

    QString FreshPath() { return folder.filePath(QStringLiteral("store%1.ini").arg(++counter)); }

    // The store's reading of the bytes, beside QSettings' reading of them.
    void CompareReadings(const QByteArray& bytes, const QString& context)
    {
        const QString path = FreshPath();
        WriteAll(path, bytes);
        Values store;
        IniFileCodec::Parse(bytes, &store);
        const Values qt = QtReads(path);
        QVERIFY2(store == qt, qPrintable(context + "\nstore: " + Describe(store) + "\nQSettings: " + Describe(qt)));
    }

    // The store writes the values one change at a time; QSettings must read
    // them as it reads its own writing of them.
    void CompareWritings(const Values& values, const QString& context)
    {
        const QString ours = FreshPath();
        {
            IniFileStore store(ours, kBound);
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                QString reason;
                QVERIFY2(store.Set(it.key(), it.value(), &reason), qPrintable(context + ": " + reason));
            }
        }
        const QString theirs = FreshPath();
        QtWrites(theirs, values);
        const Values expected = QtReads(theirs);
        const Values read = QtReads(ours);
        QVERIFY2(read == expected, qPrintable(context + "\nQSettings reads the store's file: " + Describe(read)
                                              + "\nand its own: " + Describe(expected)));
        // Laid out as QSettings lays out a new file.
        QVERIFY2(ReadAll(ours) == ReadAll(theirs), qPrintable(context + "\n" + ReadAll(ours) + "\n---\n" + ReadAll(theirs)));
    }

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void readsTheTextAsQSettingsDoes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("an escaped tab at the end") << QByteArray("[Language]\nName=a\\t\nTab=\\t\n");
        QTest::newRow("spaces around, kept in quotes") << QByteArray("[G]\na =  x y  \nb=\" x \"\nc= \\ty\\t \n");
        QTest::newRow("=, ; and # in values") << QByteArray("[G]\na=\"x=y;z\"\nb=x;comment\nc=#not a comment\n#k=v\n");
        QTest::newRow("lists") << QByteArray("[G]\na=1,2, 3\nb=\"1,2\",x\nc=,\nd=@Invalid()\n");
        QTest::newRow("quotes and backslashes") << QByteArray("[G]\na=\"q\\\"q\"\nb=c:\\\\x\nc=\"open\nd=a\\\nb\n");
        QTest::newRow("percent and @ first") << QByteArray("[G]\nk%20y=1\n%U4E2D=2\na=@@x\nb=@String(s)\nc=@x\n");
        QTest::newRow("non-ASCII") << QByteArray("[\xc3\xa9t\xc3\xa9]\nv=\xe4\xb8\xad\xe6\x96\x87\nbad=\xff\xfe\n");
        QTest::newRow("numbers and booleans") << QByteArray("[G]\ni=-12\nd=1.5e3\nb=true\nh=0x1F\n");
        QTest::newRow("rectangle, size, point") << QByteArray("[G]\nr=@Rect(1 -2 3 4)\ns=@Size(5 6)\np=@Point(7 8)\n");
        QTest::newRow("a byte array that is not UTF-8") << QByteArray("[G]\nb=@ByteArray(\\xff\\x1\\0z)\nc=@ByteArray()\n");
        QTest::newRow("groups and General") << QByteArray("[General]\nr=1\n[%General]\ng=2\n[a\\b]\nc\\d=3\n[x]\n[y]\n");
        QTest::newRow("a UTF-8 signature") << QByteArray("\xEF\xBB\xBF[Language]\nLanguage=3\n");
        QTest::newRow("CR LF") << QByteArray("[Language]\r\nLanguage=3\r\nx=\"a\r\nb\"\r\n\r\n[B]\r\ny=1\r\n");
        QTest::newRow("escapes") << QByteArray("[G]\na=\\x41\\101\\a\\?\\'\nb=\\x4e2d\\0\n");
    }

    void readsTheTextAsQSettingsDoes()
    {
        QFETCH(QByteArray, bytes);
        CompareReadings(bytes, QString::fromLatin1(QTest::currentDataTag()));
    }

    void writesWhatQSettingsReadsBack_data()
    {
        QTest::addColumn<Values>("values");
        QTest::newRow("an escaped tab") << Values{{"Language/Name", "a\t"}, {"Language/Tab", "\t"}};
        QTest::newRow("spaces and specials") << Values{{"G/a", " x "}, {"G/b", "x=y;z,w"}, {"G/c", "#\"\\%"}};
        QTest::newRow("@ first") << Values{{"G/a", "@x"}, {"G/b", "@@"}, {"G/c", QString("a") + QChar(QChar::Null)}};
        QTest::newRow("non-ASCII keys and values")
            << Values{{QString::fromUtf8("\xc3\xa9t\xc3\xa9/\xe4\xb8\xad"), QString::fromUtf8("\xe6\x96\x87 \xc3\xa9")}};
        QTest::newRow("lists") << Values{{"G/a", QStringList{"1", " 2", "@3"}}, {"G/b", QStringList{}},
                                         {"G/c", QStringList{"one"}}};
        QTest::newRow("other kinds") << Values{{"G/r", QRect(1, -2, 3, 4)}, {"G/b", QByteArray("\xff\x01\x00z", 4)},
                                               {"G/i", QVariant()}};
        QTest::newRow("groups") << Values{{"root", "1"}, {"General/g", "2"}, {"a/b/c", "4"}, {"a b/%/c", "5"}};
        QTest::newRow("escapes next to digits") << Values{{"G/a", QString("\x01") + "1f"}, {"G/b", QString(QChar(QChar::Null)) + "9"}};
    }

    void writesWhatQSettingsReadsBack()
    {
        QFETCH(Values, values);
        CompareWritings(values, QString::fromLatin1(QTest::currentDataTag()));
    }

    void randomValuesEachWay()
    {
        const quint32 seed = Seed();
        Generator generator(seed);
        for (int run = 0; run < Runs(); ++run) {
            const Values values = generator.Map();
            const QString context = QStringLiteral("seed %1, run %2: %3").arg(seed).arg(run).arg(Describe(values));
            // QSettings writes, the store reads.
            const QString theirs = FreshPath();
            QtWrites(theirs, values);
            CompareReadings(ReadAll(theirs), context);
            // The store writes, QSettings reads.
            CompareWritings(values, context);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // A change to one key rewrites every other value as QSettings reads it,
    // whatever its kind; a value QSettings would deserialise is kept as it
    // stands, though the store never reads it.
    void aChangeKeepsEveryOtherValue()
    {
        const QString path = FreshPath();
        const QDateTime when(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
        QtWrites(path, Values{{"Keep/rect", QRect(1, 2, 3, 4)},
                              {"Keep/bytes", QByteArray("\xff\xfe\x00", 3)},
                              {"Keep/tab", "a\t"},
                              {"Keep/when", when},
                              {"Keep/list", QVariantList{"a", QSize(1, 2)}}});
        const Values before = QtReads(path);
        IniFileStore store(path, kBound);
        QVERIFY(!store.Contains("Keep/when"));
        QVERIFY(store.Set("Other/key", "x"));
        Values after = QtReads(path);
        QCOMPARE(after.take("Other/key"), QVariant("x"));
        QCOMPARE(after, before);
        QCOMPARE(after.value("Keep/when").toDateTime(), when);
    }

    // What QSettings would hand to QDataStream is never decoded from the
    // file: a list whose count would have it reserve gigabytes reads as
    // missing, and the rest of the file reads.
    void aDeserialisedValueIsNeverDecoded()
    {
        const QByteArray bytes("[G]\nbad=@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xff)\nhidden=\\x40Variant(\\0\\0\\0\\b)\n"
                               "dated=@DateTime(\\0\\0\\0\\t\\xff\\xff\\xff\\xff)\ngood=1\n");
        const QString path = FreshPath();
        WriteAll(path, bytes);
        IniFileStore store(path, kBound);
        QCOMPARE(store.LoadStatus(), FileReader::Status::Ok);
        QCOMPARE(store.Value("G/good"), QVariant("1"));
        QVERIFY(!store.Contains("G/bad"));
        QVERIFY(!store.Contains("G/hidden"));
        QVERIFY(!store.Contains("G/dated"));
        QVERIFY(store.Set("G/good", "2"));
        const QByteArray written = ReadAll(path);
        QVERIFY(written.contains("bad=@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xff)\n"));
        QVERIFY(written.contains("hidden=\\x40Variant(\\0\\0\\0\\b)\n"));
        QVERIFY(written.contains("good=2\n"));
    }

    // QSettings writes a group "general" as it writes "General", and reads
    // it back as "General": the store says the value did not reach the file.
    void aValueQSettingsWouldMoveIsRefused()
    {
        IniFileStore store(FreshPath(), kBound);
        QString reason;
        QVERIFY(!store.Set("general/h", "3", &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(!store.Contains("general/h"));
        QVERIFY(!store.Contains("General/h"));
    }

    // The user-facing stores over the cases the issue met.
    void theStoresKeepATabAndReadASignature()
    {
        const QString macro = FreshPath();
        {
            UserSettings settings(macro);
            QVERIFY(settings.SetValue("Language", "Name", "a\t"));
            QVERIFY(settings.SetValue("Language", "Tab", "\t"));
        }
        UserSettings reread(macro);
        QCOMPARE(reread.Value("Language", "Name"), QStringLiteral("a\t"));
        QCOMPARE(reread.Value("Language", "Tab"), QStringLiteral("\t"));

        const QString signed_ = FreshPath();
        WriteAll(signed_, "\xEF\xBB\xBF[Language]\r\nLanguage=3\r\n");
        UserSettings settings(signed_);
        QCOMPARE(settings.Value("Language", "Language"), QStringLiteral("3"));
        QVERIFY(settings.SetValue("FindNew", "IsShow", "1"));
        QCOMPARE(QtReads(signed_), (Values{{"Language/Language", "3"}, {"FindNew/IsShow", "1"}}));

        const QString registry = FreshPath();
        WriteAll(registry, "\xEF\xBB\xBF[HKEY_CURRENT_USER]\nSoftware\\Nevrix%20Kazmo\\Language=2\n");
        RegistryStore store(registry);
        QCOMPARE(store.Value("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo", "Language"), QStringLiteral("2"));
    }

    // Reading leaves nothing in the temporary folder or beside the file.
    void readingAndWritingLeaveNothingBehind()
    {
        QTemporaryDir here;
        const QString path = here.filePath("Macro.ini");
        const QStringList tempBefore = QDir::temp().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        {
            UserSettings settings(path);
            for (int i = 0; i < 5; ++i)
                QVERIFY(settings.SetValue("Loop", "Count", QString::number(i)));
            settings.Sync();
        }
        QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"Macro.ini"});
        QCOMPARE(QDir::temp().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), tempBefore);
    }
};

QTEST_GUILESS_MAIN(TestIniParity)
#include "tst_iniparity.moc"
