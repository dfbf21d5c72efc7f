#include "macro/KeyNameTable.h"

#include "device/FlashDataMap.h"
#include "device/KeyEventFields.h"
#include "macro/VirtualKeys.h"

#include <QVector>

QString MouseButtonNames[5];

namespace {

struct KeyRow {
    QString name;
    int kind;
    int code;
    int virtualKey; // 0: the key has no virtual key
};

constexpr int kMouseBits[5] = {0x01, 0x02, 0x04, 0x08, 0x10};

// Every fixed key but F1 ... F12, in the order names are looked up. The
// translated mouse-button names come after these and before the F keys, so a
// language text that equals a fixed name is taken as that key.
QVector<KeyRow> BuildFixedRows()
{
    QVector<KeyRow> rows;
    auto key = [&rows](const QString& name, int code, int vk) { rows.append({name, KeyboardKind, code, vk}); };
    key(QStringLiteral("Tab"), 0x2B, VirtualKey::Tab);
    for (int i = 1; i <= 9; ++i)
        key(QString::number(i), 0x1E + i - 1, VirtualKey::Digit0 + i);
    key(QStringLiteral("0"), 0x27, VirtualKey::Digit0);
    for (int i = 0; i < 26; ++i)
        key(QString(QChar('A' + i)), 0x04 + i, VirtualKey::LetterA + i);
    key(QStringLiteral("Esc"), 0x29, VirtualKey::Escape);
    key(QStringLiteral("BackSpace"), 0x2A, VirtualKey::Back);
    key(QStringLiteral("CapsLock"), 0x39, VirtualKey::Capital);
    key(QStringLiteral("Insert"), 0x49, VirtualKey::Insert);
    key(QStringLiteral("Del"), 0x4C, VirtualKey::Delete);
    key(QStringLiteral("Home"), 0x4A, VirtualKey::Home);
    key(QStringLiteral("End"), 0x4D, VirtualKey::End);
    key(QStringLiteral("PgUp"), 0x4B, VirtualKey::Prior);
    key(QStringLiteral("PgDn"), 0x4E, VirtualKey::Next);
    key(QStringLiteral("Scroll"), 0x47, VirtualKey::ScrollLock);
    key(QStringLiteral("Pause"), 0x48, VirtualKey::Pause);
    key(QStringLiteral("Screen"), 0x46, VirtualKey::Snapshot);
    key(QString(QChar(0x2192)), 0x4F, VirtualKey::Right);
    key(QString(QChar(0x2190)), 0x50, VirtualKey::Left);
    key(QString(QChar(0x2193)), 0x51, VirtualKey::Down);
    key(QString(QChar(0x2191)), 0x52, VirtualKey::Up);
    key(QStringLiteral("`"), 0x35, VirtualKey::Oem3);
    key(QStringLiteral("-"), 0x2D, VirtualKey::OemMinus);
    key(QStringLiteral("="), 0x2E, VirtualKey::OemPlus);
    auto modifier = [&rows](const QString& name, int bit, int vk) { rows.append({name, ModifierKind, bit, vk}); };
    modifier(QStringLiteral("LCtrl"), 0x01, VirtualKey::LControl);
    modifier(QStringLiteral("LShift"), 0x02, VirtualKey::LShift);
    modifier(QStringLiteral("LAlt"), 0x04, VirtualKey::LMenu);
    modifier(QStringLiteral("LWin"), 0x08, VirtualKey::LWin);
    modifier(QStringLiteral("RCtrl"), 0x10, VirtualKey::RControl);
    modifier(QStringLiteral("RShift"), 0x20, VirtualKey::RShift);
    modifier(QStringLiteral("RAlt"), 0x40, VirtualKey::RMenu);
    modifier(QStringLiteral("RWin"), 0x80, VirtualKey::RWin);
    key(QStringLiteral("APPs"), 0x65, VirtualKey::Apps);
    key(QStringLiteral("Space"), 0x2C, VirtualKey::Space);
    key(QStringLiteral("["), 0x2F, VirtualKey::Oem4);
    key(QStringLiteral("]"), 0x30, VirtualKey::Oem6);
    key(QStringLiteral("\\"), 0x31, VirtualKey::Oem5);
    // The keypad's Enter reports virtual key 13 as well and becomes this key.
    key(QStringLiteral("Enter"), 0x28, VirtualKey::Return);
    key(QStringLiteral(";"), 0x33, VirtualKey::Oem1);
    key(QStringLiteral("'"), 0x34, VirtualKey::Oem7);
    key(QStringLiteral(","), 0x36, VirtualKey::OemComma);
    key(QStringLiteral("."), 0x37, VirtualKey::OemPeriod);
    key(QStringLiteral("/"), 0x38, VirtualKey::Oem2);
    key(QStringLiteral("Num/"), 0x54, VirtualKey::Divide);
    key(QStringLiteral("Num*"), 0x55, VirtualKey::Multiply);
    key(QStringLiteral("Num-"), 0x56, VirtualKey::Subtract);
    key(QStringLiteral("Num+"), 0x57, VirtualKey::Add);
    for (int i = 1; i <= 9; ++i)
        key(QStringLiteral("Num") + QString::number(i), 0x59 + i - 1, VirtualKey::Numpad0 + i);
    key(QStringLiteral("Num0"), 0x62, VirtualKey::Numpad0);
    key(QStringLiteral("Num."), 0x63, VirtualKey::Decimal);
    // The Clear key has no name: it is kept as usage 0 and shown as an empty item.
    key(QString(), 0x00, VirtualKey::Clear);
    key(QStringLiteral("NumLock"), 0x53, VirtualKey::NumLock);
    return rows;
}

QVector<KeyRow> BuildFunctionKeyRows()
{
    QVector<KeyRow> rows;
    for (int i = 0; i < 12; ++i)
        rows.append({QStringLiteral("F") + QString::number(i + 1), KeyboardKind, 0x3A + i, VirtualKey::F1 + i});
    return rows;
}

const QVector<KeyRow>& FixedRows()
{
    static const QVector<KeyRow> rows = BuildFixedRows();
    return rows;
}

const QVector<KeyRow>& FunctionKeyRows()
{
    static const QVector<KeyRow> rows = BuildFunctionKeyRows();
    return rows;
}

bool FindRow(const QVector<KeyRow>& rows, const QString& name, KeyRow* found)
{
    for (const KeyRow& row : rows) {
        if (row.name == name) {
            *found = row;
            return true;
        }
    }
    return false;
}

// The row a name stands for, tested in the fixed order: fixed keys, the
// mouse-button names in bit order, then F1 ... F12.
bool RowOfName(const QString& name, KeyRow* found)
{
    if (FindRow(FixedRows(), name, found))
        return true;
    for (int i = 0; i < 5; ++i) {
        if (MouseButtonNames[i] == name) {
            *found = {name, MouseButtonKind, kMouseBits[i], 0};
            return true;
        }
    }
    return FindRow(FunctionKeyRows(), name, found);
}

QString KeyboardName(int code)
{
    for (const QVector<KeyRow>* rows : {&FixedRows(), &FunctionKeyRows()}) {
        for (const KeyRow& row : *rows) {
            if (row.kind == KeyboardKind && row.code == code)
                return row.name;
        }
    }
    return QString();
}

QString ModifierName(int bit)
{
    for (const KeyRow& row : FixedRows()) {
        if (row.kind == ModifierKind && row.code == bit)
            return row.name;
    }
    return QString();
}

bool IsModifierBit(int code)
{
    return code > 0 && code <= 0x80 && (code & (code - 1)) == 0;
}

} // namespace

namespace KeyNameTable {

QString UsageText(int code)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

QString UsageTextToKeyName(const QString& usageText, int kind)
{
    switch (kind) {
    case KeyboardKind:
        for (const QVector<KeyRow>* rows : {&FixedRows(), &FunctionKeyRows()}) {
            for (const KeyRow& row : *rows) {
                if (row.kind == KeyboardKind && UsageText(row.code) == usageText)
                    return row.name;
            }
        }
        return QString();
    case ModifierKind:
        for (const KeyRow& row : FixedRows()) {
            if (row.kind == ModifierKind && UsageText(row.code) == usageText)
                return row.name;
        }
        return QString();
    case MouseButtonKind:
        for (int i = 0; i < 5; ++i) {
            if (UsageText(kMouseBits[i]) == usageText)
                return MouseButtonNames[i];
        }
        return QString();
    default:
        return QString();
    }
}

QStringList KeyNameToUsageText(const QString& name)
{
    KeyRow row;
    if (!RowOfName(name, &row))
        return {};
    return {UsageText(row.code), QString::number(row.kind)};
}

void KeyNameToEventCode(const QString& name, int eventIndex, MacroBlock* block)
{
    if (!block || eventIndex < 0 || eventIndex >= 70)
        return;
    KeyEvent& event = block->events[eventIndex];
    KeyRow row;
    if (!RowOfName(name, &row)) {
        event.kind = KeyboardKind;
        return;
    }
    event.kind = static_cast<uint8_t>(row.kind);
    KeyEventFields::SetUsage(&event, row.code);
}

QString UsageCodeToKeyName(int code, int kind)
{
    if (kind == ModifierKind && IsModifierBit(code))
        return ModifierName(code);
    switch (code) {
    // No keyboard usage sits at these modifier bits, so they name the
    // modifier whatever the kind says.
    case 0x01:
        return QStringLiteral("LCtrl");
    case 0x02:
        return QStringLiteral("LShift");
    case 0x80:
        return QStringLiteral("RWin");
    case 0x04:
    case 0x08:
    case 0x10:
    case 0x20:
        return kind == KeyboardKind ? KeyboardName(code) : QString();
    case 0x40:
        return QStringLiteral("F7");
    case 0x58:
        return QStringLiteral("Enter");
    default:
        return KeyboardName(code);
    }
}

int KeyboardUsageOfName(const QString& name)
{
    for (const QVector<KeyRow>* rows : {&FixedRows(), &FunctionKeyRows()}) {
        for (const KeyRow& row : *rows) {
            if (row.kind == KeyboardKind && row.name == name)
                return row.code;
        }
    }
    return -1;
}

QString KeyboardUsageName(int code)
{
    return KeyboardName(code);
}

QString MouseBitToName(int bit)
{
    for (int i = 0; i < 5; ++i) {
        if (kMouseBits[i] == bit)
            return MouseButtonNames[i];
    }
    return QString();
}

bool VirtualKeyToKeyName(int virtualKey, QString* name, VirtualKeySet set)
{
    for (const QVector<KeyRow>* rows : {&FixedRows(), &FunctionKeyRows()}) {
        for (const KeyRow& row : *rows) {
            if (row.virtualKey == 0 || row.virtualKey != virtualKey)
                continue;
            if (set == VirtualKeySet::WithoutModifiers && row.kind == ModifierKind)
                return false;
            if (name)
                *name = row.name;
            return true;
        }
    }
    return false;
}

} // namespace KeyNameTable
