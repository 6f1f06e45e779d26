// Printing transcript lines and tallying checks.
#include "transcript.h"

#include <cstdio>

namespace orvo::play {

namespace {

// The transcript is ASCII, one line per line: Latin-1 and control characters that reach it
// from messages or script words are written as \xHH, as renderings write them.
std::string Printable(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u >= 127) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

void Transcript::Print(const std::string& line) {
  lastLine_ = Printable(line);
  out_ << *lastLine_ << '\n';
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
    out_ << "FAIL line " << lineNumber << ": expected " << Printable(outcome.expected) << ", got "
         << Printable(outcome.got) << '\n';
  }
  // Flushed so that a crash later in the script still leaves every verdict readable.
  out_.flush();
}

void Transcript::ReportUnexpected(int lineNumber, const std::string& what) {
  ++failed_;
  out_ << "FAIL line " << lineNumber << ": unexpected " << Printable(what) << '\n';
  out_.flush();
}

}  // namespace orvo::play
