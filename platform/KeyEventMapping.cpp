#include "platform/KeyEventMapping.h"

#include "platform/VirtualKeys.h"

#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>

namespace KeyEventMapping {

namespace {

// X key codes (Linux input codes + 8) of the keys whose virtual key depends
// on the position, not on the layout's symbol.
constexpr quint32 kXDigit1 = 10; // 1 ... 9, 0 are 10 ... 19
constexpr quint32 kXDigit0 = 19;
constexpr quint32 kXIsoExtraKey = 94;

// Keysyms of the modifier keys; they name the side.
int ModifierOfKeysym(quint32 keysym)
{
    switch (keysym) {
    case 0xffe1: return VirtualKey::LShift;   // Shift_L
    case 0xffe2: return VirtualKey::RShift;   // Shift_R
    case 0xffe3: return VirtualKey::LControl; // Control_L
    case 0xffe4: return VirtualKey::RControl; // Control_R
    case 0xffe7: return VirtualKey::LWin;     // Meta_L
    case 0xffe8: return VirtualKey::RWin;     // Meta_R
    case 0xffe9: return VirtualKey::LMenu;    // Alt_L
    case 0xffea: return VirtualKey::RMenu;    // Alt_R
    case 0xffeb: return VirtualKey::LWin;     // Super_L
    case 0xffec: return VirtualKey::RWin;     // Super_R
    case 0xfe03: return VirtualKey::RMenu;    // ISO_Level3_Shift (AltGr)
    default: return 0;
    }
}

// X key codes of the modifier keys, for a layout whose keysyms say nothing.
int ModifierOfXKeyCode(quint32 keyCode)
{
    switch (keyCode) {
    case 50: return VirtualKey::LShift;
    case 62: return VirtualKey::RShift;
    case 37: return VirtualKey::LControl;
    case 105: return VirtualKey::RControl;
    case 64: return VirtualKey::LMenu;
    case 108: return VirtualKey::RMenu;
    case 133: return VirtualKey::LWin;
    case 134: return VirtualKey::RWin;
    default: return 0;
    }
}

// A modifier without a known side counts as the left one, the side most
// keyboards have.
int ModifierOfQtKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Shift: return VirtualKey::LShift;
    case Qt::Key_Control: return VirtualKey::LControl;
    case Qt::Key_Alt: return VirtualKey::LMenu;
    case Qt::Key_AltGr: return VirtualKey::RMenu;
    case Qt::Key_Meta: return VirtualKey::LWin;
    case Qt::Key_Super_L: return VirtualKey::LWin;
    case Qt::Key_Super_R: return VirtualKey::RWin;
    default: return 0;
    }
}

// Keys of the numeric keypad. With Num Lock off the keypad sends the
// navigation keys, which have the same virtual keys as the separate ones, and
// its 5 sends Clear.
int KeypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VirtualKey::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Period:
    case Qt::Key_Comma: return VirtualKey::Decimal;
    case Qt::Key_Asterisk: return VirtualKey::Multiply;
    case Qt::Key_Plus: return VirtualKey::Add;
    case Qt::Key_Minus: return VirtualKey::Subtract;
    case Qt::Key_Slash: return VirtualKey::Divide;
    default: return 0;
    }
}

const QHash<int, int>& QtKeyTable()
{
    static const QHash<int, int> table = [] {
        QHash<int, int> t;
        for (int i = 0; i < 26; ++i)
            t.insert(Qt::Key_A + i, VirtualKey::LetterA + i);
        for (int i = 0; i < 10; ++i)
            t.insert(Qt::Key_0 + i, VirtualKey::Digit0 + i);
        for (int i = 0; i < 24; ++i)
            t.insert(Qt::Key_F1 + i, VirtualKey::F1 + i);
        const QList<QPair<int, int>> named = {
            {Qt::Key_Escape, VirtualKey::Escape},
            {Qt::Key_Tab, VirtualKey::Tab},
            {Qt::Key_Backtab, VirtualKey::Tab},
            {Qt::Key_Backspace, VirtualKey::Back},
            {Qt::Key_Return, VirtualKey::Return},
            {Qt::Key_Enter, VirtualKey::Return},
            {Qt::Key_Insert, VirtualKey::Insert},
            {Qt::Key_Delete, VirtualKey::Delete},
            {Qt::Key_Pause, VirtualKey::Pause},
            {Qt::Key_Print, VirtualKey::Snapshot},
            {Qt::Key_SysReq, VirtualKey::Snapshot},
            {Qt::Key_Clear, VirtualKey::Clear},
            {Qt::Key_Cancel, VirtualKey::Cancel},
            {Qt::Key_Select, VirtualKey::Select},
            {Qt::Key_Help, VirtualKey::Help},
            {Qt::Key_Sleep, VirtualKey::Sleep},
            {Qt::Key_Home, VirtualKey::Home},
            {Qt::Key_End, VirtualKey::End},
            {Qt::Key_Left, VirtualKey::Left},
            {Qt::Key_Up, VirtualKey::Up},
            {Qt::Key_Right, VirtualKey::Right},
            {Qt::Key_Down, VirtualKey::Down},
            {Qt::Key_PageUp, VirtualKey::Prior},
            {Qt::Key_PageDown, VirtualKey::Next},
            {Qt::Key_CapsLock, VirtualKey::Capital},
            {Qt::Key_NumLock, VirtualKey::NumLock},
            {Qt::Key_ScrollLock, VirtualKey::ScrollLock},
            {Qt::Key_Menu, VirtualKey::Apps},
            {Qt::Key_Space, VirtualKey::Space},
            // The symbols of the US layout, unshifted and shifted: a virtual
            // key names the key, not the character it types.
            {Qt::Key_Minus, VirtualKey::OemMinus},
            {Qt::Key_Underscore, VirtualKey::OemMinus},
            {Qt::Key_Equal, VirtualKey::OemPlus},
            {Qt::Key_Plus, VirtualKey::OemPlus},
            {Qt::Key_BracketLeft, VirtualKey::Oem4},
            {Qt::Key_BraceLeft, VirtualKey::Oem4},
            {Qt::Key_BracketRight, VirtualKey::Oem6},
            {Qt::Key_BraceRight, VirtualKey::Oem6},
            {Qt::Key_Backslash, VirtualKey::Oem5},
            {Qt::Key_Bar, VirtualKey::Oem5},
            {Qt::Key_Semicolon, VirtualKey::Oem1},
            {Qt::Key_Colon, VirtualKey::Oem1},
            {Qt::Key_Apostrophe, VirtualKey::Oem7},
            {Qt::Key_QuoteDbl, VirtualKey::Oem7},
            {Qt::Key_QuoteLeft, VirtualKey::Oem3},
            {Qt::Key_AsciiTilde, VirtualKey::Oem3},
            {Qt::Key_Comma, VirtualKey::OemComma},
            {Qt::Key_Less, VirtualKey::OemComma},
            {Qt::Key_Period, VirtualKey::OemPeriod},
            {Qt::Key_Greater, VirtualKey::OemPeriod},
            {Qt::Key_Slash, VirtualKey::Oem2},
            {Qt::Key_Question, VirtualKey::Oem2},
            {Qt::Key_Exclam, VirtualKey::Digit0 + 1},
            {Qt::Key_At, VirtualKey::Digit0 + 2},
            {Qt::Key_NumberSign, VirtualKey::Digit0 + 3},
            {Qt::Key_Dollar, VirtualKey::Digit0 + 4},
            {Qt::Key_Percent, VirtualKey::Digit0 + 5},
            {Qt::Key_AsciiCircum, VirtualKey::Digit0 + 6},
            {Qt::Key_Ampersand, VirtualKey::Digit0 + 7},
            {Qt::Key_Asterisk, VirtualKey::Digit0 + 8},
            {Qt::Key_ParenLeft, VirtualKey::Digit0 + 9},
            {Qt::Key_ParenRight, VirtualKey::Digit0},
            // Media and browser keys.
            {Qt::Key_VolumeMute, VirtualKey::VolumeMute},
            {Qt::Key_VolumeDown, VirtualKey::VolumeDown},
            {Qt::Key_VolumeUp, VirtualKey::VolumeUp},
            {Qt::Key_MediaNext, VirtualKey::MediaNextTrack},
            {Qt::Key_MediaPrevious, VirtualKey::MediaPrevTrack},
            {Qt::Key_MediaStop, VirtualKey::MediaStop},
            {Qt::Key_MediaPlay, VirtualKey::MediaPlayPause},
            {Qt::Key_MediaPause, VirtualKey::MediaPlayPause},
            {Qt::Key_MediaTogglePlayPause, VirtualKey::MediaPlayPause},
            {Qt::Key_Back, VirtualKey::BrowserBack},
            {Qt::Key_Forward, VirtualKey::BrowserForward},
            {Qt::Key_Refresh, VirtualKey::BrowserRefresh},
            {Qt::Key_Stop, VirtualKey::BrowserStop},
            {Qt::Key_Search, VirtualKey::BrowserSearch},
            {Qt::Key_Favorites, VirtualKey::BrowserFavorites},
            {Qt::Key_HomePage, VirtualKey::BrowserHome},
            {Qt::Key_LaunchMail, VirtualKey::LaunchMail},
        };
        for (const auto& entry : named)
            t.insert(entry.first, entry.second);
        return t;
    }();
    return table;
}

// The keys of the main block by their place on a US keyboard, for layouts
// whose symbols the table above does not know (Cyrillic letters, dead keys):
// the virtual keys of such layouts follow the place as well.
int KeyOfXKeyCode(quint32 keyCode)
{
    static const QHash<quint32, int> table = [] {
        QHash<quint32, int> t;
        const auto row = [&t](quint32 first, const char* letters) {
            for (quint32 i = 0; letters[i]; ++i)
                t.insert(first + i, VirtualKey::LetterA + (letters[i] - 'A'));
        };
        row(24, "QWERTYUIOP");
        row(38, "ASDFGHJKL");
        row(52, "ZXCVBNM");
        t.insert(20, VirtualKey::OemMinus);
        t.insert(21, VirtualKey::OemPlus);
        t.insert(34, VirtualKey::Oem4);
        t.insert(35, VirtualKey::Oem6);
        t.insert(47, VirtualKey::Oem1);
        t.insert(48, VirtualKey::Oem7);
        t.insert(49, VirtualKey::Oem3);
        t.insert(51, VirtualKey::Oem5);
        t.insert(59, VirtualKey::OemComma);
        t.insert(60, VirtualKey::OemPeriod);
        t.insert(61, VirtualKey::Oem2);
        return t;
    }();
    return table.value(keyCode, 0);
}

} // namespace

NativeCodes NativeCodesOfPlatform()
{
    const QString name = QGuiApplication::platformName();
    if (name.startsWith(QLatin1String("xcb")) || name.startsWith(QLatin1String("wayland")))
        return NativeCodes::Xkb;
    return NativeCodes::None;
}

int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, quint32 nativeKey,
                 NativeCodes codes)
{
    const bool xkb = codes == NativeCodes::Xkb;

    if (xkb) {
        if (const int vk = ModifierOfKeysym(nativeKey))
            return vk;
    }
    if (const int vk = ModifierOfQtKey(qtKey)) {
        const int bySide = xkb ? ModifierOfXKeyCode(nativeScanCode) : 0;
        // Super_R and AltGr already name their side.
        return bySide && qtKey != Qt::Key_Super_R && qtKey != Qt::Key_AltGr ? bySide : vk;
    }

    if (modifiers & Qt::KeypadModifier) {
        if (const int vk = KeypadKey(qtKey))
            return vk;
    }

    if (xkb && !(modifiers & Qt::KeypadModifier)) {
        // The digit row gives its digits on every layout, shifted or not.
        if (nativeScanCode >= kXDigit1 && nativeScanCode <= kXDigit0)
            return nativeScanCode == kXDigit0 ? VirtualKey::Digit0 : VirtualKey::Digit0 + int(nativeScanCode - 9);
        if (nativeScanCode == kXIsoExtraKey)
            return VirtualKey::Oem102;
    }

    const auto& table = QtKeyTable();
    const auto found = table.constFind(qtKey);
    if (found != table.constEnd())
        return found.value();

    if (xkb) {
        if (const int vk = KeyOfXKeyCode(nativeScanCode))
            return vk;
    }
    return VirtualKey::Unassigned;
}

int VirtualKeyOf(const QKeyEvent& event, NativeCodes codes)
{
    return VirtualKeyOf(event.key(), event.modifiers(), event.nativeScanCode(), event.nativeVirtualKey(), codes);
}

} // namespace KeyEventMapping
