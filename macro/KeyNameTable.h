#pragma once

#include <QString>
#include <QStringList>

struct MacroBlock;

// What the code of a key event stands for: a modifier bit, a keyboard usage
// or a mouse-button bit. The number is stored in the device's key events and
// as one digit in macro files.
enum KeyEventKind {
    ModifierKind = 0,
    KeyboardKind = 1,
    MouseButtonKind = 4,
};

// The five mouse-button names, the only translated key names, by bit order:
// [0] bit 0x01 left, [1] 0x02 right, [2] 0x04 middle, [3] 0x08 back,
// [4] 0x10 forward. Empty until the macro page applies a language.
extern QString MouseButtonNames[5];

// Conversions between the three forms of a key: the display name the user
// sees ("A", "LCtrl", "Num5", "↑"), the Windows virtual-key code the keyboard
// hook reports, and the HID code with its kind that the mouse stores. Keys
// travel through the program as display names and become codes only when a
// macro file line or a device macro block is written.
namespace KeyNameTable {

// "0x" + two upper-case hexadecimal digits.
QString UsageText(int code);

// The name of a usage text ("0x04") under a kind. The text is compared
// exactly: "0x2b" or "0x4" name nothing. Unknown pairs give an empty name.
QString UsageTextToKeyName(const QString& usageText, int kind);

// {usage text, kind digit} of a name, e.g. {"0x80", "0"} for "RWin"; an
// empty list for a name in no table.
QStringList KeyNameToUsageText(const QString& name);

// Writes the kind byte and the little-endian code of event `eventIndex`
// (0 ... 69) of a macro block. A name in no table writes kind 1 and leaves
// the code as it was.
void KeyNameToEventCode(const QString& name, int eventIndex, MacroBlock* block);

// The name of a code and kind read from a device block (kind 4 aside: see
// MouseBitToName).
QString UsageCodeToKeyName(int code, int kind);

// The keyboard usage (kind 1) of a key name, looked up among the keyboard
// keys only; -1 for a modifier, a mouse-button name or a name in no table.
int KeyboardUsageOfName(const QString& name);

// The key name of a keyboard usage (kind 1); empty when no key has it.
QString KeyboardUsageName(int code);

// The mouse-button name of a bit (1, 2, 4, 8 or 16); empty for other values.
QString MouseBitToName(int bit);

// Which virtual keys a caller may meet: all of them, or all but the eight
// modifier keys (the key-combination dialog picks modifiers by check boxes).
enum class VirtualKeySet { All, WithoutModifiers };

// The name of a virtual-key code; false when the code has none in the set.
bool VirtualKeyToKeyName(int virtualKey, QString* name, VirtualKeySet set = VirtualKeySet::All);

} // namespace KeyNameTable
