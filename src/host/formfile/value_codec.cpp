// Property-bag values to and from their form-file form.
#include "host/formfile/value_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/strings.h"

#include "host/formfile/base64.h"
#include "platform/host_objects.h"

namespace orvo {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

[[noreturn]] void Problem(std::string what) {
  throw ValueProblem{std::move(what)};
}

// The shortest decimal that reads back as the same float, as a double: 10.2f is written
// 10.2, not 10.199999809265137.
double FloatForJson(float f) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, f);
  double d = 0;
  std::from_chars(buf, r.ptr, d);
  return d;
}

FormJson Number(double d) {
  if (!std::isfinite(d)) Problem("a number that is not finite cannot be saved");
  return d;
}

FormJson EncodeFont(const Font& f) {
  FormJson j;
  j["name"] = TextForFile(f.name);
  j["size"] = Number(FloatForJson(f.size));
  j["bold"] = f.bold;
  j["italic"] = f.italic;
  j["underline"] = f.underline;
  j["strikethrough"] = f.strikethrough;
  j["weight"] = f.weight;
  j["charset"] = f.charset;
  return j;
}

FormJson EncodePicture(const Picture& p) {
  FormJson j;
  j["name"] = TextForFile(p.name);
  if (!p.png.empty()) j["png"] = EncodeBase64(p.png);
  return j;
}

int64_t WholeNumber(const FormJson& j, int64_t lo, int64_t hi, const char* kind) {
  if (!j.is_number_integer()) Problem(std::string("a whole number is required (") + kind + ")");
  if (j.is_number_unsigned() && j.get<uint64_t>() > static_cast<uint64_t>(hi))
    Problem(j.dump() + " is out of range (" + kind + ")");
  const int64_t n = j.get<int64_t>();
  if (n < lo || n > hi) Problem(std::to_string(n) + " is out of range (" + kind + ")");
  return n;
}

double RealNumber(const FormJson& j, const char* kind) {
  if (!j.is_number()) Problem(std::string("a number is required (") + kind + ")");
  return j.get<double>();
}

// Members of a font or picture: only those named, each of its JSON type.
void CheckMembers(const FormJson& j, std::initializer_list<std::string_view> allowed,
                  const char* what) {
  if (!j.is_object()) Problem(std::string("a ") + what + " object is required");
  for (const auto& [k, v] : j.items()) {
    if (std::find(allowed.begin(), allowed.end(), k) == allowed.end())
      Problem(std::string("unknown ") + what + " member \"" + k + "\"");
  }
}

bool Flag(const FormJson& j, const char* name, bool def) {
  if (!j.contains(name)) return def;
  if (!j[name].is_boolean()) Problem(std::string("font ") + name + ": true or false is required");
  return j[name].get<bool>();
}

Variant DecodeFont(const FormJson& j) {
  CheckMembers(
      j, {"name", "size", "bold", "italic", "underline", "strikethrough", "weight", "charset"},
      "font");
  auto f = std::make_shared<Font>();
  if (!j.contains("name") || !j["name"].is_string()) Problem("font name: a text is required");
  f->name = TextFromFile(j["name"].get<std::string>());
  if (!j.contains("size")) Problem("font size: a number is required");
  const double size = RealNumber(j["size"], "font size");
  if (!(size > 0 && size <= 2048)) Problem("font size " + j["size"].dump() + " is out of range");
  f->size = static_cast<float>(size);
  f->bold = Flag(j, "bold", false);
  f->italic = Flag(j, "italic", false);
  f->underline = Flag(j, "underline", false);
  f->strikethrough = Flag(j, "strikethrough", false);
  f->weight =
      static_cast<int16_t>(j.contains("weight") ? WholeNumber(j["weight"], 1, 1000, "font weight")
                                                : (f->bold ? 700 : 400));
  f->charset = static_cast<int16_t>(
      j.contains("charset") ? WholeNumber(j["charset"], 0, 255, "charset") : 0);
  return Variant(std::static_pointer_cast<Object>(f));
}

Variant DecodePicture(const FormJson& j) {
  CheckMembers(j, {"name", "png"}, "picture");
  auto p = std::make_shared<Picture>();
  if (j.contains("name")) {
    if (!j["name"].is_string()) Problem("picture name: a text is required");
    p->name = TextFromFile(j["name"].get<std::string>());
  }
  if (j.contains("png")) {
    if (!j["png"].is_string()) Problem("picture png: base64 text is required");
    auto bytes = DecodeBase64(j["png"].get<std::string>());
    if (!bytes) Problem("picture png: not valid base64");
    if (bytes->compare(0, kPngSignature.size(), kPngSignature) != 0)
      Problem("picture png: not a PNG image");
    p->png = std::move(*bytes);
  }
  return Variant(std::static_pointer_cast<Object>(p));
}

// Keys whose widget refuses part of the type's range: a scroll bar moves by at least one.
struct KeyRange {
  std::string_view key;
  int64_t lo, hi;
};
constexpr KeyRange kKeyRanges[] = {{"LargeChange", 1, 32767}, {"SmallChange", 1, 32767}};

const char* TypeName(SavedType t) {
  switch (t) {
    case SavedType::Integer:
      return "a 16-bit number {\"int16\": N}";
    case SavedType::Long:
      return "a 32-bit number {\"int32\": N}";
    case SavedType::Boolean:
      return "true or false";
    case SavedType::String:
      return "a text";
    case SavedType::Font:
      return "a font {\"font\": {...}}";
    case SavedType::Picture:
      return "a picture {\"picture\": {...}}";
    default:
      return "a value";
  }
}

}  // namespace

const PropertyInfo* SavedKeyRow(std::string_view key) {
  for (const PropertyInfo& p : kPropertyTable)
    if (p.Saved() && p.savedKey == key) return &p;
  return nullptr;
}

std::string TextForFile(const std::string& latin1) { return Latin1ToUtf8(latin1); }

// The JSON parser has already refused malformed UTF-8; only the range is checked here.
std::string TextFromFile(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      Problem("a character beyond Latin-1 is out of range");
    }
  }
  return out;
}

FormJson EncodeValue(const Variant& v) {
  FormJson j;
  switch (v.Type()) {
    case VarType::String:
      return TextForFile(v.AsString());
    case VarType::Boolean:
      return v.AsBoolean();
    case VarType::Integer:
      j["int16"] = v.AsInteger();
      return j;
    case VarType::Long:
      j["int32"] = v.AsLong();
      return j;
    case VarType::Single:
      j["single"] = Number(FloatForJson(v.AsSingle()));
      return j;
    case VarType::Double:
      j["double"] = Number(v.AsDouble());
      return j;
    case VarType::Date:
      j["date"] = Number(v.AsDouble());
      return j;
    case VarType::Null:
      j["null"] = true;
      return j;
    case VarType::Object: {
      const auto& o = v.AsObject();
      if (!o) {
        j["object"] = nullptr;
      } else if (auto f = std::dynamic_pointer_cast<Font>(o)) {
        j["font"] = EncodeFont(*f);
      } else if (auto p = std::dynamic_pointer_cast<Picture>(o)) {
        j["picture"] = EncodePicture(*p);
      } else {
        Problem("an object that is neither a font nor a picture cannot be saved");
      }
      return j;
    }
    default:
      Problem("a value of this type cannot be saved");
  }
}

Variant DecodeValue(const FormJson& j, const PropertyInfo& key) {
  const SavedType want = key.savedType;
  const bool any = want == SavedType::AsStored;
  auto mismatch = [&]() { Problem(std::string(TypeName(want)) + " is required"); };
  if (j.is_string()) {
    if (!any && want != SavedType::String) mismatch();
    return Variant(TextFromFile(j.get<std::string>()));
  }
  if (j.is_boolean()) {
    if (!any && want != SavedType::Boolean) mismatch();
    return Variant(j.get<bool>());
  }
  if (!j.is_object() || j.size() != 1) mismatch();
  const std::string tag = j.begin().key();
  const FormJson& body = j.begin().value();
  Variant v;
  if (tag == "int16") {
    if (!any && want != SavedType::Integer) mismatch();
    v = Variant(static_cast<int16_t>(WholeNumber(body, -32768, 32767, "16-bit")));
  } else if (tag == "int32") {
    if (!any && want != SavedType::Long) mismatch();
    v = Variant(static_cast<int32_t>(WholeNumber(body, std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max(), "32-bit")));
  } else if (tag == "font") {
    if (!any && want != SavedType::Font) mismatch();
    return DecodeFont(body);
  } else if (tag == "picture") {
    if (!any && want != SavedType::Picture) mismatch();
    return DecodePicture(body);
  } else if (tag == "object") {
    if (!any && want != SavedType::Font && want != SavedType::Picture) mismatch();
    if (!body.is_null()) Problem("\"object\" holds only null (the object Nothing)");
    return Variant(std::shared_ptr<Object>());
  } else if (any && tag == "single") {
    const double d = RealNumber(body, "single");
    if (std::fabs(d) > std::numeric_limits<float>::max())
      Problem(body.dump() + " is out of range (single)");
    return Variant(static_cast<float>(d));
  } else if (any && tag == "double") {
    return Variant(RealNumber(body, "double"));
  } else if (any && tag == "date") {
    return Variant::Date(RealNumber(body, "date"));
  } else if (any && tag == "null") {
    if (body != true) Problem("\"null\" holds only true");
    return Variant::Null();
  } else {
    mismatch();
  }
  // An enumeration takes only its members, and some keys less than their type holds:
  // ReadProperties would refuse any other value after the old form was gone.
  const int64_t n = v.Type() == VarType::Integer ? v.AsInteger() : v.AsLong();
  for (const KeyRange& r : kKeyRanges) {
    if (r.key == key.savedKey && (n < r.lo || n > r.hi))
      Problem(std::to_string(n) + " is out of range (" + std::to_string(r.lo) + " to " +
              std::to_string(r.hi) + ")");
  }
  if (!key.members.empty()) {
    if (std::find(key.members.begin(), key.members.end(), n) == key.members.end())
      Problem(std::to_string(n) + " is out of range (not one of the property's values)");
  }
  return v;
}

}  // namespace orvo
