// Transcript: the lines a run prints, the last one checks look at, and the check tally.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "checks.h"

namespace orvo::play {

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}

  // A line a later `=>` may look at (`Text = String "a"`, `error 5 ...`, `! Change`);
  // characters outside 32..126 are written as \xHH.
  void Print(const std::string& line);
  // A line no check looks at (`skipped`, the heading of a script among several).
  void Note(const std::string& line);
  // `ok`, or `FAIL line N: expected X, got Y`; counted in the tally.
  void Report(int lineNumber, const CheckOutcome& outcome);
  // `FAIL line N: unexpected WHAT` (an error no check answered); counted as a failure.
  void ReportUnexpected(int lineNumber, const std::string& what);

  const std::optional<std::string>& LastLine() const { return lastLine_; }
  // Each script starts with nothing printed.
  void ForgetLastLine() { lastLine_.reset(); }

  int Passed() const { return passed_; }
  int Failed() const { return failed_; }

 private:
  std::ostream& out_;
  std::optional<std::string> lastLine_;
  int passed_ = 0;
  int failed_ = 0;
};

}  // namespace orvo::play
