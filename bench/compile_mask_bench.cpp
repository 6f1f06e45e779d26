// CompileMask over typical masks of every kind, per compilation.
#include <benchmark/benchmark.h>

#include "mask/compiled_mask.h"

namespace {

using namespace orvo;

struct TypicalMask {
  const char* mask;
  TipoDeCampo kind;
};

const TypicalMask kMasks[] = {
    {"99/99/9999", TipoDeCampo::Date},
    {"dd/mmm/yyyy", TipoDeCampo::Date},
    {"", TipoDeCampo::Date},
    {"#.##0,00", TipoDeCampo::Numeric},
    {"999.999.999-99", TipoDeCampo::Character},
    {"(99) 9999-9999", TipoDeCampo::Character},
    {"@! AAA-9999", TipoDeCampo::Character},
    {"99:99", TipoDeCampo::Date},
};

void BM_CompileMask(benchmark::State& state) {
  const TypicalMask& m = kMasks[state.range(0)];
  for (auto _ : state)
    benchmark::DoNotOptimize(CompileMask(m.mask, m.kind, false, DateOrder::DayMonthYear));
  state.SetLabel(std::string(m.mask) + " kind " + std::to_string(static_cast<int>(m.kind)));
}

BENCHMARK(BM_CompileMask)->DenseRange(0, 7);

}  // namespace
