// The data commands of scripts: an SQLite database, recordsets bound to the current control.
#include "base/error.h"
#include "script_runner.h"

namespace orvo::play {

namespace {

[[noreturn]] void NoEngine(const std::string& command) {
  RaiseError(err::kNotAvailableYet,
             "orvoplay: `" + command + "` needs the SQLite recordset engine, not built yet");
}

}  // namespace

void ScriptRunner::DbCommand(const Command& c) { NoEngine(c.tokens[0].text); }
void ScriptRunner::BindCommand(const Command& c) { NoEngine(c.tokens[0].text); }
void ScriptRunner::AnswerCommand(const Command& c) { NoEngine(c.tokens[0].text); }
void ScriptRunner::RsCommand(const Command& c) { NoEngine(c.tokens[0].text); }

}  // namespace orvo::play
