// CriteriaLexer: splits criteria and statements in the control's dialect into tokens
// ([names], 'literals', #dates#, numbers, operators), raising on malformed text.
#pragma once

#include <string>
#include <vector>

namespace orvo {

enum class TokenKind {
  Word,       // bare name or keyword: Nome, AND, LIKE, SELECT, CDate
  Bracketed,  // [Cod Cli]: text holds the name without brackets
  String,     // 'O''Neil': text holds the value, quotes undone
  Number,     // 12, 12.5, 1e3: text as written
  Date,       // #12/25/2024#: text between the hashes
  Symbol,     // = <> != < > <= >= ( ) , . * + - / & ; ?
  End,
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
  size_t offset = 0;  // where it starts in the source

  bool IsWord(const char* upperWord) const;  // case-insensitive keyword test
  bool IsSymbol(const char* symbol) const { return kind == TokenKind::Symbol && text == symbol; }
};

// `what` names the text in messages: "criterion" or "statement". Raises orvo::Error
// (3075 for criteria, 3141 for statements) naming the text and the fault.
std::vector<Token> Tokenize(const std::string& source, const char* what);

[[noreturn]] void RaiseSyntax(const char* what, const std::string& source,
                              const std::string& fault);

}  // namespace orvo
