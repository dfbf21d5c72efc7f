#include <mutex>
#include "settings/ImageBlockList.h"


QByteArray ImageBlockList::First() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_blocks.isEmpty() ? QByteArray() : m_blocks.first();
}

QList<QByteArray> ImageBlockList::Blocks() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_blocks;
}

int ImageBlockList::Count() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_blocks.size();
}

bool ImageBlockList::IsEmpty() const
{
    return Count() == 0;
}

void ImageBlockList::Clear()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_blocks.clear();
}

void ImageBlockList::ReplaceWith(const QByteArray& block)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_blocks.clear();
    m_blocks.append(block);
}
