#include "lighting/LightingState.h"

#include <cstring>

namespace {
unsigned char ledBarStorage[7];
unsigned char indicatorLedStorage[3];
}

unsigned char* receiverLedBar = nullptr;
unsigned char* receiverIndicatorLeds = nullptr;

int lastMouseLightMode = 0;
int lastReceiverBarMode = 0;
int lastReceiverBarBrightness = 0;
int lastReceiverBarSpeed = 0;
int lastIndicatorLedFunctions[3] = {0, 0, 0};

void CreateReceiverLightBuffers()
{
    std::memset(ledBarStorage, 0, sizeof(ledBarStorage));
    std::memset(indicatorLedStorage, 0, sizeof(indicatorLedStorage));
    receiverLedBar = ledBarStorage;
    receiverIndicatorLeds = indicatorLedStorage;
}
