#include "sensor/SensorCapabilityHeader.h"
#include "platform/files/FileReader.h"

#include "app/AppPaths.h"


namespace {

// The shipped header is a few kilobytes; a larger file is not read at all.
constexpr qint64 kMaxHeaderBytes = 256 * 1024;

QString* FeatureListOf(SensorFeatureLists* features, const QString& word)
{
    // Tested in this order: the first SUPPORT name the word holds wins.
    static const char* const kNames[] = {
        "SUPPORT_SENSOR_MODE_SEL", "SUPPORT_LOD_CAL", "SUPPORT_RIPPLE",
        "SUPPORT_FIXLINE", "SUPPORT_MOTION_SYNC", "SUPPORT_MOUSEPAD_CAL",
    };
    QString* lists[] = {
        &features->sensorModeSensors, &features->lodCalSensors, &features->rippleSensors,
        &features->fixLineSensors, &features->motionSyncSensors, &features->mousepadCalSensors,
    };
    for (int i = 0; i < 6; ++i) {
        if (word.contains(QLatin1String(kNames[i])))
            return lists[i];
    }
    return nullptr;
}

bool IsSupportWord(const QString& word)
{
    SensorFeatureLists probe;
    return FeatureListOf(&probe, word) != nullptr;
}

void Append(SensorDefineTable* table, const QString& name, const QString& valueText)
{
    if (!table)
        return;
    table->sensorDefineNames.append(name);
    table->sensorDefineValues.append(SensorCapabilityHeader::ValueOf(valueText));
}

void ParseLine(QString line, SensorDefineTable* table, SensorFeatureLists* features)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() == 2) {
        const QStringList pieces = words[1].split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (IsSupportWord(words[1])) {
            // A SUPPORT line without its list is skipped, not read as an empty list.
            if (features && pieces.size() >= 2) {
                QString value = pieces[1];
                value.remove(QLatin1Char('\n'));
                *FeatureListOf(features, words[1]) = value;
            }
            return;
        }
        if (words[0] != QLatin1String("#define"))
            return;
        if (pieces.size() >= 2 && pieces[1].contains(QLatin1Char('\n'))) {
            QString value = pieces[1];
            value.remove(QLatin1Char('\n'));
            Append(table, pieces[0], value);
        }
        return;
    }
    if (words.size() == 3) {
        if (!words[2].contains(QLatin1String("//")) && !words[2].contains(QLatin1Char('\n')))
            return;
        const QStringList pieces = words[1].split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (pieces.size() == 2)
            Append(table, pieces[0], pieces[1]);
        else if (pieces.size() == 1)
            Append(table, pieces[0], words[2]);
    }
}

} // namespace

QString SensorCapabilityHeader::DefaultPath()
{
    return AppPaths::ApplicationFolder() + QStringLiteral("/driver_sensor.h");
}

qint32 SensorCapabilityHeader::ValueOf(const QString& text)
{
    QString value = text.trimmed();
    bool ok = false;
    qint32 result = 0;
    if (value.contains(QLatin1String("0x"))) {
        bool negative = false;
        if (value.startsWith(QLatin1Char('-'))) {
            negative = true;
            value.remove(0, 1);
        }
        if (value.startsWith(QLatin1String("0x")))
            value.remove(0, 2);
        const qint64 wide = value.toLongLong(&ok, 16);
        const qint64 signedWide = negative ? -wide : wide;
        if (ok && signedWide >= INT32_MIN && signedWide <= INT32_MAX)
            result = static_cast<qint32>(signedWide);
    } else {
        result = value.toInt(&ok, 10);
    }
    return ok ? result : 0;
}

void SensorCapabilityHeader::ParseText(const QByteArray& text, SensorDefineTable* table, SensorFeatureLists* features)
{
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf('\n', start);
        QByteArray line;
        if (end < 0) {
            // A last line without a line end is read like the others: the
            // define on it is as much part of the file as any other.
            line = text.mid(start) + '\n';
            end = text.size();
        } else {
            line = text.mid(start, end - start + 1);
        }
        start = end + 1;
        // Text mode: a carriage return before the line feed is dropped.
        if (line.endsWith("\r\n"))
            line.remove(line.size() - 2, 1);
        ParseLine(QString::fromUtf8(line), table, features);
    }
}

void SensorCapabilityHeader::Parse(const QString& path, SensorDefineTable* table, SensorFeatureLists* features)
{
    // Unreadable counts as empty: the tables stay as they are.
    const FileReader::Result file = FileReader::Read(path, kMaxHeaderBytes);
    if (file.ok())
        ParseText(file.bytes, table, features);
}
