#include "platform/memory/memory_process_runner.h"

namespace {

// The redirection target as cmd.exe reads it: the word after ">>", whole
// when quoted, with a doubled '%' taken as one. "" when there is none.
std::string AppendTarget(const std::string& line) {
  size_t i = line.rfind(">>");
  if (i == std::string::npos) return "";
  i = line.find_first_not_of(' ', i + 2);
  if (i == std::string::npos) return "";
  const bool quoted = line[i] == '"';
  std::string target;
  for (i += quoted ? 1 : 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted ? c == '"' : c == ' ') break;
    if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') ++i;
    target += c;
  }
  return target;
}

}  // namespace

bool MemoryProcessRunner::RunAndWait(const std::string& file, const std::string& folder) {
  const std::string path = folder + file;
  if (startFails || !files_.files.count(path)) return false;
  started.push_back({file, folder, files_.files});
  std::string output;
  if (!outputs.empty()) {
    output = outputs.front();
    outputs.pop_front();
  }
  // The shell creates the target even when the program writes nothing.
  std::string target = AppendTarget(files_.files[path]);
  const bool absolute = target.size() >= 2 && (target[1] == ':' || target[0] == '\\');
  if (!target.empty()) files_.files[absolute ? target : folder + target] += output;
  return true;
}
