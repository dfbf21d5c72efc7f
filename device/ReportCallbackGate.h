#pragma once

#include <QtGlobal>

#include <functional>

// Keeps the report callback off the program's state once the device server
// is stopped. A restart of the device library's server does not wait for a
// callback still running, its exit waits only so long, and that callback may
// be waiting for the GUI thread in a blocking signal. So the callback holds
// the gate while it works
// and lets go of it around each blocking signal: closing the gate waits only
// for callbacks that are working (never for one that waits for the GUI
// thread), and a callback that comes back from its signal after the gate was
// closed goes no further.
class ReportCallbackGate {
public:
    // Lets the callbacks of a newly started server in.
    static void Open();
    // Shuts the callbacks out and waits until none is working inside. Never
    // waits longer than a second, whatever a callback does.
    static void Close();

    // One callback's hold on the gate, from construction to destruction.
    class Pass {
    public:
        Pass();
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

        // False when the gate was closed: the callback must not go on.
        bool Inside() const { return m_inside; }
        // Runs a blocking signal outside the gate. False (and nothing run)
        // when the gate is closed, or when it was closed while the signal
        // waited: the callback must then return without touching anything.
        bool Emit(const std::function<void()>& raise);

    private:
        void Leave();

        bool m_inside = false;
        quint64 m_generation = 0;
    };
};
