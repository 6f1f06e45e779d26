// Painting the calendar page on its popup form: the month grid, the title, the weekday
// initials, the days, and the two month arrows. Pixels (the form's scale is set to pixels).
#pragma once

#include <cstdint>

#include "base/locale_settings.h"
#include "platform/popup_widgets.h"
#include "popups/calendar_page.h"

namespace orvo {

inline constexpr Color kCalendarBlack = 0x000000;
inline constexpr Color kCalendarWhite = 0xFFFFFF;
inline constexpr Color kCalendarDayColor = 0xFF0000;  // blue, red in the low byte

// Paints the whole page for `month` (PintaCalendario): sizes the form to the grid and returns
// the cells it used. Drawing errors are dropped, so a partly drawn page never stops the popup.
CalendarCells PaintCalendarPage(PopupForm& form, const CalendarMonth& month,
                                const LocaleSettings& locale, float twipsPerPixelX,
                                float twipsPerPixelY);

// One month arrow (DesenhaBotao): index 0 the previous month, 1 the next; state 0 raised,
// any other value pressed.
void DrawMonthArrow(PopupForm& form, CalendarCells cells, int16_t index, int16_t state);

}  // namespace orvo
