#pragma once

// The fourteen preset colours of the light editors, A to N: each editor's
// preset buttons are named after the letter and show "Color<letter>.png".
struct LightColorPreset {
    char letter;
    int red;
    int green;
    int blue;
};

constexpr int kLightColorPresetCount = 14;
extern const LightColorPreset kLightColorPresets[kLightColorPresetCount];
