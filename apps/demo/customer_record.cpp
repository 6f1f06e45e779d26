// Saving the customer on the registration form: the form's values as one row of `clientes`.
#include <cstdio>
#include <string>

#include "db/dialect/column_kind.h"
#include "form_session.h"
#include "orvo/error.h"

namespace orvo::demo {

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char ch : text) out += ch == '\'' ? std::string("''") : std::string(1, ch);
  return out + "'";
}

// A text column's literal; an empty field is NULL, which a NOT NULL column refuses.
std::string TextOf(const OrvoMask* field) {
  if (!field || field->Text().empty()) return "NULL";
  return Quoted(field->Text());
}

const LocaleSettings& Locale() {
  static const LocaleSettings loc = LocaleSettings::PtBR();
  return loc;
}

bool Filled(const Variant& v) {
  return !v.IsEmpty() && !v.IsNull();
}

bool IsOn(const Variant& v) {
  return Filled(v) && ToBoolean(v, Locale());
}

std::string NumberOf(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// A number's literal, or NULL for an empty or non-numeric value.
std::string NumberOf(const Variant& v) {
  if (!Filled(v) || !IsNumeric(v, Locale())) return "NULL";
  return NumberOf(ToDouble(v, Locale()));
}

}  // namespace

void FormSession::SaveRecord() {
  const RegistrationForm& f = form_;
  auto value = [&f](const char* name) {
    OrvoMask* c = f.Find(name);
    return c ? c->Value() : Variant();
  };
  const Variant code = value("txtCodigo");
  const Variant born = value("txtNascimento");
  const Variant city = value("txtCidade");
  // Every member of the option group holds the index of the chosen one.
  std::string kind = "NULL";
  const Variant chosen = value("optTipo(0)");
  if (Filled(chosen) && IsNumeric(chosen, Locale())) {
    const int32_t i = ToLong(chosen, Locale());
    if (i >= 0 && i <= 2) kind = Quoted(std::string(1, "FJE"[i]));
  }

  const std::string columns =
      "nome, cpf, telefone, nascimento, limite, parcelas, uf, cidade, tipo, obs, ativo";
  const std::string values =
      TextOf(f.Find("txtNome")) + ", " + TextOf(f.Find("txtCpf")) + ", " +
      TextOf(f.Find("txtTelefone")) + ", " +
      (born.Type() == VarType::Date ? Quoted(SerialToIsoText(born.AsDouble())) : "NULL") + ", " +
      NumberOf(value("txtLimite")) + ", " + NumberOf(value("txtParcelas")) + ", " +
      TextOf(f.Find("txtUf")) + ", " +
      (city.Type() == VarType::String && !city.AsString().empty() ? Quoted(city.AsString())
                                                                  : "NULL") +
      ", " + kind + ", " + TextOf(f.Find("txtObs")) + ", " + (IsOn(value("chkAtivo")) ? "1" : "0");

  // One transaction: a refused value leaves the old row as it was.
  db_->Exec("BEGIN");
  try {
    if (const std::string key = NumberOf(code); key != "NULL") {
      db_->Exec("DELETE FROM clientes WHERE codigo = " + key);
      db_->Exec("INSERT INTO clientes (codigo, " + columns + ") VALUES (" + key + ", " + values +
                ")");
    } else {
      db_->Exec("INSERT INTO clientes (" + columns + ") VALUES (" + values + ")");
    }
    db_->Exec("COMMIT");
  } catch (const Error&) {
    db_->Exec("ROLLBACK");
    throw;
  }
  if (sink_) sink_("record saved");
}

}  // namespace orvo::demo
