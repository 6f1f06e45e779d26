// The calendar's month grid against the standard library's calendar, and its hit testing.
#include "popups/calendar_page.h"

#include <gtest/gtest.h>

#include <chrono>

#include "base/error.h"
#include "host/core/core_popup_form.h"
#include "host/headless/headless_host.h"
#include "popups/calendar_paint.h"

namespace orvo {
namespace {

namespace chr = std::chrono;

// Every month from 1900 to 2100 as the page paints it: each day number printed in the column
// of its weekday and the row of its week, and a press where it was printed picks that day.
TEST(CalendarPage, DaysArePaintedWhereTheCalendarPutsThem) {
  HeadlessHost host;
  std::unique_ptr<PopupForm> form = host.Services().CreatePopupForm();
  auto& drawing = dynamic_cast<CorePopupForm&>(*form);
  form->Move(0, 0, 1720, 1545);
  for (int year = 1900; year <= 2100; ++year) {
    for (unsigned month = 1; month <= 12; ++month) {
      const CalendarMonth m = CalendarMonthOf(year, static_cast<int>(month));
      form->Cls();
      const CalendarCells cells = PaintCalendarPage(*form, m, LocaleSettings::PtBR(), 15, 15);
      const chr::year_month ym{chr::year{year}, chr::month{month}};
      const unsigned firstWeekday = chr::weekday{chr::sys_days{ym / 1}}.c_encoding();
      unsigned d = 0;
      for (const PopupDrawOp& op : drawing.Drawing()) {
        if (op.kind != PopupDrawOp::kText || op.color != kCalendarDayColor) continue;
        ++d;
        ASSERT_EQ(op.text, std::to_string(d));
        const chr::weekday wd{chr::sys_days{ym / chr::day{d}}};
        const int col = static_cast<int>(op.x1) / cells.width;
        const int row = static_cast<int>(op.y1) / cells.height;
        ASSERT_EQ(col, static_cast<int>(wd.c_encoding())) << year << "-" << month << "-" << d;
        ASSERT_EQ(row, 2 + static_cast<int>((d - 1 + firstWeekday) / 7)) << year << "-" << month;
        const CalendarHit hit = CalendarHitAt(m, cells, op.x1, op.y1);
        ASSERT_EQ(hit.kind, CalendarHit::kDay);
        ASSERT_EQ(hit.day, static_cast<int>(d));
      }
      const auto last = chr::year_month_day_last{ym.year(), chr::month_day_last{ym.month()}};
      ASSERT_EQ(d, static_cast<unsigned>(last.day())) << year << "-" << month;
    }
  }
}

TEST(CalendarPage, ClicksThatPickNothingOrTurnTheMonth) {
  const CalendarCells cells{24, 16};
  // June 2024 starts on a Saturday and has 30 days: it reaches the sixth day row.
  const CalendarMonth june = CalendarMonthOf(2024, 6);
  EXPECT_EQ(june.RowOf(30), 7);
  struct Click {
    float x, y;
    CalendarHit::Kind kind;
  } clicks[] = {
      {5, 5, CalendarHit::kPreviousMonth}, {150, 5, CalendarHit::kNextMonth},
      {80, 5, CalendarHit::kNothing},    // the title between the arrows
      {80, 20, CalendarHit::kNothing},   // the weekday row
      {10, 40, CalendarHit::kNothing},   // before the first
      {40, 120, CalendarHit::kNothing},  // after the last
  };
  for (const Click& c : clicks) EXPECT_EQ(CalendarHitAt(june, cells, c.x, c.y).kind, c.kind);
}

TEST(CalendarPage, MonthsCarryIntoTheYearWithinTheDateRange) {
  EXPECT_EQ(CalendarMonthAfter(CalendarMonthOf(2024, 1), -1).year, 2023);
  EXPECT_EQ(CalendarMonthAfter(CalendarMonthOf(2024, 1), -1).month, 12);
  EXPECT_EQ(CalendarMonthAfter(CalendarMonthOf(2024, 12), 1).month, 1);
  EXPECT_EQ(CalendarMonthOf(2024, 2).daysInMonth, 29);
  EXPECT_EQ(CalendarMonthAfter(CalendarMonthOf(100, 2), -1).month, 1);
  EXPECT_THROW(CalendarMonthAfter(CalendarMonthOf(100, 1), -1), Error);
  EXPECT_THROW(CalendarMonthAfter(CalendarMonthOf(9999, 12), 1), Error);
}

TEST(CalendarPage, CellsGrowToFillTheFormAndNeverVanish) {
  EXPECT_EQ(CalendarCellsFor(100, 80, 13, 11).height, 13);  // the font decides
  EXPECT_EQ(CalendarCellsFor(100, 80, 13, 11).width, 14);   // the form is wider: 100 \ 7
  EXPECT_EQ(CalendarCellsFor(0, 0, 0, 0).width, 1);
}

}  // namespace
}  // namespace orvo
