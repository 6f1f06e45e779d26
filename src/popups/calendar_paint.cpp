// The calendar page's drawing: grid, frame, raised cells, title, weekday initials, days.
#include "popups/calendar_paint.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/error.h"
#include "base/format.h"

namespace orvo {

namespace {

// Pixels between a two-digit day and its cell's lines, both sides together.
constexpr float kDayMargin = 6;

// Whole pixels as the classic integer conversion takes them: half to even.
int32_t Whole(float v) {
  return std::isfinite(v) ? static_cast<int32_t>(std::nearbyint(v)) : 0;
}

void PaintGrid(PopupForm& form, CalendarCells cells) {
  const int32_t cw = cells.width, ch = cells.height;
  for (int32_t i = 1; i <= 7; ++i) {
    form.Line(0, i * ch, 7 * cw, i * ch, kCalendarBlack);
    form.Line(i * cw, ch, i * cw, 8 * ch, kCalendarBlack);
  }
  const float w = form.ScaleWidth(), h = form.ScaleHeight();
  form.Line(0, 0, 0, h, kCalendarWhite);
  form.Line(0, 0, w, 0, kCalendarWhite);
  form.Line(0, h - 1, w - 1, h - 1, kCalendarBlack);
  form.Line(w - 1, 0, w - 1, h - 1, kCalendarBlack);
  // Every cell below the title looks raised: a white line along its top and its left.
  for (int32_t r = 1; r <= 7; ++r) {
    for (int32_t c = 0; c <= 6; ++c) {
      form.Line(c * cw + 1, r * ch + 1, (c + 1) * cw, r * ch + 1, kCalendarWhite);
      form.Line(c * cw + 1, r * ch + 1, c * cw + 1, (r + 1) * ch, kCalendarWhite);
    }
  }
}

void PaintTexts(PopupForm& form, const CalendarMonth& month, CalendarCells cells,
                const LocaleSettings& locale) {
  const int32_t cw = cells.width, ch = cells.height;
  const int32_t innerWidth = Whole(form.ScaleWidth());
  form.SetFontBold(true);
  const std::string title = Format(Variant::Date(month.first), "mmm/yyyy", locale);
  form.Print(static_cast<float>((innerWidth - Whole(form.TextWidth(title))) / 2),
             static_cast<float>((ch - Whole(form.TextHeight(title))) / 2), title, kCalendarBlack);
  const int32_t heightOfW = Whole(form.TextHeight("W"));
  const int32_t weekdayTop = ch + ((ch - 1) - heightOfW) / 2;
  static const char kMeasure[] = "DSTQQSS";  // only measured: the letters printed are the locale's
  for (int32_t c = 0; c <= 6; ++c) {
    const std::string initial = locale.weekdayAbbrevs[c].substr(0, 1);
    const int32_t width = Whole(form.TextWidth(std::string(1, kMeasure[c])));
    form.Print(static_cast<float>(c * cw + ((cw + 1) - width) / 2), static_cast<float>(weekdayTop),
               initial, kCalendarBlack);
  }
  form.SetFontBold(false);
  int32_t top = 2 * ch + (ch - Whole(form.TextHeight("W"))) / 2 + 1;
  for (int16_t d = 1; d <= month.daysInMonth; ++d) {
    const std::string text = std::to_string(d);
    const int32_t col = month.ColumnOf(d);
    form.Print(static_cast<float>(col * cw + ((cw + 3) - Whole(form.TextWidth(text))) / 2),
               static_cast<float>(top), text, kCalendarDayColor);
    if (col == 6) top += ch;
  }
}

}  // namespace

CalendarCells PaintCalendarPage(PopupForm& form, const CalendarMonth& month,
                                const LocaleSettings& locale, float twipsPerPixelX,
                                float twipsPerPixelY) {
  form.SetScaleModePixels(true);
  form.SetAutoRedraw(true);
  // A cell is at least as wide as a two-digit day with a margin inside its lines; the width
  // of "M" alone lets "28" touch them.
  const float narrowest = std::max(form.TextWidth("M"), form.TextWidth("00") + kDayMargin);
  CalendarCells cells =
      CalendarCellsFor(form.ScaleWidth(), form.ScaleHeight(), form.TextHeight("W"), narrowest);
  try {
    // The title and the day area are cleared; the grid lines are drawn over the rest.
    const float innerWidth = static_cast<float>(Whole(form.ScaleWidth()));
    const int32_t titleWidth = Whole(form.TextWidth("XXXX/0000"));
    const int32_t lineHeight = Whole(form.TextHeight("X"));
    const float titleLeft = static_cast<float>((Whole(innerWidth) - titleWidth) / 2);
    const float titleTop = static_cast<float>((cells.height - lineHeight) / 2);
    form.FillRect(titleLeft, titleTop, titleLeft + titleWidth, titleTop + lineHeight,
                  form.BackColor());
    form.FillRect(0, 2.0f * cells.height + 2, form.ScaleWidth(), form.ScaleHeight(),
                  form.BackColor());
    form.Move(form.Left(), form.Top(), 7.0f * cells.width * twipsPerPixelX + 15,
              8.0f * cells.height * twipsPerPixelY + 15);
    PaintGrid(form, cells);
    PaintTexts(form, month, cells, locale);
    form.Refresh();
  } catch (const Error&) {
    // A page drawn in part still serves: its cells are known.
  }
  return cells;
}

// A solid triangle in the arrow's cell, pointing left (index 0) or right (1), with the line
// that parts the cell from the title. Pressed, it moves a pixel right and down, as a pressed
// key's face does. The cell is cleared first: the arrow is drawn over itself on each press.
void DrawMonthArrow(PopupForm& form, CalendarCells cells, int16_t index, int16_t state) {
  const int32_t cw = cells.width, ch = cells.height;
  const int32_t left = index == 1 ? 6 * cw : 0;
  form.FillRect(static_cast<float>(left + 1), 1, static_cast<float>(left + cw - 1),
                static_cast<float>(ch), form.BackColor());
  const float parting = static_cast<float>(index == 1 ? left : cw);
  form.Line(parting, 0, parting, static_cast<float>(ch), kCalendarBlack);
  const int32_t half = std::max(1, std::min(cw, ch) / 3);  // rows above and below the tip
  const int32_t shift = state == 0 ? 0 : 1;
  const int32_t middle = ch / 2 + shift;
  const int32_t tip = left + (cw - half) / 2 + (index == 1 ? half : 0) + shift;
  for (int32_t k = 0; k <= half; ++k) {
    const auto x = static_cast<float>(index == 1 ? tip - k : tip + k);
    form.Line(x, static_cast<float>(middle - k), x, static_cast<float>(middle + k + 1),
              kCalendarBlack);
  }
}

}  // namespace orvo
