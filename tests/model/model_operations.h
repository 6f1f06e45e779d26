// The model test's random operations: what a user and an application do to a form, one at a
// time, each described in a line for the failure report.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "model_form.h"

namespace orvo::model {

class Randomness {
 public:
  explicit Randomness(uint32_t seed) : gen_(seed) {}
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
  bool OneIn(int n) { return Below(n) == 0; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }
  // Text a user or an application might put in a field: digits, letters, the mask
  // language's literals, Latin-1 letters and the odd oversize text.
  std::string Text(int maxLength);

 private:
  std::mt19937 gen_;
};

// Runs one random operation on the form, having first written its description. Errors it
// raises pass to the caller; the slots' textFollowsMask are kept up to date.
void RunRandomOperation(ModelForm& form, Randomness& rnd, std::string& description);

}  // namespace orvo::model
