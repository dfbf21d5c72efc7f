#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Side = LanguageTables::Side;
Q_DECLARE_METATYPE(LanguageTables::Side)

namespace {

QStringList capturedWarnings;
QtMessageHandler previousHandler = nullptr;

void CaptureWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg)
        capturedWarnings.append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}

// Fixtures are written with single quotes to stay readable inside C++ strings.
QByteArray Json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

bool WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Every table the loader fills, as (description, element count).
QVector<QPair<QString, int>> TableCounts()
{
    QVector<QPair<QString, int>> counts;
    for (Side side : {Side::Mouse, Side::Keyboard}) {
        for (const QString &name : LanguageTables::SectionNames(side))
            counts.append({"section " + name, LanguageTables::Section(side, name)->Count()});
    }
    for (const LanguageTables::OptionArray &array : LanguageTables::OptionArrays()) {
        const int count = array.multi ? LanguageTables::MultiOptions(array.side, array.name)->Count()
                                      : LanguageTables::UniqueOptions(array.side, array.name)->Count();
        counts.append({"options " + array.name, count});
    }
    for (const QString &type : LanguageTables::KeyfunctionTypes())
        counts.append({"key functions " + type, LanguageTables::KeyboardKeyfunctions(type)->Count()});
    counts.append({"receiver status", LanguageTables::ReceiverStatusList().Count()});
    return counts;
}

} // namespace

class TestLanguageTables : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir scratch;
    int fixtureCount = 0;

    // A fresh application folder holding the given language file.
    QString ApplicationFolder(const QByteArray &json)
    {
        const QString folder = scratch.path() + QString("/app%1").arg(++fixtureCount);
        WriteFile(folder + "/Language/en.json", json);
        return folder;
    }

    bool Load(const QByteArray &json)
    {
        return LanguageLoader::LoadLanguageFile(ApplicationFolder(json) + "/Language/en.json");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(scratch.isValid());
        previousHandler = qInstallMessageHandler(CaptureWarnings);
    }

    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void init()
    {
        LanguageTables::Clear();
        languageIndex = 0;
        capturedWarnings.clear();
    }

    // --- Section texts: the walk's side and section rules ---

    void sectionWalk_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Side>("side");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");  // a null text: the key is not in the table

        QTest::newRow("string under mouse and common")
            << Json("{'mouse':{'common':{'OK':'Fine'}}}") << Side::Mouse << "common" << "OK" << "Fine";
        QTest::newRow("keyboard strings land on the keyboard side")
            << Json("{'keyboard':{'common':{'OK':'Keys'}}}") << Side::Keyboard << "common" << "OK" << "Keys";
        QTest::newRow("keyboard strings stay off the mouse side")
            << Json("{'keyboard':{'common':{'OK':'Keys'}}}") << Side::Mouse << "common" << "OK" << QString();
        QTest::newRow("keyboard has no home section")
            << Json("{'keyboard':{'home':{'Exit':'Bye'}}}") << Side::Mouse << "home" << "Exit" << QString();
        QTest::newRow("keyboard side is current at start")
            << Json("{'common':{'OK':'Early'}}") << Side::Keyboard << "common" << "OK" << "Early";
        QTest::newRow("no section yet: not stored")
            << Json("{'OK':'Loose','keyboard':{}}") << Side::Keyboard << "common" << "OK" << QString();
        QTest::newRow("side and section persist after their object")
            << Json("{'mouse':{'common':{'a':'1'}},'zz':{'b':'2'}}") << Side::Mouse << "common" << "b" << "2";
        QTest::newRow("section string before the switch stays")
            << Json("{'mouse':{'common':{'a':'1','light':'Lamp','z':'2'}}}") << Side::Mouse << "common" << "a" << "1";
        QTest::newRow("section-named string switches and is stored there")
            << Json("{'mouse':{'common':{'a':'1','light':'Lamp','z':'2'}}}") << Side::Mouse << "light" << "light" << "Lamp";
        QTest::newRow("members after the switch go to the new section")
            << Json("{'mouse':{'common':{'a':'1','light':'Lamp','z':'2'}}}") << Side::Mouse << "light" << "z" << "2";
        QTest::newRow("members after the switch leave the old section")
            << Json("{'mouse':{'common':{'a':'1','light':'Lamp','z':'2'}}}") << Side::Mouse << "common" << "z" << QString();
        QTest::newRow("deep section member of any value switches")
            << Json("{'mouse':{'common':{'deep':{'home':5}},'x':{'b':'2'}}}") << Side::Mouse << "home" << "b" << "2";
        QTest::newRow("members are visited in key order, not file order")
            << Json("{'mouse':{'zeta':'Late','common':{}}}") << Side::Mouse << "common" << "zeta" << "Late";
        QTest::newRow("later string replaces an earlier one")
            << Json("{'mouse':{'common':{'OK':'First','z':{'OK':'Second'}}}}") << Side::Mouse << "common" << "OK" << "Second";
        QTest::newRow("empty string is not stored")
            << Json("{'mouse':{'common':{'OK':'Fine','z':{'OK':''}}}}") << Side::Mouse << "common" << "OK" << "Fine";
        QTest::newRow("number is not stored")
            << Json("{'mouse':{'common':{'n':5}}}") << Side::Mouse << "common" << "n" << QString();
        QTest::newRow("strings inside array elements are not section texts")
            << Json("{'mouse':{'common':{'list':[{'OK':'x'}]}}}") << Side::Mouse << "common" << "OK" << QString();
    }

    void sectionWalk()
    {
        QFETCH(QByteArray, json);
        QFETCH(Side, side);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);

        QVERIFY(Load(json));
        const TextMap &element = LanguageTables::Section(side, section)->At(0);
        QCOMPARE(element.contains(key), !expected.isNull());
        QCOMPARE(element.value(key), expected.isNull() ? QString() : expected);
    }

    // --- Option arrays ---

    void optionArrays_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Side>("side");
        QTest::addColumn<QString>("array");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("expected");  // every text under the key, the one added last first

        QTest::newRow("Multi keeps every entry")
            << Json("{'mouse':{'KeyOptions':[{'value':'0x0100','label':'A'},{'value':'0x0100','label':'B'},{'value':'0x0100','label':'C'}]}}")
            << Side::Mouse << "KeyOptions" << "0x0100" << QStringList{"C", "B", "A"};
        QTest::newRow("dpiModeOptions keeps only the last")
            << Json("{'mouse':{'dpiModeOptions':[{'value':1,'option':'A'},{'value':1,'option':'B'}]}}")
            << Side::Mouse << "dpiModeOptions" << "1" << QStringList{"B"};
        QTest::newRow("LightModeOptions keeps only the last")
            << Json("{'mouse':{'LightModeOptions':[{'value':2,'option':'A'},{'value':2,'option':'B'}]}}")
            << Side::Mouse << "LightModeOptions" << "2" << QStringList{"B"};
        QTest::newRow("number held as a string reads 0")
            << Json("{'mouse':{'dpiModeOptions':[{'value':'3','option':'S'}]}}")
            << Side::Mouse << "dpiModeOptions" << "0" << QStringList{"S"};
        QTest::newRow("missing number reads 0")
            << Json("{'mouse':{'ReportRates':[{'option':'none'}]}}")
            << Side::Mouse << "ReportRates" << "0" << QStringList{"none"};
        QTest::newRow("fraction is no integer and reads 0")
            << Json("{'mouse':{'ReportRates':[{'value':1.5,'option':'half'}]}}")
            << Side::Mouse << "ReportRates" << "0" << QStringList{"half"};
        QTest::newRow("InsertEventOptions keyed by command")
            << Json("{'mouse':{'InsertEventOptions':[{'command':4,'value':9,'option':'Middle'}]}}")
            << Side::Mouse << "InsertEventOptions" << "4" << QStringList{"Middle"};
        QTest::newRow("keyboard InsertEventOptions has its own table")
            << Json("{'keyboard':{'InsertEventOptions':[{'command':1,'option':'K'}]}}")
            << Side::Keyboard << "InsertEventOptions" << "1" << QStringList{"K"};
        QTest::newRow("keyboard InsertEventOptions stay off the mouse")
            << Json("{'keyboard':{'InsertEventOptions':[{'command':1,'option':'K'}]}}")
            << Side::Mouse << "InsertEventOptions" << "1" << QStringList();
        QTest::newRow("mouse-only array on the keyboard side is dropped")
            << Json("{'keyboard':{'KeyOptions':[{'value':'1','label':'x'}]},'zz':{}}")
            << Side::Mouse << "KeyOptions" << "1" << QStringList();
        QTest::newRow("tabsList keyed by id")
            << Json("{'mouse':{'tabsList':[{'id':2,'value':9,'option':'Tab'}]}}")
            << Side::Mouse << "tabsList" << "2" << QStringList{"Tab"};
        QTest::newRow("StatusDescriptionList keyed by text")
            << Json("{'mouse':{'StatusDescriptionList':[{'value':'#42e81b','option':'Green'}]}}")
            << Side::Mouse << "StatusDescriptionList" << "#42e81b" << QStringList{"Green"};
        QTest::newRow("children are read under the same name")
            << Json("{'mouse':{'ReportRates':[{'value':1,'option':'a','children':[{'value':2,'option':'b','children':[{'value':3,'option':'c'}]}]}]}}")
            << Side::Mouse << "ReportRates" << "3" << QStringList{"c"};
        QTest::newRow("elements that are not objects are skipped")
            << Json("{'mouse':{'ReportRates':[5,'x',null,[{'value':7,'option':'nested'}],{'value':8,'option':'ok'}]}}")
            << Side::Mouse << "ReportRates" << "8" << QStringList{"ok"};
        QTest::newRow("arrays inside nested arrays are not read")
            << Json("{'mouse':{'ReportRates':[[{'value':7,'option':'nested'}]]}}")
            << Side::Mouse << "ReportRates" << "7" << QStringList();
        QTest::newRow("array inside a section is read by its member name")
            << Json("{'mouse':{'common':{'ReportRates':[{'value':8,'option':'deep'}]}}}")
            << Side::Mouse << "ReportRates" << "8" << QStringList{"deep"};
        QTest::newRow("top-level array stores nothing")
            << Json("[{'value':8,'option':'x','children':[{'value':9,'option':'y'}]}]")
            << Side::Keyboard << "ReportRates" << "9" << QStringList();
    }

    void optionArrays()
    {
        QFETCH(QByteArray, json);
        QFETCH(Side, side);
        QFETCH(QString, array);
        QFETCH(QString, key);
        QFETCH(QStringList, expected);

        QVERIFY(Load(json));
        QCOMPARE(LanguageTables::OptionTexts(side, 0, array, key), expected);
    }

    void keysSortAsText()
    {
        QVERIFY(Load(Json("{'mouse':{'ReportRates':[{'value':125,'option':'a'},{'value':1000,'option':'b'},{'value':2,'option':'c'}]}}")));
        QCOMPARE(LanguageTables::MultiOptions(Side::Mouse, "ReportRates")->At(0).keys(),
                 QStringList({"1000", "125", "2"}));
    }

    void multiLookupAndWalkOrder()
    {
        QVERIFY(Load(Json("{'mouse':{'KeyOptions':[{'value':'v1','label':'A'},{'value':'v2','label':'X'},{'value':'v1','label':'B'}]}}")));
        QCOMPARE(LanguageTables::Option(0, "KeyOptions", "v1"), QString("B"));

        QStringList walk;
        const MultiTextMap &element = LanguageTables::MultiOptions(Side::Mouse, "KeyOptions")->At(0);
        for (auto it = element.constBegin(); it != element.constEnd(); ++it)
            walk << it.key() + "=" + it.value();
        QCOMPARE(walk, QStringList({"v1=B", "v1=A", "v2=X"}));
    }

    void keyfunctionsByType()
    {
        QVERIFY(Load(Json("{'keyboard':{'keyboardKeyfunctions':["
                       "{'type':'0x05','value':'k','label':'five'},"
                       "{'type':'0x0A','value':'k','label':'ten'},"
                       "{'type':'0x0a','value':'k','label':'lower case'},"
                       "{'type':'0x04','value':'k','label':'no table'},"
                       "{'value':'k','label':'no type'},"
                       "{'type':'0x00','value':'k','label':'zero','children':[{'type':'0x00','value':'k','label':'child'}]}"
                       "]},'mouse':{'keyboardKeyfunctions':[{'type':'0x05','value':'m','label':'mouse side'}]}}")));

        QCOMPARE(LanguageTables::KeyboardKeyfunctions("0x05")->At(0), MultiTextMap({{"k", "five"}}));
        QCOMPARE(LanguageTables::KeyboardKeyfunctions("0x0A")->At(0), MultiTextMap({{"k", "ten"}}));
        QCOMPARE(LanguageTables::KeyboardKeyfunctions("0x00")->At(0).values("k"), QStringList({"child", "zero"}));
        QVERIFY(!LanguageTables::KeyboardKeyfunctions("0x04"));
        int stored = 0;
        for (const QString &type : LanguageTables::KeyfunctionTypes())
            stored += LanguageTables::KeyboardKeyfunctions(type)->At(0).size();
        QCOMPARE(stored, 4);
    }

    void receiverStatusPairsInFileOrder()
    {
        QVERIFY(Load(Json("{'keyboard':{'receiverStatusList':[{'option':'kb','info':'ignored'}]},"
                       "'mouse':{'receiverStatusList':["
                       "{'option':'Zed: ','info':'last letter'},"
                       "{'option':'Alpha: ','info':'first letter','children':[{'option':'Child: ','info':'nested'}]},"
                       "{'info':'no option'}"
                       "]}}")));

        const TextPairList expected = {{"Zed: ", "last letter"}, {"Alpha: ", "first letter"},
                                       {"Child: ", "nested"}, {"", "no option"}};
        QCOMPARE(LanguageTables::ReceiverStatusList().At(0), expected);
        QCOMPARE(LanguageTables::ReceiverStatus(0, 4), TextPair());
    }

    // --- Languages and indices ---

    void everyLoadAppendsALanguage()
    {
        QVERIFY(Load(Json("{'mouse':{'common':{'OK':'First'},'KeyOptions':[{'value':'1','label':'one'}]}}")));
        QVERIFY(Load(Json("{'mouse':{'common':{'OK':'Second'}}}")));

        for (const auto &count : TableCounts())
            QVERIFY2(count.second == 2, qPrintable(count.first));
        QCOMPARE(LanguageTables::LanguageCount(), 2);
        QCOMPARE(LanguageTables::Text(0, "common", "OK"), QString("First"));
        QCOMPARE(LanguageTables::Text(1, "common", "OK"), QString("Second"));
        QCOMPARE(LanguageTables::Option(1, "KeyOptions", "1"), QString());
    }

    void unknownIndexReadsFirstLanguage_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("one past the loaded language") << 1;
        QTest::newRow("far past") << 42;
        QTest::newRow("negative") << -1;
    }

    void unknownIndexReadsFirstLanguage()
    {
        QFETCH(int, index);
        QVERIFY(Load(Json("{'mouse':{'common':{'OK':'Fine'},'ProfileOptions':[{'value':0,'option':'Profile 1'}],"
                       "'receiverStatusList':[{'option':'o','info':'i'}]}}")));

        languageIndex = index;
        QCOMPARE(LanguageTables::Text("common", "OK"), QString("Fine"));
        QCOMPARE(LanguageTables::Option("ProfileOptions", "0"), QString("Profile 1"));
        QCOMPARE(LanguageTables::ReceiverStatus(index, 0), TextPair("o", "i"));
    }

    void nothingLoadedReadsEmpty()
    {
        languageIndex = 3;
        QCOMPARE(LanguageTables::LanguageCount(), 0);
        QCOMPARE(LanguageTables::Text("common", "OK"), QString());
        QCOMPARE(LanguageTables::Option("KeyOptions", "0x0100"), QString());
        QCOMPARE(LanguageTables::OptionTexts(0, "dpiModeOptions", "1"), QStringList());
        QCOMPARE(LanguageTables::ReceiverStatus(0, 0), TextPair());
        QVERIFY(LanguageTables::Section(Side::Mouse, "common")->At(0).isEmpty());
    }

    void missingKeyReadsEmptyAndIsAdded()
    {
        QVERIFY(Load(Json("{'mouse':{'common':{'OK':'Fine'}}}")));
        QCOMPARE(LanguageTables::Text("common", "Absent"), QString(""));
        QVERIFY(LanguageTables::Section(Side::Mouse, "common")->At(0).contains("Absent"));
        QCOMPARE(LanguageTables::Text("no such section", "OK"), QString());
    }

    // --- Files that cannot be used ---

    void unusableLanguageFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("invalid JSON") << "invalid";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("directory in its place") << "directory";
    }

    void unusableLanguageFile()
    {
        QFETCH(QString, kind);
        const QString folder = scratch.path() + QString("/broken%1").arg(++fixtureCount);
        const QString path = folder + "/Language/en.json";
        if (kind == "invalid")
            QVERIFY(WriteFile(path, Json("{'mouse':{'common':{'OK':'Fine'}")));
        else if (kind == "empty")
            QVERIFY(WriteFile(path, QByteArray()));
        else if (kind == "directory")
            QVERIFY(QDir().mkpath(path));

        QVERIFY(!LanguageLoader::LoadLanguageFile(path));
        QCOMPARE(capturedWarnings.size(), 1);
        QVERIFY(capturedWarnings.first().contains(path));
        for (const auto &count : TableCounts())
            QVERIFY2(count.second == 1, qPrintable(count.first));
        QVERIFY(LanguageTables::Section(Side::Mouse, "common")->At(0).isEmpty());
        QVERIFY(LanguageTables::ReceiverStatusList().At(0).isEmpty());
        QCOMPARE(LanguageTables::Text("common", "OK"), QString());
    }

    void labelsFile_data()
    {
        QTest::addColumn<QByteArray>("content");  // null: no file
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("makers");
        QTest::addColumn<QString>("warning");

        QTest::newRow("maker entries in file order")
            << QByteArray("<?xml version=\"1.0\"?><Profile><CompanyWeben>web</CompanyWeben><Other>o</Other>"
                          "<CompanyName>Name</CompanyName></Profile>")
            << true << QStringList{"web", "Name"} << QString();
        QTest::newRow("root other than Profile")
            << QByteArray("<Labels><CompanyName>Name</CompanyName></Labels>") << false << QStringList()
            << "Not a labels file";
        QTest::newRow("broken XML keeps what came before")
            << QByteArray("<Profile><CompanyName>Name</CompanyName><CompanyWeben>web</Profile>") << false
            << QStringList{"Name"} << QString();
        QTest::newRow("empty file") << QByteArray("") << false << QStringList() << QString();
        QTest::newRow("missing file") << QByteArray() << false << QStringList() << QString();
    }

    void labelsFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, readable);
        QFETCH(QStringList, makers);
        QFETCH(QString, warning);

        const QString path = scratch.path() + QString("/labels%1/Net.xml").arg(++fixtureCount);
        if (!content.isNull())
            QVERIFY(WriteFile(path, content));

        QCOMPARE(LanguageLoader::LoadLabelsFile(path), readable);
        QCOMPARE(LanguageTables::MakerEntries(), makers);
        QCOMPARE(capturedWarnings.size(), readable ? 0 : 1);
        if (!warning.isEmpty())
            QVERIFY2(capturedWarnings.first().contains(warning), qPrintable(capturedWarnings.first()));
        if (readable)
            QCOMPARE(LanguageTables::CompanyText("Other"), QString("o"));
    }

    void labelsFileReplacesEarlierTexts()
    {
        const QString path = scratch.path() + "/labels-replace/Net.xml";
        QVERIFY(WriteFile(path, "<Profile><CompanyName>Old</CompanyName><Gone>g</Gone></Profile>"));
        QVERIFY(LanguageLoader::LoadLabelsFile(path));
        QVERIFY(WriteFile(path, "<Profile><CompanyName>New</CompanyName></Profile>"));
        QVERIFY(LanguageLoader::LoadLabelsFile(path));
        QCOMPARE(LanguageTables::MakerEntries(), QStringList{"New"});
        QCOMPARE(LanguageTables::CompanyTexts(), TextMap({{"CompanyName", "New"}}));
    }

    // --- The files that ship with the program ---

    void shippedFiles_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");

        const QVector<QPair<QString, QStringList>> texts = {
            {"Settings", {"DialogRestore", "DongleVersion", "MouseVersion", "OK"}},
            {"common", {"Cancel", "OK", "Save"}},
            {"home", {"ClickIn", "ComKey", "EnterDelay", "EnterKey", "ErrorDevice", "Exit", "MakeMaro", "MaxThree",
                      "NewVerTips", "NoApear", "OnRun", "OpenMain", "PairTips_z", "PleaseEnter", "RepairDevice",
                      "WiredMode"}},
            {"infoTips", {"DialogOffline", "TimeOut"}},
            {"key", {"DebounceTime", "DialogConfigError", "DialogEConfigMismatch", "DialogExportFail", "DialogFireKeyInterval",
                     "DialogFireKeyTimes", "DialogFireKeyTips", "DialogKeepLeftKey", "configName"}},
            {"macro", {"AutoDelay", "CycleTimes", "DefaultDelay", "Delay", "Delete", "DialogDeleteMacro",
                       "DialogInputMacroName", "DialogMaxMacroKey", "DialogSameMacroName", "DialogSelectMacroFirst",
                       "DialogStopRecordFirst", "InsertEvent", "KeyList", "MacroExport", "MacroImport", "MacroList",
                       "MacroSeond", "Modify", "NewMacro", "Rename", "StartRecord", "StopRecord", "UntilAnyPressed",
                       "UntilThisPressed", "UntilThisReleased"}},
            {"sensor", {"ReportRate"}},
            {"update", {"DialogUpgradeFail", "DialogUpgradeSuccess", "DialogUpgradeUpgrading", "UpgradeTips"}},
            {"InsertEventOptions", {"0", "1", "2", "3", "4", "5", "6"}},
        };
        for (const auto &table : texts) {
            for (const QString &key : table.second)
                QTest::newRow(qPrintable(table.first + "." + key)) << table.first << key;
        }
    }

    void shippedFiles()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);

        const QByteArray source = qgetenv("NK_SOURCE_DIR");
        if (source.isEmpty())
            QSKIP("NK_SOURCE_DIR is not set");
        LanguageLoader::LoadLanguageFiles(QString::fromLocal8Bit(source) + "/resources");
        QCOMPARE(capturedWarnings, QStringList());
        QCOMPARE(LanguageTables::LanguageCount(), 1);

        const QString text = LanguageTables::SectionNames(Side::Mouse).contains(table)
                                 ? LanguageTables::Text(table, key)
                                 : LanguageTables::Option(table, key);
        QVERIFY2(!text.trimmed().isEmpty(), qPrintable(table + "." + key + " is empty"));
        QCOMPARE(LanguageTables::MakerEntries().size(), 4);
        QVERIFY(!LanguageTables::Text(Side::Keyboard, 0, "update", "newTips").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLanguageTables)
#include "tst_languagetables.moc"
