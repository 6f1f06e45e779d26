// Qt's own lookup over the same customers as lookup_bench, the way a Qt developer would build
// it: an editable QComboBox on a QSqlQueryModel of the names (ordered by name), with a
// QCompleter, through Qt's SQLite and PostgreSQL drivers, offscreen:
// - opening the combo's popup, painted, the model set on it beforehand;
// - the first completion of a one-letter prefix on a fresh model, as the first key typed
//   into a freshly shown form.
// Peak resident memory is the counter peak_MiB; run one size per process to read it per size:
//   build/bench/qt_sql_lookup_bench --benchmark_filter='/rows:1000000/'
// Sizes as bench_databases.h lists them (ORVO_BENCH_SIZES).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <memory>
#include <sstream>

#include "bench_databases.h"
#include "host/qt/qt_host.h"

namespace {

using namespace orvo;

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

QtHost& Application() {
  static QtHost host;  // the QApplication, offscreen as lookup_bench has it
  return host;
}

// Qt's connection to the benchmark table of `engine` and `rows` (written first when missing);
// an invalid one when there is no PostgreSQL server.
QSqlDatabase Connection(int engine, int64_t rows) {
  const QString name = QString("bench_%1_%2").arg(engine).arg(rows);
  if (QSqlDatabase::contains(name)) return QSqlDatabase::database(name);
  if (!bench::BenchDatabase(engine, rows)) return {};
  QSqlDatabase db;
  if (engine == bench::kSqlite) {
    db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(QString::fromStdString(bench::SqlitePath(rows)));
  } else {
    db = QSqlDatabase::addDatabase("QPSQL", name);
    std::istringstream words(bench::BenchServer());
    std::string word;
    while (words >> word) {
      const auto eq = word.find('=');
      if (eq == std::string::npos) continue;
      const QString key = QString::fromStdString(word.substr(0, eq));
      const QString value = QString::fromStdString(word.substr(eq + 1));
      if (key == "host") db.setHostName(value);
      if (key == "dbname") db.setDatabaseName(value);
      if (key == "user") db.setUserName(value);
      if (key == "port") db.setPort(value.toInt());
    }
  }
  if (!db.open()) return {};
  if (engine == bench::kPostgres)
    QSqlQuery(db).exec(QString("SET search_path TO bench_%1").arg(rows));
  return db;
}

const char* kNames = "SELECT nome, cidade, codigo FROM clientes ORDER BY nome";

// The combo of one benchmark round: a fresh model on the query, a completer over it.
struct QtCombo {
  explicit QtCombo(const QSqlDatabase& db) {
    model = std::make_unique<QSqlQueryModel>();
    model->setQuery(QSqlQuery(kNames, db));
    combo = std::make_unique<QComboBox>();
    combo->setEditable(true);
    combo->setModel(model.get());
    combo->setModelColumn(0);
    auto* completer = new QCompleter(model.get(), combo.get());
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    combo->setCompleter(completer);
    combo->show();
    QCoreApplication::processEvents();
  }
  ~QtCombo() {
    combo.reset();  // before the model it shows
  }
  std::unique_ptr<QSqlQueryModel> model;
  std::unique_ptr<QComboBox> combo;
};

bool Ready(benchmark::State& state, QSqlDatabase& db) {
  Application();
  const int engine = static_cast<int>(state.range(0));
  db = Connection(engine, state.range(1));
  state.SetLabel(bench::EngineName(engine));
  if (!db.isValid() || !db.isOpen()) {
    state.SkipWithError("no database: for PostgreSQL set ORVO_BENCH_PG or ORVO_PG");
    return false;
  }
  return true;
}

void BM_QtComboOpen(benchmark::State& state) {
  QSqlDatabase db;
  if (!Ready(state, db)) return;
  for (auto _ : state) {
    state.PauseTiming();
    auto round = std::make_unique<QtCombo>(db);
    state.ResumeTiming();
    round->combo->showPopup();
    round->combo->view()->window()->repaint();
    state.PauseTiming();
    round->combo->hidePopup();
    round.reset();
    state.ResumeTiming();
  }
  state.counters["peak_MiB"] = PeakMiB();
}

void BM_QtComboFirstCompletion(benchmark::State& state) {
  QSqlDatabase db;
  if (!Ready(state, db)) return;
  const char keys[] = {'M', 'C', 'J', 'P'};
  size_t i = 0;
  QString found;
  for (auto _ : state) {
    state.PauseTiming();
    auto round = std::make_unique<QtCombo>(db);
    QCompleter* completer = round->combo->completer();
    state.ResumeTiming();
    completer->setCompletionPrefix(QString(QChar(keys[i++ % 4])));
    completer->complete();
    found = completer->currentCompletion();
    state.PauseTiming();
    round.reset();
    state.ResumeTiming();
  }
  if (found.isEmpty()) state.SkipWithError("the completer found nothing");
  state.counters["peak_MiB"] = PeakMiB();
}

// A few rounds each: every round builds a fresh model, which at a million rows on Qt's
// PostgreSQL driver reads the whole result before the popup can open.
void Sizes(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{bench::kSqlite, bench::kPostgres}, bench::BenchSizes()})
      ->ArgNames({"pg", "rows"})
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
}
BENCHMARK(BM_QtComboOpen)->Apply(Sizes);
BENCHMARK(BM_QtComboFirstCompletion)->Apply(Sizes);

}  // namespace
