// Benchmarks of a control bound to a table of 1,000,000 generated customers: binding, and
// Pesquisa through filter ranges (first, last, steps, a page of the list).
// The table is written once to $ORVO_BENCH_DB (default /tmp/orvo_bench_clientes_1m.db, the
// file the engine's benchmarks share) and reused by later runs. Targets: binding and a page
// under 20 ms; each Pesquisa under 1 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/error.h"
#include "control/orvo_mask.h"
#include "platform/property_bag.h"
#include "db/sqlite/sample_data.h"
#include "db/sqlite/sqlite_database.h"
#include "host/headless/headless_host.h"

namespace {

using namespace orvo;

constexpr int64_t kRows = 1000000;

DatabaseRef& Database() {
  static DatabaseRef db = [] {
    const char* env = std::getenv("ORVO_BENCH_DB");
    const std::string path = env && *env ? env : "/tmp/orvo_bench_clientes_1m.db";
    bool ready = false;
    if (std::filesystem::exists(path)) {
      try {
        ready = SqliteDatabase::Open(path)->OpenTable("clientes")->RecordCount() == kRows;
      } catch (const Error&) {
      }
    }
    if (!ready) {
      std::fprintf(stderr, "binding_bench: writing %lld customers to %s\n",
                   static_cast<long long>(kRows), path.c_str());
      CreateCustomerDatabase(path, kRows, 1);
    }
    return SqliteDatabase::Open(path);
  }();
  return db;
}

// One lookup field on a headless form, bound to `clientes` under `index`, with `filter`.
struct BoundField {
  BoundField(const std::string& index, const std::string& filter) {
    ControlSite& site = host.CreateSite("c");
    control = std::make_unique<OrvoMask>(site);
    host.RegisterControl(site, control.get());
    MemoryPropertyBag bag;
    control->UserControl_ReadProperties(bag);
    control->SetBoundColumn("codigo");
    control->SetListFields("nome|cidade|uf");
    control->SetFilter(filter);
    control->SetRecordSource(Database()->OpenTable("clientes", index));
  }
  void Pesquisa(int16_t oq) { control->Pesquisa(oq); }
  Recordset& Rs() { return *control->gRsLista; }

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

void Label(benchmark::State& state) {
  state.SetLabel(kFilters[state.range(0)].filter);
}

void BM_BindTable(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, f.filter);
  for (auto _ : state) {
    field.control->SetRecordSource(Database()->OpenTable("clientes", f.index));
    benchmark::DoNotOptimize(field.control->IndexBound());
  }
  Label(state);
}

void BM_PesquisaFirst(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, f.filter);
  for (auto _ : state) {
    field.Pesquisa(1);
    benchmark::DoNotOptimize(field.Rs().EOF_());
  }
  Label(state);
}

void BM_PesquisaLast(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, f.filter);
  for (auto _ : state) {
    field.Pesquisa(4);
    benchmark::DoNotOptimize(field.Rs().BOF());
  }
  Label(state);
}

// One step forwards inside the range; at its end the walk starts again from the first.
void BM_PesquisaNext(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, f.filter);
  field.Pesquisa(1);
  for (auto _ : state) {
    field.Pesquisa(3);
    if (field.Rs().EOF_()) field.Pesquisa(1);
  }
  Label(state);
}

void BM_PesquisaPrevious(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, f.filter);
  field.Pesquisa(4);
  for (auto _ : state) {
    field.Pesquisa(2);
    if (field.Rs().BOF()) field.Pesquisa(4);
  }
  Label(state);
}

// What the list asks for a page: the first record of the range and the seven after it,
// each checked and its listed fields read.
void BM_ListPage(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, f.filter);
  for (auto _ : state) {
    field.Pesquisa(1);
    for (int row = 0; row < 8 && !field.Rs().EOF_(); ++row) {
      benchmark::DoNotOptimize(field.control->RegistroOk());
      benchmark::DoNotOptimize(field.Rs().Fields("nome").Value());
      benchmark::DoNotOptimize(field.Rs().Fields("cidade").Value());
      field.Pesquisa(3);
    }
  }
  Label(state);
}

void BM_SetFilter(benchmark::State& state) {
  const FilterCase& f = kFilters[state.range(0)];
  BoundField field(f.index, "");
  for (auto _ : state) field.control->SetFilter(f.filter);
  Label(state);
}

BENCHMARK(BM_BindTable)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PesquisaFirst)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PesquisaLast)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PesquisaNext)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PesquisaPrevious)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPage)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetFilter)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

}  // namespace
