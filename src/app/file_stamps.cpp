#include "app/file_stamps.h"

namespace {

std::string DocumentPath(const AppState& s) { return s.FileDir + s.FileName; }

}  // namespace

void RememberFileStamp(App& app) {
  AppState& s = app.state;
  s.loadedStamp = app.platform.files->StampOf(DocumentPath(s));
  s.askedStamp = s.loadedStamp;
}

void ForgetFileStamp(App& app) {
  app.state.loadedStamp = FileStamp();
  app.state.askedStamp = FileStamp();
}

bool ChangedByOtherProgram(App& app, const std::string& target) {
  const AppState& s = app.state;
  if (s.HasFile != 1 || !s.loadedStamp.exists || target != DocumentPath(s)) return false;
  const FileStamp now = app.platform.files->StampOf(target);
  return now.exists && now != s.loadedStamp;
}
