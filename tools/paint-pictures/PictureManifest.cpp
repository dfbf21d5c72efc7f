#include "PictureManifest.h"

#include "ShapeGlyphs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>
#include <QSettings>

#include <memory>

namespace {

const QStringList kKinds = {"frame", "button", "icon", "checkbox", "spectrum"};
const QStringList kShapes = {"rect", "round", "circle", "none"};
const QStringList kGlyphs = QStringList{"close", "check", "plus", "minus"} + ShapeGlyphs::Names();
const QSet<QString> kFields = {
    "path", "also", "size", "kind", "shape", "radius", "fill", "border", "borderWidth", "header",
    "glyph", "glyphColor", "glyphFill", "glyphScale", "stroke", "text", "textColor", "textPixels", "note",
};

bool ParseComponents(const QStringList& items, QColor* colour)
{
    if (items.size() != 3 && items.size() != 4)
        return false;
    int values[4] = {0, 0, 0, 255};
    for (int i = 0; i < items.size(); ++i) {
        bool ok = false;
        values[i] = items.at(i).trimmed().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255)
            return false;
    }
    *colour = QColor(values[0], values[1], values[2], values[3]);
    return true;
}

// A path below the Picture folder that cannot leave it.
bool SafeRelativePath(const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path) || path.contains('\\'))
        return false;
    const QStringList parts = path.split('/');
    for (const QString& part : parts) {
        if (part.isEmpty() || part == "." || part == "..")
            return false;
    }
    return path.endsWith(".png", Qt::CaseInsensitive);
}

} // namespace

bool PictureManifest::Load(const QString& manifestPath, const QString& configFile)
{
    configPath = configFile;
    QFile file(manifestPath);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << QString("%1: cannot be read").arg(manifestPath);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        errors << QString("%1: not a JSON object (%2)").arg(manifestPath, parseError.errorString());
        return false;
    }
    std::unique_ptr<QSettings> settings;
    if (QFileInfo::exists(configPath)) {
        settings.reset(new QSettings(configPath, QSettings::IniFormat));
        config = settings.get();
    }
    palette = document.object().value("colors").toObject();
    const QJsonArray list = document.object().value("pictures").toArray();
    if (list.isEmpty())
        errors << QString("%1: no \"pictures\" listed").arg(manifestPath);
    for (int i = 0; i < list.size(); ++i)
        ReadPicture(list.at(i).toObject(), i);

    QSet<QString> names;
    for (const PictureEntry& picture : pictures) {
        for (const QString& name : QStringList(picture.path) + picture.also) {
            if (names.contains(name))
                errors << QString("%1: listed twice").arg(name);
            names.insert(name);
        }
    }
    config = nullptr;
    return errors.isEmpty();
}

bool PictureManifest::ResolvePaletteEntry(const QString& name, QColor* colour, QString* problem, int depth)
{
    if (resolved.contains(name)) {
        *colour = resolved.value(name);
        return true;
    }
    const QJsonValue entry = palette.value(name);
    QColor result;
    if (entry.isString()) {
        if (!ResolveColour(entry.toString(), &result, problem, depth + 1))
            return false;
    } else if (entry.isObject()) {
        const QJsonObject object = entry.toObject();
        if (!ResolveColour(object.value("from").toString(), &result, problem, depth + 1))
            return false;
        if (object.contains("darker"))
            result = result.darker(object.value("darker").toInt(100));
        if (object.contains("lighter"))
            result = result.lighter(object.value("lighter").toInt(100));
        if (object.contains("alpha"))
            result.setAlpha(qBound(0, object.value("alpha").toInt(255), 255));
    } else {
        *problem = QString("palette colour \"%1\" is neither text nor object").arg(name);
        return false;
    }
    resolved.insert(name, result);
    *colour = result;
    return true;
}

bool PictureManifest::ResolveColour(const QString& text, QColor* colour, QString* problem, int depth)
{
    if (depth > 8) {
        *problem = QString("colour \"%1\" refers to itself").arg(text);
        return false;
    }
    if (text.startsWith('#')) {
        const QColor named(text);
        if (!named.isValid()) {
            *problem = QString("colour \"%1\" is not a valid #rrggbb").arg(text);
            return false;
        }
        *colour = named;
        return true;
    }
    if (text.contains(',')) {
        if (!ParseComponents(text.split(','), colour)) {
            *problem = QString("colour \"%1\" needs three or four numbers from 0 to 255").arg(text);
            return false;
        }
        return true;
    }
    if (text.contains('/')) {
        if (!config) {
            *problem = QString("colour \"%1\" needs the configuration file %2").arg(text, configPath);
            return false;
        }
        const QVariant value = config->value(text);
        QStringList items = value.toStringList();
        if (items.size() > 3)
            items = items.mid(0, 3);
        if (!ParseComponents(items, colour)) {
            *problem = QString("configuration key \"%1\" is not an r,g,b colour").arg(text);
            return false;
        }
        return true;
    }
    if (palette.contains(text))
        return ResolvePaletteEntry(text, colour, problem, depth);
    *problem = QString("unknown colour \"%1\"").arg(text);
    return false;
}

QColor PictureManifest::OptionalColour(const QJsonObject& object, const QString& field, const QString& where, bool* ok)
{
    if (!object.contains(field))
        return QColor();
    QColor colour;
    QString problem;
    if (!ResolveColour(object.value(field).toString(), &colour, &problem)) {
        errors << QString("%1: %2: %3").arg(where, field, problem);
        *ok = false;
    }
    return colour;
}

void PictureManifest::ReadPicture(const QJsonObject& object, int position)
{
    PictureEntry picture;
    picture.path = object.value("path").toString();
    const QString where = picture.path.isEmpty() ? QString("picture %1").arg(position + 1) : picture.path;
    bool ok = true;
    auto fail = [&](const QString& problem) {
        errors << QString("%1: %2").arg(where, problem);
        ok = false;
    };

    for (const QString& field : object.keys()) {
        if (!kFields.contains(field))
            fail(QString("unknown field \"%1\"").arg(field));
    }
    if (!SafeRelativePath(picture.path))
        fail("\"path\" must be a relative .png path inside the Picture folder");
    for (const QJsonValue& name : object.value("also").toArray()) {
        if (!SafeRelativePath(name.toString()))
            fail(QString("\"also\" name \"%1\" must be a relative .png path").arg(name.toString()));
        picture.also << name.toString();
    }
    const QJsonArray size = object.value("size").toArray();
    picture.size = QSize(size.at(0).toInt(), size.at(1).toInt());
    if (size.size() != 2 || picture.size.width() < 1 || picture.size.height() < 1
        || picture.size.width() > 4096 || picture.size.height() > 4096)
        fail("\"size\" must be [width, height] from 1 to 4096");

    picture.kind = object.value("kind").toString();
    if (!kKinds.contains(picture.kind))
        fail(QString("\"kind\" must be one of %1").arg(kKinds.join(", ")));
    const QString defaultShape = picture.kind == "icon" ? "none" : picture.kind == "checkbox" ? "rect" : "round";
    picture.shape = object.value("shape").toString(defaultShape);
    if (!kShapes.contains(picture.shape))
        fail(QString("\"shape\" must be one of %1").arg(kShapes.join(", ")));
    const double defaultRadius = picture.kind == "frame" ? 8 : picture.kind == "button" ? 4 : 2;
    picture.radius = object.value("radius").toDouble(defaultRadius);
    picture.borderWidth = object.value("borderWidth").toDouble(1);
    picture.fill = OptionalColour(object, "fill", where, &ok);
    picture.border = OptionalColour(object, "border", where, &ok);
    if (object.contains("header")) {
        const QJsonObject header = object.value("header").toObject();
        picture.headerHeight = header.value("height").toInt();
        picture.headerFill = OptionalColour(header, "fill", where + ": header", &ok);
        if (picture.headerHeight < 1 || !picture.headerFill.isValid())
            fail("\"header\" needs a \"height\" and a \"fill\"");
    }
    picture.glyph = object.value("glyph").toString();
    if (!picture.glyph.isEmpty() && !kGlyphs.contains(picture.glyph))
        fail(QString("\"glyph\" must be one of %1").arg(kGlyphs.join(", ")));
    picture.glyphColor = OptionalColour(object, "glyphColor", where, &ok);
    picture.glyphFill = OptionalColour(object, "glyphFill", where, &ok);
    if (!picture.glyph.isEmpty() && !picture.glyphColor.isValid())
        fail("a \"glyph\" needs a \"glyphColor\"");
    picture.glyphScale = object.value("glyphScale").toDouble(0.5);
    picture.stroke = object.value("stroke").toDouble(0);
    picture.text = object.value("text").toString();
    picture.textColor = OptionalColour(object, "textColor", where, &ok);
    if (!picture.text.isEmpty() && !picture.textColor.isValid())
        fail("a \"text\" needs a \"textColor\"");
    picture.textPixels = object.value("textPixels").toInt(0);

    if (ok)
        pictures.append(picture);
}
