// The play script's lexical layer: script files read as Latin-1 lines, lines split into tokens.
#pragma once

#include <string>
#include <vector>

namespace orvo::play {

enum class TokenKind {
  Word,    // anything unquoted: command names, numbers, keywords, `List(2)`, `=>`
  String,  // a double-quoted string, escapes resolved
  Date,    // `#2024-12-25#` or `#2024-12-25 13:45:00#`, text between the hashes
};

struct Token {
  TokenKind kind = TokenKind::Word;
  std::string text;  // Latin-1
  bool operator==(const Token&) const = default;
};

// A fault in a script line, told the way a check failure is: what was expected, what was
// found instead.
struct LexFault {
  std::string expected;
  std::string got;
};

struct LexedLine {
  std::vector<Token> tokens;  // empty for blank and comment lines
  bool faulty = false;
  LexFault fault;
};

// One script line, already Latin-1, split into tokens.
LexedLine LexLine(const std::string& latin1Line);

// UTF-8 to Latin-1: characters up to 255 become their one-byte codes. A byte that does not
// start a valid UTF-8 sequence is taken as a Latin-1 character of its own, so a script saved
// as Latin-1 still reads as written. Characters above 255 fail: false, with `bad` set to the
// offending character as "U+20AC".
bool Utf8ToLatin1(const std::string& utf8, std::string& latin1, std::string& bad);

// The lines of a script file, as written (UTF-8), without their line ends. False when the
// file cannot be opened.
bool ReadScriptLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace orvo::play
