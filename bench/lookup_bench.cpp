// The lookup field as a user meets it, in the Qt host (offscreen), over the generated
// customers on SQLite and PostgreSQL, as a table recordset on its name index and as a
// dynaset ordered by name, at 10,000, 100,000 and 1,000,000 rows (ORVO_BENCH_SIZES for others):
// - opening the list popup: the click on the browse button to the grid painted (preparing
//   the list, locating the field's record, reading the first page);
// - one key of type-to-search in the field (the record found shown in the field);
// - scrolling the open grid by one page, painted.
// Targets: opening under 20 ms, a key under 1 ms, a page under 5 ms, flat as the table grows.
// Peak resident memory is reported as the counter peak_MiB (target under 50 MiB).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QWidget>

#include "access/constituents.h"
#include "access/internals.h"
#include "bench_databases.h"
#include "orvo/orvo_mask.h"
#include "host/core/widget_node.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "popups/calend_form.h"
#include "qt_field.h"

namespace {

using namespace orvo;

enum Flavour { kTable = 0, kDynaset = 1 };

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A lookup field on code, listing name and city, bound to the customers of the benchmark's
// engine (range 0), size (range 1) and flavour (range 2); null when that engine has no server.
struct LookupField {
  explicit LookupField(benchmark::State& state)
      : field(TipoDeCampo::Character, ""),
        db(bench::BenchDatabase(static_cast<int>(state.range(0)), state.range(1))) {
    const int engine = static_cast<int>(state.range(0));
    const bool table = state.range(2) == kTable;
    state.SetLabel(std::string(bench::EngineName(engine)) + (table ? " table" : " dynaset"));
    if (!db) return;
    OrvoMask& c = field.control;
    c.SetBoundColumn("codigo");
    c.SetListFields("nome|cidade");
    c.SetRecordSource(table ? db->OpenTable("clientes", "ix_nome")
                            : db->OpenDynaset("SELECT * FROM clientes ORDER BY nome"));
    field.Show();
    QCoreApplication::processEvents();
  }
  OrvoMask& Control() { return field.control; }
  CalendForm& Popup() { return *CalendarForm(field.control); }
  QWidget* Painted(Widget& w) { return QtView::WidgetOf(*NodeOf(&w)); }
  void Close() {
    field.host.ActivateOutside();
    QCoreApplication::processEvents();
  }
  // One timed open: the button clicked to the painted list; closing it is not timed. False
  // when no list opened.
  bool OpenPaintedAndClose(benchmark::State& state, CommandButton& button) {
    field.host.Click(button);
    if (!Popup().Shown()) return false;
    Painted(Popup().Form())->repaint();
    state.PauseTiming();
    Close();
    // The button does not reopen a popup it closed within four seconds.
    field.host.AdvanceClock(5);
    state.ResumeTiming();
    return true;
  }

  bench::QtField field;
  DatabaseRef db;
};

void BM_LookupOpen(benchmark::State& state) {
  LookupField f(state);
  if (!f.db) return state.SkipWithError("no PostgreSQL server: set ORVO_PG");
  f.Control().SetValue(Variant(int32_t{static_cast<int32_t>(state.range(1) / 2)}));
  CommandButton& button = *Constituents(f.Control()).bot;
  const int64_t trips = bench::RoundTrips(f.db);
  for (auto _ : state)
    if (!f.OpenPaintedAndClose(state, button))
      return state.SkipWithError("the button opened no list");
  bench::CountRoundTrips(state, f.db, trips);  // closing, too
  state.counters["peak_MiB"] = PeakMiB();
}

// A list bound afresh and opened at once, as on a form just loaded: a new recordset given
// to the field, then the click to the painted grid. Nothing the recordset learnt before
// (a count, a page) helps.
void BM_LookupBindAndOpen(benchmark::State& state) {
  LookupField f(state);
  if (!f.db) return state.SkipWithError("no PostgreSQL server: set ORVO_PG");
  OrvoMask& c = f.Control();
  const bool table = state.range(2) == kTable;
  c.SetValue(Variant(int32_t{static_cast<int32_t>(state.range(1) / 2)}));
  CommandButton& button = *Constituents(c).bot;
  for (auto _ : state) {
    c.SetRecordSource(table ? f.db->OpenTable("clientes", "ix_nome")
                            : f.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome"));
    if (!f.OpenPaintedAndClose(state, button))
      return state.SkipWithError("the button opened no list");
  }
  state.counters["peak_MiB"] = PeakMiB();
}

// One character typed into the field: the search from the start, as the first key of a name.
void BM_LookupSearchKey(benchmark::State& state) {
  LookupField f(state);
  if (!f.db) return state.SkipWithError("no PostgreSQL server: set ORVO_PG");
  OrvoMask& c = f.Control();
  const char keys[] = {'M', 'C', 'J', 'P'};
  size_t i = 0;
  const int64_t trips = bench::RoundTrips(f.db);
  for (auto _ : state) {
    c.ListBoxSearch.clear();
    int16_t index = 0;
    int16_t key = keys[i++ % 4];
    c.ProcuraLetra(index, key);
  }
  if (c.Text().empty()) state.SkipWithError("the search found nothing");
  bench::CountRoundTrips(state, f.db, trips);
  state.counters["peak_MiB"] = PeakMiB();
}

// The open grid scrolled a page down, then a page back up, each painted.
void BM_LookupPage(benchmark::State& state) {
  LookupField f(state);
  if (!f.db) return state.SkipWithError("no PostgreSQL server: set ORVO_PG");
  f.Control().SetValue(Variant(int32_t{static_cast<int32_t>(state.range(1) / 2)}));
  f.field.host.Click(*Constituents(f.Control()).bot);
  if (!f.Popup().Shown()) return state.SkipWithError("the button opened no list");
  DataGrid& grid = f.Popup().Grid();
  QWidget* painted = f.Painted(grid);
  int16_t step = 8;
  for (auto _ : state) {
    grid.Scroll(0, step);
    painted->repaint();
    step = static_cast<int16_t>(-step);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["peak_MiB"] = PeakMiB();
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{0, 1}, bench::BenchSizes(), {kTable, kDynaset}})
      ->ArgNames({"pg", "rows", "dynaset"})
      ->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_LookupOpen)->Apply(Sizes);
BENCHMARK(BM_LookupBindAndOpen)->Apply(Sizes);
BENCHMARK(BM_LookupSearchKey)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookupPage)->Apply(Sizes);

}  // namespace
