// SidePanel: the window beside the forms, logging every event their fields raise.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <string>

namespace orvo::demo {

class SidePanel : public QMainWindow {
 public:
  SidePanel();
  // A MouseMove line following one of the same field takes its place.
  void Log(const std::string& line);
  QPlainTextEdit& LogView() { return log_; }

 private:
  QPlainTextEdit log_;
  std::string last_;
};

}  // namespace orvo::demo
