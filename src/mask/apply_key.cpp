// ApplyKey: dispatch of one key (navigation, clipboard, paste, typing) for the active box.
#include "mask/apply_key.h"

#include <algorithm>

#include "base/strings.h"
#include "mask/type_key.h"

namespace orvo {
namespace {

// The no-break space: some locales group digits with it, and a number pasted or assigned
// whole may carry it where the group separator would stand.
constexpr char kNoBreakSpace = '\xA0';

void ClampSelection(EditState& st) {
  const int32_t size = static_cast<int32_t>(std::min<size_t>(st.text.size(), INT32_MAX));
  st.selStart = std::clamp(st.selStart, 0, size);
  st.selLength = std::clamp(st.selLength, 0, size - st.selStart);
}

void PasteWithTemplate(const KeyContext& ctx, std::string_view clipboard, KeyOutcome& out) {
  std::string c(clipboard);
  if (ctx.numeric) {
    std::string kept;
    kept.reserve(c.size());
    for (size_t i = 0; i < c.size();) {
      if (!ctx.groupSeparator.empty() &&
          c.compare(i, ctx.groupSeparator.size(), ctx.groupSeparator) == 0) {
        i += ctx.groupSeparator.size();
      } else if (c[i] == kNoBreakSpace) {
        ++i;
      } else {
        kept += c[i++];
      }
    }
    c.swap(kept);
  }
  TypingState st{std::move(out.state.text), out.state.selStart, out.state.selLength, false};
  for (char ch : c) {
    const int k = static_cast<unsigned char>(ch);
    if (k < 32 || k == 127) break;
    if (TypeKey(ctx, st, k) != TypeResult::Written) break;
    out.textWritten = true;
  }
  out.beep = out.beep || st.beep;
  out.state.text = std::move(st.text);
  if (out.textWritten) {
    out.state.selStart = static_cast<int32_t>(st.selStart);
    out.state.selLength = 0;
  }
}

// With no template the clipboard goes in whole, in the field's forced case. A paste that
// does not fit EffectiveMaxLength is cut as the box's own paste would cut it.
void PasteWithoutTemplate(const KeyContext& ctx, std::string_view clipboard, KeyOutcome& out) {
  if (ctx.locked || clipboard.empty()) return;
  EditState& st = out.state;
  const size_t start = static_cast<size_t>(st.selStart);
  const size_t selected = static_cast<size_t>(st.selLength);
  const size_t rest = st.text.size() - selected;
  const size_t room =
      rest < static_cast<size_t>(ctx.maxLength) ? static_cast<size_t>(ctx.maxLength) - rest : 0;
  std::string piece(clipboard.substr(0, room));
  if (piece.empty()) return;
  if (ctx.compiled.ForceUpper != 0) {
    for (char& ch : piece) ch = UpperChar(ch);
  } else if (ctx.compiled.ForceLower != 0) {
    for (char& ch : piece) ch = LowerChar(ch);
  }
  st.text.replace(start, selected, piece);
  st.selStart = static_cast<int32_t>(start + piece.size());
  st.selLength = 0;
  out.textWritten = true;
}

}  // namespace

KeyOutcome ApplyKey(const MaskEnv& env, const EditState& state, int16_t keyCode,
                    int16_t passThrough, std::string_view clipboard) {
  KeyOutcome out;
  out.state = state;
  ClampSelection(out.state);
  const int32_t maxLength = EffectiveMaxLength(state.maxLength);

  std::string_view tmpl = env.compiled.MaskTemplate;
  if (env.compiled.AllLetters != 0) {
    if (tmpl.size() != static_cast<size_t>(maxLength) ||
        tmpl.find_first_not_of('A') != std::string_view::npos) {
      out.maskTemplate.emplace(static_cast<size_t>(maxLength), 'A');
      tmpl = *out.maskTemplate;
    }
  }
  std::string_view decimal = env.decimalSeparator.empty() ? "," : env.decimalSeparator;
  std::string_view group =
      env.groupSeparator.empty() ? (decimal == "," ? "." : ",") : env.groupSeparator;
  const KeyContext ctx{
      env.compiled, TemplateShape(tmpl, env.kind), IsNumericKind(env.kind), decimal, group,
      maxLength,    env.readOnly || !env.enabled};

  int k = keyCode;
  switch (k) {
    case key::Enter:
    case key::NextField:
    case key::PreviousField:
      if (env.multiLineBox) {
        out.passOn = passThrough;
      } else {
        out.focus = k == key::PreviousField ? FocusMove::Previous : FocusMove::Next;
      }
      return out;
    case key::Copy:
    case key::Cut:
      out.clipboardText = out.state.text.substr(static_cast<size_t>(out.state.selStart),
                                                static_cast<size_t>(out.state.selLength));
      if (k == key::Copy) return out;
      k = key::Delete;
      break;
    case key::Paste:
      if (!tmpl.empty()) {
        PasteWithTemplate(ctx, clipboard, out);
      } else {
        PasteWithoutTemplate(ctx, clipboard, out);
      }
      return out;
    default:
      break;
  }
  if (env.multiLineBox) {
    out.passOn = passThrough;
    return out;
  }
  // TypeKey leaves the text alone unless it writes it, so it can borrow the text.
  TypingState st{std::move(out.state.text), out.state.selStart, out.state.selLength, false};
  const bool written = TypeKey(ctx, st, k) == TypeResult::Written;
  out.state.text = std::move(st.text);
  if (written) {
    out.state.selStart = static_cast<int32_t>(st.selStart);
    out.state.selLength = 0;
    out.textWritten = true;
  }
  out.beep = st.beep;
  return out;
}

}  // namespace orvo
