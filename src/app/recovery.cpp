#include "app/recovery.h"

#include "app/recovery_copy.h"
#include "app/script_files.h"
#include "catalogue/line_reader.h"
#include "editor/editor_ops.h"

namespace {

constexpr const char* kRecoverySubfolder = "QVR Visual Script Editor\\Recovery\\";
constexpr const char* kQuestionTitle = "Question:";

// Once per run: the user can still work, only without the safety net.
void SayRecoveryTrouble(App& app) {
  if (app.state.recoveryTrouble == 1) return;
  app.state.recoveryTrouble = 1;
  app.platform.ui->SetStatusText(kStatusSyntaxField, "Unsaved text cannot be kept for recovery: its folder cannot be written.");
}

// A process's words may hold characters no file name may.
std::string FileNameOf(const std::string& process) {
  std::string name;
  for (char c : process) name += (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? c : '-';
  return name + kRecoverySuffix;
}

void Restore(App& app, const RecoveryCopy& copy) {
  AppState& s = app.state;
  s.FileDir = copy.folder;
  s.FileName = copy.name;
  s.HasFile = copy.hasFile;
  s.LineBreak = copy.lineBreak;
  SetDocumentTitle(app);
  ShowOpenedLines(app, SplitScriptLines(copy.text), copy.folder + copy.name);
  app.edit->SetModify(false);
  // A save then asks as it would have asked the editor that wrote the copy;
  // the window's return to the front does not ask about that change again.
  s.loadedStamp = copy.stamp;
  s.askedStamp = app.platform.files->StampOf(s.FileDir + s.FileName);
  s.Changed = 1;
  s.recoveryCurrent = 0;
}

}  // namespace

void StartRecovery(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  const std::string base = files.UserDataFolder();
  const std::string folder = base.empty() ? "" : base + kRecoverySubfolder;
  s.recoveryFolder = !folder.empty() && files.CreateFolder(folder) ? folder : "";
  s.recoveryFile = s.recoveryFolder.empty() ? "" : folder + FileNameOf(app.platform.processes->ThisProcess());
}

void NoteRecoveryDue(App& app) {
  AppState& s = app.state;
  if (s.Changed != 1 || s.recoveryCurrent == 1 || s.recoveryTimer == 1) return;
  if (s.recoveryFolder.empty()) {
    SayRecoveryTrouble(app);
    s.recoveryCurrent = 1;
    return;
  }
  app.platform.events->StartTimer(kRecoveryDelayMs);
  s.recoveryTimer = 1;
}

void WriteRecoveryCopy(App& app) {
  AppState& s = app.state;
  s.recoveryTimer = 0;
  NoteTextChanges(app);
  if (s.Changed != 1 || s.recoveryCurrent == 1 || s.recoveryFolder.empty()) return;
  RecoveryCopy copy;
  copy.writer = app.platform.processes->ThisProcess();
  copy.time = app.platform.events->LocalTime();
  copy.folder = s.FileDir;
  copy.name = s.FileName;
  copy.hasFile = s.HasFile;
  copy.lineBreak = s.LineBreak;
  copy.stamp = s.loadedStamp;
  copy.text = GetEditorText(*app.edit);
  // From here the control's flag means "changed since the copy"; the
  // document's own flag is already set and stays so until a save.
  app.edit->SetModify(false);
  s.recoveryCurrent = 1;
  // A full disk fails the write before the old copy is replaced; it stays,
  // and the next change tries again.
  if (!app.platform.files->WriteFileReplacing(s.recoveryFile, FormatRecoveryCopy(copy))) return SayRecoveryTrouble(app);
  s.recoveryWritten = 1;
}

void RemoveRecoveryCopy(App& app) {
  AppState& s = app.state;
  if (s.recoveryWritten == 1) app.platform.files->RemoveFile(s.recoveryFile);
  s.recoveryWritten = 0;
  s.recoveryCurrent = 0;
}

bool OfferRecoveredText(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  if (s.recoveryFolder.empty()) return false;
  bool restored = false;
  for (const std::string& name : files.FilesIn(s.recoveryFolder, kRecoverySuffix)) {
    const std::string path = s.recoveryFolder + name;
    std::string bytes;
    if (path == s.recoveryFile || !files.ReadFile(path, bytes)) continue;
    RecoveryCopy copy;
    const RecoveryRead read = ParseRecoveryCopy(bytes, copy);
    if (read == RecoveryRead::OtherVersion) continue;
    if (read == RecoveryRead::Damaged) {
      files.RemoveFile(path);
      continue;
    }
    // Another editor is still working on it; or one document is back
    // already, and the others wait for the next start.
    if (restored || app.platform.processes->IsRunning(copy.writer)) continue;
    const int answer = app.platform.dialogs->ShowMessage(
        "The editor ended without saving the changes to '" + copy.name + "'. Restore the unsaved text from " +
            copy.time + "?",
        kQuestionTitle, MessageButtons::YesNo);
    if (answer != kAnswerYes) {
      files.RemoveFile(path);
      continue;
    }
    Restore(app, copy);
    // Ours replaces it before it goes, so the text is never without a copy.
    WriteRecoveryCopy(app);
    if (s.recoveryWritten == 1) files.RemoveFile(path);
    restored = true;
  }
  return restored;
}
