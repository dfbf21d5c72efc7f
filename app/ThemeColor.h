#pragma once

#include <QString>

class ConfigSettings;

// The theme colours of the configuration file's "Option" group as style-sheet
// colour text. Every form that colours a widget from Config.ini goes through
// here, so a short or damaged colour key never breaks a style sheet.
class ThemeColor {
public:
    // "rgb(r,g,b)" from the first three items of Option/<key>; further items
    // are ignored. A key with fewer than three items, or with an item that is
    // not a whole number from 0 to 255, gives white.
    static QString Rgb(const QString& key);
    static QString Rgb(ConfigSettings* settings, const QString& key);
    // The same three numbers without "rgb()": "r,g,b", for forms that write
    // rgb() around them themselves.
    static QString Components(const QString& key);
    static QString Components(ConfigSettings* settings, const QString& key);

    // Option/<key> as "rgb(r,g,b)" made darker or lighter by a QColor factor
    // (darker(160) divides the brightness by 1.6).
    static QString Darker(const QString& key, int factor);
    static QString Lighter(const QString& key, int factor);

    static QString Fallback() { return QStringLiteral("rgb(255,255,255)"); }

    // Tool tips in the theme: Option/LabelColor text on the
    // Option/ComboxBackGroundColor panel, edged in Option/ComboxSelectColor,
    // and no picture (a QLabel rule of the widget would otherwise lend the
    // tip its background picture).
    static QString ToolTipStyle();
    // Scroll bars in the theme: a thin Option/ComboxBackGroundColor track
    // with a lighter handle, Option/ComboxSelectColor while pointed at or
    // dragged, and no arrow buttons. A page's own scroll bar rules outweigh
    // these.
    static QString ScrollBarStyle();
    // Popup menus in the theme: Option/LabelColor text on the
    // Option/ComboxBackGroundColor panel, the row under the pointer in a deep
    // Option/ComboxSelectColor.
    static QString MenuStyle();
};
