// Looking up the property table by name, and the saved keys' values in their bag types.
#include "control/property_table.h"

#include <cctype>
#include <memory>
#include <string>

namespace orvo {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

const PropertyInfo* FindProperty(std::string_view name) {
  for (const PropertyInfo& p : kPropertyTable)
    if (SameLetters(p.name, name)) return &p;
  return nullptr;
}

Variant SavedNumber(const PropertyInfo& p, int64_t n) {
  switch (p.savedType) {
    case SavedType::Integer:
      return Variant(static_cast<int16_t>(n));
    case SavedType::Long:
      return Variant(static_cast<int32_t>(n));
    case SavedType::Boolean:
      return Variant(n != 0);
    default:
      return Variant(static_cast<int32_t>(n));
  }
}

Variant SavedDefault(const PropertyInfo& p) {
  switch (p.savedType) {
    case SavedType::String:
    case SavedType::AsStored:
      return Variant("");
    case SavedType::Font:
    case SavedType::Picture:
      return Variant(std::shared_ptr<Object>());
    default:
      return SavedNumber(p, p.defaultNumber);
  }
}

}  // namespace orvo
