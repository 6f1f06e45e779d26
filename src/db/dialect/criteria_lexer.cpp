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

// Reads a quoted literal starting at the opening quote. Two quotes stand for one. The
// control also writes four quotes for one apostrophe (O''''Neil) and, in some lookups, no
// doubling at all (O'Neil): a run of four is read as one quote, and a lone quote followed
// directly by a letter or digit is part of the value, so both still find the name as
// stored. A quote followed by anything else closes the literal.
size_t ReadQuoted(const std::string& s, size_t start, std::string& value, const char* what) {
  const char quote = s[start];
  size_t i = start + 1;
  while (true) {
    if (i >= s.size()) RaiseSyntax(what, s, "has an unterminated quote");
    if (s[i] != quote) {
      value += s[i++];
      continue;
    }
    size_t run = 0;
    while (i + run < s.size() && s[i + run] == quote) ++run;
    i += run;
    bool closes = run % 2 == 1;
    size_t pairs = run / 2;
    if (closes && i < s.size() && IsNameChar(static_cast<unsigned char>(s[i]))) {
      closes = false;  // O'Neil: the quote belongs to the value
      value.append(pairs == 2 ? 1 : pairs, quote);
      value += quote;
      continue;
    }
    value.append(pairs == 2 ? 1 : pairs, quote);
    if (closes) return i;
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
