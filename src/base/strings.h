// String routines over Latin-1 text (one byte, one character), 1-based where positions show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// perChar false: position (1-based) of `set` as a substring of `text`, searching from
// `start`; perChar true: position of the first character of `text` that occurs in `set`,
// searching from 1 (start unused). 0 when not found.
int16_t FirstCharIn(int32_t start, std::string_view text, std::string_view set, bool perChar);
// perChar false: every occurrence of `what` removed; true: every character found in `what`.
std::string RemoveChars(std::string_view text, std::string_view what, bool perChar);
// perChar false: every occurrence of `from` replaced by `to`, searching on after each
// replacement; true: character translation, text[k] in from -> to at the same position.
std::string ReplaceChars(std::string_view text, std::string_view from, std::string_view to,
                         bool perChar);

std::string Trim(std::string_view s);  // blanks (space) both ends, as the classic Trim
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);  // Latin-1 aware: 224..254 except 247 -> upper
std::string LCase(std::string_view s);  // Latin-1 aware: 192..222 except 215 -> lower
char UpperChar(char c);
char LowerChar(char c);
// Classic Left/Mid/Right with 1-based start; out-of-range arguments clamp, never throw.
std::string Left(std::string_view s, int64_t n);
std::string Right(std::string_view s, int64_t n);
std::string Mid(std::string_view s, int64_t start);
std::string Mid(std::string_view s, int64_t start, int64_t length);
// Classic InStr (1-based start, 0 when not found); case-insensitive when textCompare.
int32_t InStr(int64_t start, std::string_view text, std::string_view what,
              bool textCompare = false);

// Text is Latin-1 inside the library: each character one byte, 0..255. Outside (files,
// databases) it is UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

}  // namespace orvo
