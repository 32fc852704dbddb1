#pragma once
// Started programs, for tests: each start is recorded with the files as the
// program found them, and a batch file's one line is carried out as far as
// the logic relies on it: the output of the program it calls is appended to
// the file named after ">>".
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/memory/memory_file_system.h"
#include "platform/process_runner.h"

class MemoryProcessRunner : public ProcessRunner {
 public:
  struct Started {
    std::string file;
    std::string folder;
    std::map<std::string, std::string> files;   // every file when it started
  };

  explicit MemoryProcessRunner(MemoryFileSystem& files) : files_(files) {}

  // What each started program writes to its standard output, in turn;
  // once the list is used up, programs write nothing.
  std::deque<std::string> outputs;
  bool startFails = false;   // as when the system cannot start the file at all
  std::vector<Started> started;

  bool RunAndWait(const std::string& file, const std::string& folder) override;
  // Paths pass as they are, but for those holding a byte the console cannot spell.
  std::string unspellable;
  bool ConsolePath(const std::string& path, std::string& spelled) override {
    if (path.find_first_of(unspellable) != std::string::npos) return false;
    spelled = path;
    return true;
  }
  // Other editors started by the user that are still running.
  std::string thisProcess = "4242-1";
  std::vector<std::string> running;
  std::string ThisProcess() override { return thisProcess; }
  bool IsRunning(const std::string& process) override {
    if (process == thisProcess) return true;
    for (const std::string& p : running)
      if (p == process) return true;
    return false;
  }
  std::map<std::string, std::string> environment;
  std::string EnvironmentVariable(const std::string& name) override {
    auto it = environment.find(name);
    return it == environment.end() ? "" : it->second;
  }

 private:
  MemoryFileSystem& files_;
};
