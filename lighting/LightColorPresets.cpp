#include "lighting/LightColorPresets.h"

const QVector<LightColorPreset>& LightColorPresets()
{
    static const QVector<LightColorPreset> presets = [] {
        const struct {
            char letter;
            int x, y;
            int red, green, blue;
        } table[] = {
            {'A', 416, 305, 255, 0, 0},     {'B', 461, 305, 0, 255, 255},   {'C', 506, 305, 0, 255, 0},
            {'D', 551, 305, 255, 0, 255},   {'E', 596, 305, 255, 255, 0},   {'F', 641, 305, 255, 80, 0},
            {'G', 686, 305, 0, 0, 255},     {'H', 416, 355, 227, 0, 127},   {'I', 461, 355, 46, 166, 223},
            {'J', 506, 355, 96, 25, 133},   {'K', 551, 355, 255, 255, 255}, {'L', 596, 355, 139, 178, 36},
            {'M', 641, 355, 255, 155, 51},  {'N', 686, 355, 208, 113, 173},
        };
        QVector<LightColorPreset> list;
        for (const auto& row : table) {
            const QString letter = QString(QLatin1Char(row.letter));
            list.append({QStringLiteral("toolButtonColor") + letter, QStringLiteral("Color") + letter + QStringLiteral(".png"),
                         QPoint(row.x, row.y), QColor(row.red, row.green, row.blue)});
        }
        return list;
    }();
    return presets;
}
