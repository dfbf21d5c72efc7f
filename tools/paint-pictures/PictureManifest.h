#pragma once

#include <QColor>
#include <QJsonObject>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

class QSettings;

// One picture of the manifest, with every colour already resolved.
struct PictureEntry {
    QString path;              // below the Picture folder, e.g. "WarningDialog/Close.png"
    QStringList also;          // further names that get the same picture
    QSize size;
    QString kind;              // "frame", "button", "icon", "checkbox", "spectrum"
    QString shape;             // "rect", "round", "circle", "none"
    double radius = 0;
    QColor fill;               // invalid: no fill
    QColor border;             // invalid: no border
    double borderWidth = 1;
    int headerHeight = 0;      // a strip across the top, in headerFill
    QColor headerFill;
    QString glyph;             // "close", "check", "plus", "minus" or a ShapeGlyphs name; empty: none
    QColor glyphColor;
    QColor glyphFill;          // inside of a closed glyph; invalid: not filled
    double glyphScale = 0.5;   // glyph box as a share of the picture's shorter side
    double stroke = 0;         // glyph line width; 0: a tenth of the shorter side
    QString text;
    QColor textColor;
    int textPixels = 0;        // 0: half the picture's height
};

// Reads the manifest: a palette of named colours and the list of pictures.
// Colours are written as a palette name, "Group/Key" of the configuration
// file (its first three items), "r,g,b", "r,g,b,a" or "#rrggbb"; a palette
// entry may also be {"from": colour, "darker"|"lighter": percent, "alpha": 0..255}.
class PictureManifest {
public:
    // configPath: the configuration file that "Group/Key" colours come from.
    bool Load(const QString& manifestPath, const QString& configPath);

    const QVector<PictureEntry>& Pictures() const { return pictures; }
    const QStringList& Errors() const { return errors; }

private:
    bool ResolveColour(const QString& text, QColor* colour, QString* problem, int depth = 0);
    bool ResolvePaletteEntry(const QString& name, QColor* colour, QString* problem, int depth);
    void ReadPicture(const QJsonObject& object, int position);
    QColor OptionalColour(const QJsonObject& object, const QString& field, const QString& where, bool* ok);

    QJsonObject palette;
    QMap<QString, QColor> resolved;
    QSettings* config = nullptr;
    QString configPath;
    QVector<PictureEntry> pictures;
    QStringList errors;
};
