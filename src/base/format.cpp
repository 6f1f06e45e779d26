// Format: chooses between the number and the date half by value and picture; named formats.
#include "base/format.h"

#include <cmath>

#include "base/dates.h"
#include "base/format_parts.h"
#include "base/locale_settings.h"
#include "base/number_text.h"
#include "base/strings.h"

namespace orvo {

namespace {

enum class PictureKind { Number, Date };

struct NamedFormat {
  const char* name;  // upper case
  PictureKind kind;
  const char* picture;  // empty: taken from the locale
};

// The classic named formats; the date ones that depend on the locale have no fixed picture.
constexpr NamedFormat kNamedFormats[] = {
    {"GENERAL NUMBER", PictureKind::Number, ""},
    {"FIXED", PictureKind::Number, "0.00"},
    {"STANDARD", PictureKind::Number, "#,##0.00"},
    {"PERCENT", PictureKind::Number, "0.00%"},
    {"GENERAL DATE", PictureKind::Date, "c"},
    {"SHORT DATE", PictureKind::Date, "ddddd"},
    {"LONG DATE", PictureKind::Date, "dddddd"},
    {"MEDIUM DATE", PictureKind::Date, "dd-mmm-yy"},
    {"SHORT TIME", PictureKind::Date, "hh:mm"},
    {"MEDIUM TIME", PictureKind::Date, "hh:mm AM/PM"},
    {"LONG TIME", PictureKind::Date, "hh:mm:ss"},
};

const NamedFormat* FindNamed(const std::string& picture) {
  const std::string key = UCase(picture);
  for (const auto& f : kNamedFormats) {
    if (key == f.name) return &f;
  }
  return nullptr;
}

// A serial outside the date range cannot show as a date: it shows as the number it is.
std::string FormatAsDate(double serial, const std::string& picture, const LocaleSettings& loc) {
  if (!IsValidSerial(serial)) return DoubleToText(serial, loc);
  return FormatDate(serial, picture, loc);
}

}  // namespace

std::string Format(const Variant& value, const std::string& picture, const LocaleSettings& loc) {
  std::string pic = picture;
  PictureKind kind = IsDatePicture(pic) ? PictureKind::Date : PictureKind::Number;
  if (const NamedFormat* named = FindNamed(picture)) {
    pic = named->picture;
    kind = named->kind;
  }

  switch (value.Type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency: {
      const double d = value.Type() == VarType::Integer  ? value.AsInteger()
                       : value.Type() == VarType::Long   ? value.AsLong()
                       : value.Type() == VarType::Single ? static_cast<double>(value.AsSingle())
                                                         : value.AsDouble();
      if (kind == PictureKind::Date) return FormatAsDate(d, pic, loc);
      if (pic.empty()) return ToText(value, loc);
      return FormatNumber(d, pic, loc);
    }
    case VarType::Date:
      if (kind == PictureKind::Number && !pic.empty())
        return FormatNumber(value.AsDouble(), pic, loc);
      return FormatAsDate(value.AsDouble(), pic.empty() ? "c" : pic, loc);
    case VarType::Boolean:
      if (pic.empty()) return value.AsBoolean() ? "True" : "False";
      if (kind == PictureKind::Date) return FormatAsDate(value.AsBoolean() ? -1 : 0, pic, loc);
      return FormatNumber(value.AsBoolean() ? -1 : 0, pic, loc);
    case VarType::String: {
      const std::string& text = value.AsString();
      if (text.empty() || pic.empty()) return text;
      const NumberRead number = ReadNumberText(text, loc);
      if (kind == PictureKind::Number) {
        return number.status == NumberReadStatus::Ok ? FormatNumber(number.value, pic, loc) : text;
      }
      // Under a date picture a date text comes first; a numeric text is a serial ("45651").
      if (const auto date = ParseDateText(text, loc)) return FormatDate(*date, pic, loc);
      if (number.status == NumberReadStatus::Ok && IsValidSerial(number.value)) {
        return FormatDate(number.value, pic, loc);
      }
      return text;
    }
    default:
      return {};  // Empty, Null, objects
  }
}

}  // namespace orvo
