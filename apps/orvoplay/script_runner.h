// ScriptRunner: runs play scripts against a form in one host and prints their transcript.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "event_recorder.h"
#include "orvo/locale_settings.h"
#include "orvo/variant.h"
#include "script_lexer.h"
#include "transcript.h"

namespace orvo {
class Database;
}

namespace orvo::play {

enum class HostKind { Headless, Qt };

// A mistake in the script itself (an unknown command, a missing argument): reported as a
// failed check, since the script did not test what it meant to.
struct ScriptFault {
  std::string expected;
  std::string got;
};

class PlayForm;

class ScriptRunner {
 public:
  ScriptRunner(Transcript& transcript, HostKind host);
  ~ScriptRunner();

  // False when the file cannot be read (a line saying so is printed).
  bool RunFile(const std::string& path);
  // Script lines as written (UTF-8).
  void RunLines(const std::vector<std::string>& lines);

 private:
  struct Command {
    int line = 0;
    std::vector<Token> tokens;  // tokens[0] is the command name
    size_t Count() const { return tokens.size() - 1; }
    const Token& Arg(size_t i) const;  // 1-based; a ScriptFault when missing
    std::string Word(size_t i) const;  // an unquoted argument
    std::string Text(size_t i) const;  // a quoted string
    Variant Value(size_t i) const;
    int32_t Whole(size_t i) const;
    double Number(size_t i) const;
    void ExpectCount(size_t min, size_t max) const;
  };

  void ResetScript();
  // An error the previous command raised fails the script unless this command checks it.
  void SettleError(bool answered);
  // The script's first command `only HOST`: false when the script is to be skipped,
  // nullopt when it names no host.
  std::optional<bool> RunsHere(const std::vector<Token>& only) const;
  void Execute(const Command& c);
  void Dispatch(const Command& c);

  // Checks and events.
  void CheckCommand(const Command& c);
  void EventsCommand(const Command& c);
  void ExpectEventsCommand(const Command& c);

  // The form (form_commands.cpp).
  void NewCommand(const Command& c);
  void UseCommand(const Command& c, bool focus);
  void SizeCommand(const Command& c);
  void SetCommand(const Command& c);
  void GetCommand(const Command& c);
  void CallCommand(const Command& c);
  void SaveLoadCommand(const Command& c);
  void ScreenshotCommand(const Command& c);

  // Keyboard and mouse (input_commands.cpp).
  void KeysCommand(const Command& c);
  void KeyCommand(const Command& c);
  void SelectCommand(const Command& c);
  void ClickCommand(const Command& c);
  void PressCommand(const Command& c);
  static std::vector<std::string> TargetOf(const Command& c);
  void ReleaseCommand(const Command& c);
  void DoubleClickCommand(const Command& c);
  void WheelCommand(const Command& c);
  void PlaceCommand(const Command& c);
  void WaitCommand(const Command& c);
  void DragCommand(const Command& c);

  // Data (data_commands.cpp).
  void DbCommand(const Command& c);
  void BindCommand(const Command& c);
  void AnswerCommand(const Command& c);
  void RsCommand(const Command& c);

  PlayForm& Form();
  void PrintValue(const std::string& name, const Variant& v);

  Transcript& transcript_;
  HostKind host_;
  EventLog events_;
  std::optional<int32_t> lastError_;
  struct RaisedError {
    int line;
    int32_t number;
    std::string message;
  };
  std::optional<RaisedError> unanswered_;

  // Settings for the controls created afterwards.
  std::string localeName_ = "pt-BR";
  bool designMode_ = false;
  std::vector<std::pair<std::string, Variant>> bagEntries_;

  std::unique_ptr<PlayForm> form_;
  std::shared_ptr<Database> db_;
};

}  // namespace orvo::play
