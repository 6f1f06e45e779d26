// Fuzz target for the control as a user and an application drive it: the input is read as a
// play script of two fields on arbitrary masks and kinds (one optionally bound to a table)
// and a series of keys, selections, clipboard texts, focus moves, clicks, popups opened,
// used and closed, property sets and method calls, played in the headless host. Only
// orvo::Error may come out of the library: the runner reports anything else as a failure
// saying so, which stops the run here. With ORVO_FUZZ_SHOW set, the script and its
// transcript are written to stderr (to replay an input by hand).
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "script_runner.h"
#include "transcript.h"

namespace {

// Reads the input a byte at a time; past its end every read is 0.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return size_ == 0; }
  uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  int Small(int n) { return Byte() % n; }
  int Signed() { return static_cast<int8_t>(Byte()); }
  int Whole() { return static_cast<int16_t>(Byte() | (Byte() << 8)); }
  // A quoted script string of up to `most` characters, any of 1..255.
  std::string Text(int most) {
    std::string out = "\"";
    for (int n = Small(most + 1); n > 0; --n) {
      const uint8_t c = Byte();
      if (c >= 32 && c < 127 && c != '"' && c != '\\') {
        out += static_cast<char>(c);
      } else {
        static const char kHex[] = "0123456789ABCDEF";
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 15];
      }
    }
    return out + "\"";
  }
  template <size_t N>
  const char* Pick(const char* const (&names)[N]) {
    return names[Small(N)];
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

const char* const kKeys[] = {"Enter",       "Tab",        "Shift+Tab", "Up",     "Down",
                             "Left",        "Right",      "Home",      "End",    "Shift+Left",
                             "Shift+Right", "Shift+Home", "Shift+End", "Delete", "Backspace",
                             "Escape",      "Space",      "F4",        "Ctrl+C", "Ctrl+X",
                             "Ctrl+V",      "Ctrl+Tab"};
const char* const kTargets[] = {"button",       "caption",       "box",       "edit",
                                "spin-up",      "spin-down",     "spin-left", "spin-right",
                                "spin-page-up", "spin-page-down"};
const char* const kCalcKeys[] = {"0", "1",    "5",   "9", ",",  "=",  "+",  "-",  "*", "/",
                                 "%", "sqrt", "+/-", "C", "MR", "M+", "M-", "MC", "OK"};
const char* const kCalendar[] = {"prev", "next", "1", "15", "31", "title", "weekday", "0 0", "5 6"};
const char* const kBooleans[] = {"Locked", "MultiLine", "Enabled", "SelectOnFocus",
                                 "FormatLostFocus"};
const char* const kStrings[] = {"Mask",         "Text",    "SelText", "ListFields",   "StuffChar",
                                "PasswordChar", "Caption", "Filter",  "SelectFilter", "Value"};
const char* const kNumbers[] = {
    "DataType",  "MaxLength",     "BrowseVisible", "Alignment",   "Orientation", "Min",
    "Max",       "SmallChange",   "LargeChange",   "SelStart",    "SelLength",   "ListIndex",
    "Value",     "CaptionOffset", "Shape",         "BorderStyle", "Appearance",  "FillStyleOnFocus",
    "CheckValue"};
const char* const kGets[] = {"Text",         "Value",     "SelText",      "ListIndex",
                             "ListCount",    "Clipboard", "Focus",        "popup.Visible",
                             "calc.Display", "grid.Rows", "lst.ListCount"};
const char* const kCalls[] = {"Refresh",   "Clear",      "ExcutaChange",
                              "VoltaFoco", "RegistroOk", "ComLstExt"};
const char* const kAnswers[] = {"ButtonClick cancel", "ButtonClick", "KeyDown zero", "KeyDown",
                                "KeyPress zero",      "KeyPress",    "OpenRecordSet"};

const char* const kTable[] = {
    "db open :memory:",
    "db exec \"CREATE TABLE Cli (Codigo INTEGER PRIMARY KEY, Nome VARCHAR(40) COLLATE NOCASE, "
    "Uf VARCHAR(2), Nasc DATE); CREATE INDEX ixNome ON Cli (Nome)\"",
    "db exec \"INSERT INTO Cli VALUES (1,'Ana','SP','2001-02-03'),(2,'Bia','RJ',NULL),"
    "(3,'Caio','SP','1999-12-31'),(4,'O''Neil','MG',NULL),(5,'50% off','SP','2024-06-15'),"
    "(6,'Ab Cd','SP',NULL),(7,'','',NULL)\"",
};

std::string Field(Bytes& in) {
  return in.Small(2) ? "a" : "b";
}

// One step of the play: a command line from the next bytes.
std::string Step(Bytes& in, int& created) {
  switch (in.Small(20)) {
    case 0:
    case 1:
      return "keys " + in.Text(4);
    case 2:
    case 3:
      return std::string("key ") + in.Pick(kKeys);
    case 4:
      return "select " + std::to_string(in.Signed()) + " " + std::to_string(in.Signed());
    case 5:
      return "set Clipboard " + in.Text(12);
    case 6:
      return (in.Small(2) ? "focus " : "use ") + Field(in);
    case 7:
      return in.Small(4) ? std::string("click ") + in.Pick(kTargets) : "click outside";
    case 8:
      switch (in.Small(3)) {
        case 0:
          return std::string("key list ") + in.Pick(kKeys);
        case 1:
          return "click list " + std::to_string(in.Small(10));
        default:
          return "keys list " + in.Text(3);
      }
    case 9:
      return in.Small(2) ? std::string("click calc ") + in.Pick(kCalcKeys)
                         : std::string("click calendar ") + in.Pick(kCalendar);
    case 10:
      return std::string("set ") + in.Pick(kBooleans) + (in.Small(2) ? " true" : " false");
    case 11:
      return std::string("set ") + in.Pick(kStrings) + " " + in.Text(12);
    case 12:
      return std::string("set ") + in.Pick(kNumbers) + " " + std::to_string(in.Whole());
    case 13:
      return std::string("get ") + in.Pick(kGets);
    case 14:
      switch (in.Small(4)) {
        case 0:
          return "call AddItem " + in.Text(8);
        case 1:
          return "call RemoveItem " + std::to_string(in.Signed());
        case 2:
          return "call Pesquisa " + std::to_string(in.Small(6));
        default:
          return std::string("call ") + in.Pick(kCalls);
      }
    case 15:
      return "wait " + std::to_string(in.Small(120));
    case 16:
      switch (in.Small(3)) {
        case 0:
          return std::string("dblclick ") + in.Pick(kTargets);
        case 1:
          return "wheel spin " + std::to_string(in.Signed() % 8);
        default:
          return std::string("press ") + in.Pick(kTargets);
      }
    case 17:
      return in.Small(2) ? "release" : "release outside";
    case 18:
      return std::string("answer ") + in.Pick(kAnswers);
    default:
      // A control created mid-play, or a value of another type.
      if (created < 2 && in.Small(2)) return "new c" + std::to_string(created++);
      return std::string("set Value ") +
             (in.Small(2) ? "#2024-02-29#" : std::to_string(in.Whole()) + ".25");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  const uint8_t setup = in.Byte();
  static const char* const kLocales[] = {"pt-BR", "en-US", "en-GB"};
  std::vector<std::string> lines{std::string("locale ") + kLocales[setup % 3]};
  const bool bound = setup & 4;
  if (bound) lines.insert(lines.end(), std::begin(kTable), std::end(kTable));
  for (const char* name : {"a", "b"}) {
    lines.push_back(std::string("new ") + name);
    lines.push_back("set DataType " + std::to_string(in.Small(7)));
    lines.push_back("set Mask " + in.Text(16));
  }
  if (bound) {
    lines.push_back("use a");
    lines.push_back("set BoundColumn \"Codigo\"");
    lines.push_back("set ListFields \"Nome|Uf\"");
    lines.push_back(setup & 8
                        ? "bind table Cli ixNome"
                        : "bind dynaset \"SELECT * FROM Cli WHERE Uf <> 'RJ' ORDER BY Nome\"");
  }
  lines.push_back("focus a");
  int created = 0;
  for (int n = 0; n < 256 && !in.Empty(); ++n) lines.push_back(Step(in, created));

  std::ostringstream out;
  orvo::play::Transcript transcript(out);
  {
    orvo::play::ScriptRunner runner(transcript, orvo::play::HostKind::Headless);
    runner.RunLines(lines);
  }
  static const bool show = std::getenv("ORVO_FUZZ_SHOW") != nullptr;
  if (show) {
    for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
    std::fprintf(stderr, "----\n%s", out.str().c_str());
  }
  if (out.str().find("no exception but orvo::Error") != std::string::npos) __builtin_trap();
  return 0;
}
