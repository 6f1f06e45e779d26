// The control's private members and compiled-mask fields, read by name.
#include <functional>
#include <map>

#include "base/error.h"
#include "base/strings.h"
#include "control/orvo_mask_impl.h"

namespace orvo {

namespace {

using MemberGetter = std::function<Variant(const MemberRecord&)>;

Variant Int(int16_t v) {
  return Variant(v);
}

const std::map<std::string, MemberGetter>& MemberTable() {
  static const std::map<std::string, MemberGetter> table = [] {
    std::map<std::string, MemberGetter> t;
    auto member = [&t](const char* name, MemberGetter g) { t[UCase(name)] = std::move(g); };
    member("FilterKeyLast", [](const MemberRecord& m) { return Int(m.FilterKeyLast); });
    member("CalendFormOpen", [](const MemberRecord& m) { return Int(m.CalendFormOpen); });
    member("CalcFormOpen", [](const MemberRecord& m) { return Int(m.CalcFormOpen); });
    member("CheckValue", [](const MemberRecord& m) { return Int(m.CheckValue); });
    member("MaskTemplate", [](const MemberRecord& m) { return Variant(m.compiled.MaskTemplate); });
    member("ForceUpper", [](const MemberRecord& m) { return Int(m.compiled.ForceUpper); });
    member("ForceLower", [](const MemberRecord& m) { return Int(m.compiled.ForceLower); });
    member("AllLetters", [](const MemberRecord& m) { return Int(m.compiled.AllLetters); });
    member("DecimalDigits", [](const MemberRecord& m) { return Int(m.compiled.DecimalDigits); });
    member("IntegerDigits", [](const MemberRecord& m) { return Int(m.compiled.IntegerDigits); });
    member("GroupThousands", [](const MemberRecord& m) { return Int(m.compiled.GroupThousands); });
    member("ActiveTextIndex", [](const MemberRecord& m) { return Int(m.ActiveTextIndex); });
    member("PopupClosedAt", [](const MemberRecord& m) { return Variant(m.PopupClosedAt); });
    member("LayoutReady", [](const MemberRecord& m) { return Int(m.LayoutReady); });
    member("UserMode", [](const MemberRecord& m) { return Int(m.UserMode); });
    member("SuppressChange", [](const MemberRecord& m) { return Int(m.SuppressChange); });
    member("ListBusy", [](const MemberRecord& m) { return Int(m.ListBusy); });
    return t;
  }();
  return table;
}

}  // namespace

std::optional<Variant> OrvoMaskImpl::MemberValue(const std::string& name) const {
  const auto& table = MemberTable();
  auto it = table.find(UCase(name));
  if (it == table.end()) return std::nullopt;
  return it->second(m_);
}

std::optional<Variant> OrvoMaskImpl::MemberValue(const std::string& name, int16_t index) const {
  const std::string n = UCase(name);
  if (n != "FILTERKEYFIELDS" && n != "FILTERKEYVALUES") return std::nullopt;
  if (index < 0 || index > 9) RaiseError(err::kSubscriptOutOfRange, "Subscript out of range");
  return n == "FILTERKEYFIELDS" ? Variant(m_.FilterKeyFields[index]) : m_.FilterKeyValues[index];
}

}  // namespace orvo
