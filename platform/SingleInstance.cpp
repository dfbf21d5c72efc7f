#include "platform/SingleInstance.h"

#include <QSharedMemory>

void SingleInstance::ReleaseStaleSegment(const QString& key)
{
    // Detaching the last attachment removes the segment; a running
    // instance keeps its own attachment, so its segment stays.
    QSharedMemory probe(key);
    if (probe.attach(QSharedMemory::ReadOnly))
        probe.detach();
}
