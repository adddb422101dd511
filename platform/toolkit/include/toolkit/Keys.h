#pragma once
// Key codes, shift masks and mouse buttons as the classic events report
// them (KeyDown/KeyUp key codes are the platform's virtual key codes,
// KeyPress gives the character's code point).
namespace tk {

namespace key {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int LineFeed = 10;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Apps = 93;   // the context-menu key
inline constexpr int F4 = 115;
} // namespace key

// Shift argument of key and mouse events (bit mask).
namespace shift {
inline constexpr int None = 0;
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace shift

// Button argument of mouse events.
namespace button {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
} // namespace button

// The screen's mouse pointer shapes the controls use.
namespace pointer {
inline constexpr int Default = 0;
inline constexpr int Hourglass = 11;
} // namespace pointer

// Key code that KeyDown/KeyUp report for a typed character, as on a US
// keyboard layout: letters give their upper-case letter (with the Shift bit
// for upper-case letters), digits their digit, punctuation the key that
// types it. Characters no key of that layout types (umlauts, ...) give 0.
struct KeyStroke {
    int keyCode = 0;
    int shift = 0;
};
KeyStroke keyStrokeFor(char32_t ch);

} // namespace tk
