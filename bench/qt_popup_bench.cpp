// Opening a drop-down in the Qt host: from the click on the browse button to the popup window
// painted on the screen (offscreen platform), for the calendar of a Date field and the
// calculator of a Numeric field. Closing it again is not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "access/constituents.h"
#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "access/internals.h"
#include "host/core/widget_node.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"
#include "qt_field.h"

namespace {

using namespace orvo;

PopupForm* OpenPopup(OrvoMask& control) {
  if (CalendForm* calendar = CalendarForm(control); calendar && calendar->Shown())
    return &calendar->Form();
  if (CalcForm* calc = SharedCalculator(); calc && calc->Form().Visible())
    return &calc->Form();
  return nullptr;
}

void OpenDropDown(benchmark::State& state, TipoDeCampo kind, const char* mask, const char* text) {
  bench::QtField field(kind, mask);
  QtHost& host = field.host;
  OrvoMask& control = field.control;
  control.SetBrowseVisible(TipoBot::DropDown);
  control.SetText(text);
  field.Show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    host.Click(*Constituents(control).bot);
    PopupForm* popup = OpenPopup(control);
    QWidget* window = popup ? QtView::WidgetOf(*NodeOf(popup)) : nullptr;
    if (!window) return state.SkipWithError("the button opened no popup window");
    window->repaint();
    state.PauseTiming();
    host.ActivateOutside();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_QtOpenCalendar(benchmark::State& s) {
  OpenDropDown(s, TipoDeCampo::Date, "99/99/9999", "15/03/2024");
}
void BM_QtOpenCalculator(benchmark::State& s) {
  OpenDropDown(s, TipoDeCampo::Numeric, "#.##0,00", "1.234,50");
}
BENCHMARK(BM_QtOpenCalendar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtOpenCalculator)->Unit(benchmark::kMillisecond);

}  // namespace
