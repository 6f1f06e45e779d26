// The control's property table: each property's name, type, default, saved key and change
// report, and the public variables beside them. Everything that names a property reads it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/variant.h"
#include "platform/host_objects.h"

namespace orvo {

// What a property holds, as by-name access carries it: Integer 16-bit, Long 32-bit, a
// Color or an enumeration as a Long, a Boolean as True/False.
enum class PropertyType : uint8_t {
  String,
  Integer,
  Long,
  Boolean,
  Color,
  Enum,
  Variant,
  Font,
  Picture,
  Recordset,
};

enum class PropertyKind : uint8_t {
  Property,        // of the control's interface
  PublicVariable,  // a public data member: reading and writing have no code of their own
  SavedMember,     // a private member the property bag keeps
};

enum class PropertyAccess : uint8_t { ReadWrite, ReadOnly, WriteOnly };

// The type a saved key has in the property bag. AsStored keeps whatever value was given.
enum class SavedType : uint8_t {
  NotSaved,
  Integer,
  Long,
  Boolean,
  String,
  Font,
  Picture,
  AsStored
};

// True as 16-bit booleans hold it.
inline constexpr int64_t kTrue = -1;

struct PropertyInfo {
  std::string_view name;
  PropertyType type = PropertyType::String;
  PropertyKind kind = PropertyKind::Property;
  PropertyAccess access = PropertyAccess::ReadWrite;
  // Numbers, booleans (-1/0), colours and enumerations. Texts default to empty, fonts to
  // the container's ambient font, pictures and objects to none.
  int64_t defaultNumber = 0;
  SavedType savedType = SavedType::NotSaved;
  std::string_view savedKey;
  std::string_view report;           // the name a set reports; empty: no report
  std::span<const int32_t> members;  // the values an enumeration accepts
  bool indexed = false;              // List(Index)

  constexpr bool Saved() const { return savedType != SavedType::NotSaved; }
  constexpr bool Readable() const { return access != PropertyAccess::WriteOnly; }
  constexpr bool Writable() const { return access != PropertyAccess::ReadOnly; }

  constexpr PropertyInfo SavedAs(SavedType type, std::string_view key = {}) const {
    PropertyInfo p = *this;
    p.savedType = type;
    p.savedKey = key.empty() ? name : key;
    return p;
  }
  constexpr PropertyInfo ReportedAs(std::string_view r) const {
    PropertyInfo p = *this;
    p.report = r;
    return p;
  }
  constexpr PropertyInfo NoReport() const { return ReportedAs({}); }
  constexpr PropertyInfo GetOnly() const {
    PropertyInfo p = NoReport();
    p.access = PropertyAccess::ReadOnly;
    return p;
  }
  constexpr PropertyInfo SetOnly() const {
    PropertyInfo p = *this;
    p.access = PropertyAccess::WriteOnly;
    return p;
  }
  constexpr PropertyInfo Accepts(std::span<const int32_t> values) const {
    PropertyInfo p = *this;
    p.members = values;
    return p;
  }
  constexpr PropertyInfo Indexed() const {
    PropertyInfo p = *this;
    p.indexed = true;
    return p;
  }
};

// GCC 12 reports members a designated initializer leaves to their defaults as missing.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace property_rows {

// A property of the interface; a set reports the property's own name unless a row says
// otherwise.
constexpr PropertyInfo Property(std::string_view name, PropertyType type, int64_t def = 0) {
  return PropertyInfo{.name = name, .type = type, .defaultNumber = def, .report = name};
}
constexpr PropertyInfo PublicVariable(std::string_view name, PropertyType type, int64_t def = 0) {
  return PropertyInfo{
      .name = name, .type = type, .kind = PropertyKind::PublicVariable, .defaultNumber = def};
}
constexpr PropertyInfo SavedMember(std::string_view name, PropertyType type, int64_t def = 0) {
  return PropertyInfo{.name = name,
                      .type = type,
                      .kind = PropertyKind::SavedMember,
                      .access = PropertyAccess::ReadOnly,
                      .defaultNumber = def};
}

inline constexpr int32_t kTwoMembers[] = {0, 1};
inline constexpr int32_t kButtonKinds[] = {0, 1, 2};
inline constexpr int32_t kAlignments[] = {0, 1, 2, 3};
inline constexpr int32_t kShapes[] = {0, 1, 2, 3, 4, 5};
inline constexpr int32_t kFieldKinds[] = {0, 1, 2, 3, 4, 5, 6};
inline constexpr int32_t kShapeBorderStyles[] = {0, 1, 2, 3, 4, 5, 6};
inline constexpr int32_t kFillStyles[] = {0, 1, 2, 3, 4, 5, 6, 7};
inline constexpr int32_t kMousePointers[] = {0, 1,  2,  3,  4,  5,  6,  7, 8,
                                             9, 10, 11, 12, 13, 14, 15, 99};

using T = PropertyType;
using S = SavedType;

// The properties in interface order, then the public variables in declared order, then the
// private members the bag keeps.
inline constexpr std::array kRows{
    Property("SelectFilter", T::String).NoReport(),
    Property("Filter", T::String),
    // Binding a recordset reports nothing: the binding is the application's, never saved.
    Property("RecordSource", T::Recordset).NoReport(),
    Property("FormatLostFocus", T::Boolean, kTrue).SetOnly().NoReport(),
    Property("BackColor", T::Color, kSysWindowBackground).SavedAs(S::Long),
    Property("BookMark", T::Variant).SavedAs(S::AsStored),
    Property("PasswordChar", T::String).SavedAs(S::String),
    Property("LinkTimeOut", T::Integer, 50).SavedAs(S::Integer),
    Property("ColorNoFocus", T::Color, 0xFF).SavedAs(S::Long),
    Property("ColorOnFocus", T::Color, 0xFF00).SavedAs(S::Long),
    Property("Locked", T::Boolean, 0).SavedAs(S::Boolean),
    Property("LargeChange", T::Integer, 10).SavedAs(S::Integer),
    Property("hwnd", T::Long).GetOnly(),
    Property("hdc", T::Long).GetOnly(),
    Property("ForeColor", T::Color, kSysWindowText).SavedAs(S::Long),
    Property("ShapeBorderColor", T::Color, kSysWindowText).SavedAs(S::Long),
    Property("ShapeBorderWidth", T::Integer, 1).SavedAs(S::Integer),
    Property("ShapeBorderStyle", T::Enum, 1).Accepts(kShapeBorderStyles).SavedAs(S::Integer),
    Property("CaptionColor", T::Color, kSysButtonText).SavedAs(S::Long),
    Property("Font", T::Font).SavedAs(S::Font),
    Property("CaptionFont", T::Font).SavedAs(S::Font),
    Property("MultiLine", T::Boolean, 0).SavedAs(S::Boolean),
    Property("SelectOnFocus", T::Boolean, kTrue).SavedAs(S::Boolean),
    Property("BrowseVisible", T::Enum, 0).Accepts(kButtonKinds).SavedAs(S::Integer),
    Property("CaptionOffset", T::Integer, 50)
        .SavedAs(S::Integer, "CaptionOffSet")
        .ReportedAs("CaptionOffSet"),
    Property("MousePointer", T::Enum, 0).Accepts(kMousePointers).SavedAs(S::Integer),
    Property("MouseIcon", T::Picture).SavedAs(S::Picture),
    Property("Min", T::Integer, 0).SavedAs(S::Integer),
    // The key is 16-bit although the property is not.
    Property("MaxLength", T::Long, 0).SavedAs(S::Integer),
    Property("Max", T::Integer, 32767).SavedAs(S::Integer),
    Property("ListIndex", T::Integer),
    Property("ListCount", T::Integer).GetOnly(),
    Property("List", T::String).Indexed(),
    Property("SelText", T::String),
    Property("SelStart", T::Long),
    Property("SelLength", T::Long),
    Property("Text", T::String).SavedAs(S::String),
    Property("SmallChange", T::Integer, 1).SavedAs(S::Integer),
    // The key "Value" keeps the spinner's position, whatever the field's kind.
    Property("Value", T::Variant, 0).SavedAs(S::Integer),
    // The extender keeps it: the container saves it, not the control.
    Property("WhatsThisHelpID", T::Long),
    Property("BorderStyle", T::Enum, 1).Accepts(kTwoMembers).SavedAs(S::Long),
    Property("Appearance", T::Enum, 1).Accepts(kTwoMembers).SavedAs(S::Long),
    Property("Orientation", T::Enum, 0).Accepts(kTwoMembers).SavedAs(S::Long),
    Property("IndexField", T::String).GetOnly(),
    Property("IndexBound", T::String).GetOnly(),
    Property("BoundColumn", T::String).SavedAs(S::String),
    Property("ListFields", T::String).SavedAs(S::String),
    Property("Mask", T::String).SavedAs(S::String),
    Property("DataType", T::Enum, 0).Accepts(kFieldKinds).SavedAs(S::Long),
    Property("StuffChar", T::String).SavedAs(S::String),
    Property("Caption", T::String).SavedAs(S::String),
    Property("Alignment", T::Enum, 0).Accepts(kAlignments).SavedAs(S::Integer),
    Property("FillStyleOnFocus", T::Enum, 1).Accepts(kFillStyles).SavedAs(S::Integer),
    Property("FillStyleNoFocus", T::Enum, 1).Accepts(kFillStyles).SavedAs(S::Integer),
    Property("Shape", T::Enum, 2).Accepts(kShapes).SavedAs(S::Integer),
    Property("Enabled", T::Boolean, kTrue).SavedAs(S::Boolean),

    PublicVariable("gRsLista", T::Recordset),
    PublicVariable("gTpMDB", T::Boolean, kTrue),
    PublicVariable("gTpTabela", T::Boolean, 0),
    PublicVariable("gValueAtual", T::Variant),
    PublicVariable("WndForm", T::Long, 0),
    PublicVariable("EstiloForm", T::Long, 0),
    PublicVariable("NaoEClick", T::Integer, 0),
    PublicVariable("EstadoNumLock", T::Boolean, 0),
    PublicVariable("UserTag", T::String),
    PublicVariable("ListBoxSearch", T::String),
    PublicVariable("FazerRefresh", T::Integer, 0),

    // CheckValue keeps its 16-bit value in the bag: an Option field's selected index (2,
    // say) would be lost as True if it were narrowed to a boolean.
    SavedMember("CheckValue", T::Integer, 0).SavedAs(S::Integer, "ValueChk"),
};

}  // namespace property_rows
#pragma GCC diagnostic pop

inline constexpr std::span<const PropertyInfo> kPropertyTable{property_rows::kRows};

// The row of `name`, exactly as spelled; a name the table lacks does not compile.
consteval const PropertyInfo& PropertyNamed(std::string_view name) {
  for (const PropertyInfo& p : property_rows::kRows)
    if (p.name == name) return p;
  throw "no property of that name";
}

// The row of `name` in any letter case, or null.
const PropertyInfo* FindProperty(std::string_view name);

// The default of a number, boolean, colour or enumeration property in the member's type.
template <typename T>
consteval T DefaultOf(std::string_view name) {
  return static_cast<T>(PropertyNamed(name).defaultNumber);
}

// A property name that the compiler checks against the table, for the places that name
// one property: change reports and the property bag's keys.
class PropertyName {
 public:
  consteval PropertyName(const char* name) : info_(&PropertyNamed(name)) {}
  const PropertyInfo& Info() const { return *info_; }

 private:
  const PropertyInfo* info_;
};

// The saved key's value for a number in the key's type: a colour 0x80000005 is the Long
// -2147483643, a boolean -1 or 0 is True or False.
Variant SavedNumber(const PropertyInfo& p, int64_t n);
// What WriteProperties passes as the key's default (fonts excepted: their default is the
// container's ambient font).
Variant SavedDefault(const PropertyInfo& p);

}  // namespace orvo
