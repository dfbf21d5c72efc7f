#include "macro/MacroRecording.h"

bool macroRecording = false;
