// PropertyPath: how `get`/`set` name what they reach: `Text`, `List(3)`, `bot.Visible`,
// `txt(2).MaxLength`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvo::play {

struct PropertyPath {
  std::string name;              // the property, or the widget when `widgetProperty` is set
  std::optional<int16_t> index;  // `List(3)`, `txt(2)`
  std::optional<std::string> widgetProperty;
  bool operator==(const PropertyPath&) const = default;
};

// nullopt when the word is not of one of the four shapes.
std::optional<PropertyPath> ParsePropertyPath(const std::string& word);

}  // namespace orvo::play
