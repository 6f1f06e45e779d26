// The calendar form in the headless host: what stays drawn on it as the user pages months.
#include "popups/calend_form.h"

#include <gtest/gtest.h>

#include "host/core/core_popup_form.h"
#include "host/headless/headless_host.h"
#include "recording_owner.h"

namespace orvo {
namespace {

// The form keeps its drawing between paints; paging must not pile page on page.
TEST(CalendForm, PagingMonthsKeepsOnePageOfDrawing) {
  HeadlessHost host;
  RecordingOwner owner;
  owner.text = "15/02/2024";
  CalendForm form(host.Services());
  form.Form().Show(false);
  form.IniciaCale(owner, 0, LocaleSettings::PtBR());
  auto& drawn = static_cast<CorePopupForm&>(form.Form());
  const size_t onePage = drawn.Drawing().size();
  form.DesenhaBotao(0, 0);
  const size_t oneArrow = drawn.Drawing().size() - onePage;
  const CalendarCells cells = form.Cells();
  const float nextX = (6 * cells.width + 2) * 15.0f, nextY = 2 * 15.0f;
  for (int i = 0; i < 24; ++i) host.Click(form.Form(), nextX, nextY);
  EXPECT_EQ(form.ShownMonth().year, 2026);
  EXPECT_EQ(form.ShownMonth().month, 2);
  EXPECT_LE(drawn.Drawing().size(), onePage + 2 * oneArrow);  // the arrows once more at most
}

}  // namespace
}  // namespace orvo
