// Memory per field: a shown form of 1,000 date fields of the control in the Qt host against
// a shown window of 1,000 QLineEdits with the same input mask, offscreen. The counters are
// the heap (malloc's bytes in use) and the resident memory the full form takes beyond the
// same form empty, divided by the fields, and the QWidgets per field (all, and those shown).
// Target: within 2x of the QLineEdit's heap.
//   build/bench/qt_memory_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "orvo/orvo_mask.h"
#include "host/qt/qt_host.h"

namespace {

using namespace orvo;

constexpr int kFields = 1000;

QtHost& Application() {
  static QtHost host;  // the QApplication, for both sides
  return host;
}

struct Usage {
  double heap = 0;      // bytes malloc has handed out and not had back
  double resident = 0;  // bytes
  static Usage Now() {
    Usage u;
    const struct mallinfo2 info = mallinfo2();
    u.heap = static_cast<double>(info.uordblks + info.hblkhd);
    std::ifstream statm("/proc/self/statm");
    long pages = 0, residentPages = 0;
    statm >> pages >> residentPages;
    u.resident = static_cast<double>(residentPages) * 4096;
    return u;
  }
};

// A window of 1600 x 1200 pixels holding `fields` fields, ten a row, 150 x 22 pixels each,
// shown and painted; torn down at the end of `measure`.
using Build = void (*)(int fields, const std::function<void()>& measure);

// The QWidgets of the last form built, and those of them shown.
qsizetype widgets = 0, shownWidgets = 0;

void OurForm(int fields, const std::function<void()>& measure) {
  auto host = std::make_unique<QtHost>();
  std::vector<std::unique_ptr<OrvoMask>> controls;
  controls.reserve(fields);
  constexpr float kTwips = 15;
  for (int i = 0; i < fields; ++i) {
    ControlSite& site = host->CreateSite("campo" + std::to_string(i));
    controls.push_back(std::make_unique<OrvoMask>(site));
    host->RegisterControl(site, controls.back().get());
    controls.back()->SetDataType(TipoDeCampo::Date);
    controls.back()->SetMask("99/99/9999");
    host->PlaceControl(site, (i % 10) * 160 * kTwips, (i / 10) * 24 * kTwips, 150 * kTwips,
                       22 * kTwips);
  }
  host->ShowForm();
  host->FormWidget()->resize(1600, 1200);
  QCoreApplication::processEvents();
  widgets = shownWidgets = 0;
  for (QWidget* w : host->FormWidget()->findChildren<QWidget*>()) {
    ++widgets;
    if (w->isVisibleTo(host->FormWidget())) ++shownWidgets;
  }
  measure();
  controls.clear();
  host.reset();
  QCoreApplication::processEvents();
}

void QtForm(int fields, const std::function<void()>& measure) {
  widgets = shownWidgets = fields;
  auto window = std::make_unique<QWidget>();
  window->resize(1600, 1200);
  for (int i = 0; i < fields; ++i) {
    auto* edit = new QLineEdit(window.get());
    edit->setInputMask("99/99/9999");
    edit->setGeometry((i % 10) * 160, (i / 10) * 24, 150, 22);
  }
  window->show();
  QCoreApplication::processEvents();
  measure();
  window.reset();
  QCoreApplication::processEvents();
}

// What a form of kFields fields takes beyond the same form empty, per field.
void PerField(benchmark::State& state, Build build) {
  Application();
  QCoreApplication::processEvents();
  build(0, [] {});  // the first window's one-off costs (fonts, styles) out of the way
  double heap = 0, resident = 0;
  for (auto _ : state) {
    Usage used[2];
    for (int full = 0; full < 2; ++full) {
      malloc_trim(0);
      const Usage before = Usage::Now();
      build(full ? kFields : 0, [&] {
        const Usage after = Usage::Now();
        used[full] = {after.heap - before.heap, after.resident - before.resident};
      });
    }
    heap = (used[1].heap - used[0].heap) / kFields;
    resident = (used[1].resident - used[0].resident) / kFields;
  }
  state.counters["heap_bytes_per_field"] = heap;
  state.counters["rss_bytes_per_field"] = resident;
  state.counters["qwidgets_per_field"] = static_cast<double>(widgets) / kFields;
  state.counters["shown_qwidgets_per_field"] = static_cast<double>(shownWidgets) / kFields;
}

void BM_OurFieldsMemory(benchmark::State& state) {
  PerField(state, OurForm);
}
void BM_QLineEditsMemory(benchmark::State& state) {
  PerField(state, QtForm);
}

BENCHMARK(BM_OurFieldsMemory)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QLineEditsMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
