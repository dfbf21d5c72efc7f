// Paints the program's pictures from a manifest into the Picture folder
// beside the program. Usage:
//   nk_paint_pictures <manifest.json> <Config.ini> <output Picture folder>
// A file is rewritten only when its content changes.

#include "PictureManifest.h"
#include "PicturePainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

bool WriteIfChanged(const QString& path, const QByteArray& bytes, QString* problem)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *problem = "cannot create its folder";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *problem = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Text glyphs need the font database, which needs a GUI application.
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        err << "usage: nk_paint_pictures <manifest.json> <Config.ini> <output Picture folder>\n";
        return 2;
    }
    PictureManifest manifest;
    if (!manifest.Load(args.at(1), args.at(2))) {
        for (const QString& error : manifest.Errors())
            err << args.at(1) << ": " << error << "\n";
        return 1;
    }
    const QString output = args.at(3);
    int failures = 0;
    for (const PictureEntry& picture : manifest.Pictures()) {
        const QByteArray png = PicturePainter::EncodePng(PicturePainter::Paint(picture));
        for (const QString& name : QStringList(picture.path) + picture.also) {
            QString problem;
            if (!WriteIfChanged(output + '/' + name, png, &problem)) {
                err << output << '/' << name << ": " << problem << "\n";
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
