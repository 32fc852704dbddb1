#pragma once
// Starting another program and waiting for it, for the outside tools the
// editor hands files to.
#include <string>

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts the file as the shell would open it (a batch file runs in a
  // console of its own) with `folder` as its working folder, "" for the
  // editor's current folder, and returns once it has ended. False when it
  // could not be started at all.
  virtual bool RunAndWait(const std::string& file, const std::string& folder) = 0;
  // A path as a batch file must spell it: the command interpreter reads the
  // file in the console's code page, not the program's, so letters outside
  // ASCII are written in that code page, or the path by its short name where
  // the code page has no such letter. False when neither can spell it.
  virtual bool ConsolePath(const std::string& path, std::string& spelled) = 0;
  // This process in words no other process shares, before or after it (a
  // process number is used again once its process has ended).
  virtual std::string ThisProcess() = 0;
  // Whether the process ThisProcess() named, in this run or an earlier one,
  // is still running.
  virtual bool IsRunning(const std::string& process) = 0;
  // A variable of this process's environment, which the programs it starts
  // inherit; "" when it is not set.
  virtual std::string EnvironmentVariable(const std::string& name) = 0;
};
