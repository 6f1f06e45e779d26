// Tokeniser for the criteria and statements the control writes.
#include "db/dialect/criteria_lexer.h"

#include <cctype>
#include <cstring>

#include "base/error.h"
#include "base/strings.h"
#include "db/dialect/db_errors.h"

namespace orvo {

bool Token::IsWord(const char* upperWord) const {
  return kind == TokenKind::Word && UCase(text) == upperWord;
}

void RaiseSyntax(const char* what, const std::string& source, const std::string& fault) {
  int32_t number =
      std::strcmp(what, "statement") == 0 ? dberr::kSyntaxInStatement : dberr::kSyntaxInCriterion;
  RaiseError(number, std::string(what) + " `" + source + "` " + fault);
}

namespace {

bool IsNameChar(unsigned char c) {
  return std::isalnum(c) || c == '_' || c == '$' || c >= 0xC0;
}

// Words that may follow a closing quote with no blank between: 'a'AND b = 1.
bool IsJoiningWord(const std::string& s, size_t at) {
  size_t end = at;
  while (end < s.size() && IsNameChar(static_cast<unsigned char>(s[end]))) ++end;
  static const char* const kWords[] = {"AND",  "OR",    "NOT",    "LIKE",  "IS",      "IN",
                                       "AS",   "FROM",  "WHERE",  "ORDER", "BETWEEN", "ASC",
                                       "DESC", "GROUP", "HAVING", "UNION"};
  std::string word = UCase(s.substr(at, end - at));
  for (const char* joining : kWords) {
    if (word == joining) return true;
  }
  return false;
}

// Reads a quoted literal starting at the opening quote, as standard SQL does: two quotes
// stand for one, and a quote followed by anything else closes the literal ('A''''B' is A''B).
// A literal closed right before a name that no keyword explains is a quote left undoubled
// inside a value ('O'Neil'): that is refused, since reading on would let the rest of the
// value change the criterion.
size_t ReadQuoted(const std::string& s, size_t start, std::string& value, const char* what) {
  const char quote = s[start];
  size_t i = start + 1;
  while (true) {
    if (i >= s.size()) RaiseSyntax(what, s, "has an unterminated quote");
    if (s[i] != quote) {
      value += s[i++];
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == quote) {
      value += quote;
      i += 2;
      continue;
    }
    ++i;
    if (i < s.size() && IsNameChar(static_cast<unsigned char>(s[i])) && !IsJoiningWord(s, i)) {
      size_t end = i;
      while (end < s.size() && IsNameChar(static_cast<unsigned char>(s[end]))) ++end;
      RaiseSyntax(what, s,
                  "has a quote inside `" + s.substr(start, end - start) +
                      "` that is not doubled (a quote within a value is written '')");
    }
    return i;
  }
}

}  // namespace

std::vector<Token> Tokenize(const std::string& s, const char* what) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (true) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    Token token;
    token.offset = i;
    if (i >= s.size()) {
      tokens.push_back(token);
      return tokens;
    }
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '[') {
      size_t close = s.find(']', i + 1);
      if (close == std::string::npos) RaiseSyntax(what, s, "has an unterminated [name]");
      token.kind = TokenKind::Bracketed;
      token.text = s.substr(i + 1, close - i - 1);
      if (Trim(token.text).empty()) RaiseSyntax(what, s, "has an empty [name]");
      i = close + 1;
    } else if (c == '\'' || c == '"') {
      token.kind = TokenKind::String;
      i = ReadQuoted(s, i, token.text, what);
    } else if (c == '#') {
      size_t close = s.find('#', i + 1);
      if (close == std::string::npos) RaiseSyntax(what, s, "has an unterminated #date#");
      token.kind = TokenKind::Date;
      token.text = s.substr(i + 1, close - i - 1);
      i = close + 1;
    } else if (std::isdigit(c) || (c == '.' && i + 1 < s.size() &&
                                   std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      token.kind = TokenKind::Number;
      size_t j = i;
      while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
      if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
      }
      if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) {
          j = k;
          while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
        }
      }
      if (j < s.size() && IsNameChar(static_cast<unsigned char>(s[j]))) {
        RaiseSyntax(what, s, "has a malformed number at `" + s.substr(i, j - i + 1) + "`");
      }
      token.text = s.substr(i, j - i);
      i = j;
    } else if (IsNameChar(c)) {
      token.kind = TokenKind::Word;
      size_t j = i;
      while (j < s.size() && IsNameChar(static_cast<unsigned char>(s[j]))) ++j;
      token.text = s.substr(i, j - i);
      i = j;
    } else {
      static const char* const kTwo[] = {"<>", "<=", ">=", "!=", "=="};
      token.kind = TokenKind::Symbol;
      for (const char* two : kTwo) {
        if (s.compare(i, 2, two) == 0) token.text = two;
      }
      if (token.text == "==") token.text = "=";
      if (token.text.empty()) {
        if (!std::strchr("=<>(),.*+-/&;?%", c)) {
          RaiseSyntax(what, s, std::string("has an unexpected character `") + s[i] + "`");
        }
        token.text = std::string(1, s[i]);
        i += 1;
      } else {
        i += 2;
      }
    }
    tokens.push_back(std::move(token));
  }
}

}  // namespace orvo
