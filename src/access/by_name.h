// By-name access to an OrvoMask for scripts and form tools: its properties, public
// variables, private members (for reading), methods and constituent widgets, each value a
// Variant of its declared type. It reaches the control through its public interface only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/variant.h"

namespace orvo {

class OrvoMask;

// The keys a property bag keeps for the control, each once.
std::vector<std::string> SavedPropertyKeys();

// Unknown names raise error 438; writing a member that is only read raises 383.
Variant GetProperty(OrvoMask& c, const std::string& name);
void SetProperty(OrvoMask& c, const std::string& name, const Variant& value);
// List(i), FilterKeyFields(i) and FilterKeyValues(i).
Variant GetIndexedProperty(OrvoMask& c, const std::string& name, int16_t index);
void SetIndexedProperty(OrvoMask& c, const std::string& name, int16_t index, const Variant& value);
// Methods by name; by-reference arguments are written back into `args`. A sub returns
// Empty with `isFunction` false.
Variant CallMethod(OrvoMask& c, const std::string& name, std::vector<Variant>& args,
                   bool& isFunction);
// Widget state: widget "txt" with index 0..2, "lab", "pic", "img", "shp", "bot", "scrV",
// "scrH", "UserControl", "hok"; property as the classic widget names it (Text, Visible, ...).
Variant GetWidgetProperty(OrvoMask& c, const std::string& widget, int16_t index,
                          const std::string& prop);

}  // namespace orvo
