// TextEditKeys: what a classic edit box does with a key the control leaves to it, as pure
// functions over an edit buffer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "base/key_codes.h"

namespace orvo {

// Text with a selection running from `anchor` to `caret` (character positions; a
// multi-line text holds CR LF line breaks, each two positions as in the classic box).
struct EditBuffer {
  std::string text;
  int32_t anchor = 0;
  int32_t caret = 0;

  int32_t SelStart() const { return std::min(anchor, caret); }
  int32_t SelLength() const { return std::abs(caret - anchor); }
  void Collapse(int32_t pos) { anchor = caret = pos; }
  void ReplaceSelection(const std::string& s) {
    int32_t start = SelStart();
    text.replace(start, SelLength(), s);
    Collapse(start + static_cast<int32_t>(s.size()));
  }
};

struct EditContext {
  bool multiLine = false;
  bool locked = false;
  int32_t maxLength = 0;  // 0: no limit
  std::function<std::string()> clipboardText;
  std::function<void(const std::string&)> setClipboardText;
};

namespace textedit {

inline int32_t LineStart(const std::string& t, int32_t pos) {
  while (pos > 0 && t[pos - 1] != '\n') --pos;
  return pos;
}
inline int32_t LineEnd(const std::string& t, int32_t pos) {
  int32_t n = static_cast<int32_t>(t.size());
  while (pos < n && t[pos] != '\r' && t[pos] != '\n') ++pos;
  return pos;
}
// One step left or right, treating CR LF as one step.
inline int32_t StepLeft(const std::string& t, int32_t pos) {
  if (pos <= 0) return 0;
  if (pos >= 2 && t[pos - 1] == '\n' && t[pos - 2] == '\r') return pos - 2;
  return pos - 1;
}
inline int32_t StepRight(const std::string& t, int32_t pos) {
  int32_t n = static_cast<int32_t>(t.size());
  if (pos >= n) return n;
  if (pos + 1 < n && t[pos] == '\r' && t[pos + 1] == '\n') return pos + 2;
  return pos + 1;
}

// Inserts typed text at the caret, cut to what the length limit leaves room for.
inline bool InsertTyped(EditBuffer& b, const std::string& s, const EditContext& ctx) {
  if (ctx.locked) return false;
  std::string piece = s;
  if (ctx.maxLength > 0) {
    int32_t room = ctx.maxLength - (static_cast<int32_t>(b.text.size()) - b.SelLength());
    if (room <= 0) return false;
    if (static_cast<int32_t>(piece.size()) > room) piece.resize(room);
  }
  if (piece.empty() && b.SelLength() == 0) return false;
  b.ReplaceSelection(piece);
  return true;
}

}  // namespace textedit

// A key going down: caret movement, selection, Delete. Returns true when the text changed.
inline bool ApplyEditKeyDown(EditBuffer& b, int16_t keyCode, int16_t shift,
                             const EditContext& ctx) {
  using namespace textedit;
  const bool extend = (shift & kShiftMask) != 0;
  const int32_t n = static_cast<int32_t>(b.text.size());
  auto moveTo = [&](int32_t pos) {
    if (extend)
      b.caret = pos;
    else
      b.Collapse(pos);
  };
  switch (keyCode) {
    case vk::kLeft:  // Left: a selection collapses to its start
      if (!extend && b.SelLength() > 0)
        b.Collapse(b.SelStart());
      else
        moveTo(StepLeft(b.text, b.caret));
      return false;
    case vk::kRight:  // Right
      if (!extend && b.SelLength() > 0)
        b.Collapse(b.SelStart() + b.SelLength());
      else
        moveTo(StepRight(b.text, b.caret));
      return false;
    case vk::kHome:  // Home
      moveTo(ctx.multiLine ? LineStart(b.text, b.caret) : 0);
      return false;
    case vk::kEnd:  // End
      moveTo(ctx.multiLine ? LineEnd(b.text, b.caret) : n);
      return false;
    case vk::kUp:      // Up
    case vk::kDown: {  // Down: same column on the neighbouring line
      if (!ctx.multiLine) return false;
      int32_t start = LineStart(b.text, b.caret);
      int32_t column = b.caret - start;
      int32_t target;
      if (keyCode == vk::kUp) {
        if (start == 0) return false;
        int32_t prevStart = LineStart(b.text, StepLeft(b.text, start));
        target = std::min(prevStart + column, LineEnd(b.text, prevStart));
      } else {
        int32_t end = LineEnd(b.text, b.caret);
        if (end >= n) return false;
        int32_t nextStart = StepRight(b.text, end);
        target = std::min(nextStart + column, LineEnd(b.text, nextStart));
      }
      moveTo(target);
      return false;
    }
    case vk::kDelete:  // Delete: the selection, else the character after the caret
      if (ctx.locked) return false;
      if (b.SelLength() == 0) {
        if (b.caret >= n) return false;
        b.anchor = StepRight(b.text, b.caret);
      }
      b.ReplaceSelection("");
      return true;
    default:
      return false;
  }
}

// A character: typed text, Backspace, the clipboard keys, Enter in a multi-line box.
// Returns true when the text changed. Other control characters do nothing.
inline bool ApplyEditChar(EditBuffer& b, int16_t keyAscii, const EditContext& ctx) {
  using namespace textedit;
  const unsigned code = static_cast<uint16_t>(keyAscii) & 0xFF;
  switch (code) {
    case vk::kBack:
      if (ctx.locked) return false;
      if (b.SelLength() == 0) {
        if (b.caret == 0) return false;
        b.anchor = StepLeft(b.text, b.caret);
      }
      b.ReplaceSelection("");
      return true;
    case 3:  // Ctrl+C
      if (b.SelLength() > 0 && ctx.setClipboardText)
        ctx.setClipboardText(b.text.substr(b.SelStart(), b.SelLength()));
      return false;
    case 24:  // Ctrl+X
      if (ctx.locked || b.SelLength() == 0) return false;
      if (ctx.setClipboardText) ctx.setClipboardText(b.text.substr(b.SelStart(), b.SelLength()));
      b.ReplaceSelection("");
      return true;
    case 22: {  // Ctrl+V: a single-line box keeps the first line only
      if (!ctx.clipboardText) return false;
      std::string s = ctx.clipboardText();
      if (!ctx.multiLine) s = s.substr(0, s.find_first_of("\r\n"));
      return InsertTyped(b, s, ctx);
    }
    case vk::kReturn:
      return ctx.multiLine && InsertTyped(b, "\r\n", ctx);
    default:
      if (code < 32 || code == 127) return false;
      return InsertTyped(b, std::string(1, static_cast<char>(code)), ctx);
  }
}

}  // namespace orvo
