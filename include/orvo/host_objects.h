// Small value objects that cross the host layer: colours, rectangles, fonts and pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "orvo/variant.h"

namespace orvo {

// A red-green-blue value with red in the low byte, or a system colour index with the top
// bit set (0x80000005 window background, 0x80000008 window text, 0x80000012 button text).
using Color = uint32_t;

inline constexpr Color kSystemColorBit = 0x80000000;
inline constexpr Color kSysWindowBackground = 0x80000005;
inline constexpr Color kSysWindowText = 0x80000008;
inline constexpr Color kSysHighlight = 0x8000000D;        // 13
inline constexpr Color kSysHighlightText = 0x8000000E;    // 14
inline constexpr Color kSysButtonFace = 0x8000000F;       // 15
inline constexpr Color kSysButtonText = 0x80000012;       // 18
inline constexpr Color kSysButtonShadow = 0x80000010;     // 16
inline constexpr Color kSysButtonHighlight = 0x80000014;  // 20
inline constexpr Color kSys3DDarkShadow = 0x80000015;     // 21
inline constexpr Color kSys3DLight = 0x80000016;          // 22

// Pixels, edges inclusive-exclusive as the platform's RECT.
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int32_t x = 0, y = 0;
};

// A font object, held by reference as the interface's font properties are.
class Font : public Object {
 public:
  std::string name = "MS Sans Serif";
  float size = 8.25f;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int16_t weight = 400;
  int16_t charset = 0;

  std::shared_ptr<Font> Clone() const { return std::make_shared<Font>(*this); }
  bool SameAs(const Font& o) const {
    return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
           underline == o.underline && strikethrough == o.strikethrough && weight == o.weight &&
           charset == o.charset;
  }
};
using FontRef = std::shared_ptr<Font>;

// A picture object: the library's glyphs are named pictures drawn by each host.
class Picture : public Object {
 public:
  explicit Picture(std::string name = {}) : name(std::move(name)) {}
  std::string name;  // "ellipsis", "dropdown", "check", "option-on", "option-off", or a file
  // The image itself as PNG bytes, when the picture carries one (a form file keeps them);
  // empty for the named glyphs the hosts draw.
  std::string png;
};
using PictureRef = std::shared_ptr<Picture>;

}  // namespace orvo
