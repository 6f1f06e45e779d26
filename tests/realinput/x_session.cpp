// The private X server and the xdotool runner.
#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace orvo::realinput {

namespace {

constexpr int kStartTimeoutMs = 10000;

// Keeps Qt's events flowing while a child runs; the child's exit status, or -1.
int WaitChild(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// Xvfb picks the first free display itself and writes its number to the pipe once it takes
// connections. It dies with this process even when a test crashes.
XSession::XSession() {
  int fds[2];
  if (pipe(fds) != 0) {
    error_ = "no pipe";
    return;
  }
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  pid_ = fork();
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    int log = open("xvfb.log", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) dup2(log, 2);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  QDeadlineTimer deadline(kStartTimeoutMs);
  pollfd p{fds[0], POLLIN, 0};
  while (!deadline.hasExpired() && poll(&p, 1, static_cast<int>(deadline.remainingTime())) > 0) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number.push_back(c);
  }
  close(fds[0]);
  if (pid_ < 0 || number.empty()) {
    error_ = "Xvfb did not start (is it installed? scripts/setup installs it; see xvfb.log)";
    return;
  }
  display_ = std::atoi(number.c_str());
  setenv("DISPLAY", (":" + number).c_str(), 1);
}

XSession::~XSession() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

// openbox runs its startup command once it manages the screen: the command leaves a file.
// (The root window's properties cannot tell: they outlive an earlier openbox.)
WindowManager::WindowManager() {
  char cwd[4096];
  const std::string ready = std::string(getcwd(cwd, sizeof cwd) ? cwd : "/tmp") +
                            "/openbox.ready." + std::to_string(getpid());
  std::remove(ready.c_str());
  const std::string startup = "touch " + ready;
  pid_ = fork();
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    int log = open("openbox.log", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    execlp("openbox", "openbox", "--sm-disable", "--startup", startup.c_str(),
           static_cast<char*>(nullptr));
    _exit(127);
  }
  started_ = pid_ > 0 && WaitFor([&] { return access(ready.c_str(), F_OK) == 0; }, kStartTimeoutMs);
  std::remove(ready.c_str());
  if (!started_)
    error_ = "openbox did not start (is it installed? scripts/setup installs it; see openbox.log)";
}

// Windows it managed go back to the server's root as it leaves.
WindowManager::~WindowManager() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  WaitChild(pid_);
  QGuiApplication::sync();
}

bool XDoTool(const std::vector<std::string>& args, std::string& error) {
  std::vector<char*> argv;
  std::string program = "xdotool";
  argv.push_back(program.data());
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = pid > 0 ? WaitChild(pid) : -1;
  // A round trip to the server, then the events it sent before answering.
  QGuiApplication::sync();
  if (status == 0) return true;
  error = "xdotool";
  for (const std::string& a : args) error += " " + a;
  error += status == 127 ? ": not installed (scripts/setup installs it)" : ": failed";
  return false;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

}  // namespace orvo::realinput
