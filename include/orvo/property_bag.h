// PropertyBag: the container's store of one control's saved properties.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "orvo/variant.h"

namespace orvo {

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The stored value, or `defaultValue` when the name is absent.
  virtual Variant ReadProperty(const std::string& name, const Variant& defaultValue) = 0;
  // Stores the value; a value equal to its default need not be stored.
  virtual void WriteProperty(const std::string& name, const Variant& value,
                             const Variant& defaultValue) = 0;
};

// The in-memory bag: keys in the order first written, values as given.
class MemoryPropertyBag : public PropertyBag {
 public:
  Variant ReadProperty(const std::string& name, const Variant& defaultValue) override;
  void WriteProperty(const std::string& name, const Variant& value,
                     const Variant& defaultValue) override;

  const std::vector<std::pair<std::string, Variant>>& Entries() const { return entries_; }
  void Set(const std::string& name, const Variant& value);
  bool Has(const std::string& name) const;
  // Names read so far, in order (what ReadProperties asked for).
  const std::vector<std::string>& ReadLog() const { return readLog_; }

 private:
  std::vector<std::pair<std::string, Variant>> entries_;
  std::vector<std::string> readLog_;
};

}  // namespace orvo
