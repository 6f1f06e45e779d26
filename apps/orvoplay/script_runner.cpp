// Running a script: reading lines, dispatching commands, turning errors into transcript lines.
#include "script_runner.h"

#include <cmath>
#include <functional>
#include <unordered_map>

#include "checks.h"
#include "orvo/error.h"
#include "play_form.h"
#include "rendering.h"
#include "script_values.h"

namespace orvo::play {

namespace {

std::string Shown(const Token& t) {
  return CanonicalText({t});
}

}  // namespace

const Token& ScriptRunner::Command::Arg(size_t i) const {
  if (i >= tokens.size()) {
    throw ScriptFault{"argument " + std::to_string(i) + " of " + tokens[0].text, "end of line"};
  }
  return tokens[i];
}

std::string ScriptRunner::Command::Word(size_t i) const {
  const Token& t = Arg(i);
  if (t.kind != TokenKind::Word) throw ScriptFault{"a name", Shown(t)};
  return t.text;
}

std::string ScriptRunner::Command::Text(size_t i) const {
  const Token& t = Arg(i);
  if (t.kind != TokenKind::String) throw ScriptFault{"a quoted string", Shown(t)};
  return t.text;
}

Variant ScriptRunner::Command::Value(size_t i) const {
  LexFault fault;
  auto v = ValueOf(Arg(i), fault);
  if (!v) throw ScriptFault{fault.expected, fault.got};
  return *v;
}

int32_t ScriptRunner::Command::Whole(size_t i) const {
  auto n = WholeNumberOf(Arg(i));
  if (!n) throw ScriptFault{"a whole number", Shown(Arg(i))};
  return *n;
}

double ScriptRunner::Command::Number(size_t i) const {
  Variant v = Value(i);
  switch (v.Type()) {
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Double:
      return v.AsDouble();
    default:
      throw ScriptFault{"a number", Shown(Arg(i))};
  }
}

void ScriptRunner::Command::ExpectCount(size_t min, size_t max) const {
  if (Count() < min) Arg(Count() + 1);  // names the missing argument
  if (Count() > max) throw ScriptFault{"end of line", Shown(tokens[max + 1])};
}

ScriptRunner::ScriptRunner(Transcript& transcript, HostKind host)
    : transcript_(transcript), host_(host), events_(transcript) {}

ScriptRunner::~ScriptRunner() = default;

bool ScriptRunner::RunFile(const std::string& path) {
  std::vector<std::string> lines;
  if (!ReadScriptLines(path, lines)) {
    transcript_.Note("cannot read script " + path);
    return false;
  }
  RunLines(lines);
  return true;
}

void ScriptRunner::ResetScript() {
  transcript_.ForgetLastLine();
  lastError_.reset();
  unanswered_.reset();
  events_.on = false;
  events_.raised.clear();
  events_.answerOpenRecordSet = nullptr;
  localeName_ = "pt-BR";
  designMode_ = false;
  bagEntries_.clear();
  form_.reset();
  db_.reset();
}

std::optional<bool> ScriptRunner::RunsHere(const std::vector<Token>& only) const {
  if (only.size() != 2 || (only[1].text != "headless" && only[1].text != "qt")) {
    return std::nullopt;
  }
  return only[1].text == (host_ == HostKind::Qt ? "qt" : "headless");
}

void ScriptRunner::RunLines(const std::vector<std::string>& lines) {
  ResetScript();
  bool first = true;
  for (size_t n = 0; n < lines.size(); ++n) {
    Command c;
    c.line = static_cast<int>(n + 1);
    std::string latin1, bad;
    if (!Utf8ToLatin1(lines[n], latin1, bad)) {
      transcript_.Report(c.line, {false, "Latin-1 text", "character " + bad});
      continue;
    }
    LexedLine lexed = LexLine(latin1);
    if (lexed.faulty) {
      SettleError(false);
      transcript_.Report(c.line, {false, lexed.fault.expected, lexed.fault.got});
      continue;
    }
    if (lexed.tokens.empty()) continue;
    c.tokens = std::move(lexed.tokens);
    if (first && c.tokens[0].text == "only") {
      first = false;
      auto here = RunsHere(c.tokens);
      if (!here) {
        transcript_.Report(c.line, {false, "only headless or only qt", CanonicalText(c.tokens)});
      } else if (!*here) {
        transcript_.Note("skipped");
        form_.reset();
        return;
      }
      continue;
    }
    first = false;
    Execute(c);
  }
  SettleError(false);
  // Controls go before the next script starts, while the host is still there.
  form_.reset();
}

void ScriptRunner::SettleError(bool answered) {
  if (unanswered_ && !answered)
    transcript_.ReportUnexpected(unanswered_->line, "error " + std::to_string(unanswered_->number) +
                                                        " " + unanswered_->message);
  unanswered_.reset();
}

void ScriptRunner::Execute(const Command& c) {
  const std::string& name = c.tokens[0].text;
  const bool isCheck = name == "=>" || name == "expect-events";
  // Any `=>` looks at the error's line (`=> error 5`, `=> error 5 MESSAGE`): it answers it,
  // passing or failing on its own.
  SettleError(name == "=>");
  try {
    if (c.tokens[0].kind != TokenKind::Word) throw ScriptFault{"a command", Shown(c.tokens[0])};
    if (!isCheck) lastError_.reset();
    Dispatch(c);
  } catch (const ScriptFault& f) {
    transcript_.Report(c.line, {false, f.expected, f.got});
  } catch (const Error& e) {
    lastError_ = e.Number();
    unanswered_ = RaisedError{c.line, e.Number(), e.Message()};
    transcript_.Print("error " + std::to_string(e.Number()) + " " + e.Message());
  } catch (const std::exception& e) {
    // Anything but orvo::Error escaping the library is a fault of the library: the script
    // fails there, and goes on so that the rest of its checks are still reported.
    transcript_.Report(c.line, {false, "no exception but orvo::Error", e.what()});
  }
}

void ScriptRunner::Dispatch(const Command& c) {
  using Handler = std::function<void(ScriptRunner&, const Command&)>;
  static const std::unordered_map<std::string, Handler> handlers = {
      {"=>", &ScriptRunner::CheckCommand},
      {"events", &ScriptRunner::EventsCommand},
      {"expect-events", &ScriptRunner::ExpectEventsCommand},
      {"only",
       [](ScriptRunner&, const Command& c) {
         // Only meaningful as the first command, where RunLines has taken it.
         throw ScriptFault{"`only` as the first command", "it on line " + std::to_string(c.line)};
       }},
      {"locale",
       [](ScriptRunner& r, const Command& c) {
         c.ExpectCount(1, 1);
         std::string name = c.Word(1);
         LocaleSettings::Named(name);  // refuses unknown names now, not at the next `new`
         r.localeName_ = name;
       }},
      {"design",
       [](ScriptRunner& r, const Command& c) {
         c.ExpectCount(0, 0);
         r.designMode_ = true;
       }},
      {"run",
       [](ScriptRunner& r, const Command& c) {
         c.ExpectCount(0, 0);
         r.designMode_ = false;
       }},
      {"bag",
       [](ScriptRunner& r, const Command& c) {
         c.ExpectCount(2, 2);
         r.bagEntries_.emplace_back(c.Arg(1).kind == TokenKind::String ? c.Text(1) : c.Word(1),
                                    c.Value(2));
       }},
      {"echo",
       [](ScriptRunner& r, const Command& c) {
         // The runner's own: a value as the script wrote it, rendered back.
         c.ExpectCount(1, 1);
         r.PrintValue("echo", c.Value(1));
       }},
      {"new", &ScriptRunner::NewCommand},
      {"use", [](ScriptRunner& r, const Command& c) { r.UseCommand(c, false); }},
      {"focus", [](ScriptRunner& r, const Command& c) { r.UseCommand(c, true); }},
      {"size", &ScriptRunner::SizeCommand},
      {"set", &ScriptRunner::SetCommand},
      {"get", &ScriptRunner::GetCommand},
      {"call", &ScriptRunner::CallCommand},
      {"save", &ScriptRunner::SaveLoadCommand},
      {"load", &ScriptRunner::SaveLoadCommand},
      {"screenshot", &ScriptRunner::ScreenshotCommand},
      {"keys", &ScriptRunner::KeysCommand},
      {"key", &ScriptRunner::KeyCommand},
      {"select", &ScriptRunner::SelectCommand},
      {"click", &ScriptRunner::ClickCommand},
      {"press", &ScriptRunner::PressCommand},
      {"release", &ScriptRunner::ReleaseCommand},
      {"dblclick", &ScriptRunner::DoubleClickCommand},
      {"wheel", &ScriptRunner::WheelCommand},
      {"place", &ScriptRunner::PlaceCommand},
      {"wait", &ScriptRunner::WaitCommand},
      {"drag", &ScriptRunner::DragCommand},
      {"db", &ScriptRunner::DbCommand},
      {"bind", &ScriptRunner::BindCommand},
      {"answer", &ScriptRunner::AnswerCommand},
      {"rs", &ScriptRunner::RsCommand},
  };
  auto it = handlers.find(c.tokens[0].text);
  if (it == handlers.end()) throw ScriptFault{"a command", c.tokens[0].text};
  it->second(*this, c);
}

void ScriptRunner::CheckCommand(const Command& c) {
  if (c.Count() == 2 && c.tokens[1].kind == TokenKind::Word && c.tokens[1].text == "error") {
    transcript_.Report(c.line, CheckError(c.Whole(2), lastError_));
    return;
  }
  c.ExpectCount(1, SIZE_MAX);
  std::vector<Token> expected(c.tokens.begin() + 1, c.tokens.end());
  transcript_.Report(c.line, CheckRendering(expected, transcript_.LastLine()));
}

void ScriptRunner::EventsCommand(const Command& c) {
  c.ExpectCount(1, 1);
  std::string what = c.Word(1);
  if (what != "on" && what != "off") throw ScriptFault{"on or off", what};
  events_.on = what == "on";
  // `events off` keeps what was recorded so that a later expect-events still sees it.
  if (events_.on) events_.raised.clear();
}

void ScriptRunner::ExpectEventsCommand(const Command& c) {
  std::vector<std::string> names;
  for (size_t i = 1; i <= c.Count(); ++i) names.push_back(c.Word(i));
  transcript_.Report(c.line, CheckEvents(names, events_.raised));
  events_.raised.clear();
}

void ScriptRunner::PrintValue(const std::string& name, const Variant& v) {
  transcript_.Print(name + " = " + Render(v));
}

}  // namespace orvo::play
