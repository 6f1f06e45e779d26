// TypeKey: the core of keystroke editing, and the numeric regrouping that follows a key.
#include "mask/type_key.h"

#include <algorithm>

#include "base/strings.h"
#include "mask/apply_key.h"
#include "mask/group_integer.h"

namespace orvo {
namespace {

bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

// The letters an "A" or "N" position takes (the space included); the ranges are the
// field's own, 215 and 247 among them, 192 and 253-255 not.
bool IsMaskLetter(int c) {
  return (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 193 && c <= 220) ||
         (c >= 224 && c <= 252) || c == ' ';
}

// The class character at 1-based position p; `beyond` past the end of the template.
char ClassAt(const TemplateShape& shape, int64_t p, char beyond) {
  return p >= 1 && p <= static_cast<int64_t>(shape.maskTemplate.size())
             ? shape.maskTemplate[static_cast<size_t>(p - 1)]
             : beyond;
}

void RemoveAll(std::string& s, std::string_view what) {
  if (what.empty()) return;
  size_t out = 0;
  for (size_t i = 0; i < s.size();) {
    if (s.compare(i, what.size(), what) == 0) {
      i += what.size();
    } else {
      s[out++] = s[i++];
    }
  }
  s.resize(out);
}

// Where a character goes at class m: the character to insert, or 0 when m refuses it.
int Accept(const KeyContext& ctx, char m, int k) {
  const bool upper = ctx.compiled.ForceUpper != 0;
  switch (m) {
    case '9':
    case '#':
      if (IsDigit(k)) return k;
      if (m == '#' && !ctx.numeric && k == ' ') return k;
      if (m == '9' && ctx.numeric) {
        if (k == '-') return k;
        if (k == ',' || k == '.') return static_cast<unsigned char>(ctx.decimalSeparator[0]);
      }
      return 0;
    case 'A':
    case 'N':
      if (!IsMaskLetter(k) && !(m == 'N' && IsDigit(k))) return 0;
      return upper ? static_cast<unsigned char>(UpperChar(static_cast<char>(k))) : k;
    case '!':
    case 'X':
    case 'a':
      if (upper || m == '!') return static_cast<unsigned char>(UpperChar(static_cast<char>(k)));
      if (ctx.compiled.ForceLower != 0 || m == 'a')
        return static_cast<unsigned char>(LowerChar(static_cast<char>(k)));
      return k;
    default:
      return 0;
  }
}

}  // namespace

int64_t CountOf(std::string_view text, std::string_view what) {
  if (what.empty()) return 0;
  int64_t n = 0;
  for (size_t at = text.find(what); at != std::string_view::npos;
       at = text.find(what, at + what.size()))
    ++n;
  return n;
}

void RegroupNumber(const KeyContext& ctx, std::string& s, int64_t& p, int64_t groupsBefore, int k) {
  const CompiledMask& c = ctx.compiled;
  const size_t d = std::min(s.find(ctx.decimalSeparator), s.size());
  std::string i = s.substr(0, d);
  // The integer part keeps the picture's digits with or without grouping: a digit typed
  // before a full "9999" would otherwise make it "51234", past the picture.
  if (c.GroupThousands == 0 && c.IntegerDigits > 0) KeepIntegerDigits(i, c.IntegerDigits);
  if (c.GroupThousands != 0) {
    RemoveAll(i, ctx.groupSeparator);
    KeepIntegerDigits(i, c.IntegerDigits);
    const size_t first = i.find_first_not_of(' ');
    const bool negative = first != std::string::npos && i[first] == '-';
    i = GroupIntegerText(i, ctx.groupSeparator);
    if (negative && (i.empty() || i[0] != '-')) i.insert(0, 1, '-');
    p += CountOf(i, ctx.groupSeparator) - groupsBefore;
    // Kept from the field's history: a typed "-" moves the caret one further, past the
    // first digit when the sign goes in front of a number ("12,5" -> "-1|2,5").
    if (k == '-') ++p;
  }
  std::string f = s.substr(d);
  RemoveAll(f, ctx.groupSeparator);
  const size_t keep = static_cast<size_t>(std::max<int64_t>(c.DecimalDigits, 0)) +
                      (d < s.size() ? ctx.decimalSeparator.size() : 0);
  if (f.size() > keep) f.resize(keep);
  s = std::move(i);
  s += f;
}

TypeResult TypeKey(const KeyContext& ctx, TypingState& st, int k) {
  if (ctx.locked) return TypeResult::Refused;
  const bool isChar = k != key::Backspace && k != key::Delete;
  // Control characters and codes that are no Latin-1 character are not typed.
  if (isChar && (k < 32 || k == 127 || k > 255)) return TypeResult::Ignored;

  std::string& s = st.text;
  const int64_t size = static_cast<int64_t>(s.size());
  st.selStart = std::clamp<int64_t>(st.selStart, 0, size);
  st.selLength = std::clamp<int64_t>(st.selLength, 0, size - st.selStart);
  int64_t p = st.selStart + 1;
  const int64_t n = st.selLength;
  char m = ClassAt(ctx.shape, p, 'X');

  // The selection is replaced by deletion marks that the strip removes; they are kept by
  // position, so a typed character 255 is never taken for one.
  if (ctx.shape.hasLiteral || n > 0) StripLiteralsInPlace(s, ctx.shape, p, p, p + n);
  const int64_t groupsBefore =
      ctx.numeric && ctx.compiled.GroupThousands != 0 ? CountOf(s, ctx.groupSeparator) : 0;

  if (k == key::Backspace) {
    // With a selection, Backspace removes the selection only.
    if (p > 1 && n == 0) {
      s.erase(static_cast<size_t>(p - 2), 1);
      --p;
    }
  } else if (k == key::Delete) {
    if (n == 0 && p <= static_cast<int64_t>(s.size())) s.erase(static_cast<size_t>(p - 1), 1);
  } else {
    bool drop = false;
    if (ctx.numeric) {
      const bool hasDecimal = s.find(ctx.decimalSeparator) != std::string::npos;
      if (((k == ',' || k == '.') && (hasDecimal || ctx.compiled.DecimalDigits == 0)) ||
          (k == '-' && (s.find('-') != std::string::npos || p >= 2))) {
        st.beep = true;
        drop = true;
      }
    }
    if (!drop && p <= ctx.maxLength) {
      if (!ctx.numeric) {
        // A run of literals (") " in "(99) 9999-9999") is laid in whole before the character.
        while (IsLiteralChar(m)) {
          s.insert(static_cast<size_t>(p - 1), 1, m);
          ++p;
          m = ClassAt(ctx.shape, p, 'X');
        }
      }
      if (const int ch = Accept(ctx, m, k); ch != 0) {
        s.insert(static_cast<size_t>(p - 1), 1, static_cast<char>(ch));
        ++p;
      }
    }
  }

  if (ctx.shape.hasLiteral) {
    InsertLiteralsInPlace(s, ctx.shape.maskTemplate, p - 1, static_cast<size_t>(ctx.maxLength));
  } else if (!ctx.numeric && static_cast<int64_t>(s.size()) > ctx.maxLength) {
    // A character typed into a full field pushes the last one out, as a template with
    // literals does; the classic re-layout cut only those, so "AAAA" grew to "eabcd".
    s.resize(static_cast<size_t>(ctx.maxLength));
  }
  if (ctx.numeric) RegroupNumber(ctx, s, p, groupsBefore, k);
  st.selStart = std::clamp<int64_t>(p - 1, 0, static_cast<int64_t>(s.size()));
  st.selLength = 0;
  return TypeResult::Written;
}

}  // namespace orvo
