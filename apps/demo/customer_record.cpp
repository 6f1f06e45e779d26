// The customer on the registration form as one row of `clientes`: shown when its code is
// chosen, written back when the form is saved.
#include <QDate>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "demo_database.h"
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

void FormWindow::ShowRecord() {
  OrvoMask* code = Find("txtCodigo");
  const Variant key = code ? code->Value() : Variant();
  if (showing_ || !Filled(key) || !IsNumeric(key, Locale())) return;
  RecordsetRef row = db_->OpenTable("clientes", "PrimaryKey");
  row->Seek("=", {Variant(static_cast<double>(ToLong(key, Locale())))});
  if (row->NoMatch()) return;  // a new customer: the form keeps what was typed
  showing_ = true;
  auto column = [&](const char* name) { return row->Fields(name).Value(); };
  // Each field on its own: one the column's value does not fit is logged, the rest shown.
  auto show = [&](const char* field, const std::function<void(OrvoMask&)>& put) {
    if (OrvoMask* c = Find(field)) Logged(field, [&] { put(*c); });
  };
  auto text = [&](const char* field, const char* name) {
    show(field, [&](OrvoMask& c) {
      const Variant v = column(name);
      c.SetText(Filled(v) ? ToText(v, Locale()) : std::string());
    });
  };
  auto value = [&](const char* field, const char* name) {
    show(field, [&](OrvoMask& c) {
      const Variant v = column(name);
      Filled(v) ? c.SetValue(v) : c.SetText(std::string());
    });
  };
  text("txtNome", "nome");
  text("txtCpf", "cpf");
  text("txtTelefone", "telefone");
  value("txtNascimento", "nascimento");
  value("txtLimite", "limite");
  value("txtParcelas", "parcelas");
  text("txtUf", "uf");
  Logged("narrowing the cities", [this] { NarrowCities(); });
  value("txtCidade", "cidade");  // the list shows the city as its row
  Logged("optTipo", [&] {
    const Variant kind = column("tipo");
    const std::string letter = Filled(kind) ? ToText(kind, Locale()) : "";
    const size_t chosen =
        letter.size() == 1 ? std::string("FJE").find(letter[0]) : std::string::npos;
    if (chosen != std::string::npos) ChooseOption("optTipo", Variant(static_cast<int16_t>(chosen)));
  });
  text("txtObs", "obs");
  show("chkAtivo", [&](OrvoMask& c) {
    const Variant v = column("ativo");
    c.SetValue(Variant(Filled(v) && ToBoolean(v, Locale())));
  });
  showing_ = false;
  if (log_) log_("record shown");
}

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
  InTransaction(*db_, [&] {
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
  });
  if (log_) log_("record saved");
}

}  // namespace orvo::demo
