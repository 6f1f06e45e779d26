// XSession: a private X server (Xvfb) on a free display for the life of the object, and real
// input sent to it with xdotool while the Qt event loop keeps running.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace orvo::realinput {

class XSession {
 public:
  // Starts Xvfb and points DISPLAY at it; Started() is false (and Error() says why) when it
  // could not start.
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool Started() const { return display_ >= 0; }
  const std::string& Error() const { return error_; }
  int Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  int display_ = -1;
  std::string error_;
};

// openbox on the session's display for the life of the object, for the steps that take a
// window manager (minimising a window, Alt+F4). Started() is false (and Error() says why) when
// it could not start.
class WindowManager {
 public:
  WindowManager();
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  bool Started() const { return started_; }
  const std::string& Error() const { return error_; }

 private:
  pid_t pid_ = -1;
  bool started_ = false;
  std::string error_;
};

// Runs `xdotool args...` to its end, with Qt's events processed meanwhile, then waits until Qt
// has handled every event the X server sent for it. False (with the reason in `error`) when
// xdotool fails.
bool XDoTool(const std::vector<std::string>& args, std::string& error);

// Processes Qt's events until `done` holds or `timeoutMs` passes; returns `done()`.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 2000);

}  // namespace orvo::realinput
