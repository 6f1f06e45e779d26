// orvoplay: runs play scripts and prints their transcript.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "script_runner.h"
#include "transcript.h"

namespace {

int Usage() {
  std::cerr << "usage: orvoplay [--host headless|qt] SCRIPT...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orvo::play;
  HostKind host = HostKind::Headless;
  std::vector<std::string> scripts;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--host") {
      if (++i >= argc) return Usage();
      std::string name = argv[i];
      if (name == "headless") {
        host = HostKind::Headless;
      } else if (name == "qt") {
        host = HostKind::Qt;
      } else {
        return Usage();
      }
    } else if (arg.rfind("--", 0) == 0) {
      return Usage();
    } else {
      scripts.push_back(arg);
    }
  }
  if (scripts.empty()) return Usage();

  // Without a display the Qt host plays on the offscreen platform, as in the test runs.
  if (host == HostKind::Qt && !std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
      !std::getenv("WAYLAND_DISPLAY")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }

  Transcript transcript(std::cout);
  ScriptRunner runner(transcript, host);
  bool allRead = true;
  for (const std::string& script : scripts) {
    if (scripts.size() > 1) transcript.Note("== " + script);
    allRead = runner.RunFile(script) && allRead;
  }
  std::cout << transcript.Passed() << " passed, " << transcript.Failed() << " failed\n";
  return (transcript.Failed() > 0 || !allRead) ? 1 : 0;
}
