#include "settings/UpgradeRunning.h"

bool upgradeRunning = false;
