// QtEventRouter: the event filter on every widget of the Qt host. Key events become the
// widgets' key notifications, the user's clicks and focus changes go to the host's focus
// model, and activation changes of top-level windows reach the message hooks.
#pragma once

#include <QObject>

namespace orvo {

class QtHost;

class QtEventRouter : public QObject {
 public:
  explicit QtEventRouter(QtHost& host) : host_(host) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtHost& host_;
};

}  // namespace orvo
