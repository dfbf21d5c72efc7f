// The one check every macro name passes before it becomes a file name, and
// the cut of a name to the bytes of the device's name field.

#include "macro/MacroName.h"

#include <QtTest>

class TestMacroName : public QObject {
    Q_OBJECT

private slots:
    void isSafe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "Game1" << true;
        QTest::newRow("with space") << "Game 1" << true;
        QTest::newRow("chinese") << QString(QChar(0x5B8F)) << true;
        QTest::newRow("dot inside") << "a.b" << true;
        QTest::newRow("three dots") << "..." << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("parent path") << "../x" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("windows parent path") << "..\\x" << false;
        QTest::newRow("line feed") << "a\nb" << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("zero") << QString("a") + QChar(0) << false;
        QTest::newRow("delete") << QString("a") + QChar(0x7F) << false;
        QTest::newRow("C1 control") << QString("a") + QChar(0x85) << false;
    }

    void isSafe()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(MacroName::IsSafe(name), safe);
    }

    void cutToBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cut");
        QTest::newRow("short stays") << "Game1" << "Game1";
        QTest::newRow("30 ASCII stay") << QString(30, 'a') << QString(30, 'a');
        QTest::newRow("40 ASCII become 30") << QString(40, 'a') << QString(30, 'a');
        QTest::newRow("ten three-byte characters stay") << QString(10, QChar(0x5B8F)) << QString(10, QChar(0x5B8F));
        QTest::newRow("eleven three-byte characters become ten")
            << QString(11, QChar(0x5B8F)) << QString(10, QChar(0x5B8F));
        // 40 bytes: 28 ASCII and four three-byte characters; the first one
        // would end at byte 31, so none is kept.
        QTest::newRow("40 bytes, no half character")
            << QString(28, 'a') + QString(4, QChar(0x5B8F)) << QString(28, 'a');
        QTest::newRow("two-byte characters") << QString(16, QChar(0x00E9)) << QString(15, QChar(0x00E9));
        const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\xAE"); // four bytes, two UTF-16 units
        QTest::newRow("surrogate pair kept whole") << QString(27, 'a') + emoji << QString(27, 'a');
        QTest::newRow("surrogate pair that fits") << QString(26, 'a') + emoji + "b" << QString(26, 'a') + emoji;
    }

    void cutToBytes()
    {
        QFETCH(QString, text);
        QFETCH(QString, cut);
        const QString result = MacroName::CutToBytes(text);
        QCOMPARE(result, cut);
        QVERIFY(MacroName::LocalBytes(result).size() <= 30);
        // Nothing but whole characters: the bytes decode back unchanged.
        QCOMPARE(QString::fromUtf8(MacroName::LocalBytes(result)), result);
    }

    void cutToOtherSizes()
    {
        QCOMPARE(MacroName::CutToBytes(QString(60, 'n'), 48), QString(48, 'n'));
        QCOMPARE(MacroName::CutToBytes(QStringLiteral("abc"), 0), QString());
    }
};

QTEST_GUILESS_MAIN(TestMacroName)
#include "tst_macroname.moc"
