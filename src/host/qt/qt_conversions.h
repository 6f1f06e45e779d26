// Conversions between the library's values and Qt's: colours, fonts, Latin-1 text, keys.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "base/key_strokes.h"
#include "platform/host_objects.h"

class QScreen;

namespace orvo {

// Twips per pixel of the screen the form's window stands on, from its logical dots per inch:
// 15 at 96 dpi, 12 at 120. Every conversion between twips and pixels in the Qt host goes
// through it. Qt keeps one logical dpi for both directions, so one value serves across and
// down. Until a window follows a screen, the primary screen's; 15 before there is a screen.
// One value serves the process: forms on two screens of different dpi share the last one
// followed.
float QtTwipsPerPixel();
// Follows `screen`'s dpi (nothing when it is null or reports none).
void FollowScreenDpi(const QScreen* screen);

inline int ToPixels(float twips) {
  return static_cast<int>(std::lround(twips / QtTwipsPerPixel()));
}

// Red in the low byte; system colours by index.
QColor ToQColor(Color c);
QFont ToQFont(const Font* font);
inline QString FromLatin1(const std::string& s) {
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
// Characters beyond Latin-1 become '?'.
std::string ToLatin1(const QString& s);

// The virtual-key code of a Qt key (0 when it has none), and the stroke of a key event.
// The virtual key of a Qt key; on the numeric keypad its digits and operators have keys of
// their own.
int16_t VirtualKeyOf(int qtKey, const QString& text, Qt::KeyboardModifiers modifiers = {});
int16_t ShiftStateOf(Qt::KeyboardModifiers modifiers);
// The Qt key and modifiers that stand for a stroke.
int QtKeyOf(const KeyStroke& stroke);
Qt::KeyboardModifiers QtModifiersOf(int16_t shift);

}  // namespace orvo
