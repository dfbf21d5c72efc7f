// The already-running notice reads a language file of its own, chosen by the
// per-user language index. The program folder is where it looks, so the
// fixture cases run a copy of this test program from a folder of their own,
// which prints what the notice shows.

#include "BadFile.h"
#include "NoticeTestSupport.h"

#include "app/UserSettings.h"
#include "dialogs/ExeIsRun.h"
#include "app/LanguageLoader.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Fixtures are written with single quotes to stay readable inside C++ strings.
QByteArray Json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

const char* const kChildVariable = "NK_EXEISRUN_PRINT";

QLabel* LabelOf(QWidget* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("label"));
}

QToolButton* ButtonOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QToolButton*>(QString::fromLatin1(name));
}

// The child's side: build the notice and print what it shows.
int PrintNotice()
{
    ExeIsRun notice;
    QJsonObject shown;
    shown.insert(QStringLiteral("label"), LabelOf(&notice)->text());
    shown.insert(QStringLiteral("ok"), ButtonOf(&notice, "NewHong")->text());
    notice.SetSelectMacroFirstText();
    shown.insert(QStringLiteral("select"), LabelOf(&notice)->text());
    notice.SetStopRecordFirstText();
    shown.insert(QStringLiteral("stop"), LabelOf(&notice)->text());
    const QByteArray line = QJsonDocument(shown).toJson(QJsonDocument::Compact);
    std::fprintf(stdout, "%s\n", line.constData());
    std::fflush(stdout);
    return 0;
}

bool WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray OnRunFile(const QString& text)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("mouse"),
                                      QJsonObject{{QStringLiteral("home"), QJsonObject{{QStringLiteral("OnRun"), text}}}}}})
        .toJson();
}

const QStringList& LanguageFiles()
{
    static const QStringList files = {
        QStringLiteral("en.json"), QStringLiteral("zh-CN.json"), QStringLiteral("zh-TW.xml"),
        QStringLiteral("3-Korea.xml"), QStringLiteral("4-Russia.xml"), QStringLiteral("5-Japanese.xml"),
        QStringLiteral("0-English.xml"),
    };
    return files;
}

} // namespace

class TestExeIsRun : public QObject {
    Q_OBJECT

private:
    // Runs a copy of this program from a fresh folder holding these language
    // files, with this per-user language value (none when null), and returns
    // what its notice showed.
    QJsonObject RunNotice(const QMap<QString, QByteArray>& languageFiles, const QString& language,
                          const std::function<void(const QString& bin)>& prepare = {})
    {
        QTemporaryDir root;
        const QString bin = root.path() + QStringLiteral("/bin");
        QDir().mkpath(bin);
        const QString program = bin + QStringLiteral("/tst_exeisrun");
        if (!QFile::copy(QCoreApplication::applicationFilePath(), program))
            return {};
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Its pictures and configuration too, so that it is built as beside the program.
        for (const QString& folder : {QStringLiteral("/Picture/WarningDialog/"), QStringLiteral("/usersetting/")}) {
            QDir().mkpath(bin + folder);
            const QDir shipped(QCoreApplication::applicationDirPath() + folder);
            for (const QString& name : shipped.entryList(QDir::Files))
                QFile::copy(shipped.filePath(name), bin + folder + name);
        }
        for (auto it = languageFiles.constBegin(); it != languageFiles.constEnd(); ++it)
            WriteFile(bin + QStringLiteral("/Language/") + it.key(), it.value());
        const QString home = root.path() + QStringLiteral("/home");
        const QString userFile = home + QStringLiteral("/AppData/Local/Nevrix Kazmo/Macro.ini");
        WriteFile(userFile, language.isNull() ? QByteArray() : "[Language]\nLanguage=" + language.toUtf8() + "\n");
        if (prepare)
            prepare(bin);

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(program, QStringList());
        if (!child.waitForFinished(60000) || child.exitCode() != 0)
            return {};
        const QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
        return QJsonDocument::fromJson(lines.last()).object();
    }

private slots:
    // Index 0..5 picks that language's file; any other index, negative ones
    // included, the default English file; a missing or non-numeric value is 0.
    void languageIndexPicksTheFile_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("file");
        for (int i = 0; i < 6; ++i)
            QTest::addRow("index %d", i) << QString::number(i) << LanguageFiles().at(i);
        for (const char* outside : {"6", "99", "-1"})
            QTest::addRow("index %s", outside) << QString::fromLatin1(outside) << QStringLiteral("0-English.xml");
        QTest::newRow("no value") << QString() << QStringLiteral("en.json");
        QTest::newRow("not a number") << QStringLiteral("abc") << QStringLiteral("en.json");
    }

    void languageIndexPicksTheFile()
    {
        QFETCH(QString, language);
        QFETCH(QString, file);
        QMap<QString, QByteArray> files;
        for (const QString& name : LanguageFiles())
            files.insert(name, OnRunFile(QStringLiteral("running, from ") + name));
        const QJsonObject shown = RunNotice(files, language);
        QCOMPARE(shown.value(QStringLiteral("label")).toString(), QStringLiteral("running, from ") + file);
    }

    // Where the walk takes its texts from, and what it leaves alone.
    void fileWalk_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("stop");
        const QString formLabel = QStringLiteral("Confirm Delete");
        const QString formOk = QStringLiteral("确定");
        QTest::newRow("all four texts")
            << Json("{'mouse': {'common': {'OK': 'Fine'}, 'home': {'OnRun': 'Running'},"
                    " 'macro': {'DialogSelectMacroFirst': 'Pick one', 'DialogStopRecordFirst': 'Stop it'}}}")
            << "Running" << "Fine" << "Pick one" << "Stop it";
        QTest::newRow("keyboard texts ignored")
            << Json("{'keyboard': {'home': {'OnRun': 'Keyboard'}}, 'mouse': {'common': {'OK': 'Fine'}}}")
            << formLabel << "Fine" << "" << "";
        QTest::newRow("empty text leaves the form's") << Json("{'mouse': {'home': {'OnRun': ''}}}")
                                                      << formLabel << formOk << "" << "";
        QTest::newRow("macro key in the wrong section")
            << Json("{'mouse': {'home': {'DialogStopRecordFirst': 'Stop it', 'OnRun': 'Running'}}}")
            << "Running" << formOk << "" << "";
        QTest::newRow("array document") << Json("[{'mouse': {'home': {'OnRun': 'Running'}}}]")
                                        << formLabel << formOk << "" << "";
        QTest::newRow("XML document") << QByteArray("<?xml version=\"1.0\"?><mouse><home OnRun=\"Running\"/></mouse>")
                                      << formLabel << formOk << "" << "";
        QTest::newRow("text that is not a string") << Json("{'mouse': {'home': {'OnRun': 5}}}")
                                                   << formLabel << formOk << "" << "";
    }

    void fileWalk()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, label);
        QFETCH(QString, ok);
        QFETCH(QString, select);
        QFETCH(QString, stop);
        const QJsonObject shown = RunNotice({{QStringLiteral("en.json"), content}}, QStringLiteral("0"));
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.value(QStringLiteral("label")).toString(), label);
        QCOMPARE(shown.value(QStringLiteral("ok")).toString(), ok);
        QCOMPARE(shown.value(QStringLiteral("select")).toString(), select);
        QCOMPARE(shown.value(QStringLiteral("stop")).toString(), stop);
    }

    void missingFileLeavesTheFormTexts()
    {
        const QJsonObject shown = RunNotice({}, QStringLiteral("3"));
        QCOMPARE(shown.value(QStringLiteral("label")).toString(), QStringLiteral("Confirm Delete"));
        QCOMPARE(shown.value(QStringLiteral("ok")).toString(), QStringLiteral("确定"));
    }

    // A FIFO no one writes to, a folder, a looping link, an endless device or
    // a huge file as the language file: the second instance must not wait
    // on it or read it, and shows the form's own texts.
    void aLanguageFileThatIsNoFileLeavesTheFormTexts_data()
    {
        QTest::addColumn<BadFileKind>("kind");
        for (BadFileKind kind : AllBadFileKinds())
            QTest::newRow(BadFileKindName(kind)) << kind;
    }

    void aLanguageFileThatIsNoFileLeavesTheFormTexts()
    {
        QFETCH(BadFileKind, kind);
        std::unique_ptr<BadFile> bad;
        const QJsonObject shown = RunNotice({}, QStringLiteral("3"), [&](const QString& bin) {
            // No watchdog: a child stuck on the FIFO never finishes.
            bad.reset(new BadFile(kind, bin + QStringLiteral("/Language/3-Korea.xml"),
                                  LanguageLoader::kMaxLanguageFileBytes, false));
        });
        QVERIFY(bad && bad->Placed());
        QCOMPARE(shown.value(QStringLiteral("label")).toString(), QStringLiteral("Confirm Delete"));
        QCOMPARE(shown.value(QStringLiteral("ok")).toString(), QStringLiteral("确定"));
    }

    // Every file the notice can pick ships beside the program with all four texts.
    void shippedFilesHoldTheTexts_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& file : LanguageFiles())
            QTest::newRow(qPrintable(file)) << file;
    }

    void shippedFilesHoldTheTexts()
    {
        QFETCH(QString, file);
        QFile source(QCoreApplication::applicationDirPath() + QStringLiteral("/Language/") + file);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QJsonObject mouse = QJsonDocument::fromJson(source.readAll()).object().value(QStringLiteral("mouse")).toObject();
        for (const auto& path : {QStringList{"common", "OK"}, QStringList{"home", "OnRun"},
                                 QStringList{"macro", "DialogSelectMacroFirst"}, QStringList{"macro", "DialogStopRecordFirst"}}) {
            QVERIFY2(!mouse.value(path.at(0)).toObject().value(path.at(1)).toString().isEmpty(),
                     qPrintable(path.join(QLatin1Char('.'))));
        }
    }

    // In this program's own folder: an index outside 0..5 shows the default file's text.
    void shippedDefaultFileServesUnknownIndex()
    {
        UserSettings::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("99"));
        ExeIsRun notice;
        QCOMPARE(LabelOf(&notice)->text(), QStringLiteral("Nevrix Kazmo is already running"));
        QCOMPARE(ButtonOf(&notice, "NewHong")->text(), QStringLiteral("OK"));
        notice.SetSelectMacroFirstText();
        QCOMPARE(LabelOf(&notice)->text(), QStringLiteral("Select a macro first"));
        notice.SetStopRecordFirstText();
        QCOMPARE(LabelOf(&notice)->text(), QStringLiteral("Stop the recording first"));
    }

    void eitherButtonEndsTheModalRun_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << "NewHong";
        QTest::newRow("close") << "CloseButton";
    }

    void eitherButtonEndsTheModalRun()
    {
        QFETCH(QString, button);
        ExeIsRun notice;
        QToolButton* target = notice.findChild<QToolButton*>(button);
        QVERIFY(NoticeTest::ExecAndAnswer(&notice, [&] { QTest::mouseClick(target, Qt::LeftButton); }));
        QVERIFY(!notice.isVisible());
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kChildVariable))
        return PrintNotice();
    TestExeIsRun test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_exeisrun.moc"
