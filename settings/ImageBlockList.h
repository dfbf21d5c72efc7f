#pragma once

#include <QByteArray>
#include <QList>
#include <mutex>

// A process-wide list of firmware image blocks (each the whole content of one
// image file). The repair dialog scans from the device library's thread while
// the GUI thread reads, so every access is locked, and readers get a copy of
// the block: the bytes they hand to the library stay valid while they hold it,
// even when a later scan drops the block from the list.
class ImageBlockList {
public:
    ImageBlockList() = default;
    ImageBlockList(const ImageBlockList&) = delete;
    ImageBlockList& operator=(const ImageBlockList&) = delete;

    // Item 0, or an empty block when the list is empty.
    QByteArray First() const;
    QList<QByteArray> Blocks() const;
    int Count() const;
    bool IsEmpty() const;

    void Clear();
    // Empties the list and puts the one block into it.
    void ReplaceWith(const QByteArray& block);

private:
    mutable std::mutex m_mutex;
    QList<QByteArray> m_blocks;
};
