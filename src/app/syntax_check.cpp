#include "app/syntax_check.h"

#include "app/script_files.h"
#include "catalogue/line_reader.h"

namespace {

constexpr const char* kErrorTitle = "Error:";
constexpr const char* kResultTitle = "Syntax check:";
constexpr const char* kNoErrors = "No errors found.";

struct ScratchName {
  const char* stem;
  const char* extension;
};
constexpr ScratchName kScratchScript{"SyntaxCheck", ".script"};
constexpr ScratchName kBatchFile{"Compile", ".bat"};
constexpr ScratchName kCompilerLog{"qvr_output", ".log"};
// Enough for any folder a person keeps; past it the check gives up rather
// than search on.
constexpr int kLastFreshNumber = 999;

std::string QuotedForBatch(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    quoted += c;
    if (c == '%') quoted += '%';
  }
  return quoted + "\"";
}

std::string NumberedPath(const std::string& folder, const ScratchName& name, int n) {
  return folder + name.stem + (n ? std::to_string(n) : "") + name.extension;
}

void ShowCannotWrite(App& app, const std::string& path) {
  app.platform.dialogs->ShowMessage("The file '" + path + "' could not be written.", kErrorTitle,
                                   MessageButtons::Ok);
}

// The check removes its files afterwards, so it must never take a name a
// file already has: that may be the user's own "SyntaxCheck.script", an old
// "Compile.bat", or a log left by a check that crashed, whose lines would be
// shown as this run's.
bool PickFreshPath(App& app, const std::string& folder, const ScratchName& name, std::string& path) {
  for (int n = 0; n <= kLastFreshNumber; ++n) {
    path = NumberedPath(folder, name, n);
    if (!app.platform.files->Exists(path)) return true;
  }
  ShowCannotWrite(app, NumberedPath(folder, name, 0));
  return false;
}

// One message per line, each closed before the next is shown; an empty
// last line (or none at all) is how the compiler says the script is clean.
void ShowCompilerLog(App& app, const std::string& log) {
  std::string lastLine;
  for (const std::string& line : SplitFileLines(log)) {
    lastLine = line;
    app.platform.dialogs->ShowMessage(line, kErrorTitle, MessageButtons::Ok);
  }
  if (lastLine.empty()) app.platform.dialogs->ShowMessage(kNoErrors, kResultTitle, MessageButtons::Ok);
}

}  // namespace

std::string CompileBatchLine(const std::string& compilerPath, const std::string& projectPath,
                             const std::string& scriptPath, const std::string& logPath) {
  return QuotedForBatch(compilerPath) + " -project " + QuotedForBatch(projectPath) + " -script " +
         QuotedForBatch(scriptPath) + " >>" + QuotedForBatch(logPath);
}

void CheckSyntax(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  // The batch file and the log sit in the current folder, where the batch
  // file runs; the scratch script beside the edited file.
  std::string script, batch, log;
  if (!PickFreshPath(app, s.FileDir, kScratchScript, script) || !PickFreshPath(app, "", kBatchFile, batch) ||
      !PickFreshPath(app, s.BasePath, kCompilerLog, log))
    return;
  // A save that fails has said so, naming the file.
  if (!SaveScript(app, script)) return;
  if (!files.WriteFileReplacing(batch, CompileBatchLine(s.CompilerPath, s.CurrentQVRProject, script, log))) {
    ShowCannotWrite(app, batch);
    files.RemoveFile(script);
    return;
  }
  // The editor waits here on purpose: the log is complete only once the
  // compiler has ended.
  app.platform.processes->RunAndWait(batch, "");
  std::string output;
  if (files.ReadFile(log, output)) {
    ShowCompilerLog(app, output);
    files.RemoveFile(log);
  }
  files.RemoveFile(script);
  files.RemoveFile(batch);
}
