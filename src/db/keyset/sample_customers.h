// SampleCustomers: the deterministic customers both engines' sample tables hold; the same
// seed always gives the same rows. Names are Latin-1 and include accents and apostrophes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "orvo/sample_database.h"

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
