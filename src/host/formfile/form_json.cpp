// Form documents written as JSON text and read back strictly.
#include "host/formfile/form_json.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "host/formfile/form_file_errors.h"
#include "host/formfile/json_lines.h"
#include "host/formfile/value_codec.h"

namespace orvo {

namespace {

using Path = std::vector<std::string>;

constexpr float kMaxTwips = 1e7f;

FormJson Twips(float v) {
  if (v == std::floor(v) && std::fabs(v) < kMaxTwips) return static_cast<int64_t>(v);
  return static_cast<double>(v);
}

// A control's name as a form names it: a letter, then letters, digits and underscores.
bool IsControlName(const std::string& s) {
  if (s.empty() || s.size() > 40 || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

// Reads one document; every complaint names the file, the line and the key. The positions
// are found only when there is something to report.
class Reader {
 public:
  Reader(std::string_view text, const std::string& fileName) : text_(text), file_(fileName) {}

  FormDocument Read() {
    FormJson doc;
    try {
      doc = FormJson::parse(text_);
    } catch (const FormJson::parse_error& e) {
      ParseFailure(e);
    } catch (const FormJson::out_of_range& e) {
      NumberFailure(e);
    }
    if (!doc.is_object()) Fail({}, "", "the file does not hold a form (a JSON object)");
    ReadVersion(doc);
    FormDocument form;
    for (const auto& [k, v] : doc.items()) {
      if (k == "format") continue;
      if (k == "title") {
        form.title = Text(v, {k});
      } else if (k == "width") {
        form.width = Size(v, {k});
      } else if (k == "height") {
        form.height = Size(v, {k});
      } else if (k == "controls") {
        ReadControls(v, form);
      } else {
        Fail({k}, "", "unknown member");
      }
    }
    return form;
  }

 private:
  [[noreturn]] void ParseFailure(const FormJson::parse_error& e) {
    const JsonLines lines(text_);
    const size_t byte = e.byte == 0 ? 0 : e.byte - 1;
    // The parser's own text after its position: "syntax error while parsing ...".
    std::string why = e.what();
    const size_t column = why.find("column ");
    const size_t colon = why.find(": ", column == std::string::npos ? 0 : column);
    if (colon != std::string::npos) why = why.substr(colon + 2);
    // A property's key, not the members of the value being read when the text broke off:
    // properties sit four containers deep (document, controls, control, properties).
    const std::string key = lines.LastKeyBefore(byte + 1, 4);
    RaiseError(err::kBadFileFormat, Where(lines.LineOfByte(byte), key, "") +
                                        "the file is damaged (not valid JSON: " + why + ")");
  }

  // A number too large for any type ("1E400"): the parser names the literal, not its place.
  [[noreturn]] void NumberFailure(const FormJson::out_of_range& e) {
    const std::string why = e.what();
    const size_t open = why.find('\'');
    const size_t close = why.rfind('\'');
    size_t byte = 0;
    if (open != std::string::npos && close > open) {
      const size_t at = text_.find(why.substr(open + 1, close - open - 1));
      if (at != std::string_view::npos) byte = at;
    }
    const JsonLines lines(text_);
    RaiseError(err::kBadFileFormat,
               Where(lines.LineOfByte(byte), lines.LastKeyBefore(byte, 4), "") +
                   "the file is damaged (a number out of range)");
  }

  std::string Where(int line, const std::string& key, const std::string& control) const {
    std::string w = "form file \"" + file_ + "\", line " + std::to_string(line);
    if (!key.empty()) w += ", key \"" + key + "\"";
    if (!control.empty()) w += key.empty() ? ", control " + control : " of control " + control;
    return w + ": ";
  }

  // `path` leads to a key; an empty path is the document itself (line 1).
  [[noreturn]] void Fail(const Path& path, const std::string& control, const std::string& what) {
    const JsonLines lines(text_);
    int line = 1;
    for (size_t n = path.size(); n > 0; --n) {
      if (int l = lines.LineOfKey(Path(path.begin(), path.begin() + n))) {
        line = l;
        break;
      }
    }
    // An element of a list has a line but no key.
    const bool element =
        !path.empty() && std::all_of(path.back().begin(), path.back().end(), [](char c) {
          return std::isdigit(static_cast<unsigned char>(c));
        });
    RaiseError(err::kBadFileFormat,
               Where(line, path.empty() || element ? "" : path.back(), control) + what);
  }

  void ReadVersion(const FormJson& doc) {
    if (!doc.contains("format")) Fail({}, "", "not a form file: it has no \"format\" version");
    const FormJson& v = doc["format"];
    if (!v.is_number_integer())
      Fail({"format"}, "", "the format version must be a whole number from 1");
    // A huge version is as newer as any other.
    const bool huge = v.is_number_unsigned() && v.get<uint64_t>() > INT32_MAX;
    const int64_t version = huge ? INT64_MAX : v.get<int64_t>();
    if (version < 1) Fail({"format"}, "", "the format version must be a whole number from 1");
    if (version > kFormFileVersion) {
      Fail({"format"}, "",
           "the file has format version " + v.dump() + ", newer than this program reads (" +
               std::to_string(kFormFileVersion) + "); open it with a newer version");
    }
  }

  std::string Text(const FormJson& v, const Path& path, const std::string& control = "") {
    if (!v.is_string()) Fail(path, control, "a text is required");
    try {
      return TextFromFile(v.get<std::string>());
    } catch (const ValueProblem& p) {
      Fail(path, control, p.what);
    }
  }

  float Number(const FormJson& v, const Path& path, const std::string& control, float lo) {
    if (!v.is_number()) Fail(path, control, "a number of twips is required");
    const double d = v.get<double>();
    if (!(d >= lo && d <= kMaxTwips)) Fail(path, control, v.dump() + " is out of range");
    return static_cast<float>(d);
  }
  float Size(const FormJson& v, const Path& path, const std::string& control = "") {
    return Number(v, path, control, 0);
  }

  void ReadControls(const FormJson& list, FormDocument& form) {
    if (!list.is_array()) Fail({"controls"}, "", "a list of controls is required");
    for (size_t i = 0; i < list.size(); ++i) {
      const Path at{"controls", std::to_string(i)};
      if (!list[i].is_object())
        Fail({"controls"}, "", "control " + std::to_string(i + 1) + " is not an object");
      FormControl c = ReadControl(list[i], at);
      for (const FormControl& other : form.controls) {
        if (other.name == c.name && other.index == c.index)
          Fail(Sub(at, "name"), Display(c), "a control of this name and index is already there");
      }
      form.controls.push_back(std::move(c));
    }
  }

  static Path Sub(const Path& p, const std::string& key) {
    Path out = p;
    out.push_back(key);
    return out;
  }
  static std::string Display(const FormControl& c) {
    return c.index ? c.name + "(" + std::to_string(*c.index) + ")" : c.name;
  }

  FormControl ReadControl(const FormJson& j, const Path& at) {
    FormControl c;
    if (!j.contains("name")) Fail(at, "", "a control has no \"name\"");
    c.name = Text(j["name"], Sub(at, "name"));
    if (!IsControlName(c.name))
      Fail(Sub(at, "name"), "", "\"" + c.name + "\" is not a control name");
    if (j.contains("index") && !j["index"].is_null()) {
      const FormJson& v = j["index"];
      const bool ok = v.is_number_integer() &&
                      !(v.is_number_unsigned() && v.get<uint64_t>() > 32767) &&
                      v.get<int64_t>() >= 0 && v.get<int64_t>() <= 32767;
      if (!ok) Fail(Sub(at, "index"), c.name, "an index from 0 to 32767, or null, is required");
      c.index = static_cast<int16_t>(v.get<int64_t>());
    }
    const std::string who = Display(c);
    for (const char* need : {"left", "top", "width", "height"})
      if (!j.contains(need)) Fail(at, who, std::string("the control has no \"") + need + "\"");
    for (const auto& [k, v] : j.items()) {
      const Path p = Sub(at, k);
      if (k == "name" || k == "index") continue;
      if (k == "left") {
        c.left = Number(v, p, who, -kMaxTwips);
      } else if (k == "top") {
        c.top = Number(v, p, who, -kMaxTwips);
      } else if (k == "width") {
        c.width = Size(v, p, who);
      } else if (k == "height") {
        c.height = Size(v, p, who);
      } else if (k == "properties") {
        ReadProperties(v, p, who, c);
      } else {
        Fail(p, who, "unknown member");
      }
    }
    return c;
  }

  void ReadProperties(const FormJson& bag, const Path& at, const std::string& who, FormControl& c) {
    if (!bag.is_object()) Fail(at, who, "an object of properties is required");
    for (const auto& [k, v] : bag.items()) {
      const Path p = Sub(at, k);
      const PropertyInfo* row = SavedKeyRow(k);
      if (!row) Fail(p, who, "unknown key");
      try {
        c.properties.emplace_back(k, DecodeValue(v, *row));
      } catch (const ValueProblem& problem) {
        Fail(p, who, problem.what);
      }
    }
  }

  std::string_view text_;
  const std::string& file_;
};

}  // namespace

// Written by hand rather than by the library's pretty printer: one line per member and
// per property, whatever the value, so that a change to one key is a change to one line.
std::string FormText(const FormDocument& form) {
  std::string out = "{\n";
  auto member = [&](int indent, const std::string& key, const FormJson& v, bool last) {
    out +=
        std::string(indent, ' ') + FormJson(key).dump() + ": " + v.dump() + (last ? "\n" : ",\n");
  };
  member(2, "format", kFormFileVersion, false);
  member(2, "title", TextForFile(form.title), false);
  member(2, "width", Twips(form.width), false);
  member(2, "height", Twips(form.height), false);
  out += "  \"controls\": [";
  for (size_t i = 0; i < form.controls.size(); ++i) {
    const FormControl& c = form.controls[i];
    if (!IsControlName(c.name))
      RaiseError(err::kInvalidPropertyValue, "cannot save \"" + c.name + "\": not a control name");
    out += i == 0 ? "\n    {\n" : ",\n    {\n";
    member(6, "name", c.name, false);
    member(6, "index", c.index ? FormJson(*c.index) : FormJson(nullptr), false);
    member(6, "left", Twips(c.left), false);
    member(6, "top", Twips(c.top), false);
    member(6, "width", Twips(c.width), false);
    member(6, "height", Twips(c.height), false);
    auto entries = c.properties;
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    out += "      \"properties\": {";
    for (size_t k = 0; k < entries.size(); ++k) {
      const auto& [key, value] = entries[k];
      const std::string where = "cannot save control " + c.name + ", key \"" + key + "\": ";
      const PropertyInfo* row = SavedKeyRow(key);
      if (!row) RaiseError(err::kInvalidPropertyValue, where + "not a key the control saves");
      FormJson v;
      try {
        v = EncodeValue(value);
        // Only what reads back is written: the file must open again.
        DecodeValue(v, *row);
      } catch (const ValueProblem& p) {
        RaiseError(err::kInvalidPropertyValue, where + p.what);
      }
      if (k == 0) out += "\n";
      member(8, key, v, k + 1 == entries.size());
    }
    out += entries.empty() ? "}\n    }" : "      }\n    }";
  }
  out += form.controls.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

FormDocument ParseFormText(std::string_view text, const std::string& fileName) {
  return Reader(text, fileName).Read();
}

}  // namespace orvo
