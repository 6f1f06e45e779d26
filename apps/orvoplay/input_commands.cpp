// The keyboard, mouse and clock commands of scripts.
#include <cctype>

#include "orvo/error.h"
#include "play_form.h"
#include "script_runner.h"

namespace orvo::play {

// `keys "TEXT"` to the focused widget; `keys list "TEXT"` into the open list or grid.
void ScriptRunner::KeysCommand(const Command& c) {
  c.ExpectCount(1, 2);
  if (c.Count() == 1) return Form().TypeText(c.Text(1));
  if (c.Word(1) != "list") throw ScriptFault{"list", c.tokens[1].text};
  Form().TypeInList(c.Text(2));
}

// `drag list divider COL DX`: the right edge of the open grid's shown column COL, dragged
// DX pixels (negative: to the left).
void ScriptRunner::DragCommand(const Command& c) {
  c.ExpectCount(4, 4);
  if (c.Word(1) != "list") throw ScriptFault{"list", c.tokens[1].text};
  if (c.Word(2) != "divider") throw ScriptFault{"divider", c.tokens[2].text};
  Form().DragListDivider(c.Whole(3), c.Whole(4));
}

void ScriptRunner::KeyCommand(const Command& c) {
  c.ExpectCount(1, 3);
  // `key list NAME`: a key in the open list or grid.
  size_t at = 1;
  std::string name = c.Word(1);
  if (name == "list") name += " " + c.Word(++at);
  int32_t times = 1;
  if (c.Count() > at) times = c.Whole(at + 1);
  if (c.Count() > at + 1) throw ScriptFault{"end of line", c.tokens[at + 2].text};
  if (times < 0) throw ScriptFault{"a count of 0 or more", std::to_string(times)};
  for (int32_t i = 0; i < times; ++i) {
    if (!Form().Key(name)) throw ScriptFault{"a key name", name};
  }
}

void ScriptRunner::SelectCommand(const Command& c) {
  c.ExpectCount(2, 2);
  Form().Select(c.Whole(1), c.Whole(2));
}

// The words (or quoted texts) of a click or press target.
std::vector<std::string> ScriptRunner::TargetOf(const Command& c) {
  std::vector<std::string> target;
  for (size_t i = 1; i <= c.Count(); ++i)
    target.push_back(c.Arg(i).kind == TokenKind::String ? c.Text(i) : c.Word(i));
  return target;
}

namespace {

// The target as the script wrote it.
std::string Shown(const std::vector<std::string>& target) {
  std::string shown;
  for (const auto& t : target) shown += (shown.empty() ? "" : " ") + t;
  return shown;
}

}  // namespace

void ScriptRunner::ClickCommand(const Command& c) {
  c.ExpectCount(1, 3);
  const std::vector<std::string> target = TargetOf(c);
  if (!Form().Click(target)) throw ScriptFault{"a click target", Shown(target)};
}

// `press calc VK` types a key into the open calculator; `press TARGET` holds a button down
// on a click target until `release`.
void ScriptRunner::PressCommand(const Command& c) {
  c.ExpectCount(1, 3);
  if (c.Count() == 2 && c.Word(1) == "calc" && c.Arg(2).kind != TokenKind::String &&
      !c.Word(2).empty() && std::isdigit(static_cast<unsigned char>(c.Word(2)[0]))) {
    const int32_t vk = c.Whole(2);
    if (vk < 1 || vk > 254) throw ScriptFault{"a virtual-key code", c.tokens[2].text};
    Form().PressCalcKey(static_cast<int16_t>(vk));
    return;
  }
  const std::vector<std::string> target = TargetOf(c);
  if (!Form().Press(target)) throw ScriptFault{"a target to press", Shown(target)};
}

void ScriptRunner::ReleaseCommand(const Command& c) {
  c.ExpectCount(0, 1);
  if (c.Count() == 1 && c.Word(1) != "outside") throw ScriptFault{"outside", c.tokens[1].text};
  Form().Release(c.Count() == 0);
}

void ScriptRunner::DoubleClickCommand(const Command& c) {
  c.ExpectCount(1, 3);
  const std::vector<std::string> target = TargetOf(c);
  if (!Form().DoubleClick(target)) throw ScriptFault{"a target to double-click", Shown(target)};
}

// `wheel spin N`: N notches over the spinner's bar, positive up; `wheel list N` over the
// open list or grid.
void ScriptRunner::WheelCommand(const Command& c) {
  c.ExpectCount(2, 2);
  if (c.Word(1) == "list") return Form().WheelList(c.Whole(2));
  if (c.Word(1) != "spin") throw ScriptFault{"spin or list", c.tokens[1].text};
  Form().WheelSpinner(c.Whole(2));
}

void ScriptRunner::PlaceCommand(const Command& c) {
  c.ExpectCount(2, 2);
  Form().Place(static_cast<float>(c.Number(1)), static_cast<float>(c.Number(2)));
}

void ScriptRunner::WaitCommand(const Command& c) {
  c.ExpectCount(1, 1);
  double seconds = c.Number(1);
  if (seconds < 0) throw ScriptFault{"a number of seconds, 0 or more", c.tokens[1].text};
  Form().Wait(seconds);
}

}  // namespace orvo::play
