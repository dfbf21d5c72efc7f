// The key name tables: every conversion between display names, macro-file
// usage texts, device codes and virtual keys, as tables of cases.

#include "device/FlashDataMap.h"
#include "macro/KeyNameTable.h"
#include "macro/VirtualKeys.h"

#include <QtTest>

#include <cstring>

namespace {

const QString kLeft = QStringLiteral("Left button");
const QString kRight = QStringLiteral("Right button");
const QString kMiddle = QStringLiteral("Middle button");
const QString kBack = QStringLiteral("Back button");
const QString kForward = QStringLiteral("Forward button");

void SetMouseNames(const QStringList& names)
{
    for (int i = 0; i < 5; ++i)
        MouseButtonNames[i] = names.value(i);
}

void SetDefaultMouseNames()
{
    SetMouseNames({kLeft, kRight, kMiddle, kBack, kForward});
}

} // namespace

class TestKeyNameTable : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDefaultMouseNames(); }

    void usageTextToKeyName_data()
    {
        QTest::addColumn<QString>("usage");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("A") << "0x04" << 1 << "A";
        QTest::newRow("Z") << "0x1D" << 1 << "Z";
        QTest::newRow("1") << "0x1E" << 1 << "1";
        QTest::newRow("0") << "0x27" << 1 << "0";
        QTest::newRow("Tab") << "0x2B" << 1 << "Tab";
        QTest::newRow("lower-case hex is no usage text") << "0x2b" << 1 << "";
        QTest::newRow("Tab's text as a modifier") << "0x2B" << 0 << "";
        QTest::newRow("0x10 as a key is M") << "0x10" << 1 << "M";
        QTest::newRow("0x10 as a modifier is RCtrl") << "0x10" << 0 << "RCtrl";
        QTest::newRow("0x10 as a mouse button is forward") << "0x10" << 4 << kForward;
        QTest::newRow("0x04 as a modifier is LAlt") << "0x04" << 0 << "LAlt";
        QTest::newRow("0x04 as a mouse button is middle") << "0x04" << 4 << kMiddle;
        QTest::newRow("0x08 as a mouse button is back") << "0x08" << 4 << kBack;
        QTest::newRow("0x01 as a mouse button is left") << "0x01" << 4 << kLeft;
        QTest::newRow("0x20 as a key is 3") << "0x20" << 1 << "3";
        QTest::newRow("0x20 as a modifier is RShift") << "0x20" << 0 << "RShift";
        QTest::newRow("0x40 as a key is F7") << "0x40" << 1 << "F7";
        QTest::newRow("0x40 as a modifier is RAlt") << "0x40" << 0 << "RAlt";
        QTest::newRow("0x80 as a modifier is RWin") << "0x80" << 0 << "RWin";
        QTest::newRow("0x20 is no mouse button") << "0x20" << 4 << "";
        QTest::newRow("kind 2 names nothing") << "0x04" << 2 << "";
        QTest::newRow("missing 0x") << "04" << 1 << "";
        QTest::newRow("one digit") << "0x4" << 1 << "";
        QTest::newRow("keypad Enter only as a code") << "0x58" << 1 << "";
        QTest::newRow("no row at 0x32") << "0x32" << 1 << "";
        QTest::newRow("Clear key is the empty name") << "0x00" << 1 << "";
        QTest::newRow("right arrow") << "0x4F" << 1 << QString(QChar(0x2192));
        QTest::newRow("up arrow") << "0x52" << 1 << QString(QChar(0x2191));
        QTest::newRow("backslash") << "0x31" << 1 << "\\";
        QTest::newRow("Num5") << "0x5D" << 1 << "Num5";
        QTest::newRow("Num0") << "0x62" << 1 << "Num0";
        QTest::newRow("APPs") << "0x65" << 1 << "APPs";
        QTest::newRow("F12") << "0x45" << 1 << "F12";
    }

    void usageTextToKeyName()
    {
        QFETCH(QString, usage);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(KeyNameTable::UsageTextToKeyName(usage, kind), name);
    }

    void keyNameToUsageText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("RWin") << "RWin" << QStringList{"0x80", "0"};
        QTest::newRow("BackSpace") << "BackSpace" << QStringList{"0x2A", "1"};
        QTest::newRow("empty name") << "" << QStringList{"0x00", "1"};
        QTest::newRow("A") << "A" << QStringList{"0x04", "1"};
        QTest::newRow("M") << "M" << QStringList{"0x10", "1"};
        QTest::newRow("RCtrl") << "RCtrl" << QStringList{"0x10", "0"};
        QTest::newRow("LShift") << "LShift" << QStringList{"0x02", "0"};
        QTest::newRow("F7") << "F7" << QStringList{"0x40", "1"};
        QTest::newRow("Num.") << "Num." << QStringList{"0x63", "1"};
        QTest::newRow("down arrow") << QString(QChar(0x2193)) << QStringList{"0x51", "1"};
        QTest::newRow("left button") << kLeft << QStringList{"0x01", "4"};
        QTest::newRow("back button") << kBack << QStringList{"0x08", "4"};
        QTest::newRow("forward button") << kForward << QStringList{"0x10", "4"};
        QTest::newRow("unknown") << "Hyper" << QStringList{};
        QTest::newRow("case matters") << "tab" << QStringList{};
    }

    void keyNameToUsageText()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, texts);
        QCOMPARE(KeyNameTable::KeyNameToUsageText(name), texts);
    }

    // Every fixed name survives the trip through a file line.
    void everyKeyRoundTripsThroughItsUsageText()
    {
        QStringList names = {"Tab", "Esc", "BackSpace", "CapsLock", "Insert", "Del", "Home", "End", "PgUp",
                             "PgDn", "Scroll", "Pause", "Screen", "`", "-", "=", "APPs", "Space", "[", "]",
                             "\\", "Enter", ";", "'", ",", ".", "/", "Num/", "Num*", "Num-", "Num+", "Num.",
                             "NumLock", "", "LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin"};
        for (int i = 0; i < 26; ++i)
            names << QString(QChar('A' + i));
        for (int i = 0; i < 10; ++i)
            names << QString::number(i) << QStringLiteral("Num%1").arg(i);
        for (int i = 1; i <= 12; ++i)
            names << QStringLiteral("F%1").arg(i);
        names << kLeft << kRight << kMiddle << kBack << kForward;
        for (const QString& name : names) {
            const QStringList texts = KeyNameTable::KeyNameToUsageText(name);
            QVERIFY2(texts.size() == 2, qPrintable(name));
            QCOMPARE(KeyNameTable::UsageTextToKeyName(texts.at(0), texts.at(1).toInt()), name);
        }
    }

    // With no language applied the mouse names are empty; the empty name
    // is still the Clear key, not a mouse button.
    void emptyNameIsTheClearKeyBeforeAnyLanguage()
    {
        SetMouseNames({});
        QCOMPARE(KeyNameTable::KeyNameToUsageText(QString()), (QStringList{"0x00", "1"}));
        QCOMPARE(KeyNameTable::UsageTextToKeyName(QStringLiteral("0x01"), 4), QString());
    }

    // Fixed names are tried before mouse names, F keys after them.
    void mouseNamesSitBetweenFixedNamesAndFunctionKeys()
    {
        SetMouseNames({QStringLiteral("A"), QStringLiteral("F5"), kMiddle, kBack, kForward});
        QCOMPARE(KeyNameTable::KeyNameToUsageText(QStringLiteral("A")), (QStringList{"0x04", "1"}));
        QCOMPARE(KeyNameTable::KeyNameToUsageText(QStringLiteral("F5")), (QStringList{"0x02", "4"}));
    }

    void usageCodeToKeyName_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("keypad Enter") << 0x58 << 1 << "Enter";
        QTest::newRow("0x40 key") << 0x40 << 1 << "F7";
        QTest::newRow("0x40 modifier") << 0x40 << 0 << "RAlt";
        QTest::newRow("0x40 consumer") << 0x40 << 2 << "F7";
        QTest::newRow("0x04 consumer") << 0x04 << 2 << "";
        QTest::newRow("0x04 key") << 0x04 << 1 << "A";
        QTest::newRow("0x04 modifier") << 0x04 << 0 << "LAlt";
        QTest::newRow("0x10 key") << 0x10 << 1 << "M";
        QTest::newRow("0x10 mouse kind") << 0x10 << 4 << "";
        QTest::newRow("0x20 key") << 0x20 << 1 << "3";
        QTest::newRow("0x01 key") << 0x01 << 1 << "LCtrl";
        QTest::newRow("0x02 consumer") << 0x02 << 2 << "LShift";
        QTest::newRow("0x80 key") << 0x80 << 1 << "RWin";
        QTest::newRow("0x05 any kind") << 0x05 << 2 << "B";
        QTest::newRow("Enter") << 0x28 << 1 << "Enter";
        QTest::newRow("no row") << 0x32 << 1 << "";
        QTest::newRow("beyond a byte") << 0x104 << 1 << "";
        QTest::newRow("Clear") << 0x00 << 1 << "";
    }

    void usageCodeToKeyName()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(KeyNameTable::UsageCodeToKeyName(code, kind), name);
    }

    void mouseBitToName_data()
    {
        QTest::addColumn<int>("bit");
        QTest::addColumn<QString>("name");
        QTest::newRow("1") << 1 << kLeft;
        QTest::newRow("2") << 2 << kRight;
        QTest::newRow("4") << 4 << kMiddle;
        QTest::newRow("8") << 8 << kBack;
        QTest::newRow("16") << 16 << kForward;
        QTest::newRow("3") << 3 << "";
        QTest::newRow("32") << 32 << "";
        QTest::newRow("0") << 0 << "";
    }

    void mouseBitToName()
    {
        QFETCH(int, bit);
        QFETCH(QString, name);
        QCOMPARE(KeyNameTable::MouseBitToName(bit), name);
    }

    void keyNameToEventCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("code");
        QTest::newRow("A at 0") << "A" << 0 << 1 << 0x04;
        QTest::newRow("RWin at 1") << "RWin" << 1 << 0 << 0x80;
        QTest::newRow("back button at 69") << kBack << 69 << 4 << 0x08;
        QTest::newRow("F12") << "F12" << 5 << 1 << 0x45;
        QTest::newRow("unknown keeps the code") << "Hyper" << 3 << 1 << 0xABCD;
    }

    // Only the kind byte (33 + 8i) and the code (34 + 8i, little-endian) change.
    void keyNameToEventCode()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(int, kind);
        QFETCH(int, code);
        MacroBlock block;
        std::memset(&block, 0xEE, sizeof block);
        QCOMPARE(int(sizeof block), 592);
        auto* bytes = reinterpret_cast<unsigned char*>(&block);
        bytes[34 + 8 * index] = 0xCD;
        bytes[35 + 8 * index] = 0xAB;
        unsigned char before[592];
        std::memcpy(before, bytes, sizeof before);

        KeyNameTable::KeyNameToEventCode(name, index, &block);

        QCOMPARE(int(bytes[33 + 8 * index]), kind);
        QCOMPARE(int(bytes[34 + 8 * index]) | (int(bytes[35 + 8 * index]) << 8), code);
        for (int offset = 0; offset < 592; ++offset) {
            if (offset >= 33 + 8 * index && offset <= 35 + 8 * index)
                continue;
            QVERIFY2(bytes[offset] == before[offset], qPrintable(QString::number(offset)));
        }
    }

    void keyNameToEventCodeIgnoresEventsOutsideTheBlock()
    {
        MacroBlock block;
        std::memset(&block, 0, sizeof block);
        KeyNameTable::KeyNameToEventCode(QStringLiteral("A"), 70, &block);
        KeyNameTable::KeyNameToEventCode(QStringLiteral("A"), -1, &block);
        const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
        for (int offset = 0; offset < 592; ++offset)
            QCOMPARE(int(bytes[offset]), 0);
    }

    void virtualKeyToKeyName_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<bool>("combination");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("name");
        QTest::newRow("A") << 0x41 << false << true << "A";
        QTest::newRow("Clear is the empty name") << 12 << false << true << "";
        QTest::newRow("Return and keypad Enter") << 13 << false << true << "Enter";
        QTest::newRow("left Shift in recording") << 160 << false << true << "LShift";
        QTest::newRow("left Shift in the combination dialog") << 160 << true << false << "";
        QTest::newRow("left Win in the combination dialog") << 91 << true << false << "";
        QTest::newRow("right Alt") << 165 << false << true << "RAlt";
        QTest::newRow("A in the combination dialog") << 0x41 << true << true << "A";
        QTest::newRow("minus") << 189 << false << true << "-";
        QTest::newRow("backslash") << 220 << false << true << "\\";
        QTest::newRow("keypad 7") << 103 << false << true << "Num7";
        QTest::newRow("F12") << 123 << false << true << "F12";
        QTest::newRow("left arrow") << 37 << false << true << QString(QChar(0x2190));
        QTest::newRow("print screen") << 44 << false << true << "Screen";
        QTest::newRow("plain Shift has no row") << 16 << false << false << "";
        QTest::newRow("F13 has no row") << 124 << false << false << "";
    }

    void virtualKeyToKeyName()
    {
        QFETCH(int, virtualKey);
        QFETCH(bool, combination);
        QFETCH(bool, found);
        QFETCH(QString, name);
        QString result = QStringLiteral("untouched");
        const bool ok = KeyNameTable::VirtualKeyToKeyName(
            virtualKey, &result,
            combination ? KeyNameTable::VirtualKeySet::WithoutModifiers : KeyNameTable::VirtualKeySet::All);
        QCOMPARE(ok, found);
        if (found)
            QCOMPARE(result, name);
    }
};

QTEST_GUILESS_MAIN(TestKeyNameTable)
#include "tst_keynametable.moc"
