// Keys per second through the pure mask engine, FormatText per call, and the same typing
// through Qt's QLineEdit with the nearest Qt input masks, for a ratio measured in one run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <string>
#include <string_view>

#include "mask/apply_key.h"
#include "mask/compiled_mask.h"
#include "mask/format_text.h"

namespace {

using namespace orvo;

void TypeThroughEngine(benchmark::State& state, std::string_view mask, TipoDeCampo kind,
                       std::string_view keys, std::string_view expect) {
  const MaskCompilation mc = CompileMask(mask, kind, false, DateOrder::DayMonthYear);
  const MaskEnv env{mc.compiled, kind, ",", "."};
  EditState st;
  for (auto _ : state) {
    st.text.clear();
    st.selStart = 0;
    st.selLength = 0;
    st.maxLength = mc.maxLength;
    for (char k : keys) {
      KeyOutcome out = ApplyKey(env, st, static_cast<unsigned char>(k), 0);
      st.text = std::move(out.state.text);
      st.selStart = out.state.selStart;
    }
    benchmark::DoNotOptimize(st.text.data());
  }
  if (st.text != expect) state.SkipWithError("engine typed an unexpected text");
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}

void BM_EngineDate(benchmark::State& state) {
  TypeThroughEngine(state, "99/99/9999", TipoDeCampo::Date, "25122024", "25/12/2024");
}
void BM_EngineCode(benchmark::State& state) {
  TypeThroughEngine(state, "999.999.999-99", TipoDeCampo::Character, "12345678901",
                    "123.456.789-01");
}
void BM_EngineNumericRegrouping(benchmark::State& state) {
  TypeThroughEngine(state, "#.###.##0,00", TipoDeCampo::Numeric, "1234567,89", "1.234.567,89");
}
BENCHMARK(BM_EngineDate);
BENCHMARK(BM_EngineCode);
BENCHMARK(BM_EngineNumericRegrouping);

void BM_FormatTextNumeric(benchmark::State& state) {
  const CompiledMask compiled =
      CompileMask("#.##0,00", TipoDeCampo::Numeric, false, DateOrder::DayMonthYear).compiled;
  const FormatContext ctx{compiled, "#.##0,00", TipoDeCampo::Numeric, false, "", ",", "."};
  for (auto _ : state) benchmark::DoNotOptimize(FormatText(ctx, "1234,5"));
  state.SetItemsProcessed(state.iterations());
}
void BM_FormatTextCode(benchmark::State& state) {
  const CompiledMask compiled =
      CompileMask("99.999-999", TipoDeCampo::Character, false, DateOrder::DayMonthYear).compiled;
  const FormatContext ctx{compiled, "99.999-999", TipoDeCampo::Character, false, "0", ",", "."};
  for (auto _ : state) benchmark::DoNotOptimize(FormatText(ctx, "12345678"));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatTextNumeric);
BENCHMARK(BM_FormatTextCode);

QApplication& QtApplication() {
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "mask_bench";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

// The same keys one at a time through QLineEdit::insert under a Qt input mask.
void TypeThroughQt(benchmark::State& state, const char* inputMask, std::string_view keys,
                   const char* expect) {
  QtApplication();
  QLineEdit edit;
  edit.setInputMask(QString::fromLatin1(inputMask));
  for (auto _ : state) {
    edit.clear();
    edit.setCursorPosition(0);
    for (char k : keys) edit.insert(QString(QChar::fromLatin1(k)));
    benchmark::DoNotOptimize(edit.text().constData());
  }
  if (edit.text() != QString::fromLatin1(expect)) state.SkipWithError("Qt typed unexpectedly");
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}

void BM_QtDate(benchmark::State& state) {
  TypeThroughQt(state, "99/99/9999", "25122024", "25/12/2024");
}
void BM_QtCode(benchmark::State& state) {
  TypeThroughQt(state, "999.999.999-99", "12345678901", "123.456.789-01");
}
BENCHMARK(BM_QtDate);
BENCHMARK(BM_QtCode);

}  // namespace
