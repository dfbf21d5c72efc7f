// The pictures beside the program: every picture of the manifest is painted
// with its size, and the painter turns a manifest into pictures or refuses a
// broken one without writing anything.

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

// Fixtures are written with single quotes to stay readable inside C++ strings.
QByteArray Json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

QJsonArray ManifestPictures()
{
    QFile file(QStringLiteral(NK_PICTURE_MANIFEST));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("pictures")).toArray();
}

bool WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool HasVisiblePixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() > 0)
                return true;
        }
    }
    return false;
}

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

ToolRun RunTool(const QString& manifest, const QString& config, const QString& output)
{
    QProcess tool;
    tool.start(QStringLiteral(NK_PAINT_TOOL), {manifest, config, output});
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.errors = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

} // namespace

class TestPaintPictures : public QObject {
    Q_OBJECT

private:
    QTemporaryDir scratch;

    QString Fixture(const QByteArray& manifest)
    {
        static int count = 0;
        const QString folder = scratch.path() + QStringLiteral("/case%1").arg(++count);
        WriteFile(folder + QStringLiteral("/pictures.json"), manifest);
        WriteFile(folder + QStringLiteral("/Config.ini"), "[Option]\nAccent=10,20,30\nShort=1,2\n");
        return folder;
    }

private slots:
    void everyManifestPictureIsBesideTheProgram_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        const QJsonArray pictures = ManifestPictures();
        QVERIFY(!pictures.isEmpty());
        for (const QJsonValue& value : pictures) {
            const QJsonObject picture = value.toObject();
            const QJsonArray size = picture.value(QStringLiteral("size")).toArray();
            const QSize expected(size.at(0).toInt(), size.at(1).toInt());
            QStringList names{picture.value(QStringLiteral("path")).toString()};
            for (const QJsonValue& also : picture.value(QStringLiteral("also")).toArray())
                names << also.toString();
            for (const QString& name : names)
                QTest::newRow(qPrintable(name)) << name << expected;
        }
    }

    void everyManifestPictureIsBesideTheProgram()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QImage image(QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/") + path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), size);
        QVERIFY(HasVisiblePixels(image));
    }

    // The offline notice spells the OK pictures "ConFirm"; both spellings are one picture.
    void bothSpellingsOfTheOkPicture()
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/WarningDialog/");
        for (const char* name : {"Confirm", "ConfirmClick"}) {
            const QString plain = folder + QString::fromLatin1(name) + QStringLiteral(".png");
            const QString other = folder + QString::fromLatin1(name).replace(QStringLiteral("Confirm"), QStringLiteral("ConFirm"))
                + QStringLiteral(".png");
            QVERIFY(QFileInfo(other).isFile());
            QCOMPARE(ReadFile(plain), ReadFile(other));
        }
    }

    void paintsAManifest()
    {
        const QString folder = Fixture(Json(
            "{'colors': {'accent': 'Option/Accent', 'dark': {'from': 'accent', 'darker': 200}},"
            " 'pictures': ["
            "  {'path': 'Page/Panel.png', 'also': ['Page/panel.png'], 'size': [40, 20], 'kind': 'frame',"
            "   'shape': 'rect', 'fill': 'accent'},"
            "  {'path': 'Page/Dark.png', 'size': [8, 8], 'kind': 'button', 'shape': 'rect', 'fill': 'dark'},"
            "  {'path': 'Page/Close.png', 'size': [20, 20], 'kind': 'icon', 'glyph': 'close', 'glyphColor': '#ff0000'},"
            "  {'path': 'Page/Label.png', 'size': [60, 20], 'kind': 'button', 'fill': '0,0,0',"
            "   'text': 'Go', 'textColor': '255,255,255'}"
            "]}"));
        const QString output = folder + QStringLiteral("/out");
        const ToolRun run = RunTool(folder + QStringLiteral("/pictures.json"), folder + QStringLiteral("/Config.ini"), output);
        QCOMPARE(run.exitCode, 0);

        const QImage panel(output + QStringLiteral("/Page/Panel.png"));
        QCOMPARE(panel.size(), QSize(40, 20));
        QCOMPARE(panel.pixelColor(20, 10), QColor(10, 20, 30));
        QCOMPARE(ReadFile(output + QStringLiteral("/Page/panel.png")), ReadFile(output + QStringLiteral("/Page/Panel.png")));
        QCOMPARE(QImage(output + QStringLiteral("/Page/Dark.png")).pixelColor(4, 4), QColor(10, 20, 30).darker(200));
        // Opaque pictures are stored without alpha (loaded without converting
        // every pixel); transparent ones keep it.
        QVERIFY(!QImage(output + QStringLiteral("/Page/Dark.png")).hasAlphaChannel());
        const QImage close(output + QStringLiteral("/Page/Close.png"));
        QVERIFY(close.hasAlphaChannel());
        QCOMPARE(close.pixelColor(10, 10), QColor(255, 0, 0));
        QCOMPARE(close.pixelColor(10, 1).alpha(), 0);
        QVERIFY(QImage(output + QStringLiteral("/Page/Label.png")).pixelColor(0, 0) != QColor(255, 255, 255));

        // A second run with nothing changed leaves the files as they are.
        const QDateTime written = QFileInfo(output + QStringLiteral("/Page/Panel.png")).lastModified();
        QThread::msleep(1100);
        QCOMPARE(RunTool(folder + QStringLiteral("/pictures.json"), folder + QStringLiteral("/Config.ini"), output).exitCode, 0);
        QCOMPARE(QFileInfo(output + QStringLiteral("/Page/Panel.png")).lastModified(), written);
    }

    // A device silhouette: its outline in the glyph colour, its inside in the
    // glyph fill, nothing outside it.
    void paintsThePictorialGlyphs()
    {
        const QString folder = Fixture(Json(
            "{'pictures': ["
            "  {'path': 'Tile/Mouse.png', 'size': [100, 120], 'kind': 'icon', 'glyph': 'mouse',"
            "   'glyphColor': '255,0,0', 'glyphFill': '0,0,255', 'glyphScale': 0.8, 'stroke': 3},"
            "  {'path': 'Tile/Battery.png', 'size': [43, 20], 'kind': 'icon', 'glyph': 'battery', 'glyphColor': '0,255,0'}"
            "]}"));
        const QString output = folder + QStringLiteral("/out");
        const ToolRun run = RunTool(folder + QStringLiteral("/pictures.json"), folder + QStringLiteral("/Config.ini"), output);
        QCOMPARE(run.exitCode, 0);
        const QImage mouse(output + QStringLiteral("/Tile/Mouse.png"));
        QCOMPARE(mouse.pixelColor(50, 90), QColor(0, 0, 255));
        QCOMPARE(mouse.pixelColor(2, 2).alpha(), 0);
        bool outlined = false;
        for (int x = 0; x < 50 && !outlined; ++x)
            outlined = mouse.pixelColor(x, 90) == QColor(255, 0, 0);
        QVERIFY(outlined);
        // The battery's body fills the picture but for the terminal on the right.
        const QImage battery(output + QStringLiteral("/Tile/Battery.png"));
        QCOMPARE(battery.pixelColor(0, 10), QColor(0, 255, 0));
        QCOMPARE(battery.pixelColor(42, 10), QColor(0, 255, 0));
        QCOMPARE(battery.pixelColor(20, 10).alpha(), 0);
    }

    // A colour board: the hues from left to right in the middle row, paler
    // at the top, darker at the bottom.
    void paintsASpectrum()
    {
        const QString folder = Fixture(Json(
            "{'pictures': ["
            "  {'path': 'Light/Board.png', 'size': [300, 40], 'kind': 'spectrum', 'shape': 'rect'}"
            "]}"));
        const QString output = folder + QStringLiteral("/out");
        QCOMPARE(RunTool(folder + QStringLiteral("/pictures.json"), folder + QStringLiteral("/Config.ini"), output).exitCode, 0);
        const QImage board(output + QStringLiteral("/Light/Board.png"));
        QCOMPARE(board.size(), QSize(300, 40));
        const QColor red = board.pixelColor(1, 20);
        const QColor green = board.pixelColor(100, 20);
        const QColor blue = board.pixelColor(200, 20);
        QVERIFY(red.red() > 200 && red.green() < 60 && red.blue() < 60);
        QVERIFY(green.green() > 200 && green.red() < 60 && green.blue() < 60);
        QVERIFY(blue.blue() > 200 && blue.red() < 60 && blue.green() < 60);
        QVERIFY(board.pixelColor(100, 1).red() > 150);
        QVERIFY(board.pixelColor(100, 38).green() < 120);
        QCOMPARE(board.pixelColor(150, 20).alpha(), 255);
    }

    void refusesABrokenManifest_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown kind") << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'blob'}") << "kind";
        QTest::newRow("unknown colour") << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'frame', 'fill': 'nowhere'}")
                                        << "nowhere";
        QTest::newRow("short configuration colour")
            << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'frame', 'fill': 'Option/Short'}") << "Option/Short";
        QTest::newRow("missing configuration key")
            << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'frame', 'fill': 'Option/None'}") << "Option/None";
        QTest::newRow("leaves the folder") << Json("{'path': '../a.png', 'size': [4, 4], 'kind': 'frame'}") << "path";
        QTest::newRow("absolute path") << Json("{'path': '/tmp/a.png', 'size': [4, 4], 'kind': 'frame'}") << "path";
        QTest::newRow("no size") << Json("{'path': 'A/a.png', 'kind': 'frame'}") << "size";
        QTest::newRow("misspelt field") << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'frame', 'fil': '1,2,3'}")
                                        << "fil";
        QTest::newRow("unknown glyph") << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'icon', 'glyph': 'toaster', 'glyphColor': '1,2,3'}")
                                       << "glyph";
        QTest::newRow("glyph without colour") << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'icon', 'glyph': 'close'}")
                                              << "glyphColor";
        QTest::newRow("listed twice")
            << Json("{'path': 'A/a.png', 'size': [4, 4], 'kind': 'frame'},"
                    " {'path': 'A/b.png', 'also': ['A/a.png'], 'size': [4, 4], 'kind': 'frame'}")
            << "twice";
    }

    void refusesABrokenManifest()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QString, problem);
        const QString folder = Fixture(Json("{'pictures': [{'path': 'Good/g.png', 'size': [4, 4], 'kind': 'frame'}, ") + picture + "]}");
        const QString output = folder + QStringLiteral("/out");
        const ToolRun run = RunTool(folder + QStringLiteral("/pictures.json"), folder + QStringLiteral("/Config.ini"), output);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(problem), qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(output));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/a.png")));
    }
};

QTEST_GUILESS_MAIN(TestPaintPictures)
#include "tst_paintpictures.moc"
