// Colours, fonts, text and keys between the library and Qt.
#include "host/qt/qt_conversions.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

namespace orvo {

QColor ToQColor(Color c) {
  if (!(c & 0x80000000u)) return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  static const std::pair<uint32_t, QPalette::ColorRole> kSystem[] = {
      {5, QPalette::Base},    {8, QPalette::Text},        {15, QPalette::Button},
      {16, QPalette::Mid},    {18, QPalette::ButtonText}, {20, QPalette::Light},
      {21, QPalette::Shadow}, {22, QPalette::Midlight}};
  const QPalette pal = QApplication::palette();
  for (const auto& [index, role] : kSystem)
    if ((c & 0xFF) == index) return pal.color(role);
  return pal.color(QPalette::Window);
}

QFont ToQFont(const Font* font) {
  QFont f;
  if (!font) return f;
  f.setFamily(FromLatin1(font->name));
  f.setPointSizeF(font->size > 0 ? font->size : 8.25);
  f.setBold(font->bold);
  f.setItalic(font->italic);
  f.setUnderline(font->underline);
  f.setStrikeOut(font->strikethrough);
  return f;
}

std::string ToLatin1(const QString& s) {
  std::string out;
  out.reserve(s.size());
  for (QChar c : s) out.push_back(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
  return out;
}

namespace {

struct KeyPair {
  int qt;
  int16_t vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},  {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},   {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},    {Qt::Key_Home, 36},     {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},  {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},   {Qt::Key_Shift, 16},  {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
};

}  // namespace

int16_t VirtualKeyOf(int qtKey, const QString& text) {
  for (const auto& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return static_cast<int16_t>(112 + qtKey - Qt::Key_F1);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<int16_t>(qtKey);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<int16_t>(qtKey);
  if (!text.isEmpty() && text[0].unicode() < 256)
    return KeyStrokeForChar(static_cast<unsigned char>(text[0].unicode())).keyCode;
  return 0;
}

int16_t ShiftStateOf(Qt::KeyboardModifiers m) {
  int16_t s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

int QtKeyOf(const KeyStroke& stroke) {
  if (stroke.keyCode == 9 && (stroke.shift & 1)) return Qt::Key_Backtab;
  for (const auto& k : kKeys)
    if (k.vk == stroke.keyCode) return k.qt;
  if (stroke.keyCode >= 112 && stroke.keyCode < 136) return Qt::Key_F1 + stroke.keyCode - 112;
  if ((stroke.keyCode >= 'A' && stroke.keyCode <= 'Z') ||
      (stroke.keyCode >= '0' && stroke.keyCode <= '9'))
    return stroke.keyCode;
  // Punctuation and Latin-1 letters: the key of the character they type.
  if (stroke.keyAscii >= 32) return QChar(stroke.keyAscii & 0xFF).toUpper().unicode();
  return Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiersOf(int16_t shift) {
  Qt::KeyboardModifiers m;
  if (shift & 1) m |= Qt::ShiftModifier;
  if (shift & 2) m |= Qt::ControlModifier;
  if (shift & 4) m |= Qt::AltModifier;
  return m;
}

}  // namespace orvo
