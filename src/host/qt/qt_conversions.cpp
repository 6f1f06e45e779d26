// Colours, fonts, text and keys between the library and Qt.
#include "host/qt/qt_conversions.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <cmath>

namespace orvo {

namespace {

float twipsPerPixel = 0;  // 0 until a screen is read

// Twips per pixel of a screen, 0 for none.
float TwipsPerPixelOf(const QScreen* screen) {
  const qreal dpi = screen ? screen->logicalDotsPerInch() : 0;
  return dpi > 0 ? static_cast<float>(1440.0 / dpi) : 0;
}

}  // namespace

void FollowScreenDpi(const QScreen* screen) {
  const float value = TwipsPerPixelOf(screen);
  if (value > 0) twipsPerPixel = value;
}

float QtTwipsPerPixel() {
  if (twipsPerPixel > 0) return twipsPerPixel;
  // Not cached before there is a screen: the application may not exist yet.
  const float primary = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                            ? TwipsPerPixelOf(QGuiApplication::primaryScreen())
                            : 0;
  if (primary <= 0) return 15;
  twipsPerPixel = primary;
  return primary;
}

QColor ToQColor(Color c) {
  if (!(c & kSystemColorBit)) return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  static const std::pair<Color, QPalette::ColorRole> kSystem[] = {
      {kSysWindowBackground, QPalette::Base}, {kSysWindowText, QPalette::Text},
      {kSysButtonFace, QPalette::Button},     {kSysButtonShadow, QPalette::Mid},
      {kSysButtonText, QPalette::ButtonText}, {kSysButtonHighlight, QPalette::Light},
      {kSys3DDarkShadow, QPalette::Shadow},   {kSys3DLight, QPalette::Midlight},
      {kSysHighlight, QPalette::Highlight},   {kSysHighlightText, QPalette::HighlightedText}};
  const QPalette pal = QApplication::palette();
  // The low byte is the system colour's index.
  for (const auto& [system, role] : kSystem)
    if ((c & 0xFF) == (system & 0xFF)) return pal.color(role);
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
    {Qt::Key_Return, vk::kReturn},   {Qt::Key_Enter, vk::kReturn},  {Qt::Key_Backspace, vk::kBack},
    {Qt::Key_Tab, vk::kTab},         {Qt::Key_Backtab, vk::kTab},   {Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, vk::kSpace},     {Qt::Key_PageUp, vk::kPrior},  {Qt::Key_PageDown, vk::kNext},
    {Qt::Key_End, vk::kEnd},         {Qt::Key_Home, vk::kHome},     {Qt::Key_Left, vk::kLeft},
    {Qt::Key_Up, vk::kUp},           {Qt::Key_Right, vk::kRight},   {Qt::Key_Down, vk::kDown},
    {Qt::Key_Insert, vk::kInsert},   {Qt::Key_Delete, vk::kDelete}, {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl}, {Qt::Key_Alt, vk::kMenu},
};

}  // namespace

constexpr KeyPair kKeypadKeys[] = {
    {Qt::Key_Asterisk, vk::kMultiply}, {Qt::Key_Plus, vk::kAdd},
    {Qt::Key_Minus, vk::kSubtract},    {Qt::Key_Period, vk::kDecimal},
    {Qt::Key_Comma, vk::kDecimal},     {Qt::Key_Slash, vk::kDivide},
};

int16_t VirtualKeyOf(int qtKey, const QString& text, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
      return static_cast<int16_t>(vk::kNumpad0 + qtKey - Qt::Key_0);
    for (const auto& k : kKeypadKeys)
      if (k.qt == qtKey) return k.vk;
  }
  for (const auto& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return static_cast<int16_t>(vk::kF1 + qtKey - Qt::Key_F1);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<int16_t>(qtKey);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<int16_t>(qtKey);
  if (!text.isEmpty() && text[0].unicode() < 256)
    return KeyStrokeForChar(static_cast<unsigned char>(text[0].unicode())).keyCode;
  return 0;
}

int16_t ShiftStateOf(Qt::KeyboardModifiers m) {
  int16_t s = 0;
  if (m & Qt::ShiftModifier) s |= kShiftMask;
  if (m & Qt::ControlModifier) s |= kCtrlMask;
  if (m & Qt::AltModifier) s |= kAltMask;
  return s;
}

int QtKeyOf(const KeyStroke& stroke) {
  if (stroke.keyCode == vk::kTab && (stroke.shift & kShiftMask)) return Qt::Key_Backtab;
  for (const auto& k : kKeys)
    if (k.vk == stroke.keyCode) return k.qt;
  if (stroke.keyCode >= vk::kF1 && stroke.keyCode <= vk::kF24)
    return Qt::Key_F1 + stroke.keyCode - vk::kF1;
  // Letters and digits have the same codes in both.
  if ((stroke.keyCode >= vk::kKeyA && stroke.keyCode <= vk::kKeyZ) ||
      (stroke.keyCode >= vk::kKey0 && stroke.keyCode <= vk::kKey9))
    return stroke.keyCode;
  // Punctuation and Latin-1 letters: the key of the character they type.
  if (stroke.keyAscii >= 32) return QChar(stroke.keyAscii & 0xFF).toUpper().unicode();
  return Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiersOf(int16_t shift) {
  Qt::KeyboardModifiers m;
  if (shift & kShiftMask) m |= Qt::ShiftModifier;
  if (shift & kCtrlMask) m |= Qt::ControlModifier;
  if (shift & kAltMask) m |= Qt::AltModifier;
  return m;
}

}  // namespace orvo
