// The randomised model test: a form of twenty fields of every kind driven by thousands of
// random operations. Whatever happens, only orvo::Error may come out of an operation, nothing
// may point at a destroyed field, and each field's text keeps to its mask. The sanitizer
// build checks that nothing touches freed memory and nothing leaks.
//
//   ORVO_MODEL_SEED=n   the seed (default a fixed one)
//   ORVO_MODEL_OPS=n    operations per run (default 10000)
//   ORVO_MODEL_TRACE=1  every operation on the standard error, as it ends
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <sstream>

#include "access/internals.h"
#include "base/error.h"
#include "mask/compiled_mask.h"
#include "model_operations.h"

namespace orvo::model {
namespace {

uint32_t FromEnvironment(const char* name, uint32_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

std::string MemberText(const OrvoMask& f, const char* name) {
  std::optional<Variant> v = MemberValue(f, name);
  return v && v->Type() == VarType::String ? v->AsString() : std::string();
}

// Where a field's text breaks its mask, "" when it keeps to it: within the template every
// literal stands in its place, and a mask without functions ("@") holds the text to the
// template's length. List fields, the multi-line box and fields without a mask have no rule.
std::string MaskBreach(const OrvoMask& f) {
  const std::string text = f.Text();
  const std::string mask = f.Mask();
  const std::string tmpl = MemberText(f, "MaskTemplate");
  const TipoDeCampo kind = f.DataType();
  if (mask.empty() || !f.ListFields().empty() || kind == TipoDeCampo::Boolean ||
      kind == TipoDeCampo::Option || MemberValue(f, "ActiveTextIndex")->AsInteger() == 2)
    return "";
  // A text that is no number stays as the application set it in a numeric field (it reads
  // as its leading digits); only numbers are laid out to the picture.
  if (IsNumericKind(kind) && !IsNumeric(Variant(text), f.Locale())) return "";
  // A sign takes no digit position: "-1.234,00" fills "#.##0,00" with one character more.
  const size_t sign = IsNumericKind(kind) && !text.empty() && text[0] == '-' ? 1 : 0;
  if (mask.find('@') == std::string::npos && text.size() > tmpl.size() + sign)
    return "text " + std::to_string(text.size()) + " long, template " + std::to_string(tmpl.size());
  const std::string_view literals =
      IsNumericKind(kind) ? LiteralSet.substr(4) : std::string_view(LiteralSet);
  for (size_t i = 0; i < text.size() && i < tmpl.size(); ++i) {
    if (literals.find(tmpl[i]) != std::string_view::npos && text[i] != tmpl[i])
      return "position " + std::to_string(i) + " holds '" + text[i] + "', not the literal '" +
             tmpl[i] + "'";
  }
  return "";
}

// What must hold after every operation; "" when it does.
std::string Breach(ModelForm& form) {
  OrvoMask* owner = PopupOwnerControl();
  bool ownerLives = owner == nullptr;
  for (FieldSlot& slot : form.slots) {
    if (!slot.field) continue;
    ownerLives = ownerLives || slot.field.get() == owner;
    if (slot.field->Text().empty()) slot.textFollowsMask = true;
    if (!slot.textFollowsMask || !slot.maskFitsKind) continue;
    if (std::string why = MaskBreach(*slot.field); !why.empty())
      return slot.name + " (kind " + std::to_string(static_cast<int>(slot.field->DataType())) +
             ", mask \"" + slot.field->Mask() + "\", text \"" + slot.field->Text() + "\"): " + why;
  }
  if (!ownerLives) return "the popup's owner is a destroyed field";
  const std::string focus = form.host.FocusName();
  if (!focus.empty()) {
    const size_t open = focus.find('(');
    std::optional<int16_t> index;
    if (open != std::string::npos) index = static_cast<int16_t>(std::stoi(focus.substr(open + 1)));
    if (!form.host.FindSite(focus.substr(0, open), index))
      return "the focus is on " + focus + ", which is gone";
  }
  return "";
}

TEST(ModelTest, RandomOperationsKeepTheFormSound) {
  const uint32_t seed = FromEnvironment("ORVO_MODEL_SEED", 20261209);
  const uint32_t operations = FromEnvironment("ORVO_MODEL_OPS", 10000);
  Randomness rnd(seed);
  auto form = std::make_unique<ModelForm>();
  std::deque<std::string> last;
  auto report = [&](const std::string& what) {
    std::ostringstream out;
    out << what << "\nseed " << seed << " (rerun with ORVO_MODEL_SEED=" << seed
        << "); the last operations:\n";
    for (const auto& line : last) out << "  " << line << "\n";
    return out.str();
  };
  int errors = 0;
  const bool trace = FromEnvironment("ORVO_MODEL_TRACE", 0) != 0;
  for (uint32_t i = 0; i < operations; ++i) {
    std::string description;
    try {
      RunRandomOperation(*form, rnd, description);
      form->host.ProcessPending();
    } catch (const Error& e) {
      ++errors;
      description += "  -> error " + std::to_string(e.Number()) + " " + e.Message();
    } catch (const std::exception& e) {
      last.push_back(std::to_string(i) + ": " + description);
      FAIL() << report(std::string("an exception other than orvo::Error: ") + e.what());
    }
    last.push_back(std::to_string(i) + ": " + description);
    if (trace) std::fprintf(stderr, "%s\n", last.back().c_str());
    if (last.size() > 25) last.pop_front();
    if (std::string why = Breach(*form); !why.empty()) FAIL() << report(why);
  }
  form.reset();
  EXPECT_EQ(PopupOwnerControl(), nullptr);
  EXPECT_EQ(SharedCalculator(), nullptr) << "the last field took the calculator with it";
  std::printf("seed %u: %u operations, %d raised orvo::Error\n", seed, operations, errors);
}

}  // namespace
}  // namespace orvo::model
