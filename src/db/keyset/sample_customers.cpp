// The deterministic sample customers.
#include "db/keyset/sample_customers.h"

#include <string>

namespace orvo {

namespace {

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

SampleCustomers::SampleCustomers(uint64_t seed) : state_(seed) {}

uint64_t SampleCustomers::Random() {
  // splitmix64: small, fast and the same on every platform.
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int SampleCustomers::Below(int n) {
  return static_cast<int>(Random() % static_cast<uint64_t>(n));
}

SampleCustomer SampleCustomers::Next() {
  SampleCustomer c;
  c.codigo = ++codigo_;
  c.nome = std::string(kFirstNames[Below(Count(kFirstNames))]) + " " +
           kSurnames[Below(Count(kSurnames))] + " " + kSurnames[Below(Count(kSurnames))];
  c.nome = c.nome.substr(0, 40);
  const City& city = kCities[Below(Count(kCities))];
  c.cidade = city.name;
  c.uf = city.uf;
  // 1940-01-01 .. 2005-12-31 as serial dates.
  c.nascimento = 14611 + Below(38715 - 14611);
  c.limite = (10000 + Below(4990001)) / 100.0;
  c.ativo = Below(5) != 0;
  int note = Below(10);
  c.tipo = Below(3) ? "F" : "J";
  c.num = 1 + Below(999);
  if (note == 0) c.obs = "cliente desde " + std::to_string(1990 + Below(35));
  return c;
}

}  // namespace orvo
