#include "lighting/LightColorPresets.h"

const LightColorPreset kLightColorPresets[kLightColorPresetCount] = {
    {'A', 255, 0, 0},    {'B', 0, 255, 255},   {'C', 0, 255, 0},     {'D', 255, 0, 255}, {'E', 255, 255, 0},
    {'F', 255, 80, 0},   {'G', 0, 0, 255},     {'H', 227, 0, 127},   {'I', 46, 166, 223}, {'J', 96, 25, 133},
    {'K', 255, 255, 255}, {'L', 139, 178, 36}, {'M', 255, 155, 51},  {'N', 208, 113, 173},
};

const QVector<LightColorPresetButton>& LightColorPresets()
{
    static const QVector<LightColorPresetButton> presets = [] {
        // Two rows of seven in the light mode dialog.
        QVector<LightColorPresetButton> list;
        for (int i = 0; i < kLightColorPresetCount; ++i) {
            const LightColorPreset& preset = kLightColorPresets[i];
            const QString letter = QString(QLatin1Char(preset.letter));
            const QPoint position(416 + 45 * (i % 7), i < 7 ? 305 : 355);
            list.append({QStringLiteral("toolButtonColor") + letter, QStringLiteral("Color") + letter + QStringLiteral(".png"),
                         position, QColor(preset.red, preset.green, preset.blue)});
        }
        return list;
    }();
    return presets;
}
