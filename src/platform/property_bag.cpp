// The in-memory property bag.
#include "platform/property_bag.h"

#include <algorithm>

namespace orvo {

Variant MemoryPropertyBag::ReadProperty(const std::string& name, const Variant& defaultValue) {
  readLog_.push_back(name);
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const auto& e) { return e.first == name; });
  return it == entries_.end() ? defaultValue : it->second;
}

void MemoryPropertyBag::WriteProperty(const std::string& name, const Variant& value,
                                      const Variant& defaultValue) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const auto& e) { return e.first == name; });
  if (value == defaultValue) {
    if (it != entries_.end()) entries_.erase(it);
    return;
  }
  Set(name, value);
}

void MemoryPropertyBag::Set(const std::string& name, const Variant& value) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const auto& e) { return e.first == name; });
  if (it == entries_.end())
    entries_.emplace_back(name, value);
  else
    it->second = value;
}

bool MemoryPropertyBag::Has(const std::string& name) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const auto& e) { return e.first == name; });
}

}  // namespace orvo
