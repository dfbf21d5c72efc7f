#pragma once

// The whole program, as main runs it: the start-up steps, the single
// instance, the top-level window and the event loop. Kept in the library so
// that the benchmark runs exactly the same start.
int RunProgram(int argc, char* argv[]);
