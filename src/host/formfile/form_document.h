// FormDocument: a form as a form file holds it: its title and size, and its controls in tab
// order, each with its place and its property bag.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/variant.h"

namespace orvo {

// The version this build writes; files of a later version are refused.
inline constexpr int32_t kFormFileVersion = 1;

struct FormControl {
  std::string name;
  std::optional<int16_t> index;                    // element of a control array
  float left = 0, top = 0, width = 0, height = 0;  // twips
  // The bag as WriteProperties left it: keys holding their default are absent.
  std::vector<std::pair<std::string, Variant>> properties;
};

struct FormDocument {
  std::string title;
  float width = 0, height = 0;        // twips
  std::vector<FormControl> controls;  // tab order
};

}  // namespace orvo
