// Benchmarks of the recordset engines on generated customer tables: each one on SQLite and
// on PostgreSQL (over the local socket, see bench_databases.h), on 10,000 and on 1,000,000
// rows (the lookup's finds also on 100,000), so the figures stand side by side and show
// whether they stay flat. Targets: a seek
// under 1 ms, a page of rows under 2 ms; opens and finds under 20 ms. Peak memory is printed
// at exit and reported as the counter maxrss_MB.
//   ORVO_PG="host=... dbname=..." build/bench/db_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench_databases.h"

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

struct PeakReport {
  ~PeakReport() { std::printf("peak memory (ru_maxrss): %.1f MB\n", PeakMegabytes()); }
} peakReport;

struct BenchData {
  orvo::DatabaseRef db;
  std::vector<std::string> names;  // existing names spread over the table
  std::vector<double> bookmarks;   // their codes, which are the bookmarks
};

// The data of the benchmark's engine (range 0) and size (range 1); null (and the benchmark
// skipped) when the engine has no server here.
BenchData* Data(benchmark::State& state) {
  static std::map<std::pair<int64_t, int64_t>, BenchData> cache;
  const int engine = static_cast<int>(state.range(0));
  const int64_t rows = state.range(1);
  auto found = cache.find({engine, rows});
  if (found == cache.end()) {
    BenchData out;
    out.db = orvo::bench::BenchDatabase(engine, rows);
    if (out.db) {
      auto table = out.db->OpenTable("clientes", "PrimaryKey");
      for (int i = 1; i <= 64; ++i) {
        table->Seek("=", {static_cast<int32_t>(i * (rows / 65))});
        out.names.push_back(table->Fields("nome").Value().AsString());
        out.bookmarks.push_back(table->BookMark().AsDouble());
      }
    }
    found = cache.emplace(std::make_pair(engine, rows), std::move(out)).first;
  }
  state.SetLabel(orvo::bench::EngineName(engine));
  if (!found->second.db) {
    state.SkipWithError("no PostgreSQL server: set ORVO_PG (or ORVO_BENCH_PG)");
    return nullptr;
  }
  return &found->second;
}

// A value as the control writes it into a criterion: each quote doubled.
std::string Quoted(const std::string& value) {
  std::string out = "'";
  for (char c : value) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

// A typed prefix as the control writes it for a LIKE: each wildcard a one-character class,
// then the trailing wildcard.
std::string PrefixPattern(const std::string& typed, char wildcard) {
  std::string out;
  for (char c : typed) {
    if (c == '*' || c == '?' || c == '%' || c == '_' || c == '#' || c == '[') {
      out += std::string("[") + c + "]";
    } else {
      out += c;
    }
  }
  return Quoted(out + wildcard);
}

void Finish(benchmark::State& state) {
  state.counters["maxrss_MB"] = PeakMegabytes();
}

void BM_OpenTableAndSeek(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  size_t i = 0;
  const int64_t trips = orvo::bench::RoundTrips(data.db);
  for (auto _ : state) {
    auto rs = data.db->OpenTable("clientes", "ix_nome");
    rs->Seek("=", {orvo::Variant(data.names[i++ % data.names.size()])});
    benchmark::DoNotOptimize(rs->NoMatch());
  }
  orvo::bench::CountRoundTrips(state, data.db, trips);
  Finish(state);
}

// What a list asks to size itself: the count where it is cheap, an estimate where it is not.
void BM_TableApproxRecordCount(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  const int64_t trips = orvo::bench::RoundTrips(data.db);
  for (auto _ : state) {
    auto rs = data.db->OpenTable("clientes");
    benchmark::DoNotOptimize(rs->ApproxRecordCount());
  }
  orvo::bench::CountRoundTrips(state, data.db, trips);
  Finish(state);
}

void BM_TableSeek(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenTable("clientes", "ix_nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->Seek(">=", {orvo::Variant(data.names[i++ % data.names.size()])});
    benchmark::DoNotOptimize(rs->Fields("codigo").Value());
  }
  Finish(state);
}

void BM_TableMoveNext(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenTable("clientes", "ix_uf_cidade");
  for (auto _ : state) {
    rs->MoveNext();
    if (rs->EOF_()) rs->MoveFirst();
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

void BM_TableMovePrevious(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenTable("clientes", "ix_nome");
  rs->MoveLast();
  for (auto _ : state) {
    rs->MovePrevious();
    if (rs->BOF()) rs->MoveLast();
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// Type-to-search: a seek to the first name at or after a prefix, and the 8 rows after it.
void BM_PrefixSeekAndNext8(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenTable("clientes", "ix_nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->Seek(">=", {orvo::Variant(data.names[i++ % data.names.size()].substr(0, 6))});
    for (int k = 0; k < 8 && !rs->EOF_(); ++k) {
      benchmark::DoNotOptimize(rs->Fields("nome").Value());
      rs->MoveNext();
    }
  }
  Finish(state);
}

// A page of 8 rows of the list, forwards or backwards (range 2: 1 or -1) from a seek.
void BM_TablePage(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  const bool forward = state.range(2) > 0;
  auto rs = data.db->OpenTable("clientes", "ix_nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->Seek(forward ? ">=" : "<=", {orvo::Variant(data.names[i++ % data.names.size()])});
    for (int k = 0; k < 8 && !rs->EOF_() && !rs->BOF(); ++k) {
      for (int16_t f = 0; f < rs->FieldCount(); ++f)
        benchmark::DoNotOptimize(rs->Fields(f).Value());
      if (forward)
        rs->MoveNext();
      else
        rs->MovePrevious();
    }
  }
  Finish(state);
}

// A find of an existing name by equality through a dynaset in name order.
void BM_DynasetFindEqual(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->FindFirst("[Nome] = " + Quoted(data.names[i++ % data.names.size()]));
    benchmark::DoNotOptimize(rs->NoMatch());
  }
  Finish(state);
}

// The control's Pesquisa inside a filter range uf = 'SP': seek the first of the range and
// step through a page, then seek just past the range and step back to its last record.
void BM_FilterRangePage(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenTable("clientes", "ix_uf_cidade");
  for (auto _ : state) {
    rs->Seek(">=", {orvo::Variant("SP")});
    for (int k = 0; k < 8 && !rs->EOF_(); ++k) {
      benchmark::DoNotOptimize(rs->Fields("nome").Value());
      rs->MoveNext();
    }
    rs->Seek(">=", {orvo::Variant("SQ")});
    rs->MovePrevious();
    benchmark::DoNotOptimize(rs->Fields("uf").Value());
  }
  Finish(state);
}

void BM_TableRecordCount(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  for (auto _ : state) {
    auto rs = data.db->OpenTable("clientes");
    benchmark::DoNotOptimize(rs->RecordCount());  // first read: one count(*)
  }
  Finish(state);
}

void BM_OpenDynasetOrderedByName(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  for (auto _ : state) {
    auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// A condition that keeps a tenth of the table, in another index's order: open, a page
// forward, and the last record.
void BM_DynasetWithConditionPage(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  for (auto _ : state) {
    auto rs = data.db->OpenDynaset("SELECT * FROM clientes WHERE uf = 'SP' ORDER BY nome");
    for (int k = 0; k < 8 && !rs->EOF_(); ++k) {
      benchmark::DoNotOptimize(rs->Fields("nome").Value());
      rs->MoveNext();
    }
    rs->MoveLast();
  }
  Finish(state);
}

void BM_DynasetMoveLastMoveFirst(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  for (auto _ : state) {
    rs->MoveLast();
    rs->MoveFirst();
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

void BM_DynasetFindFirstIndexed(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    std::string prefix = data.names[i++ % data.names.size()].substr(0, 8);
    rs->FindFirst("[Nome] LIKE " + PrefixPattern(prefix, '*'));
    benchmark::DoNotOptimize(rs->NoMatch());
  }
  Finish(state);
}

void BM_DynasetFindNextIndexed(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  const std::string criterion = "[Nome] = " + Quoted(data.names[0]);
  rs->FindFirst(criterion);
  for (auto _ : state) {
    rs->FindNext(criterion);
    if (rs->NoMatch()) rs->FindFirst(criterion);
  }
  Finish(state);
}

void BM_DynasetPageFromBookmark(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->SetBookMark(orvo::Variant(data.bookmarks[i++ % data.bookmarks.size()]));
    for (int k = 0; k < 8 && !rs->EOF_(); ++k) {
      for (int16_t f = 0; f < rs->FieldCount(); ++f)
        benchmark::DoNotOptimize(rs->Fields(f).Value());
      rs->MoveNext();
    }
  }
  Finish(state);
}

void BM_DynasetRecordCount(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  for (auto _ : state) {
    auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
    benchmark::DoNotOptimize(rs->RecordCount());
  }
  Finish(state);
}

void BM_NoMatchlessFind(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenNoMatchless("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->MoveFirst();
    std::string prefix = data.names[i++ % data.names.size()].substr(0, 8);
    rs->Find("nome LIKE " + PrefixPattern(prefix, '%'), 0, 1);
    benchmark::DoNotOptimize(rs->EOF_());
  }
  Finish(state);
}

// The one-record query the lookup builds when a find must go to the database: TOP 1 is
// materialised, and the engine's own plan uses the name index.
void BM_OneRecordQuery(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  size_t i = 0;
  for (auto _ : state) {
    std::string prefix = data.names[i++ % data.names.size()].substr(0, 6);
    auto rs =
        data.db->OpenNoMatchless("SELECT TOP 1 * FROM clientes WHERE (uf = 'SP') And (nome LIKE " +
                                 PrefixPattern(prefix, '%') + ") ORDER BY nome");
    benchmark::DoNotOptimize(rs->EOF_());
  }
  Finish(state);
}

// Type-to-search in a lookup bound to a dynaset: the first record whose name starts with the
// three typed letters, on a dynaset kept open.
void BM_LookupPrefixFindFirst(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    std::string typed = data.names[i++ % data.names.size()].substr(0, 3);
    rs->FindFirst("[Nome] LIKE " + PrefixPattern(typed, '*'));
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// The same on the flavour without NoMatch: MoveFirst, then Find forwards.
void BM_LookupPrefixFind(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  auto rs = data.db->OpenNoMatchless("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    std::string typed = data.names[i++ % data.names.size()].substr(0, 3);
    rs->MoveFirst();
    rs->Find("[Nome] LIKE " + PrefixPattern(typed, '%'), 0, 1);
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// The one-record query of a lookup, opened as a dynaset and read.
void BM_LookupOneRecordQuery(benchmark::State& state) {
  BenchData* found = Data(state);
  if (!found) return;
  BenchData& data = *found;
  size_t i = 0;
  for (auto _ : state) {
    std::string typed = data.names[i++ % data.names.size()].substr(0, 3);
    auto rs = data.db->OpenDynaset("SELECT TOP 1 * FROM [Clientes] WHERE [Nome] LIKE " +
                                   PrefixPattern(typed, '*') + " ORDER BY [Nome]");
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// Every benchmark on each engine (pg 0 or 1) and size (rows).
BENCHMARK(BM_LookupPrefixFindFirst)
    ->ArgsProduct({{0, 1}, {10000, 100000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookupPrefixFind)
    ->ArgsProduct({{0, 1}, {10000, 100000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookupOneRecordQuery)
    ->ArgsProduct({{0, 1}, {10000, 100000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenTableAndSeek)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableSeek)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableMoveNext)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableMovePrevious)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrefixSeekAndNext8)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TablePage)
    ->ArgsProduct({{0, 1}, {10000, 1000000}, {1, -1}})
    ->ArgNames({"pg", "rows", "dir"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterRangePage)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableRecordCount)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableApproxRecordCount)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDynasetOrderedByName)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetWithConditionPage)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetMoveLastMoveFirst)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetFindFirstIndexed)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetFindEqual)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetFindNextIndexed)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetPageFromBookmark)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetRecordCount)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoMatchlessFind)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneRecordQuery)
    ->ArgsProduct({{0, 1}, {10000, 1000000}})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
