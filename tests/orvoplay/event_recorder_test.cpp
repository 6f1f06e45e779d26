// Event lines: each event's name and its arguments as renderings, in the order raised.
#include "event_recorder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orvo::play {
namespace {

TEST(EventRecorderTest, PrintsEachEventWithItsArguments) {
  std::ostringstream out;
  Transcript transcript(out);
  EventLog log(transcript);
  EventRecorder recorder(log);
  OrvoMaskEvents& events = recorder;

  int16_t key = 13, shift = 1, ascii = 65, button = 1;
  float x = 120, y = 45.5f;
  bool cancel = false, status = true;
  RecordsetRef rs;
  std::string sql = "SELECT TOP 1 * FROM [T]";

  events.Click();  // not recorded: events are off
  log.on = true;
  events.KeyDown(key, shift);
  events.KeyPress(ascii);
  events.KeyUp(key, shift);
  events.MouseDown(button, shift, x, y);
  events.ButtonClick(cancel);
  events.DropDown(status);
  events.Change();
  events.OpenRecordSet(rs, sql);

  EXPECT_EQ(out.str(),
            "! KeyDown Integer 13 Integer 1\n"
            "! KeyPress Integer 65\n"
            "! KeyUp Integer 13 Integer 1\n"
            "! MouseDown Integer 1 Integer 1 Single 120 Single 45.5\n"
            "! ButtonClick Boolean False\n"
            "! DropDown Boolean True\n"
            "! Change\n"
            "! OpenRecordSet Object Nothing String \"SELECT TOP 1 * FROM [T]\"\n");
  EXPECT_EQ(log.raised,
            (std::vector<std::string>{"KeyDown", "KeyPress", "KeyUp", "MouseDown", "ButtonClick",
                                      "DropDown", "Change", "OpenRecordSet"}));
  ASSERT_TRUE(transcript.LastLine().has_value());
  EXPECT_EQ(*transcript.LastLine(),
            "! OpenRecordSet Object Nothing String \"SELECT TOP 1 * FROM [T]\"");
}

}  // namespace
}  // namespace orvo::play
