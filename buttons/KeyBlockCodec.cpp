#include "buttons/KeyBlockCodec.h"

#include "device/KeyEventFields.h"
#include "macro/KeyNameTable.h"

#include <QStringList>

#include <cstring>

namespace {

struct ModifierName {
    const char* name;
    int leftBit;
};

// The combination texts' own modifier names. Right-hand bits sit four bits
// higher and read with the same names.
constexpr ModifierName kModifiers[] = {
    {"Ctrl", 0x01},
    {"Shift", 0x02},
    {"Alt", 0x04},
    {"Win", 0x08},
};

int ModifierBitOfName(const QString& name)
{
    for (const ModifierName& modifier : kModifiers) {
        if (name == QLatin1String(modifier.name))
            return modifier.leftBit;
    }
    return -1;
}

QString ModifierNameOfBit(int bit)
{
    for (const ModifierName& modifier : kModifiers) {
        if (bit == modifier.leftBit || bit == modifier.leftBit << 4)
            return QLatin1String(modifier.name);
    }
    return QString();
}

void PutEvent(KeyEvent* event, int action, int kind, int usage)
{
    event->action = static_cast<uint8_t>(action);
    event->kind = static_cast<uint8_t>(kind);
    KeyEventFields::SetUsage(event, usage);
    KeyEventFields::SetDelay(event, KeyBlockCodec::EventDelayMs);
}

} // namespace

namespace KeyBlockCodec {

QStringList SplitCombination(const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('+'), Qt::KeepEmptyParts);
    QStringList names;
    for (int i = 0; i < pieces.size(); ++i) {
        // "Num+" leaves "Num" and an empty piece behind.
        if (pieces.at(i) == QLatin1String("Num") && i + 1 < pieces.size() && pieces.at(i + 1).isEmpty()) {
            names << QStringLiteral("Num+");
            ++i;
            continue;
        }
        names << pieces.at(i);
    }
    return names;
}

bool IsPlayableCombination(const QString& text)
{
    const QStringList names = SplitCombination(text);
    if (text.isEmpty() || names.size() > MaxKeys)
        return false;
    for (const QString& name : names) {
        if (name.isEmpty() || (KeyNameTable::KeyboardUsageOfName(name) < 0 && ModifierBitOfName(name) < 0))
            return false;
    }
    return true;
}

KeyBlock BuildKeyBlock(const QString& text)
{
    const QStringList parts = SplitCombination(text);
    const int n = qMin(parts.size(), MaxKeys);
    KeyBlock block;
    std::memset(&block, 0, sizeof(block));
    for (int k = 0; k < n; ++k)
        block = KeyNameToEvents(block, parts.at(k), k, n);
    block.eventCount = static_cast<uint8_t>(2 * n);
    return block;
}

KeyBlock KeyNameToEvents(KeyBlock block, const QString& name, int k, int n)
{
    if (k < 0 || n > MaxKeys || k >= n)
        return block;
    int kind = KeyboardKind;
    int usage = KeyNameTable::KeyboardUsageOfName(name);
    if (usage < 0) {
        const int bit = ModifierBitOfName(name);
        if (bit >= 0) {
            kind = ModifierKind;
            usage = bit;
        } else {
            usage = 0;
        }
    }
    PutEvent(&block.events[k], 0, kind, usage);
    PutEvent(&block.events[2 * n - 1 - k], 1, kind, usage);
    return block;
}

QString UsageToKeyName(int value, int mode)
{
    switch (value) {
    case 0x01:
    case 0x02:
    case 0x80:
        // No keyboard key has these usages.
        return ModifierNameOfBit(value);
    case 0x04:
    case 0x08:
    case 0x10:
    case 0x20:
    case 0x40:
        // Both a modifier bit and a key's usage: the kind decides.
        if (mode == KeyboardKind)
            return KeyNameTable::KeyboardUsageName(value);
        if (mode == ModifierKind)
            return ModifierNameOfBit(value);
        return QString();
    case 0x58:
        // The keypad's Enter has no name of its own.
        return QStringLiteral("Enter");
    case 0x00:
        return QString();
    default:
        return KeyNameTable::KeyboardUsageName(value);
    }
}

} // namespace KeyBlockCodec
