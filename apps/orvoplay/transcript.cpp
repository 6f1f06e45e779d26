// Printing transcript lines and tallying checks.
#include "transcript.h"

namespace orvo::play {

void Transcript::Print(const std::string& line) {
  out_ << line << '\n';
  lastLine_ = line;
}

void Transcript::Note(const std::string& line) {
  out_ << line << '\n';
}

void Transcript::Report(int lineNumber, const CheckOutcome& outcome) {
  if (outcome.passed) {
    ++passed_;
    out_ << "ok\n";
  } else {
    ++failed_;
    out_ << "FAIL line " << lineNumber << ": expected " << outcome.expected << ", got "
         << outcome.got << '\n';
  }
  // Flushed so that a crash later in the script still leaves every verdict readable.
  out_.flush();
}

}  // namespace orvo::play
