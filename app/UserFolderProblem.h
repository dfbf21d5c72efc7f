#pragma once

#include <QString>

#include <functional>

class QObject;

// The per-user data folder, or a file in it, could not be created or
// written. The first failure is kept, and the program says so once: the
// top-level window listens and shows a notice once it is up.
class UserFolderProblem {
public:
    // Any thread. Failures after the first one are not kept.
    static void Report(const QString& path);

    // The first failure not yet told: its path, once; an empty text when
    // there is none or it was told already.
    static QString TakeUntold();

    // The listener runs on the context's thread, through its event loop,
    // after the kept failure. The context must remove itself (nullptr)
    // before it is destroyed.
    static void SetListener(QObject* context, std::function<void()> listener);

    // Forgets every failure (for tests: a new run of the program).
    static void Reset();
};
