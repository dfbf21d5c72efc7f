#pragma once

// The Windows virtual-key codes the keyboard hook reports, as plain numbers:
// the keyboard layer produces them, the macro editor only compares them.
namespace VirtualKey {

constexpr int Cancel = 0x03;
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Clear = 0x0C;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;
constexpr int Pause = 0x13;
constexpr int Capital = 0x14;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21;
constexpr int Next = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Select = 0x29;
constexpr int Snapshot = 0x2C;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Help = 0x2F;
constexpr int Digit0 = 0x30; // '0' ... '9' are 0x30 ... 0x39
constexpr int LetterA = 0x41; // 'A' ... 'Z' are 0x41 ... 0x5A
constexpr int LWin = 0x5B;
constexpr int RWin = 0x5C;
constexpr int Apps = 0x5D;
constexpr int Sleep = 0x5F;
constexpr int Numpad0 = 0x60; // Numpad0 ... Numpad9 are 0x60 ... 0x69
constexpr int Multiply = 0x6A;
constexpr int Add = 0x6B;
constexpr int Subtract = 0x6D;
constexpr int Decimal = 0x6E;
constexpr int Divide = 0x6F;
constexpr int F1 = 0x70; // F1 ... F24 are 0x70 ... 0x87
constexpr int F10 = 0x79;
constexpr int F12 = 0x7B;
constexpr int F24 = 0x87;
constexpr int NumLock = 0x90;
constexpr int ScrollLock = 0x91;
constexpr int LShift = 0xA0;
constexpr int RShift = 0xA1;
constexpr int LControl = 0xA2;
constexpr int RControl = 0xA3;
constexpr int LMenu = 0xA4;
constexpr int RMenu = 0xA5;
constexpr int BrowserBack = 0xA6;
constexpr int BrowserForward = 0xA7;
constexpr int BrowserRefresh = 0xA8;
constexpr int BrowserStop = 0xA9;
constexpr int BrowserSearch = 0xAA;
constexpr int BrowserFavorites = 0xAB;
constexpr int BrowserHome = 0xAC;
constexpr int VolumeMute = 0xAD;
constexpr int VolumeDown = 0xAE;
constexpr int VolumeUp = 0xAF;
constexpr int MediaNextTrack = 0xB0;
constexpr int MediaPrevTrack = 0xB1;
constexpr int MediaStop = 0xB2;
constexpr int MediaPlayPause = 0xB3;
constexpr int LaunchMail = 0xB4;
constexpr int Oem1 = 0xBA;      // ;
constexpr int OemPlus = 0xBB;   // =
constexpr int OemComma = 0xBC;  // ,
constexpr int OemMinus = 0xBD;  // -
constexpr int OemPeriod = 0xBE; // .
constexpr int Oem2 = 0xBF;      // /
constexpr int Oem3 = 0xC0;      // `
constexpr int Oem4 = 0xDB;      // [
constexpr int Oem5 = 0xDC;      // backslash
constexpr int Oem6 = 0xDD;      // ]
constexpr int Oem7 = 0xDE;      // '
constexpr int Oem102 = 0xE2;    // the extra key beside left Shift on ISO keyboards
// A key the keyboard layout gives no virtual key of its own.
constexpr int Unassigned = 0xFF;

} // namespace VirtualKey
