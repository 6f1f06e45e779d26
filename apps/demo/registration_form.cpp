// The registration form's fields, their properties and their places.
#include "registration_form.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "customer_form.h"
#include "orvo/orvo_mask.h"
#include "orvo/orvo_mask_widget.h"

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
  const char* startProperty = "Value";
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

float CaptionWidth(const Font* font, const std::string& caption) {
  QFont f;
  const Font fallback;
  if (!font) font = &fallback;
  f.setFamily(QString::fromLatin1(font->name.data(), static_cast<qsizetype>(font->name.size())));
  f.setPointSizeF(font->size > 0 ? font->size : 8.25);
  f.setBold(font->bold);
  f.setItalic(font->italic);
  const QString text = QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
  // Measured in pixels of the screen, as the label draws it.
  return static_cast<float>(QFontMetrics(f).horizontalAdvance(text)) *
         OrvoMaskWidget::twipsPerPixel();
}

FormDocument RegistrationFormDocument() {
  const std::vector<Definition> definitions = Definitions();
  auto leftCaptioned = [](const Definition& d) { return d.place == Place::Column; };
  auto caption = [](const Definition& d) {
    for (const auto& [key, value] : d.properties)
      if (std::string(key) == "Caption") return value.AsString();
    return std::string();
  };
  float column = 0;
  for (const Definition& d : definitions)
    if (leftCaptioned(d))
      column = std::max(column, CaptionWidth(nullptr, caption(d)) + kCaptionGap);

  FormDocument form;
  form.title = "Cadastro de clientes";
  float top = kMargin, right = 0;
  float optionLeft = kMargin + column;
  for (const Definition& d : definitions) {
    FormControl c;
    c.name = d.name;
    c.index = d.index;
    for (const auto& [key, value] : d.properties) c.properties.emplace_back(key, value);
    c.left = kMargin;
    c.width = column + d.boxWidth;
    if (leftCaptioned(d)) {
      c.properties.emplace_back(
          "CaptionOffSet",
          Variant(static_cast<int16_t>(column - CaptionWidth(nullptr, caption(d)))));
    } else {
      c.left = d.index ? optionLeft : kMargin + column;
      c.width = d.boxWidth;
      if (d.index) optionLeft += kOptionWidth;
    }
    if (d.start) c.properties.emplace_back(d.startProperty, *d.start);
    c.top = top;
    c.height = d.height;
    right = std::max(right, c.left + c.width);
    // The options of a group share one row.
    const bool rowContinues = d.index && *d.index < 2;
    if (!rowContinues) top += d.height + kRowGap;
    form.controls.push_back(std::move(c));
  }
  form.width = right + kMargin;
  form.height = top + kMargin - kRowGap;
  return form;
}

}  // namespace orvo::demo
