#pragma once

#include <QString>

// A System V segment outlives a process that crashed while holding it. Before
// the attach test, a segment nobody is attached to any more is released, so a
// crash never locks the user out.
class SingleInstance {
public:
    static void ReleaseStaleSegment(const QString& key);
};
