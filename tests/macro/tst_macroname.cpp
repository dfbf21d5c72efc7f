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
        QTest::newRow("dot inside twice") << "a..b" << true;
        QTest::newRow("ini without its dot") << "mini" << true;
        QTest::newRow("capital INI") << "a.INI" << true;
        QTest::newRow("XML in capitals") << "XML" << true;
        // Names the macro list would hide or show otherwise after a restart.
        QTest::newRow("three dots") << "..." << false;
        QTest::newRow("hidden") << ".game" << false;
        QTest::newRow("xml") << "xml" << false;
        QTest::newRow("xml inside") << "myxmlgame" << false;
        QTest::newRow("ending in .ini") << "game.ini" << false;
        QTest::newRow(".ini inside") << "a.inib" << false;
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

    void makeSafe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("safe");
        QTest::newRow("safe stays") << "Game 1" << "Game 1";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("slash") << "a/b" << "a_b";
        QTest::newRow("parent path") << "../x" << "_._x";
        QTest::newRow("backslash") << "a\\b" << "a_b";
        QTest::newRow("dot") << "." << "_";
        QTest::newRow("dot dot") << ".." << "__";
        QTest::newRow("three dots") << "..." << "_..";
        QTest::newRow("hidden") << ".game" << "_game";
        QTest::newRow("xml") << "axmlxmlb" << "axm_xm_b";
        QTest::newRow(".ini") << "a.ini.ini" << "a_ini_ini";
        QTest::newRow("controls") << QString("\ta") + QChar(0x7F) + QChar(0x85) << "_a__";
    }

    void makeSafe()
    {
        QFETCH(QString, name);
        QFETCH(QString, safe);
        const QString result = MacroName::MakeSafe(name);
        QCOMPARE(result, safe);
        if (!result.isEmpty())
            QVERIFY(MacroName::IsSafe(result));
    }

    // One rule for the names and the list: each name taken comes back as
    // itself from its file's name; a file the list shows is a taken name.
    void listedName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("listed");
        QTest::newRow("macro") << "Game1.ini" << "Game1";
        QTest::newRow("every .ini goes") << "c.ini.ini" << "c";
        QTest::newRow("other file as it is") << "x.txt" << "x.txt";
        QTest::newRow("xml skipped") << "notes.xml" << "";
        QTest::newRow("xml anywhere skipped") << "axmlb.ini" << "";
        QTest::newRow("XML is another word") << "XML.ini" << "XML";
        QTest::newRow("hidden skipped") << ".a.ini" << "";
    }

    void listedName()
    {
        QFETCH(QString, file);
        QFETCH(QString, listed);
        QCOMPARE(MacroName::ListedName(file), listed);
    }

    // The name field of a device macro block: 30 bytes, zero-filled or full.
    void fromDeviceField_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("name");
        auto field = [](const QByteArray& bytes) { return bytes + QByteArray(30 - bytes.size(), '\0'); };
        QTest::newRow("plain") << field("M1") << "M1";
        QTest::newRow("up to the first zero") << field(QByteArray("ab\0cd", 5)) << "ab";
        QTest::newRow("no zero: all 30 bytes") << QByteArray(30, 'x') << QString(30, 'x');
        QTest::newRow("UTF-8") << field("\xE5\xAE\x8F" "1") << QString(QChar(0x5B8F)) + "1";
        QTest::newRow("empty") << QByteArray(30, '\0') << "";
        QTest::newRow("slash") << field("a/b") << "a_b";
        QTest::newRow("parent path") << field("../../x") << "_._.._x";
        QTest::newRow("xml") << field("xml.ini") << "xm__ini";
        QTest::newRow("dot dot") << field("..") << "__";
        QTest::newRow("control") << field("\x01z\n") << "_z_";
        // Another tool cut the field inside a character: the half is dropped.
        QTest::newRow("cut two-byte character") << QByteArray(29, 'a') + "\xC3" << QString(29, 'a');
        QTest::newRow("cut three-byte character") << QByteArray(28, 'c') + "\xE2\x82" << QString(28, 'c');
        QTest::newRow("undecodable byte") << field("a\xFF" "b") << "a_b";
        QTest::newRow("stray continuation byte") << field("a\x82" "b") << "a_b";
    }

    void fromDeviceField()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, name);
        const QString result = MacroName::FromDeviceField(field);
        QCOMPARE(result, name);
        QVERIFY(MacroName::LocalBytes(result).size() <= 30);
        if (!result.isEmpty())
            QVERIFY(MacroName::IsSafe(result));
    }
};

QTEST_GUILESS_MAIN(TestMacroName)
#include "tst_macroname.moc"
