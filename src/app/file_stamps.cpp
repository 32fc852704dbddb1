#include "app/file_stamps.h"

namespace {

std::string DocumentPath(const AppState& s) { return s.FileDir + s.FileName; }

}  // namespace

FileStamp StampOfFile(App& app, const std::string& path) {
  FileSystem& files = *app.platform.files;
  std::string final;
  int names = 1;
  return files.StampOf(files.FinalPath(path, final, names) ? final : path);
}

void RememberFileStamp(App& app, const FileStamp& stamp) {
  app.state.loadedStamp = stamp;
  app.state.askedStamp = stamp;
}

void RememberFileStamp(App& app) { RememberFileStamp(app, StampOfFile(app, DocumentPath(app.state))); }

void ForgetFileStamp(App& app) { RememberFileStamp(app, FileStamp()); }

bool ChangedByOtherProgram(App& app, const std::string& target) {
  const AppState& s = app.state;
  if (s.HasFile != 1 || !s.loadedStamp.exists || target != DocumentPath(s)) return false;
  const FileStamp now = StampOfFile(app, target);
  return now.exists && now != s.loadedStamp;
}
