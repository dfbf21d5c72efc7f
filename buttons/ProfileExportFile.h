#pragma once

#include "device/FlashDataMap.h"

#include <QByteArray>
#include <QString>

// The profile file a user exports the whole mouse set-up to: three byte
// arrays in the data-stream encoding (a 32-bit big-endian length, then the
// bytes): the tag "Tesmo", the model's sensor name and the record, each tag
// and name padded with zero bytes to 12. The please-wait dialog reads it back.
class ProfileExportFile {
public:
    static constexpr int kTagLength = 12;
    static constexpr int kSensorNameLength = 12;
    static constexpr int kRecordLength = static_cast<int>(sizeof(FlashDataMap));
    // Three length words and the three arrays: 10484 bytes.
    static constexpr int kFileLength = 3 * 4 + kTagLength + kSensorNameLength + kRecordLength;

    static const char* Tag() { return "Tesmo"; }

    // What a file keeps of a sensor name: its first 12 UTF-8 bytes.
    static QByteArray KeptSensorName(const QString& sensorName);

    // The file's bytes for a record of a model with this sensor name.
    static QByteArray Encode(const QString& sensorName, const FlashDataMap& record);

    // Replaces the file at path as a whole: on false the file that was there
    // is untouched and reason (when given) holds the system's words.
    static bool Write(const QString& path, const QString& sensorName, const FlashDataMap& record,
                      QString* reason = nullptr);
};
