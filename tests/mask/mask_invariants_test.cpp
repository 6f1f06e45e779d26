// Random masks, keys, carets, selections and pastes: the engine's invariants hold for all.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "mask/apply_key.h"
#include "mask/format_text.h"
#include "mask/mask_layout.h"

namespace orvo {
namespace {

class Randomness {
 public:
  explicit Randomness(uint32_t seed) : gen_(seed) {}
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
  bool OneIn(int n) { return Below(n) == 0; }
  char Byte() { return static_cast<char>(Below(256)); }

  std::string Mask() {
    static constexpr std::string_view kPieces[] = {
        "9", "#",  "A",  "N",  "!",  "a", "X", "Z", ".",   ",", "-", "/", "(", ")",   " ",
        ":", "@!", "@a", "@A", "@x", "@", "d", "m", "mmm", "y", "h", "s", "0", "\xFF"};
    std::string mask;
    const int pieces = OneIn(20) ? 0 : Below(14);
    for (int i = 0; i < pieces; ++i) mask += kPieces[Below(std::size(kPieces))];
    return mask;
  }

  std::string Text(int maxLength) {
    std::string text;
    const int length = OneIn(200) ? 32000 : Below(maxLength);
    static constexpr std::string_view kLikely = "0123456789,.-/ ()aZ\xFF\xA0";
    for (int i = 0; i < length; ++i) text += OneIn(3) ? Byte() : kLikely[Below(kLikely.size())];
    return text;
  }

  int16_t Key() {
    static constexpr int16_t kSpecial[] = {13, -1, -2, -7, 3, 24, 22, 8, 0, 127, 31, 255, 160};
    if (OneIn(3)) return kSpecial[Below(std::size(kSpecial))];
    if (OneIn(20)) return static_cast<int16_t>(Below(65536) - 32768);
    return static_cast<int16_t>(Below(256));
  }

  int32_t Position(int32_t size) {
    switch (Below(6)) {
      case 0:
        return -Below(5) - 1;
      case 1:
        return size + Below(5) + 1;
      case 2:
        return INT32_MAX - Below(3);
      default:
        return Below(size + 1);
    }
  }

 private:
  std::mt19937 gen_;
};

constexpr TipoDeCampo kKinds[] = {TipoDeCampo::Character, TipoDeCampo::Numeric,
                                  TipoDeCampo::Date,      TipoDeCampo::Spinner,
                                  TipoDeCampo::Memo,      TipoDeCampo::Boolean};

TEST(MaskInvariantsTest, RandomKeysKeepCaretInsideAndLiteralTextsInsideMaxLength) {
  Randomness rnd(20261207);
  for (int round = 0; round < 3000; ++round) {
    const std::string mask = rnd.Mask();
    const TipoDeCampo kind = kKinds[rnd.Below(std::size(kKinds))];
    const MaskCompilation mc = CompileMask(mask, kind, rnd.OneIn(15), DateOrder::MonthDayYear);
    CompiledMask compiled = mc.compiled;
    const bool point = rnd.OneIn(2);
    EditState st;
    st.maxLength = mc.setMaxLength ? mc.maxLength : (rnd.OneIn(2) ? 0 : rnd.Below(40));
    st.text = rnd.Text(30);
    const bool box2 = rnd.OneIn(8), locked = rnd.OneIn(10), enabled = !rnd.OneIn(10);
    for (int step = 0; step < 25; ++step) {
      st.selStart = rnd.Position(static_cast<int32_t>(st.text.size()));
      st.selLength = rnd.Position(static_cast<int32_t>(st.text.size()));
      const std::string clipboard = rnd.OneIn(4) ? rnd.Text(60) : rnd.Text(8);
      const MaskEnv env{compiled, kind,   point ? "." : ",", point ? "," : ".", box2,
                        locked,   enabled};
      const int16_t k = rnd.Key();
      const KeyOutcome out = ApplyKey(env, st, k, k, clipboard);
      if (out.maskTemplate) compiled.MaskTemplate = *out.maskTemplate;

      const int32_t size = static_cast<int32_t>(out.state.text.size());
      ASSERT_GE(out.state.selStart, 0) << "mask \"" << mask << "\" key " << k;
      ASSERT_LE(out.state.selStart, size) << "mask \"" << mask << "\" key " << k;
      ASSERT_GE(out.state.selLength, 0);
      ASSERT_LE(out.state.selStart + out.state.selLength, size);
      if (out.textWritten && TemplateShape(compiled.MaskTemplate, kind).hasLiteral) {
        ASSERT_LE(size, EffectiveMaxLength(st.maxLength)) << "mask \"" << mask << "\" key " << k;
      }
      if (!out.textWritten) {
        ASSERT_EQ(out.state.text, st.text);
      }
      if (locked || !enabled) {
        ASSERT_FALSE(out.textWritten) << "key " << k;
      }
      if (out.textWritten) st.text = out.state.text;
    }
  }
}

TEST(MaskInvariantsTest, RandomTextsFormatAndParseWithoutFault) {
  Randomness rnd(7);
  for (int round = 0; round < 3000; ++round) {
    const std::string mask = rnd.Mask();
    const TipoDeCampo kind = kKinds[rnd.Below(std::size(kKinds))];
    const CompiledMask compiled = CompileMask(mask, kind, false, DateOrder::DayMonthYear).compiled;
    const std::string stuff = rnd.OneIn(2) ? "0" : "";
    const FormatContext ctx{compiled, mask, kind, rnd.OneIn(10), stuff, ",", "."};
    const int form = rnd.Below(3);
    std::string text = form == 0   ? rnd.Text(40)
                       : form == 1 ? "-1,5E-" + std::to_string(round)
                                   : std::to_string(rnd.Below(1000000000));
    const std::string shown = FormatText(ctx, text);
    // Digits under a template of digit positions and literals: what is shown formats to
    // itself again.
    const bool digitTemplate =
        compiled.MaskTemplate.find_first_not_of("9#.,-/() :") == std::string::npos;
    if (form == 2 && digitTemplate) {
      EXPECT_EQ(FormatText(ctx, shown), shown) << "mask \"" << mask << "\" text " << text;
    }
    EXPECT_TRUE(std::isfinite(ParseNumber(text, rnd.OneIn(2) ? "," : ".")));
  }
}

}  // namespace
}  // namespace orvo
