// The registration form's fields, their properties and their places.
#include "registration_form.h"

#include <algorithm>
#include <utility>

#include "access/constituents.h"
#include "customer_form.h"
#include "orvo/property_bag.h"
#include "platform/widgets.h"

namespace orvo::demo {

namespace {

// Twips. A row is a field's height and the gap under it.
constexpr float kMargin = 240, kRowHeight = 330, kRowGap = 120, kMemoHeight = 900;
constexpr float kOptionWidth = 1700;
constexpr float kCaptionGap = 120;  // between the widest caption and the column of boxes

enum class Place { Column, Beside };  // a captioned field, or a box standing in the column

struct Definition {
  const char* name;
  std::optional<int16_t> index;
  float boxWidth;
  float height;
  Place place;
  std::vector<std::pair<const char*, Variant>> properties;
  std::optional<Variant> start = {};  // the value the field opens with
};

std::vector<Definition> Definitions() {
  const Variant left = StoredAlignment(TipoAlinhamento::FieldLeft);
  const Variant right = StoredAlignment(TipoAlinhamento::FieldRight);
  const Variant drop = StoredButton(TipoBot::DropDown);
  auto option = [&](int16_t i, const char* caption) {
    return Definition{"optTipo",
                      i,
                      kOptionWidth,
                      kRowHeight,
                      Place::Beside,
                      {{"Caption", caption},
                       {"DataType", StoredKind(TipoDeCampo::Option)},
                       {"Alignment", right}}};
  };
  return {
      {"txtCodigo",
       {},
       4200,
       kRowHeight,
       Place::Column,
       {{"Caption",
         "C\xF3"
         "digo do cliente"},
        {"BoundColumn", "codigo"},
        {"ListFields", "codigo|nome"},
        {"BrowseVisible", drop},
        {"Alignment", left}}},
      {"txtNome",
       {},
       4200,
       kRowHeight,
       Place::Column,
       {{"Caption", "Nome"}, {"Mask", "@!"}, {"MaxLength", int16_t{40}}, {"Alignment", left}}},
      {"txtCpf",
       {},
       1700,
       kRowHeight,
       Place::Column,
       {{"Caption", "CPF"}, {"Mask", "999.999.999-99"}, {"Alignment", left}}},
      {"txtTelefone",
       {},
       1700,
       kRowHeight,
       Place::Column,
       {{"Caption", "Telefone"}, {"Mask", "(99) 9999-9999"}, {"Alignment", left}}},
      {"txtNascimento",
       {},
       1500,
       kRowHeight,
       Place::Column,
       {{"Caption", "Data de nascimento"},
        {"DataType", StoredKind(TipoDeCampo::Date)},
        {"Mask", "99/99/9999"},
        {"BrowseVisible", drop},
        {"Alignment", left}}},
      {"txtLimite",
       {},
       1700,
       kRowHeight,
       Place::Column,
       {{"Caption",
         "Limite de cr\xE9"
         "dito"},
        {"DataType", StoredKind(TipoDeCampo::Numeric)},
        {"Mask", "#.##0,00"},
        {"BrowseVisible", StoredButton(TipoBot::Ellipsis)},
        {"Alignment", left}}},
      // The classic bar puts Min at its top: Min 48 and Max 1 make the up arrow raise it.
      {"txtParcelas",
       {},
       900,
       kRowHeight,
       Place::Column,
       {{"Caption", "Parcelas"},
        {"DataType", StoredKind(TipoDeCampo::Spinner)},
        {"Min", int16_t{48}},
        {"Max", int16_t{1}},
        {"Alignment", left}},
       Variant(int16_t{1})},
      {"txtUf",
       {},
       900,
       kRowHeight,
       Place::Column,
       {{"Caption", "Estado"},
        {"ListFields",
         "AC|AL|AM|AP|BA|CE|DF|ES|GO|MA|MG|MS|MT|PA|PB|PE|PI|PR|RJ|RN|RO|RR|RS|SC|SE|SP|TO"},
        {"BrowseVisible", drop},
        {"Alignment", left}}},
      {"txtCidade",
       {},
       3000,
       kRowHeight,
       Place::Column,
       {{"Caption", "Cidade"},
        {"BoundColumn", "nome"},
        {"ListFields", "nome|uf"},
        {"BrowseVisible", drop},
        {"Alignment", left}}},
      option(0, "Pessoa f\xEDsica"),
      option(1,
             "Pessoa jur\xED"
             "dica"),
      option(2, "Estrangeiro"),
      {"txtObs",
       {},
       4200,
       kMemoHeight,
       Place::Column,
       {{"Caption",
         "Observa\xE7\xF5"
         "es"},
        {"DataType", StoredKind(TipoDeCampo::Memo)},
        {"Alignment", left}}},
      {"chkAtivo",
       {},
       1500,
       kRowHeight,
       Place::Beside,
       {{"Caption", "Cliente ativo"},
        {"DataType", StoredKind(TipoDeCampo::Boolean)},
        {"Alignment", right}}},
  };
}

}  // namespace

OrvoMask* RegistrationForm::Find(const std::string& name) const {
  for (const RegistrationField& f : fields)
    if (f.name == name) return f.control.get();
  return nullptr;
}

ControlSite* RegistrationForm::SiteOf(const std::string& name) const {
  for (const RegistrationField& f : fields)
    if (f.name == name) return f.site;
  return nullptr;
}

void RegistrationForm::DestroyAll() {
  while (!fields.empty()) {
    ControlSite* site = fields.back().site;
    fields.pop_back();
    if (site) host_.RemoveControl(*site);
  }
}

OrvoMask& RegistrationForm::Make(ControlSite& site, const FormControl& entry) {
  RegistrationField f;
  f.name = ControlDisplayName(entry.name, entry.index);
  f.site = &site;
  f.control = std::make_unique<OrvoMask>(site);
  fields.push_back(std::move(f));
  return *fields.back().control;
}

float LineUpCaptions(RegistrationForm& form, float column) {
  auto leftCaptioned = [](const RegistrationField& f) {
    return f.control && f.control->Alignment() == TipoAlinhamento::FieldLeft;
  };
  // A caption's own width: its label's (the offset pads it beyond the label).
  auto own = [](OrvoMask& c) { return Constituents(c).lab->Width(); };
  float needed = 0;
  for (const RegistrationField& f : form.fields)
    if (leftCaptioned(f)) needed = std::max(needed, own(*f.control) + kCaptionGap);
  column = std::max(column, needed);
  for (RegistrationField& f : form.fields)
    if (leftCaptioned(f))
      f.control->SetCaptionOffset(static_cast<int16_t>(column - own(*f.control)));
  return column;
}

void BuildRegistrationForm(
    FormHost& host, RegistrationForm& form,
    const std::function<void(const std::string& name, const Error&)>& failed) {
  const std::vector<Definition> definitions = Definitions();
  form.DestroyAll();
  for (const Definition& d : definitions) {
    RegistrationField f;
    f.name = ControlDisplayName(d.name, d.index);
    SiteOptions options;
    options.index = d.index;
    options.width = d.boxWidth;
    options.height = d.height;
    f.site = &host.CreateSite(d.name, options);
    try {
      f.control = std::make_unique<OrvoMask>(*f.site);
      host.RegisterControl(*f.site, f.control.get());
      MemoryPropertyBag bag;
      for (const auto& [key, value] : d.properties) bag.Set(key, value);
      f.control->UserControl_ReadProperties(bag);
      if (d.start) f.control->SetValue(*d.start);
    } catch (const Error& e) {
      failed(f.name, e);
    }
    form.fields.push_back(std::move(f));
  }

  const float captionColumn = LineUpCaptions(form, 0);
  float top = kMargin, right = 0;
  float optionLeft = kMargin + captionColumn;
  for (size_t i = 0; i < definitions.size(); ++i) {
    const Definition& d = definitions[i];
    RegistrationField& f = form.fields[i];
    float left = kMargin, width = captionColumn + d.boxWidth;
    if (d.place == Place::Beside) {
      left = d.index ? optionLeft : kMargin + captionColumn;
      width = d.boxWidth;
      if (d.index) optionLeft += kOptionWidth;
    }
    host.PlaceControl(*f.site, left, top, width, d.height);
    right = std::max(right, left + width);
    // The options of a group share one row.
    const bool rowContinues = d.index && *d.index < 2;
    if (!rowContinues) top += d.height + kRowGap;
  }
  host.SetFormFrame("Cadastro de clientes", right + kMargin, top + kMargin - kRowGap);
}

}  // namespace orvo::demo
