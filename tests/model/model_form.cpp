// The model test's form: its twenty fields, their database and their slots.
#include "model_form.h"

#include "db/sqlite/sqlite_database.h"
#include "platform/property_bag.h"

namespace orvo::model {

void ModelEvents::OpenRecordSet(RecordsetRef& rs, std::string& sql) {
  rs = db->OpenDynaset(sql);
}

namespace {

void Masked(OrvoMask& c, TipoDeCampo kind, const char* mask) {
  c.SetDataType(kind);
  c.SetMask(mask);
}

// A lookup over the customers, in one of the flavours; the form's answers open the rest.
auto Lookup(int flavour) {
  return [flavour](OrvoMask& c, const DatabaseRef& db) {
    c.SetBoundColumn("codigo");
    c.SetListFields("nome|uf");
    c.SetBrowseVisible(TipoBot::DropDown);
    c.SetRecordSource(flavour == 0   ? db->OpenTable("cli", "ixNome")
                      : flavour == 1 ? db->OpenDynaset("SELECT * FROM cli ORDER BY nome")
                                     : db->OpenNoMatchless("SELECT * FROM cli ORDER BY nome"));
  };
}

std::vector<FieldSlot> Slots() {
  using K = TipoDeCampo;
  auto mask = [](K kind, const char* m, TipoBot button = TipoBot::None) {
    return [=](OrvoMask& c, const DatabaseRef&) {
      Masked(c, kind, m);
      c.SetBrowseVisible(button);
    };
  };
  std::vector<FieldSlot> s;
  auto add = [&s](const char* name, int16_t index, auto setUp) {
    s.push_back(FieldSlot{name, index, setUp, nullptr, true, true});
  };
  add("txtNome", -1, mask(K::Character, "@!"));
  add("txtCpf", -1, mask(K::Character, "999.999.999-99"));
  add("txtFone", -1, mask(K::Character, "(99) 9999-9999"));
  add("txtCep", -1, [](OrvoMask& c, const DatabaseRef&) {
    Masked(c, K::Character, "99999-999");
    c.SetStuffChar("0");
  });
  add("txtPlaca", -1, mask(K::Character, "AAA-9N99"));
  add("txtData", -1, mask(K::Date, "99/99/9999", TipoBot::DropDown));
  add("txtMes", -1, mask(K::Date, "dd/mmm/yyyy", TipoBot::DropDown));
  add("txtHora", -1, mask(K::Date, "99:99"));
  add("txtValor", -1, mask(K::Numeric, "#.##0,00", TipoBot::DropDown));
  add("txtQtd", -1, mask(K::Numeric, "9999"));
  add("spnParcelas", -1, [](OrvoMask& c, const DatabaseRef&) {
    Masked(c, K::Spinner, "999");
    c.SetMin(48);
    c.SetMax(1);
  });
  add("memObs", -1, mask(K::Memo, ""));
  add("chkAtivo", -1, mask(K::Boolean, ""));
  for (int16_t i = 0; i < 3; ++i) add("optTipo", i, mask(K::Option, ""));
  add("lkTabela", -1, Lookup(0));
  add("lkDynaset", -1, Lookup(1));
  add("lkSemNoMatch", -1, Lookup(2));
  add("lstUf", -1, [](OrvoMask& c, const DatabaseRef&) {
    c.SetListFields("SP|RJ|MG|Minas\tGerais");
    c.SetBrowseVisible(TipoBot::DropDown);
  });
  return s;
}

}  // namespace

ModelForm::ModelForm() : slots(Slots()) {
  DatabaseOptions options;
  options.busyTimeoutMs = 50;
  db = SqliteDatabase::Open(":memory:", LocaleSettings::PtBR(), options);
  db->Exec(
      "CREATE TABLE cli (codigo INTEGER PRIMARY KEY, nome VARCHAR(40) COLLATE NOCASE,"
      " uf VARCHAR(2)); CREATE INDEX ixNome ON cli (nome);");
  // Names that share prefixes, quotes, wildcards and Latin-1 letters, over three states.
  static const char* const kNames[] = {"Ana",   "Bia", "Caio",      "O'Neil", "Bruno", "50% off",
                                       "Ab Cd", "Abc", "M\xC1rcio", "Mar",    "_x",    "[z]"};
  static const char* const kStates[] = {"SP", "RJ", "MG"};
  std::string insert = "INSERT INTO cli VALUES ";
  for (int i = 1; i <= 120; ++i) {
    std::string name = kNames[i % std::size(kNames)];
    std::string quoted;
    for (char ch : name + " " + std::to_string(i)) quoted += ch == '\'' ? "''" : std::string(1, ch);
    insert +=
        (i > 1 ? ",(" : "(") + std::to_string(i) + ",'" + quoted + "','" + kStates[i % 3] + "')";
  }
  db->Exec(insert);
  events.db = db;
  for (size_t i = 0; i < slots.size(); ++i) Create(i);
}

ModelForm::~ModelForm() {
  for (size_t i = 0; i < slots.size(); ++i) Destroy(i);
}

void ModelForm::Create(size_t slot) {
  FieldSlot& s = slots[slot];
  if (s.field) return;
  SiteOptions options;
  if (s.index >= 0) options.index = s.index;
  ControlSite& site = host.CreateSite(s.name, options);
  s.field = std::make_unique<OrvoMask>(site, &events);
  host.RegisterControl(site, s.field.get());
  MemoryPropertyBag bag;
  s.field->UserControl_ReadProperties(bag);
  s.setUp(*s.field, db);
  s.textFollowsMask = s.maskFitsKind = true;
  host.ShowForm();
}

void ModelForm::Destroy(size_t slot) {
  FieldSlot& s = slots[slot];
  if (!s.field) return;
  ControlSite& site = s.field->Site();
  s.field.reset();
  host.RemoveControl(site);
}

RecordsetRef ModelForm::OpenCustomers(int flavour) {
  switch (flavour) {
    case 0:
      return db->OpenTable("cli", "ixNome");
    case 1:
      return db->OpenTable("cli", "PrimaryKey");
    case 2:
      return db->OpenDynaset("SELECT * FROM cli WHERE uf = 'SP' ORDER BY nome");
    case 3:
      return db->OpenDynaset("SELECT * FROM cli WHERE nome LIKE 'Z*' ORDER BY nome");
    default:
      return db->OpenNoMatchless("SELECT * FROM cli ORDER BY nome DESC");
  }
}

}  // namespace orvo::model
