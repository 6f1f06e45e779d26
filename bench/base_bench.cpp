// Base routines per call: Format pictures, date and number reading, number to text.
#include <benchmark/benchmark.h>

#include "base/dates.h"
#include "base/format.h"
#include "base/locale_settings.h"
#include "base/number_text.h"

namespace {

using namespace orvo;

const LocaleSettings kBr = LocaleSettings::PtBR();

void BM_FormatNumber(benchmark::State& s) {
  for (auto _ : s) benchmark::DoNotOptimize(Format(Variant(1234567.891), "#,##0.00", kBr));
}
void BM_FormatDate(benchmark::State& s) {
  for (auto _ : s)
    benchmark::DoNotOptimize(Format(Variant::Date(45651.57), "dd/mm/yyyy hh:mm:ss", kBr));
}
void BM_FormatDateText(benchmark::State& s) {
  for (auto _ : s) benchmark::DoNotOptimize(Format(Variant("25/12/2024"), "dd/mm/yyyy", kBr));
}
void BM_ParseDate(benchmark::State& s) {
  for (auto _ : s) benchmark::DoNotOptimize(ParseDateText("25/dez/2024 13:45:00", kBr));
}
void BM_ReadNumber(benchmark::State& s) {
  for (auto _ : s) benchmark::DoNotOptimize(ReadNumberText("-1.234.567,891", kBr));
}
void BM_ToText(benchmark::State& s) {
  for (auto _ : s) benchmark::DoNotOptimize(ToText(Variant(1234.5678), kBr));
}

BENCHMARK(BM_FormatNumber);
BENCHMARK(BM_FormatDate);
BENCHMARK(BM_FormatDateText);
BENCHMARK(BM_ParseDate);
BENCHMARK(BM_ReadNumber);
BENCHMARK(BM_ToText);

}  // namespace
