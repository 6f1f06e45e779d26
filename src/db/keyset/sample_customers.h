// SampleCustomers: the deterministic customers both engines' sample tables hold; the same
// seed always gives the same rows. Names are Latin-1 and include accents and apostrophes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvo {

struct SampleCustomer {
  int64_t codigo = 0;                  // 1, 2, 3...
  std::string nome, cidade, uf, tipo;  // tipo 'F' or 'J'
  int num = 0;                         // 1..999
  double nascimento = 0;               // a serial date, 1940..2005
  double limite = 0;
  bool ativo = false;
  std::optional<std::string> obs;  // mostly none
};

// Hears how many of `rows` customers are written, now and then (about every hundredth of the
// table) and once at the end, when the table is whole.
using SampleProgress = std::function<void(int64_t written, int64_t rows)>;

class SampleCustomers {
 public:
  explicit SampleCustomers(uint64_t seed);
  SampleCustomer Next();

 private:
  uint64_t Random();
  int Below(int n);
  uint64_t state_;
  int64_t codigo_ = 0;
};

}  // namespace orvo
