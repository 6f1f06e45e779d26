// Fuzz target for the mask engine: masks, keys, carets, selections, pastes and FormatText.
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
// Input layout: byte 0 picks kind, locale and box flags; byte 1 the box's MaxLength; then
// the mask up to the first NUL, the starting text up to the next NUL, and the rest as keys:
// each key is two bytes (code), followed by two bytes of caret and selection.
#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "mask/apply_key.h"
#include "mask/format_text.h"
#include "mask/mask_layout.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvo;
  if (size < 2) return 0;
  const uint8_t flags = data[0];
  const int32_t maxLength = data[1] < 128 ? data[1] : 0;
  data += 2;
  size -= 2;
  const TipoDeCampo kind = static_cast<TipoDeCampo>(flags % 7);
  const bool point = flags & 8, box2 = flags & 16, locked = flags & 32;
  const std::string mask = orvo::fuzz::TakeUntilNul(data, size);
  const MaskCompilation mc = CompileMask(mask, kind, flags & 64, DateOrder::DayMonthYear);
  CompiledMask compiled = mc.compiled;

  EditState st{orvo::fuzz::TakeUntilNul(data, size), 0, 0,
               mc.setMaxLength ? mc.maxLength : maxLength};
  const std::string clipboard = st.text;
  while (size >= 4) {
    const auto k = static_cast<int16_t>(data[0] | (data[1] << 8));
    st.selStart = static_cast<int8_t>(data[2]);
    st.selLength = static_cast<int8_t>(data[3]);
    data += 4;
    size -= 4;
    const MaskEnv env{compiled, kind, point ? "." : ",", point ? "," : ".", box2, locked, true};
    const KeyOutcome out = ApplyKey(env, st, k, k, clipboard);
    if (out.maskTemplate) compiled.MaskTemplate = *out.maskTemplate;
    const int32_t len = static_cast<int32_t>(out.state.text.size());
    Check(out.state.selStart >= 0 && out.state.selStart <= len);
    Check(!locked || !out.textWritten);
    if (out.textWritten && TemplateShape(compiled.MaskTemplate, kind).hasLiteral)
      Check(len <= EffectiveMaxLength(st.maxLength));
    if (out.textWritten) st.text = out.state.text;
  }

  const FormatContext ctx{compiled,         mask, kind, (flags & 64) != 0, "0", point ? "." : ",",
                          point ? "," : "."};
  (void)FormatText(ctx, st.text);
  Check(std::isfinite(ParseNumber(st.text, point ? "." : ",")));
  return 0;
}
