#include "app/syntax_check.h"

#include <algorithm>
#include <vector>

#include "app/file_save.h"
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
// What the command interpreter tries when PATHEXT is not set.
constexpr const char* kDefaultExtensions = ".COM;.EXE;.BAT;.CMD";

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

void ShowError(App& app, const std::string& text) {
  app.platform.dialogs->ShowMessage(text, kErrorTitle, MessageButtons::Ok);
}

void ShowCannotWrite(App& app, const std::string& path) { ShowError(app, "The file '" + path + "' could not be written."); }

// The folders of a list such as PATH, each ending in a backslash. A folder
// may be quoted, so that a ';' inside it does not split it.
std::vector<std::string> FoldersOfList(const std::string& list) {
  std::vector<std::string> folders;
  std::string folder;
  bool quoted = false;
  for (size_t i = 0; i <= list.size(); ++i) {
    const char c = i < list.size() ? list[i] : ';';
    if (c == '"') {
      quoted = !quoted;
    } else if (c != ';' || quoted) {
      folder += c;
    } else if (!folder.empty()) {
      if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
      folders.push_back(folder);
      folder.clear();
    }
  }
  return folders;
}

// Where the command interpreter finds a program the batch line names without
// a folder: the current folder, then each folder of PATH in turn; in each,
// the name as written, then with each of the extensions PATHEXT lists.
std::vector<std::string> CommandSearchPaths(const std::string& name, const std::string& searchPath,
                                            const std::string& extensions) {
  if (name.find_first_of("\\/:") != std::string::npos) return {name};
  std::vector<std::string> folders = FoldersOfList(searchPath);
  folders.insert(folders.begin(), "");
  std::vector<std::string> suffixes = {""};
  for (std::string suffix : FoldersOfList(extensions.empty() ? kDefaultExtensions : extensions)) {
    suffix.pop_back();  // the backslash a folder gets
    suffixes.push_back(suffix);
  }
  std::vector<std::string> paths;
  for (const std::string& folder : folders)
    for (const std::string& suffix : suffixes) paths.push_back(folder + name + suffix);
  return paths;
}

// Without the compiler the batch file would leave an empty log, which reads
// as a clean script.
bool CompilerFound(App& app) {
  const AppState& s = app.state;
  ProcessRunner& processes = *app.platform.processes;
  const std::vector<std::string> paths = CommandSearchPaths(
      s.CompilerPath, processes.EnvironmentVariable("PATH"), processes.EnvironmentVariable("PATHEXT"));
  for (const std::string& path : paths)
    if (app.platform.files->Exists(path)) return true;
  ShowError(app, "The engine's tools were not found: there is no compiler at '" + s.CompilerPath + "'" +
                     (paths.size() > 1 ? ", in the current folder or in a folder of the search path (PATH)" : "") +
                     "." + (s.InstallPath.empty() ? " No engine installation is registered on this computer." : ""));
  return false;
}

// The compiler must get exactly the path the user chose. Inside the batch
// line's quotes only a quotation mark or a line break could end the path
// and start a command; no file name holds either.
bool SpellForBatch(App& app, const std::string& path, std::string& spelled) {
  const bool unsafe = std::any_of(path.begin(), path.end(),
                                  [](char c) { return c == '"' || static_cast<unsigned char>(c) < 32; });
  if (unsafe) {
    ShowError(app, "The path '" + path + "' holds a character no file name may hold; the compiler was not started.");
    return false;
  }
  if (app.platform.processes->ConsolePath(path, spelled)) return true;
  ShowError(app, "The path '" + path + "' cannot be handed to the engine's compiler: the command window cannot "
                 "spell its letters.");
  return false;
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
  if (!CompilerFound(app)) return;
  if (!PickFreshPath(app, s.FileDir, kScratchScript, script) || !PickFreshPath(app, "", kBatchFile, batch) ||
      !PickFreshPath(app, s.BasePath, kCompilerLog, log))
    return;
  // A save that fails has said so, naming the file.
  if (!SaveScript(app, script)) return;
  // The scratch script exists now, so it has a short name if it needs one.
  std::string compiler, project, scriptArgument, logArgument;
  if (!SpellForBatch(app, s.CompilerPath, compiler) || !SpellForBatch(app, s.CurrentQVRProject, project) ||
      !SpellForBatch(app, script, scriptArgument) || !SpellForBatch(app, log, logArgument)) {
    files.RemoveFile(script);
    return;
  }
  if (!SaveFile(files, "", batch, CompileBatchLine(compiler, project, scriptArgument, logArgument)).written) {
    ShowCannotWrite(app, batch);
    files.RemoveFile(script);
    return;
  }
  // The editor waits here on purpose: the log is complete only once the
  // compiler has ended.
  std::string output;
  if (!app.platform.processes->RunAndWait(batch, "")) {
    ShowError(app, "The syntax check could not start '" + batch + "'.");
  } else if (!files.ReadFile(log, output)) {
    ShowError(app, "The engine's compiler wrote no log ('" + log + "'): the script was not checked.");
  } else {
    ShowCompilerLog(app, output);
    files.RemoveFile(log);
  }
  files.RemoveFile(script);
  files.RemoveFile(batch);
}
