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
