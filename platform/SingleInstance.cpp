#include "platform/SingleInstance.h"

#include <QSharedMemory>

#include <unistd.h>

QString SingleInstance::Key(const QString& applicationName, unsigned userId)
{
    return applicationName + QStringLiteral(" user ") + QString::number(userId);
}

unsigned SingleInstance::CurrentUserId()
{
    return static_cast<unsigned>(getuid());
}

bool SingleInstance::AnotherInstanceRuns(QSharedMemory* segment)
{
    ReleaseStaleSegment(segment->key());
    if (segment->attach())
        return true;
    // A failed create (another instance got there between the two steps)
    // still lets this one open its window.
    segment->create(1);
    return false;
}

void SingleInstance::ReleaseStaleSegment(const QString& key)
{
    // Detaching the last attachment removes the segment; a running
    // instance keeps its own attachment, so its segment stays.
    QSharedMemory probe(key);
    if (probe.attach(QSharedMemory::ReadOnly))
        probe.detach();
}
