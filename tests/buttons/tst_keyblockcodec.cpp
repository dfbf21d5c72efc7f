// Key-combination texts to key blocks and back: the bytes of the block, the
// order of the events, and the names read back from each press.

#include "buttons/KeyBlockCodec.h"
#include "device/KeyEventFields.h"
#include "macro/KeyNameTable.h"

#include <QtTest>

#include <cstring>

namespace {

struct Key {
    int kind;
    int usage;
};

QByteArray Bytes(const KeyBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(&block), sizeof(block));
}

// The names read back from the presses, as a row of the page shows them.
QString PressNames(const KeyBlock& block)
{
    QStringList names;
    for (int k = 0; k < block.eventCount / 2; ++k) {
        const KeyEvent& event = block.events[k];
        names << KeyBlockCodec::UsageToKeyName(KeyEventFields::Usage(event) & 0xFF, event.kind);
    }
    return names.join(QLatin1Char('+'));
}

} // namespace

Q_DECLARE_METATYPE(QList<Key>)

class TestKeyBlockCodec : public QObject {
    Q_OBJECT

private slots:
    void shiftPlusAIsTheByteLayout()
    {
        const QByteArray expected = QByteArray::fromHex(
            "04000000"
            "000002000a000000"
            "000104000a000000"
            "010104000a000000"
            "010002000a000000"
            "00000000000000000000000000000000");
        QCOMPARE(Bytes(KeyBlockCodec::BuildKeyBlock(QStringLiteral("Shift+A"))), expected);
    }

    void eventsPressInOrderAndReleaseInReverse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Key>>("keys");
        QTest::newRow("one key") << "F" << QList<Key>{{1, 0x09}};
        QTest::newRow("Enter") << "Enter" << QList<Key>{{1, 0x28}};
        QTest::newRow("three modifiers and the order") << "Shift+Ctrl+A"
                                                       << QList<Key>{{0, 0x02}, {0, 0x01}, {1, 0x04}};
        QTest::newRow("Ctrl+Alt+Del") << "Ctrl+Alt+Del" << QList<Key>{{0, 0x01}, {0, 0x04}, {1, 0x4C}};
        QTest::newRow("Win+Shift+Alt") << "Win+Shift+Alt" << QList<Key>{{0, 0x08}, {0, 0x02}, {0, 0x04}};
        QTest::newRow("function keys") << "F1+F12" << QList<Key>{{1, 0x3A}, {1, 0x45}};
        QTest::newRow("navigation") << "PgUp+Home+" + QString(QChar(0x2193))
                                    << QList<Key>{{1, 0x4B}, {1, 0x4A}, {1, 0x51}};
        QTest::newRow("keypad") << "Num5+Num.+NumLock" << QList<Key>{{1, 0x5D}, {1, 0x63}, {1, 0x53}};
        QTest::newRow("grave and backslash") << "`+\\" << QList<Key>{{1, 0x35}, {1, 0x31}};
        QTest::newRow("empty text is one key of usage 0") << "" << QList<Key>{{1, 0}};
        // The numpad's plus keeps its own plus sign: one key, wherever it stands.
        QTest::newRow("Num+ is one key") << "Num+" << QList<Key>{{1, 0x57}};
        QTest::newRow("Num+ first") << "Num++A" << QList<Key>{{1, 0x57}, {1, 0x04}};
        QTest::newRow("Num+ in the middle") << "Ctrl+Num++Num5" << QList<Key>{{0, 0x01}, {1, 0x57}, {1, 0x5D}};
        QTest::newRow("Num+ last") << "Shift+Alt+Num+" << QList<Key>{{0, 0x02}, {0, 0x04}, {1, 0x57}};
        QTest::newRow("Num+ twice") << "Num++Num+" << QList<Key>{{1, 0x57}, {1, 0x57}};
        QTest::newRow("Num alone is no key") << "Num" << QList<Key>{{1, 0}};
        QTest::newRow("A++B keeps the empty part") << "A++B" << QList<Key>{{1, 0x04}, {1, 0}, {1, 0x05}};
        QTest::newRow("lower-case a is no key") << "a" << QList<Key>{{1, 0}};
        QTest::newRow("macro names LCtrl are no combination names") << "LCtrl+A" << QList<Key>{{1, 0}, {1, 0x04}};
    }
    void eventsPressInOrderAndReleaseInReverse()
    {
        QFETCH(QString, text);
        QFETCH(QList<Key>, keys);
        const KeyBlock block = KeyBlockCodec::BuildKeyBlock(text);
        const int n = keys.size();
        QCOMPARE(int(block.eventCount), 2 * n);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.reserved), 3), QByteArray(3, '\0'));
        for (int k = 0; k < n; ++k) {
            for (int e : {k, 2 * n - 1 - k}) {
                const KeyEvent& event = block.events[e];
                QCOMPARE(int(event.action), e == k ? 0 : 1);
                QCOMPARE(int(event.kind), keys.at(k).kind);
                QCOMPARE(KeyEventFields::Usage(event), keys.at(k).usage);
                QCOMPARE(KeyEventFields::Delay(event), quint32(10));
            }
        }
        for (int e = 2 * n; e < 6; ++e)
            QCOMPARE(Bytes(block).mid(4 + 8 * e, 8), QByteArray(8, '\0'));
    }

    void textRoundTripsThroughTheBlock_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one key") << "Q";
        QTest::newRow("modifier and key") << "Ctrl+C";
        QTest::newRow("three modifiers") << "Ctrl+Shift+Win";
        QTest::newRow("Alt+F4") << "Alt+F4";
        QTest::newRow("function keys") << "F5+F7+F11";
        QTest::newRow("navigation") << "Insert+End+PgDn";
        QTest::newRow("arrows") << QString(QChar(0x2190)) + "+" + QString(QChar(0x2192)) + "+" + QString(QChar(0x2191));
        QTest::newRow("E and M are keys, not modifiers") << "E+M+3";
        QTest::newRow("punctuation") << "[+]+;";
        QTest::newRow("keypad operators") << "Num/+Num*+Num-";
        QTest::newRow("keypad plus among keys") << "Num-+Num++Num*";
        QTest::newRow("keypad plus alone") << "Num+";
        QTest::newRow("system keys") << "Screen+Scroll+Pause";
        QTest::newRow("APPs and CapsLock") << "APPs+CapsLock";
    }
    void textRoundTripsThroughTheBlock()
    {
        QFETCH(QString, text);
        QCOMPARE(PressNames(KeyBlockCodec::BuildKeyBlock(text)), text);
    }

    void everyKeyboardNameRoundTrips()
    {
        // Every usage with a name in the macro editor's table comes back as
        // that name through a one-key block.
        int named = 0;
        for (int usage = 1; usage < 0x100; ++usage) {
            const QString name = KeyNameTable::KeyboardUsageName(usage);
            if (name.isEmpty())
                continue;
            ++named;
            const KeyBlock block = KeyBlockCodec::BuildKeyBlock(name);
            QCOMPARE(KeyEventFields::Usage(block.events[0]), usage);
            QCOMPARE(PressNames(block), name);
        }
        QCOMPARE(named, 95);
    }

    void moreThanThreeKeysKeepTheFirstThree()
    {
        const KeyBlock block = KeyBlockCodec::BuildKeyBlock(QStringLiteral("Ctrl+Shift+Alt+A+B"));
        QCOMPARE(int(block.eventCount), 6);
        QCOMPARE(PressNames(block), QStringLiteral("Ctrl+Shift+Alt"));
        QCOMPARE(KeyEventFields::Usage(block.events[5]), 0x01);
        QCOMPARE(int(block.events[5].action), 1);
    }

    // A combination from the configuration file is played only as written.
    void playableCombinations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("playable");
        QTest::newRow("one key") << "A" << true;
        QTest::newRow("modifiers only") << "Ctrl+Shift" << true;
        QTest::newRow("three") << "Ctrl+Alt+Del" << true;
        QTest::newRow("numpad plus") << "Ctrl+Num+" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("four") << "Ctrl+Shift+Alt+A" << false;
        QTest::newRow("empty part") << "A++B" << false;
        QTest::newRow("unknown name") << "Ctrl+Foo" << false;
        QTest::newRow("lower case") << "ctrl+a" << false;
        QTest::newRow("trailing plus") << "Ctrl+" << false;
    }
    void playableCombinations()
    {
        QFETCH(QString, text);
        QFETCH(bool, playable);
        QCOMPARE(KeyBlockCodec::IsPlayableCombination(text), playable);
    }

    void keyNameToEventsWritesOnlyItsTwoEvents()
    {
        KeyBlock block;
        std::memset(&block, 0xEE, sizeof(block));
        const KeyBlock written = KeyBlockCodec::KeyNameToEvents(block, QStringLiteral("Tab"), 1, 3);
        QByteArray expected = Bytes(block);
        expected.replace(4 + 8 * 1, 8, QByteArray::fromHex("00012b000a000000"));
        expected.replace(4 + 8 * 4, 8, QByteArray::fromHex("01012b000a000000"));
        QCOMPARE(Bytes(written), expected);
    }

    void keyNameToEventsRefusesPositionsOutsideTheBlock_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("n");
        QTest::newRow("k = n") << 3 << 3;
        QTest::newRow("four keys") << 0 << 4;
        QTest::newRow("k negative") << -1 << 2;
        QTest::newRow("n zero") << 0 << 0;
    }
    void keyNameToEventsRefusesPositionsOutsideTheBlock()
    {
        QFETCH(int, k);
        QFETCH(int, n);
        KeyBlock block;
        std::memset(&block, 0x5A, sizeof(block));
        QCOMPARE(Bytes(KeyBlockCodec::KeyNameToEvents(block, QStringLiteral("A"), k, n)), Bytes(block));
    }

    void usageToKeyName_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("name");
        QTest::newRow("0x01 any mode") << 0x01 << 1 << "Ctrl";
        QTest::newRow("0x02 any mode") << 0x02 << 7 << "Shift";
        QTest::newRow("0x80 keyboard") << 0x80 << 1 << "Win";
        QTest::newRow("0x04 key") << 0x04 << 1 << "A";
        QTest::newRow("0x04 modifier") << 0x04 << 0 << "Alt";
        QTest::newRow("0x04 other mode") << 0x04 << 2 << "";
        QTest::newRow("0x08 key") << 0x08 << 1 << "E";
        QTest::newRow("0x08 modifier") << 0x08 << 0 << "Win";
        QTest::newRow("0x10 key") << 0x10 << 1 << "M";
        QTest::newRow("0x10 modifier") << 0x10 << 0 << "Ctrl";
        QTest::newRow("0x10 other mode") << 0x10 << 2 << "";
        QTest::newRow("0x20 key") << 0x20 << 1 << "3";
        QTest::newRow("0x20 modifier") << 0x20 << 0 << "Shift";
        QTest::newRow("0x40 key") << 0x40 << 1 << "F7";
        QTest::newRow("0x40 modifier") << 0x40 << 0 << "Alt";
        QTest::newRow("0x05 as a modifier reads the key") << 0x05 << 0 << "B";
        QTest::newRow("0x03") << 0x03 << 0 << "";
        QTest::newRow("0x00") << 0x00 << 1 << "";
        QTest::newRow("0x32") << 0x32 << 1 << "";
        QTest::newRow("0x64") << 0x64 << 1 << "";
        QTest::newRow("0x66") << 0x66 << 1 << "";
        QTest::newRow("0xFF") << 0xFF << 1 << "";
        QTest::newRow("Enter") << 0x28 << 1 << "Enter";
        QTest::newRow("keypad Enter") << 0x58 << 1 << "Enter";
        QTest::newRow("grave") << 0x35 << 1 << "`";
        QTest::newRow("APPs") << 0x65 << 1 << "APPs";
        QTest::newRow("up arrow") << 0x52 << 1 << QString(QChar(0x2191));
    }
    void usageToKeyName()
    {
        QFETCH(int, value);
        QFETCH(int, mode);
        QFETCH(QString, name);
        QCOMPARE(KeyBlockCodec::UsageToKeyName(value, mode), name);
    }
};

QTEST_GUILESS_MAIN(TestKeyBlockCodec)
#include "tst_keyblockcodec.moc"
