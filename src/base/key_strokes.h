// Key strokes: a key as the keyboard delivers it, the keys named in scripts, and the key
// that types a character on a US keyboard.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/key_codes.h"

namespace orvo {

// One key as the keyboard delivers it: virtual-key code, shift state (1 Shift, 2 Ctrl,
// 4 Alt) and the character it produces (0 when none).
struct KeyStroke {
  int16_t keyCode = 0;
  int16_t shift = 0;
  int16_t keyAscii = 0;
  bool operator==(const KeyStroke&) const = default;
};

// The named keys of the play language; nullopt for an unknown name.
inline std::optional<KeyStroke> NamedKey(const std::string& name) {
  struct Entry {
    const char* name;
    KeyStroke stroke;
  };
  static const Entry kKeys[] = {
      {"Enter", {13, 0, 13}},     {"Tab", {9, 0, 0}},          {"Shift+Tab", {9, 1, 0}},
      {"Up", {38, 0, 0}},         {"Down", {40, 0, 0}},        {"Left", {37, 0, 0}},
      {"Right", {39, 0, 0}},      {"Home", {36, 0, 0}},        {"End", {35, 0, 0}},
      {"Shift+Left", {37, 1, 0}}, {"Shift+Right", {39, 1, 0}}, {"Shift+Home", {36, 1, 0}},
      {"Shift+End", {35, 1, 0}},  {"Delete", {46, 0, 0}},      {"Backspace", {8, 0, 8}},
      {"Escape", {27, 0, 27}},    {"Space", {32, 0, 32}},      {"F4", {115, 0, 0}},
      {"Ctrl+C", {67, 2, 3}},     {"Ctrl+X", {88, 2, 24}},     {"Ctrl+V", {86, 2, 22}},
      {"Ctrl+Tab", {9, 2, 0}},    {"PageUp", {33, 0, 0}},      {"PageDown", {34, 0, 0}},
      {"Ctrl+Home", {36, 2, 0}},  {"Ctrl+End", {35, 2, 0}},
  };
  for (const auto& e : kKeys)
    if (name == e.name) return e.stroke;
  return std::nullopt;
}

// The key that types character `c` on a US keyboard: '.' goes down as 190, not as 46
// (Delete), '(' as Shift+57, not as 40 (Down). Accented letters go down as their base
// letter (as a dead-key sequence ends), c-cedilla as 186, other characters above 127 as 223.
inline KeyStroke KeyStrokeForChar(unsigned char c) {
  KeyStroke k;
  k.keyAscii = static_cast<int16_t>(c);
  auto set = [&](int code, int shift) {
    k.keyCode = static_cast<int16_t>(code);
    k.shift = static_cast<int16_t>(shift);
  };
  if (c >= 'a' && c <= 'z') {
    set(c - 'a' + 'A', 0);
  } else if (c >= 'A' && c <= 'Z') {
    set(c, kShiftMask);
  } else if (c >= '0' && c <= '9') {
    set(c, 0);
  } else if (c == ' ' || c == 8 || c == 9 || c == 13 || c == 27) {
    set(c, 0);
  } else if (c < 32) {
    set('A' + c - 1, kCtrlMask);  // Ctrl+letter characters
  } else if (c == 127) {
    set(8, kCtrlMask);
  } else if (c < 128) {
    static const char kShifted[] = ")!@#$%^&*(";
    for (int d = 0; d < 10; ++d)
      if (kShifted[d] == c) {
        set('0' + d, kShiftMask);
        return k;
      }
    static const struct {
      char plain, shifted;
      int code;
    } kOem[] = {{';', ':', 186},  {'=', '+', 187}, {',', '<', 188}, {'-', '_', 189},
                {'.', '>', 190},  {'/', '?', 191}, {'`', '~', 192}, {'[', '{', 219},
                {'\\', '|', 220}, {']', '}', 221}, {'\'', '"', 222}};
    for (const auto& o : kOem) {
      if (o.plain == static_cast<char>(c)) set(o.code, 0);
      if (o.shifted == static_cast<char>(c)) set(o.code, kShiftMask);
    }
  } else {
    // Latin-1 letters with diacritics, upper (192..221) and lower (224..253).
    static const char kBase[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYPsaaaaaaaceeeeiiiidnooooo/ouuuuypy";
    char base = c >= 192 ? kBase[c - 192] : 0;
    if (c == 0xC7 || c == 0xE7) {
      set(186, c == 0xC7 ? kShiftMask : 0);
    } else if (base >= 'A' && base <= 'Z' && c != 0xDE) {
      set(base, kShiftMask);
    } else if (base >= 'a' && base <= 'z' && c != 0xDF && c != 0xFE) {
      set(base - 'a' + 'A', 0);
    } else {
      set(223, 0);
    }
  }
  return k;
}

}  // namespace orvo
