// Benchmarks of a control bound to a table of generated customers: binding, and Pesquisa
// through filter ranges (first, last, steps, a page of the list), each on SQLite and on
// PostgreSQL, on 10,000 and 1,000,000 rows (the tables the engine's benchmarks share, see
// bench_databases.h). Targets: binding and a page under 20 ms; each Pesquisa under 1 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/error.h"
#include "bench_databases.h"
#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace {

using namespace orvo;

// One lookup field on a headless form, bound to `clientes` under `index`, with `filter`.
struct BoundField {
  BoundField(DatabaseRef database, const std::string& index, const std::string& filter)
      : db(std::move(database)) {
    ControlSite& site = host.CreateSite("c");
    control = std::make_unique<OrvoMask>(site);
    host.RegisterControl(site, control.get());
    MemoryPropertyBag bag;
    control->UserControl_ReadProperties(bag);
    control->SetBoundColumn("codigo");
    control->SetListFields("nome|cidade|uf");
    control->SetFilter(filter);
    control->SetRecordSource(db->OpenTable("clientes", index));
  }
  void Pesquisa(int16_t oq) { control->Pesquisa(oq); }
  Recordset& Rs() { return *control->gRsLista; }

  DatabaseRef db;
  HeadlessHost host;
  std::unique_ptr<OrvoMask> control;
};

// The filters: a wide one-part range (every customer of a state, tens of thousands) and a
// narrow two-part range on a descending index (one type and number, about 500).
struct FilterCase {
  const char* index;
  const char* filter;
};
const FilterCase kFilters[] = {
    {"ix_uf_cidade", "uf = 'SP'"},
    {"ix_tipo_num", "[tipo] = 'F' AND num = 500"},
};

// The benchmark's database: engine (range 1) and size (range 2); null, and the benchmark
// skipped, when the engine has no server here.
DatabaseRef BenchDb(benchmark::State& state) {
  const int engine = static_cast<int>(state.range(1));
  auto db = bench::BenchDatabase(engine, state.range(2));
  state.SetLabel(std::string(bench::EngineName(engine)) + " " + kFilters[state.range(0)].filter);
  if (!db) state.SkipWithError("no PostgreSQL server: set ORVO_PG (or ORVO_BENCH_PG)");
  return db;
}

void BM_BindTable(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, f.filter);
  for (auto _ : state) {
    field.control->SetRecordSource(db->OpenTable("clientes", f.index));
    benchmark::DoNotOptimize(field.control->IndexBound());
  }
}

void BM_PesquisaFirst(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, f.filter);
  for (auto _ : state) {
    field.Pesquisa(1);
    benchmark::DoNotOptimize(field.Rs().EOF_());
  }
}

void BM_PesquisaLast(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, f.filter);
  for (auto _ : state) {
    field.Pesquisa(4);
    benchmark::DoNotOptimize(field.Rs().BOF());
  }
}

// One step forwards inside the range; at its end the walk starts again from the first.
void BM_PesquisaNext(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, f.filter);
  field.Pesquisa(1);
  for (auto _ : state) {
    field.Pesquisa(3);
    if (field.Rs().EOF_()) field.Pesquisa(1);
  }
}

void BM_PesquisaPrevious(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, f.filter);
  field.Pesquisa(4);
  for (auto _ : state) {
    field.Pesquisa(2);
    if (field.Rs().BOF()) field.Pesquisa(4);
  }
}

// What the list asks for a page: the first record of the range and the seven after it,
// each checked and its listed fields read.
void BM_ListPage(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, f.filter);
  for (auto _ : state) {
    field.Pesquisa(1);
    for (int row = 0; row < 8 && !field.Rs().EOF_(); ++row) {
      benchmark::DoNotOptimize(field.control->RegistroOk());
      benchmark::DoNotOptimize(field.Rs().Fields("nome").Value());
      benchmark::DoNotOptimize(field.Rs().Fields("cidade").Value());
      field.Pesquisa(3);
    }
  }
}

void BM_SetFilter(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  DatabaseRef db = BenchDb(state);
  if (!db) return;
  BoundField field(db, f.index, "");
  for (auto _ : state) field.control->SetFilter(f.filter);
}

BENCHMARK(BM_BindTable)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PesquisaFirst)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PesquisaLast)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PesquisaNext)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PesquisaPrevious)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPage)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetFilter)
    ->ArgsProduct({{0, 1}, {0, 1}, {10000, 1000000}})
    ->ArgNames({"filter", "pg", "rows"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
