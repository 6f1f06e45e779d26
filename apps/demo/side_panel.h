// SidePanel: the window beside the form: the log of the fields' events, and the menu that
// saves and reopens the form file and saves the record.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <string>

#include "form_session.h"

namespace orvo::demo {

class SidePanel : public QMainWindow {
 public:
  SidePanel();
  void Log(const std::string& line);
  // The menu's commands act on `session`; `formPath` is the file they start from.
  void Connect(FormSession& session, const std::string& formPath);
  QPlainTextEdit& LogView() { return log_; }

 private:
  void Warn(const QString& what, const Error& e);
  QPlainTextEdit log_;
  FormSession* session_ = nullptr;
  QString formPath_;
};

}  // namespace orvo::demo
