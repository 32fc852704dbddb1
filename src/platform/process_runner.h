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
};
