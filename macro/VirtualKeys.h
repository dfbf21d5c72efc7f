#pragma once

// The macro editor compares the keyboard layer's virtual-key codes; one
// definition serves both.
#include "platform/VirtualKeys.h"
