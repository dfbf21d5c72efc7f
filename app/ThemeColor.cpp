#include "app/ThemeColor.h"

#include "app/ConfigSettings.h"

#include <QStringList>

QString ThemeColor::Rgb(const QString& key)
{
    return Rgb(ConfigSettings::Instance(), key);
}

QString ThemeColor::Rgb(ConfigSettings* settings, const QString& key)
{
    if (!settings)
        return Fallback();
    const QStringList items = settings->ListValue(QStringLiteral("Option"), key);
    if (items.size() < 3)
        return Fallback();
    QStringList parts;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int component = items.at(i).trimmed().toInt(&ok);
        if (!ok || component < 0 || component > 255)
            return Fallback();
        parts.append(QString::number(component));
    }
    return QStringLiteral("rgb(") + parts.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString ThemeColor::ToolTipStyle()
{
    return QStringLiteral("QToolTip{color: ") + Rgb(QStringLiteral("LabelColor"))
        + QStringLiteral("; background-color: ") + Rgb(QStringLiteral("ComboxBackGroundColor"))
        + QStringLiteral("; border: 1px solid ") + Rgb(QStringLiteral("ComboxSelectColor"))
        + QStringLiteral("; background-image: none; padding: 2px;}");
}
