#include "macro/MacroBlockCodec.h"

#include "device/KeyEventFields.h"
#include "macro/KeyNameTable.h"
#include "macro/MacroName.h"

#include <QByteArray>

#include <cstring>
#include <limits>

namespace {

void PutDelay(KeyEvent* event, quint32 milliseconds)
{
    KeyEventFields::SetDelay(event, milliseconds);
}

quint32 DelayOf(const KeyEvent& event)
{
    return KeyEventFields::Delay(event);
}

quint32 SaturatedSum(quint32 a, quint32 b)
{
    return a > std::numeric_limits<quint32>::max() - b ? std::numeric_limits<quint32>::max() : a + b;
}

} // namespace

namespace MacroBlockCodec {

quint32 DelayOfText(const QString& text)
{
    QString number = text;
    number.remove(QStringLiteral("ms"));
    bool ok = false;
    const qulonglong value = number.trimmed().toULongLong(&ok, 10);
    if (!ok)
        return 0;
    return value > std::numeric_limits<quint32>::max() ? std::numeric_limits<quint32>::max()
                                                        : static_cast<quint32>(value);
}

MacroBlock Encode(const QString& name, const QList<MacroEvent>& events)
{
    MacroBlock block;
    std::memset(&block, 0, sizeof(block));

    const QByteArray nameBytes = MacroName::LocalBytes(MacroName::CutToBytes(name, sizeof(block.name)));
    std::memcpy(block.name, nameBytes.constData(), static_cast<size_t>(nameBytes.size()));
    block.nameLength = static_cast<uint8_t>(nameBytes.size());

    // In a well-formed list key and delay items alternate, so event i is the
    // key at row 2i with the pause at row 2i + 1. Items are still told by
    // their text, so that two keys or two pauses in a row (a key with no
    // file line drops out between them) lose no key: two keys get no pause
    // between them, two pauses add up, a pause before any key waits in an
    // empty event.
    int i = 0;
    bool keyWithoutPause = false;
    for (const MacroEvent& item : events) {
        if (!item.IsDelay()) {
            if (keyWithoutPause)
                ++i;
            if (i >= MaxEvents)
                break;
            KeyNameTable::KeyNameToEventCode(item.text, i, &block);
            block.events[i].action = item.release ? 1 : 0;
            keyWithoutPause = true;
        } else if (keyWithoutPause) {
            PutDelay(&block.events[i], DelayOfText(item.text));
            ++i;
            keyWithoutPause = false;
        } else if (i > 0) {
            KeyEvent& before = block.events[i - 1];
            PutDelay(&before, SaturatedSum(DelayOf(before), DelayOfText(item.text)));
        } else {
            PutDelay(&block.events[0], DelayOfText(item.text));
            i = 1;
        }
    }
    const int count = events.isEmpty() ? 0 : i + 1;
    block.eventCount = static_cast<uint8_t>(qMin(count, MaxEvents));
    return block;
}

QString NameOf(const MacroBlock& block)
{
    return MacroName::FromDeviceField(
        QByteArray(reinterpret_cast<const char*>(block.name), static_cast<int>(sizeof(block.name))));
}

QList<MacroEvent> Decode(const MacroBlock& block)
{
    QList<MacroEvent> items;
    const int count = qMin<int>(block.eventCount, MaxEvents);
    for (int i = 0; i < count; ++i) {
        const KeyEvent& event = block.events[i];
        const int code = KeyEventFields::Usage(event);
        const QString name = event.kind == MouseButtonKind ? KeyNameTable::MouseBitToName(code)
                                                           : KeyNameTable::UsageCodeToKeyName(code, event.kind);
        items.append({name, event.action != 0});
        // The pause after the last event only separates repeats; the list does not show it.
        if (i < count - 1)
            items.append({MacroEventList::DelayText(DelayOf(event)), false});
    }
    return items;
}

} // namespace MacroBlockCodec
