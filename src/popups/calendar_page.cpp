// The calendar's month grid: cell size, day cells and hit testing.
#include "popups/calendar_page.h"

#include <algorithm>
#include <cmath>

#include "base/dates.h"
#include "base/error.h"

namespace orvo {

namespace {

// Sizes reach whole pixels as the classic integer conversion takes them: half to even.
int32_t Whole(float v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int32_t>(std::nearbyint(std::clamp(v, -32768.0f, 32767.0f)));
}

}  // namespace

CalendarCells CalendarCellsFor(float innerWidth, float innerHeight, float heightOfW,
                               float widthOfM) {
  int32_t height = Whole(heightOfW);
  if (8 * height < Whole(innerHeight)) height = Whole(innerHeight) / 8;
  int32_t width = Whole(widthOfM);
  if (7 * width < Whole(innerWidth)) width = Whole(innerWidth) / 7;
  // A font that measures nothing still leaves cells a click can be divided by.
  return {static_cast<int16_t>(std::max(width, 1)), static_cast<int16_t>(std::max(height, 1))};
}

CalendarMonth CalendarMonthOf(int year, int month) {
  if (!IsValidDate(year, month, 1))
    RaiseError(err::kInvalidProcedureCall,
               "no calendar month " + std::to_string(month) + "/" + std::to_string(year));
  CalendarMonth m;
  m.year = static_cast<int16_t>(year);
  m.month = static_cast<int16_t>(month);
  m.first = DateSerial(year, month, 1);
  m.firstColumn = static_cast<int16_t>(Weekday(m.first) - 1);
  m.daysInMonth = static_cast<int16_t>(DaysInMonth(year, month));
  m.monthEnd = m.first + m.daysInMonth - 1;
  return m;
}

CalendarMonth CalendarMonthAfter(const CalendarMonth& shown, int delta) {
  int index = shown.year * 12 + (shown.month - 1) + delta;
  return CalendarMonthOf(index / 12, index % 12 + 1);
}

CalendarHit CalendarHitAt(const CalendarMonth& shown, CalendarCells cells, float x, float y) {
  const int32_t row = Whole(y) / std::max<int16_t>(cells.height, 1);
  const int32_t col = Whole(x) / std::max<int16_t>(cells.width, 1);
  if (row == 0 && col == 0) return {CalendarHit::kPreviousMonth};
  if (row == 0 && col == 6) return {CalendarHit::kNextMonth};
  const int32_t day = (col + 1) - shown.firstColumn + (row - 2) * 7;
  if (col < 0 || col > 6 || day < 1 || day > shown.daysInMonth) return {CalendarHit::kNothing};
  return {CalendarHit::kDay, static_cast<int16_t>(day)};
}

}  // namespace orvo
