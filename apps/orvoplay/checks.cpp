// Comparing what a script expects with what the control and the host did.
#include "checks.h"

#include "rendering.h"

namespace orvo::play {

std::string ValueOfLine(const std::string& line) {
  // Only a `NAME = ` head splits: an "= " inside a rendered string or an event's argument
  // (`! OpenRecordSet ... "WHERE [Codigo] = 2"`) is part of the value.
  size_t blank = line.find(' ');
  if (blank == std::string::npos || blank == 0 || line.compare(blank, 3, " = ") != 0) return line;
  if (line.find('"') < blank) return line;
  return line.substr(blank + 3);
}

std::string CanonicalText(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    if (!out.empty()) out += ' ';
    switch (t.kind) {
      case TokenKind::Word:
        out += t.text;
        break;
      case TokenKind::String:
        out += QuoteText(t.text);
        break;
      case TokenKind::Date:
        out += "#" + t.text + "#";
        break;
    }
  }
  return out;
}

CheckOutcome CheckRendering(const std::vector<Token>& expected,
                            const std::optional<std::string>& lastLine) {
  CheckOutcome out;
  out.expected = CanonicalText(expected);
  if (!lastLine) {
    out.got = "nothing printed";
    return out;
  }
  std::string value = ValueOfLine(*lastLine);
  // A printed line the lexer cannot take (an error message with a stray quote) is compared
  // as it stands.
  LexedLine lexed = LexLine(value);
  out.got = lexed.faulty ? value : CanonicalText(lexed.tokens);
  out.passed = out.got == out.expected;
  return out;
}

CheckOutcome CheckError(int32_t expected, std::optional<int32_t> raised) {
  CheckOutcome out;
  out.expected = "error " + std::to_string(expected);
  out.got = raised ? "error " + std::to_string(*raised) : "no error";
  out.passed = raised && *raised == expected;
  return out;
}

namespace {

std::string NamesText(const std::vector<std::string>& names) {
  if (names.empty()) return "no events";
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : " ") + n;
  return out;
}

}  // namespace

CheckOutcome CheckEvents(const std::vector<std::string>& expected,
                         const std::vector<std::string>& raised) {
  return {expected == raised, NamesText(expected), NamesText(raised)};
}

}  // namespace orvo::play
