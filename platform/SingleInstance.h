#pragma once

#include <QString>

class QSharedMemory;

// One running instance per user of the machine. The segment's key holds the
// user's id, so another user's instance never counts as this user's.
//
// A System V segment outlives a process that crashed while holding it. Before
// the attach test, a segment nobody is attached to any more is released, so a
// crash never locks the user out.
class SingleInstance {
public:
    static QString Key(const QString& applicationName, unsigned userId);
    static unsigned CurrentUserId();

    // True when another instance holds the segment's key; otherwise this
    // process creates the segment and holds it until it ends.
    static bool AnotherInstanceRuns(QSharedMemory* segment);

    static void ReleaseStaleSegment(const QString& key);
};
