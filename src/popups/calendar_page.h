// CalendarPage: the month grid of the calendar popup as values: cell size, where each day
// stands, and what a click at a point means. Pixels throughout.
//
// Grid: 7 columns by 8 rows from the top left: row 0 the title with the previous-month arrow
// in column 0 and the next-month arrow in column 6, row 1 the weekday initials (Sunday
// first), rows 2..7 the days, one week a row, the first day in its weekday's column.
#pragma once

#include <cstdint>

namespace orvo {

struct CalendarCells {
  int16_t width = 0;
  int16_t height = 0;
};

// The cell size for a form of the given inner size: at least the height of "W" and the
// width of "M" in the form's font; larger when the form is larger, so the cells fill it.
CalendarCells CalendarCellsFor(float innerWidth, float innerHeight, float heightOfW,
                               float widthOfM);

struct CalendarMonth {
  int16_t year = 0;
  int16_t month = 0;        // 1..12
  int16_t firstColumn = 0;  // weekday of the first, 0 = Sunday
  int16_t daysInMonth = 0;
  double first = 0;     // serial of the first of the month
  double monthEnd = 0;  // serial of its last day

  // The cell of day 1..daysInMonth: row 2..7, column 0..6.
  int16_t RowOf(int16_t day) const { return static_cast<int16_t>(2 + (firstColumn + day - 1) / 7); }
  int16_t ColumnOf(int16_t day) const { return static_cast<int16_t>((firstColumn + day - 1) % 7); }
};

// Raises orvo::Error 5 outside the years 100..9999.
CalendarMonth CalendarMonthOf(int year, int month);
// The month `delta` months away, carrying into the year (January - 1 is December before).
// Raises orvo::Error 5 when that leaves the years 100..9999.
CalendarMonth CalendarMonthAfter(const CalendarMonth& shown, int delta);

struct CalendarHit {
  enum Kind { kNothing, kPreviousMonth, kNextMonth, kDay } kind = kNothing;
  int16_t day = 0;  // with kDay
};

// What a mouse press at (x, y) picks: an arrow of the title row, a day, or nothing (the title
// between the arrows, the weekday row, the empty cells before the first and after the last).
CalendarHit CalendarHitAt(const CalendarMonth& shown, CalendarCells cells, float x, float y);

}  // namespace orvo
