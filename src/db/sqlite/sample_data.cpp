// The deterministic customer table generator.
#include "db/sqlite/sample_data.h"

#include <cstdio>

#include "db/sqlite/column_kind.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

namespace {

// splitmix64: small, fast and the same on every platform.
class SampleRandom {
 public:
  explicit SampleRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state_;
};

const char* const kFirstNames[] = {"ANA",
                                   "ANTONIO",
                                   "BEATRIZ",
                                   "BRUNO",
                                   "CARLA",
                                   "CARLOS",
                                   "DANIELA",
                                   "EDUARDO",
                                   "FERNANDA",
                                   "FRANCISCO",
                                   "GABRIEL",
                                   "HELENA",
                                   "IGOR",
                                   "JO\xC3O",
                                   "JOS\xC9",
                                   "JULIANA",
                                   "LU\xCDS",
                                   "MARIA",
                                   "M\xC1RCIO",
                                   "PATR\xCD"
                                   "CIA",
                                   "PAULO",
                                   "PEDRO",
                                   "RAFAEL",
                                   "ROSA",
                                   "S\xC9RGIO",
                                   "SILVIA",
                                   "TATIANE",
                                   "VIT\xD3RIA"};
const char* const kSurnames[] = {
    "ALMEIDA",    "ALVES",  "ARA\xDAJO", "BARBOSA", "CARVALHO", "CONCEI\xC7\xC3O", "COSTA",
    "D'\xC1VILA", "DIAS",   "FERREIRA",  "GOMES",   "LIMA",     "MARTINS",         "MELO",
    "NASCIMENTO", "O'NEIL", "OLIVEIRA",  "PEREIRA", "RIBEIRO",  "ROCHA",           "RODRIGUES",
    "SANTOS",     "SILVA",  "SOUZA",     "TEIXEIRA"};
struct City {
  const char* name;
  const char* uf;
};
const City kCities[] = {
    {"S\xC3O PAULO", "SP"},   {"CAMPINAS", "SP"},       {"SANTOS", "SP"},
    {"RIO DE JANEIRO", "RJ"}, {"NITER\xD3I", "RJ"},     {"BELO HORIZONTE", "MG"},
    {"UBERL\xC2NDIA", "MG"},  {"CURITIBA", "PR"},       {"LONDRINA", "PR"},
    {"PORTO ALEGRE", "RS"},   {"PELOTAS", "RS"},        {"FLORIAN\xD3POLIS", "SC"},
    {"JOINVILLE", "SC"},      {"SALVADOR", "BA"},       {"RECIFE", "PE"},
    {"FORTALEZA", "CE"},      {"BEL\xC9M", "PA"},       {"MANAUS", "AM"},
    {"GOI\xC2NIA", "GO"},     {"BRAS\xCDLIA", "DF"},    {"VIT\xD3RIA", "ES"},
    {"NATAL", "RN"},          {"JO\xC3O PESSOA", "PB"}, {"MACEI\xD3", "AL"},
    {"CUIAB\xC1", "MT"},      {"CAMPO GRANDE", "MS"},   {"S\xC3O LU\xCDS", "MA"},
    {"TERESINA", "PI"},       {"ARACAJU", "SE"},        {"PALMAS", "TO"}};

template <typename T, size_t N>
constexpr int Count(const T (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

void CreateCustomerDatabase(const std::string& path, int64_t rows, uint64_t seed) {
  SqliteConnection::Options options;
  options.mustExist = false;
  SqliteConnection conn(path, options, LocaleSettings::PtBR());
  conn.Exec(
      "PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF;"
      "DROP TABLE IF EXISTS clientes;"
      "CREATE TABLE clientes ("
      " codigo INTEGER PRIMARY KEY,"
      " nome VARCHAR(40) COLLATE NOCASE NOT NULL,"
      " cidade VARCHAR(30) COLLATE NOCASE,"
      " uf VARCHAR(2) COLLATE NOCASE,"
      " tipo VARCHAR(1) COLLATE NOCASE,"
      " num INTEGER,"
      " nascimento DATE,"
      " limite REAL,"
      " ativo BOOLEAN,"
      " obs TEXT);"
      "BEGIN;");
  SampleRandom random(seed);
  {
    SqlQuery insert(conn, "INSERT INTO clientes VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (int64_t codigo = 1; codigo <= rows; ++codigo) {
      std::string nome = std::string(kFirstNames[random.Below(Count(kFirstNames))]) + " " +
                         kSurnames[random.Below(Count(kSurnames))] + " " +
                         kSurnames[random.Below(Count(kSurnames))];
      const City& city = kCities[random.Below(Count(kCities))];
      // 1940-01-01 .. 2005-12-31 as serial dates.
      double nascimento = 14611 + random.Below(38715 - 14611);
      double limite = (10000 + random.Below(4990001)) / 100.0;
      bool ativo = random.Below(5) != 0;
      int note = random.Below(10);
      insert.Bind(
          {SqlValue::Int(codigo), SqlValue::Text(nome.substr(0, 40)), SqlValue::Text(city.name),
           SqlValue::Text(city.uf), SqlValue::Text(random.Below(3) ? "F" : "J"),
           SqlValue::Int(1 + random.Below(999)), SqlValue::Text(SerialToIsoText(nascimento)),
           SqlValue::Real(limite), SqlValue::Int(ativo ? 1 : 0),
           note == 0 ? SqlValue::Text("cliente desde " + std::to_string(1990 + random.Below(35)))
                     : SqlValue{}});
      insert.Step();
      insert.Reset();
    }
  }
  conn.Exec(
      "CREATE INDEX ix_nome ON clientes (nome);"
      "CREATE INDEX ix_uf_cidade ON clientes (uf, cidade);"
      "CREATE INDEX ix_tipo_num ON clientes (tipo, num DESC);"
      "COMMIT;"
      // Without statistics the planner takes any equality as selective: uf = 'SP' with
      // ORDER BY nome would read a tenth of the table and sort it instead of walking ix_nome.
      "ANALYZE;");
}

}  // namespace orvo
