#pragma once

#include "device/FlashDataMap.h"

#include <QString>
#include <QVector>

// The media buttons of the button page and the consumer-page usage each one
// sends. The object names are not the functions ("Mute" sends Stop): the
// table is what counts. On the page a media key is known by its code, the
// usage's low byte; the 18 codes differ.
namespace ConsumerKeyTable {

struct Row {
    QString mediaButton; // object name of the media button on the page
    int usage;           // HID consumer-page usage
    int code;            // usage & 0xFF
};

const QVector<Row>& Rows();

// The row of a media button's name, or of a code; null when there is none.
const Row* RowOfButton(const QString& mediaButton);
const Row* RowOfCode(int code);

// The key block of one consumer key: a press and a release of the usage,
// kind 2, 10 ms each; the rest of the block zero.
KeyBlock MediaKeyBlock(int usage);
// The same block from the usage's low and high byte given apart; only the
// low byte of each argument counts.
KeyBlock MediaKeyBlockOfBytes(int usageLow, int usageHigh);

} // namespace ConsumerKeyTable
