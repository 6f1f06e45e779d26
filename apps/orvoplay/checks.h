// The checks of play scripts (`=> RENDERING`, `=> error N`, `expect-events`) as pure functions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "script_lexer.h"

namespace orvo::play {

struct CheckOutcome {
  bool passed = false;
  std::string expected;
  std::string got;
};

// What a printed line holds for a check: the text after its `NAME = ` head (`Text = Long 5`
// -> `Long 5`), or the whole line when it has none (`error 438 ...`, `! Change`).
std::string ValueOfLine(const std::string& line);

// Tokens written back as one text in a single form, so that `String "\t"` and
// `String "\x09"` or doubled blanks compare equal.
std::string CanonicalText(const std::vector<Token>& tokens);

// `=> RENDERING`: `lastLine` is the last printed line, nullopt when none was printed yet.
CheckOutcome CheckRendering(const std::vector<Token>& expected,
                            const std::optional<std::string>& lastLine);

// `=> error N`: `raised` is the number the previous command raised, nullopt for none.
CheckOutcome CheckError(int32_t expected, std::optional<int32_t> raised);

// `expect-events NAME...`: exactly these names in this order.
CheckOutcome CheckEvents(const std::vector<std::string>& expected,
                         const std::vector<std::string>& raised);

}  // namespace orvo::play
