// The demo's customer registration form: a field of every kind and every drop-down, laid out
// with the edit boxes in one column whatever their captions.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "control/orvo_mask.h"
#include "db/sqlite/sqlite_database.h"
#include "host/form_host.h"

namespace orvo::demo {

struct RegistrationField {
  std::string name;  // "optTipo(1)" for an element of a control array
  ControlSite* site = nullptr;
  std::unique_ptr<OrvoMask> control;  // null when the field failed to load
};

struct RegistrationForm {
  std::vector<RegistrationField> fields;  // in focus order
  float width = 0, height = 0;            // twips: the least that keeps every field whole

  OrvoMask* Find(const std::string& name) const;
  // Controls go before their sites and the host.
  void Close();
};

// Places the registration form's fields on `host` and binds the lookups to `db`: the
// customer code to the `clientes` table, the city to a dynaset of `cidades`. A field whose
// properties fail to load is reported to `failed` and stays without its control.
RegistrationForm BuildRegistrationForm(
    FormHost& host, const std::function<void(const std::string& name, const Error&)>& failed);

}  // namespace orvo::demo
