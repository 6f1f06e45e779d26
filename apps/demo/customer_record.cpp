// Saving the customer on the registration form: the form's values as one row of `clientes`.
#include <QDate>
#include <cmath>
#include <cstdio>
#include <string>

#include "form_window.h"
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

// A date's literal, 'YYYY-MM-DD': serial dates count days from 1899-12-30.
std::string DateOf(const Variant& v) {
  if (v.Type() != VarType::Date) return "NULL";
  const QDate day = QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(v.AsDouble())));
  return "'" + day.toString(Qt::ISODate).toStdString() + "'";
}

// A number's literal, or NULL for an empty or non-numeric value.
std::string NumberOf(const Variant& v) {
  if (!Filled(v) || !IsNumeric(v, Locale())) return "NULL";
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", ToDouble(v, Locale()));
  return text;
}

}  // namespace

void FormWindow::SaveRecord() {
  auto value = [this](const char* name) {
    OrvoMask* c = Find(name);
    return c ? c->Value() : Variant();
  };
  const Variant born = value("txtNascimento");
  const Variant city = value("txtCidade");
  const Variant active = value("chkAtivo");
  // Every member of the option group holds the index of the chosen one.
  std::string kind = "NULL";
  const Variant chosen = value("optTipo(0)");
  if (Filled(chosen) && IsNumeric(chosen, Locale())) {
    const int32_t i = ToLong(chosen, Locale());
    if (i >= 0 && i <= 2) kind = Quoted(std::string(1, "FJE"[i]));
  }
  // The literals read the same on both engines: TRUE and FALSE, dates as ISO text.
  const std::pair<const char*, std::string> columns[] = {
      {"nome", TextOf(Find("txtNome"))},
      {"cpf", TextOf(Find("txtCpf"))},
      {"telefone", TextOf(Find("txtTelefone"))},
      {"nascimento", DateOf(born)},
      {"limite", NumberOf(value("txtLimite"))},
      {"parcelas", NumberOf(value("txtParcelas"))},
      {"uf", TextOf(Find("txtUf"))},
      {"cidade", city.Type() == VarType::String && !city.AsString().empty()
                     ? Quoted(city.AsString())
                     : "NULL"},
      {"tipo", kind},
      {"obs", TextOf(Find("txtObs"))},
      {"ativo", Filled(active) && ToBoolean(active, Locale()) ? "TRUE" : "FALSE"},
  };
  std::string assignments, names, values;
  for (const auto& [name, literal] : columns) {
    const char* comma = assignments.empty() ? "" : ", ";
    assignments += comma + std::string(name) + " = " + literal;
    names += comma + std::string(name);
    values += comma + literal;
  }

  // One transaction: a refused value leaves the old row as it was. A known code keeps the
  // columns the form does not show; a new one is the next free code.
  const std::string key = NumberOf(value("txtCodigo"));
  db_->Exec("BEGIN");
  try {
    bool updated = false;
    if (key != "NULL") {
      db_->Exec("UPDATE clientes SET " + assignments + " WHERE codigo = " + key);
      updated = db_->Changes() > 0;
    }
    if (!updated) {
      const std::string code =
          key != "NULL" ? key : "(SELECT COALESCE(MAX(codigo), 0) + 1 FROM clientes)";
      db_->Exec("INSERT INTO clientes (codigo, num, " + names + ") VALUES (" + code + ", 0, " +
                values + ")");
    }
    db_->Exec("COMMIT");
  } catch (const Error&) {
    try {
      db_->Exec("ROLLBACK");
    } catch (const Error&) {
      // A lost connection took the transaction with it.
    }
    throw;
  }
  if (log_) log_("record saved");
}

}  // namespace orvo::demo
