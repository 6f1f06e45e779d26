// The demo's customer form: its fields, in focus order, as property bags. The demo shows it
// and the real-input tests drive it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "orvo/error.h"
#include "orvo/form_host.h"
#include "orvo/orvo_mask.h"
#include "orvo/property_bag.h"
#include "orvo/variant.h"

namespace orvo::demo {

struct FieldDefinition {
  const char* name;
  std::vector<std::pair<const char*, Variant>> properties;
};

// The bag keeps enumerations as numbers: DataType as a Long, BrowseVisible and Alignment as
// Integers.
inline Variant StoredKind(TipoDeCampo k) {
  return Variant(static_cast<int32_t>(k));
}
inline Variant StoredButton(TipoBot b) {
  return Variant(static_cast<int16_t>(b));
}
inline Variant StoredAlignment(TipoAlinhamento a) {
  return Variant(static_cast<int16_t>(a));
}

inline std::vector<FieldDefinition> CustomerForm() {
  const Variant captionLeft = StoredAlignment(TipoAlinhamento::FieldLeft);
  return {
      {"txtNome", {{"Caption", "Nome"}, {"Alignment", captionLeft}}},
      {"txtNascimento",
       {{"Caption", "Nascimento"},
        {"DataType", StoredKind(TipoDeCampo::Date)},
        {"Mask", "99/99/9999"},
        {"BrowseVisible", StoredButton(TipoBot::DropDown)},
        {"Alignment", captionLeft}}},
      {"txtLimite",
       {{"Caption", "Limite"},
        {"DataType", StoredKind(TipoDeCampo::Numeric)},
        {"Mask", "#.##0,00"},
        {"BrowseVisible", StoredButton(TipoBot::Ellipsis)},
        {"Alignment", captionLeft}}},
      {"txtParcelas",
       {{"Caption", "Parcelas"},
        {"DataType", StoredKind(TipoDeCampo::Spinner)},
        {"Min", int16_t{1}},
        {"Max", int16_t{12}},
        {"Alignment", captionLeft}}},
      {"chkAtivo",
       {{"Caption", "Ativo"},
        {"DataType", StoredKind(TipoDeCampo::Boolean)},
        {"Alignment", StoredAlignment(TipoAlinhamento::FieldRight)}}},
  };
}

struct Field {
  ControlSite* site = nullptr;
  std::unique_ptr<OrvoMask> control;  // null when the field failed to load
};

// Places the customer form's fields on `host`, one under the other; a field whose
// properties fail to load is reported to `failed` and stays without its control. The
// controls must go before the host does.
inline std::vector<Field> BuildCustomerForm(
    FormHost& host, const std::function<void(const char* name, const Error&)>& failed) {
  std::vector<Field> fields;
  for (const FieldDefinition& definition : CustomerForm()) {
    Field f;
    SiteOptions site;
    site.width = 4200;
    site.height = 390;
    f.site = &host.CreateSite(definition.name, site);
    try {
      f.control = std::make_unique<OrvoMask>(*f.site);
      host.RegisterControl(*f.site, f.control.get());
      MemoryPropertyBag bag;
      for (const auto& [key, value] : definition.properties) bag.Set(key, value);
      f.control->UserControl_ReadProperties(bag);
    } catch (const Error& e) {
      failed(definition.name, e);
    }
    fields.push_back(std::move(f));
  }
  return fields;
}

}  // namespace orvo::demo
