// Benchmarks of the recordset engine on a generated table of 1,000,000 customers.
// The table is written once to $ORVO_BENCH_DB (default clientes_1m.db beside the benchmark
// program, in the build folder) and reused by later runs. Targets: opens, finds and page reads
// under 20 ms; seeks and steps under 1 ms. Peak memory is printed at exit and reported as the
// counter maxrss_MB.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "db/sqlite/sample_data.h"
#include "db/sqlite/sqlite_database.h"

namespace {

constexpr int64_t kRows = 1000000;

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
  std::vector<double> bookmarks;   // their codes, which are the row ids
};

BenchData& Data() {
  static BenchData data = [] {
    const char* env = std::getenv("ORVO_BENCH_DB");
    std::string path =
        env && *env
            ? env
            : (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "clientes_1m.db")
                  .string();
    bool ready = false;
    if (std::filesystem::exists(path)) {
      try {
        auto db = orvo::SqliteDatabase::Open(path);
        ready = db->OpenTable("clientes")->RecordCount() == kRows &&
                db->OpenDynaset("sqlite_stat1")->RecordCount() > 0;
      } catch (const orvo::Error&) {
      }
    }
    if (!ready) {
      std::fprintf(stderr, "db_bench: writing %lld customers to %s\n",
                   static_cast<long long>(kRows), path.c_str());
      orvo::CreateCustomerDatabase(path, kRows, 1);
    }
    BenchData out;
    out.db = orvo::SqliteDatabase::Open(path);
    auto table = out.db->OpenTable("clientes", "PrimaryKey");
    for (int i = 1; i <= 64; ++i) {
      table->Seek("=", {static_cast<int32_t>(i * (kRows / 65))});
      out.names.push_back(table->Fields("nome").Value().AsString());
      out.bookmarks.push_back(table->BookMark().AsDouble());
    }
    return out;
  }();
  return data;
}

void Finish(benchmark::State& state) {
  state.counters["maxrss_MB"] = PeakMegabytes();
}

void BM_OpenTableAndSeek(benchmark::State& state) {
  auto& data = Data();
  size_t i = 0;
  for (auto _ : state) {
    auto rs = data.db->OpenTable("clientes", "ix_nome");
    rs->Seek("=", {orvo::Variant(data.names[i++ % data.names.size()])});
    benchmark::DoNotOptimize(rs->NoMatch());
  }
  Finish(state);
}

void BM_TableSeek(benchmark::State& state) {
  auto& data = Data();
  auto rs = data.db->OpenTable("clientes", "ix_nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->Seek(">=", {orvo::Variant(data.names[i++ % data.names.size()])});
    benchmark::DoNotOptimize(rs->Fields("codigo").Value());
  }
  Finish(state);
}

void BM_TableMoveNext(benchmark::State& state) {
  auto& data = Data();
  auto rs = data.db->OpenTable("clientes", "ix_uf_cidade");
  for (auto _ : state) {
    rs->MoveNext();
    if (rs->EOF_()) rs->MoveFirst();
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

void BM_TableMovePrevious(benchmark::State& state) {
  auto& data = Data();
  auto rs = data.db->OpenTable("clientes", "ix_nome");
  rs->MoveLast();
  for (auto _ : state) {
    rs->MovePrevious();
    if (rs->BOF()) rs->MoveLast();
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// The control's Pesquisa inside a filter range uf = 'SP': seek the first of the range and
// step through a page, then seek just past the range and step back to its last record.
void BM_FilterRangePage(benchmark::State& state) {
  auto& data = Data();
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
  auto& data = Data();
  for (auto _ : state) {
    auto rs = data.db->OpenTable("clientes");
    benchmark::DoNotOptimize(rs->RecordCount());  // first read: one count(*)
  }
  Finish(state);
}

void BM_OpenDynasetOrderedByName(benchmark::State& state) {
  auto& data = Data();
  for (auto _ : state) {
    auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

// A condition that keeps a tenth of the table, in another index's order: open, a page
// forward, and the last record.
void BM_DynasetWithConditionPage(benchmark::State& state) {
  auto& data = Data();
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
  auto& data = Data();
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  for (auto _ : state) {
    rs->MoveLast();
    rs->MoveFirst();
    benchmark::DoNotOptimize(rs->Fields("nome").Value());
  }
  Finish(state);
}

void BM_DynasetFindFirstIndexed(benchmark::State& state) {
  auto& data = Data();
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    std::string prefix = data.names[i++ % data.names.size()].substr(0, 8);
    rs->FindFirst("[Nome] LIKE '" + prefix + "*'");
    benchmark::DoNotOptimize(rs->NoMatch());
  }
  Finish(state);
}

void BM_DynasetFindNextIndexed(benchmark::State& state) {
  auto& data = Data();
  auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  rs->FindFirst("[Nome] = '" + data.names[0] + "'");
  for (auto _ : state) {
    rs->FindNext("[Nome] = '" + data.names[0] + "'");
    if (rs->NoMatch()) rs->FindFirst("[Nome] = '" + data.names[0] + "'");
  }
  Finish(state);
}

void BM_DynasetPageFromBookmark(benchmark::State& state) {
  auto& data = Data();
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
  auto& data = Data();
  for (auto _ : state) {
    auto rs = data.db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
    benchmark::DoNotOptimize(rs->RecordCount());
  }
  Finish(state);
}

void BM_NoMatchlessFind(benchmark::State& state) {
  auto& data = Data();
  auto rs = data.db->OpenNoMatchless("SELECT * FROM clientes ORDER BY nome");
  size_t i = 0;
  for (auto _ : state) {
    rs->MoveFirst();
    std::string prefix = data.names[i++ % data.names.size()].substr(0, 8);
    rs->Find("nome LIKE '" + prefix + "%'", 0, 1);
    benchmark::DoNotOptimize(rs->EOF_());
  }
  Finish(state);
}

// The one-record query the lookup builds when a find must go to the database: TOP 1 is
// materialised, and the engine's own plan uses the name index.
void BM_OneRecordQuery(benchmark::State& state) {
  auto& data = Data();
  size_t i = 0;
  for (auto _ : state) {
    std::string prefix = data.names[i++ % data.names.size()].substr(0, 6);
    auto rs =
        data.db->OpenNoMatchless("SELECT TOP 1 * FROM clientes WHERE (uf = 'SP') And (nome LIKE '" +
                                 prefix + "%') ORDER BY nome");
    benchmark::DoNotOptimize(rs->EOF_());
  }
  Finish(state);
}

BENCHMARK(BM_OpenTableAndSeek)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableSeek)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableMoveNext)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableMovePrevious)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterRangePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableRecordCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDynasetOrderedByName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetWithConditionPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetMoveLastMoveFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetFindFirstIndexed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetFindNextIndexed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetPageFromBookmark)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynasetRecordCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoMatchlessFind)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneRecordQuery)->Unit(benchmark::kMicrosecond);

}  // namespace
