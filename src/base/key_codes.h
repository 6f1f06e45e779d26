// Virtual-key codes and shift-state bits, as keyboard notifications carry them.
#pragma once

#include <cstdint>

namespace orvo {

// Shift state of key and mouse notifications.
inline constexpr int16_t kShiftMask = 1;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kAltMask = 4;

namespace vk {
inline constexpr int16_t kBack = 8;
inline constexpr int16_t kTab = 9;
inline constexpr int16_t kReturn = 13;
inline constexpr int16_t kShift = 16;
inline constexpr int16_t kControl = 17;
inline constexpr int16_t kMenu = 18;  // Alt
inline constexpr int16_t kEscape = 27;
inline constexpr int16_t kSpace = 32;
inline constexpr int16_t kPrior = 33;  // Page Up
inline constexpr int16_t kNext = 34;   // Page Down
inline constexpr int16_t kEnd = 35;
inline constexpr int16_t kHome = 36;
inline constexpr int16_t kLeft = 37;
inline constexpr int16_t kUp = 38;
inline constexpr int16_t kRight = 39;
inline constexpr int16_t kDown = 40;
inline constexpr int16_t kInsert = 45;
inline constexpr int16_t kDelete = 46;
inline constexpr int16_t kKey0 = 48;  // '0'..'9' are 48..57, 'A'..'Z' 65..90
inline constexpr int16_t kKey9 = 57;
inline constexpr int16_t kKeyA = 65;
inline constexpr int16_t kKeyZ = 90;
inline constexpr int16_t kNumpad0 = 96;  // numeric keypad 0..9 are 96..105
inline constexpr int16_t kMultiply = 106;
inline constexpr int16_t kAdd = 107;
inline constexpr int16_t kSubtract = 109;
inline constexpr int16_t kDecimal = 110;
inline constexpr int16_t kDivide = 111;
inline constexpr int16_t kF1 = 112;
inline constexpr int16_t kF4 = 115;
inline constexpr int16_t kF24 = 135;  // F1..F24 are 112..135
inline constexpr int16_t kNumLock = 144;
inline constexpr int16_t kOemSemicolon = 186;  // ';' on a US keyboard, c-cedilla on ABNT
inline constexpr int16_t kOemPlus = 187;
inline constexpr int16_t kOemComma = 188;
inline constexpr int16_t kOemMinus = 189;
inline constexpr int16_t kOemPeriod = 190;
inline constexpr int16_t kOemSlash = 191;
inline constexpr int16_t kOem8 = 223;  // what other characters above 127 go down as
}  // namespace vk

}  // namespace orvo
