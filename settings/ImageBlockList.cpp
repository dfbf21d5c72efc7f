#include "settings/ImageBlockList.h"

#include <QMutexLocker>

QByteArray ImageBlockList::First() const
{
    QMutexLocker lock(&m_mutex);
    return m_blocks.isEmpty() ? QByteArray() : m_blocks.first();
}

QList<QByteArray> ImageBlockList::Blocks() const
{
    QMutexLocker lock(&m_mutex);
    return m_blocks;
}

int ImageBlockList::Count() const
{
    QMutexLocker lock(&m_mutex);
    return m_blocks.size();
}

bool ImageBlockList::IsEmpty() const
{
    return Count() == 0;
}

void ImageBlockList::Clear()
{
    QMutexLocker lock(&m_mutex);
    m_blocks.clear();
}

void ImageBlockList::ReplaceWith(const QByteArray& block)
{
    QMutexLocker lock(&m_mutex);
    m_blocks.clear();
    m_blocks.append(block);
}
