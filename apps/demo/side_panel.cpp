// The side panel's log.
#include "side_panel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "event_log.h"

namespace orvo::demo {

namespace {

// "txtNome MouseMove Button=..." -> "txtNome".
std::string Source(const std::string& line) {
  return line.substr(0, line.find(" MouseMove "));
}

}  // namespace

SidePanel::SidePanel() {
  setWindowTitle(QStringLiteral("Eventos"));
  log_.setReadOnly(true);
  log_.setMaximumBlockCount(5000);
  setCentralWidget(&log_);
  resize(420, 480);
}

void SidePanel::Log(const std::string& line) {
  const QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  if (IsMouseMove(line) && IsMouseMove(last_) && Source(line) == Source(last_)) {
    if (log_.blockCount() == 1) {
      log_.clear();
    } else {
      QTextCursor end(log_.document()->lastBlock());
      end.select(QTextCursor::BlockUnderCursor);
      end.removeSelectedText();
    }
  }
  log_.appendPlainText(text);
  last_ = line;
}

}  // namespace orvo::demo
