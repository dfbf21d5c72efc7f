#pragma once

#include <QString>
#include <functional>

// One measurement inside a measured process, the same for the program and
// the floor; what differs is given by the target.
struct BenchTarget {
    std::function<bool()> chooserReady;    // the first page can be clicked
    std::function<void()> click;           // the tile click
    std::function<int()> pagesFilled;      // pages filled so far (3: done)
    std::function<qint64()> filledAtNs;    // when the third page was filled
    std::function<bool()> settled;         // no dialog left open
    std::function<bool(int)> deviceEvent;  // one device event, handled
    double fixedWaitMs = 0;                // blocking waits the click must make
    // Optional: library calls so far (and clearing them), a setting writer
    // and the library calls it makes.
    std::function<int()> calls;
    std::function<void()> clearCalls;
    std::function<void(int)> writer;
    std::function<void(int)> libraryOnly;
};

namespace BenchChild {
// Modes: start, click, click-idle, calls, idle-chooser, idle-pages, events, writer.
// Sets up the measurement; the caller then runs the event loop.
void Arm(const QString& mode, BenchTarget target);
}
