#include "app/ThemeColor.h"

#include "app/ConfigSettings.h"

#include <QColor>
#include <QStringList>

QString ThemeColor::Rgb(const QString& key)
{
    return Rgb(ConfigSettings::Instance(), key);
}

QString ThemeColor::Rgb(ConfigSettings* settings, const QString& key)
{
    return QStringLiteral("rgb(") + Components(settings, key) + QLatin1Char(')');
}

QString ThemeColor::Components(const QString& key)
{
    return Components(ConfigSettings::Instance(), key);
}

QString ThemeColor::Components(ConfigSettings* settings, const QString& key)
{
    const QString white = QStringLiteral("255,255,255");
    if (!settings)
        return white;
    const QStringList items = settings->ListValue(QStringLiteral("Option"), key);
    if (items.size() < 3)
        return white;
    QStringList parts;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int component = items.at(i).trimmed().toInt(&ok);
        if (!ok || component < 0 || component > 255)
            return white;
        parts.append(QString::number(component));
    }
    return parts.join(QLatin1Char(','));
}

namespace {

QColor ColorOf(const QString& key)
{
    const QStringList items = ThemeColor::Components(key).split(QLatin1Char(','));
    return QColor(items.at(0).toInt(), items.at(1).toInt(), items.at(2).toInt());
}

QString RgbOf(const QColor& color)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace

QString ThemeColor::Darker(const QString& key, int factor)
{
    return RgbOf(ColorOf(key).darker(factor));
}

QString ThemeColor::Lighter(const QString& key, int factor)
{
    return RgbOf(ColorOf(key).lighter(factor));
}

QString ThemeColor::ToolTipStyle()
{
    return QStringLiteral("QToolTip{color: ") + Rgb(QStringLiteral("LabelColor"))
        + QStringLiteral("; background-color: ") + Rgb(QStringLiteral("ComboxBackGroundColor"))
        + QStringLiteral("; border: 1px solid ") + Rgb(QStringLiteral("ComboxSelectColor"))
        + QStringLiteral("; background-image: none; padding: 2px;}");
}

QString ThemeColor::ScrollBarStyle()
{
    const QString track = Rgb(QStringLiteral("ComboxBackGroundColor"));
    const QString handle = Lighter(QStringLiteral("ComboxBackGroundColor"), 250);
    const QString active = Rgb(QStringLiteral("ComboxSelectColor"));
    return QStringLiteral("QScrollBar:vertical{width: 10px; background: ") + track
        + QStringLiteral("; border: 0px; margin: 0px;}QScrollBar:horizontal{height: 10px; background: ") + track
        + QStringLiteral("; border: 0px; margin: 0px;}QScrollBar::handle:vertical{background: ") + handle
        + QStringLiteral("; border-radius: 3px; min-height: 30px; margin: 0px 2px;}"
                         "QScrollBar::handle:horizontal{background: ")
        + handle
        + QStringLiteral("; border-radius: 3px; min-width: 30px; margin: 2px 0px;}"
                         "QScrollBar::handle:hover,QScrollBar::handle:pressed{background: ")
        + active
        + QStringLiteral(";}QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height: 0px; border: 0px; "
                         "background: transparent;}QScrollBar::add-line:horizontal,QScrollBar::sub-line:horizontal"
                         "{width: 0px; border: 0px; background: transparent;}"
                         "QScrollBar::add-page,QScrollBar::sub-page{background: transparent;}");
}

QString ThemeColor::MenuStyle()
{
    const QString text = Rgb(QStringLiteral("LabelColor"));
    return QStringLiteral("QMenu{color: ") + text + QStringLiteral("; background-color: ")
        + Rgb(QStringLiteral("ComboxBackGroundColor")) + QStringLiteral("; border: 1px solid ")
        + Lighter(QStringLiteral("ComboxBackGroundColor"), 170)
        + QStringLiteral("; padding: 4px 0px;}QMenu::item{padding: 4px 24px; background: transparent; color: ") + text
        + QStringLiteral(";}QMenu::item:selected{background-color: ")
        + Darker(QStringLiteral("ComboxSelectColor"), 135) + QStringLiteral("; color: ") + text
        + QStringLiteral(";}QMenu::item:disabled{color: ") + Darker(QStringLiteral("LabelColor"), 160)
        + QStringLiteral(";}QMenu::separator{height: 1px; margin: 4px 8px; background: ")
        + Lighter(QStringLiteral("ComboxBackGroundColor"), 170) + QStringLiteral(";}");
}
