#pragma once

// True while a macro recording runs: the macro page's editing functions then
// only ask the user to stop the recording first, and the top-level window
// ignores every key. GUI thread only.
extern bool macroRecording;
