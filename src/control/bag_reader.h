// BagReader: reads one saved property from the property bag in the type and with the default
// the property table gives its key.
#pragma once

#include <algorithm>
#include <string>
#include <type_traits>

#include "base/error.h"
#include "base/locale_settings.h"
#include "control/property_table.h"
#include "platform/host_objects.h"
#include "platform/property_bag.h"

namespace orvo {

// A value that does not convert raises an error naming the key; the keys read before it
// stay applied.
class BagReader {
 public:
  BagReader(PropertyBag& bag, const LocaleSettings& loc, FontRef ambientFont)
      : bag_(bag), loc_(loc), ambientFont_(std::move(ambientFont)) {}

  // A number, boolean (-1/0), colour or enumeration. An enumeration refuses a value outside
  // its members with error 380.
  template <typename T>
  T Number(PropertyName p) {
    const PropertyInfo& info = p.Info();
    const int64_t n = Convert(info, SavedDefault(info), [&](const Variant& v) -> int64_t {
      switch (info.savedType) {
        case SavedType::Integer:
          return ToInteger(v, loc_);
        case SavedType::Boolean:
          return ToBoolean(v, loc_) ? kTrue : 0;
        default:
          return ToLong(v, loc_);
      }
    });
    if constexpr (std::is_enum_v<T>) {
      if (std::find(info.members.begin(), info.members.end(), n) == info.members.end())
        RaiseError(err::kInvalidPropertyValue, Key(info) + "invalid value " + std::to_string(n));
    }
    return static_cast<T>(n);
  }

  std::string Text(PropertyName p) {
    return Convert(p.Info(), Variant(""),
                   [&](const Variant& v) { return v.IsEmpty() ? std::string() : ToText(v, loc_); });
  }

  // The value as stored, whatever its type.
  Variant AsStored(PropertyName p) {
    return bag_.ReadProperty(std::string(p.Info().savedKey), SavedDefault(p.Info()));
  }

  // A stored font, or the container's ambient font when none is stored.
  FontRef FontValue(PropertyName p) {
    const PropertyInfo& info = p.Info();
    Variant v = bag_.ReadProperty(std::string(info.savedKey),
                                  Variant(std::static_pointer_cast<Object>(ambientFont_)));
    if (v.IsEmpty()) return ambientFont_;
    if (v.IsObject()) {
      if (!v.AsObject()) return ambientFont_;
      if (auto f = std::dynamic_pointer_cast<orvo::Font>(v.AsObject())) return f;
    }
    RaiseError(err::kTypeMismatch, Key(info) + "a font is required");
  }

  PictureRef PictureValue(PropertyName p) {
    const PropertyInfo& info = p.Info();
    Variant v = bag_.ReadProperty(std::string(info.savedKey), SavedDefault(info));
    if (v.IsEmpty() || (v.IsObject() && !v.AsObject())) return nullptr;
    if (v.IsObject())
      if (auto pic = std::dynamic_pointer_cast<Picture>(v.AsObject())) return pic;
    RaiseError(err::kTypeMismatch, Key(info) + "a picture is required");
  }

 private:
  static std::string Key(const PropertyInfo& info) {
    return "property \"" + std::string(info.savedKey) + "\": ";
  }

  template <typename F>
  std::invoke_result_t<F, const Variant&> Convert(const PropertyInfo& info, const Variant& def,
                                                  F convert) {
    Variant v = bag_.ReadProperty(std::string(info.savedKey), def);
    try {
      if (v.IsObject() || v.IsNull()) RaiseError(err::kTypeMismatch, "type mismatch");
      return convert(v);
    } catch (const Error& e) {
      RaiseError(e.Number(), Key(info) + e.Message());
    }
  }

  PropertyBag& bag_;
  const LocaleSettings& loc_;
  FontRef ambientFont_;
};

}  // namespace orvo
