#include "app/recovery.h"

#include <algorithm>

#include "app/file_save.h"
#include "app/opened_text.h"
#include "app/recovery_copy.h"
#include "app/script_format.h"
#include "catalogue/line_reader.h"
#include "editor/editor_ops.h"

namespace {

constexpr const char* kRecoverySubfolder = "QVR Visual Script Editor\\Recovery\\";
constexpr const char* kQuestionTitle = "Question:";
constexpr const char* kWarningTitle = "Warning:";

// Told once for each reason, where it cannot be missed: the user can still
// work, only without the safety net, and should know to save.
void SayRecoveryTrouble(App& app, const std::string& why) {
  if (app.state.recoveryTrouble == why) return;
  app.state.recoveryTrouble = why;
  const std::string text = "Unsaved text cannot be kept for recovery: " + why;
  app.platform.ui->SetStatusText(kStatusSyntaxField, text);
  app.platform.dialogs->ShowMessage(text + " Until this is mended, only Save keeps your changes.", kWarningTitle,
                                    MessageButtons::Ok);
}

std::string WordsOf(FileSystem& files, const std::string& before) {
  const std::string words = files.LastFailure();
  return before + (words.empty() ? "the system did not say why." : words);
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
  s.Utf8 = copy.utf8;
  s.ByteOrderMark = copy.byteOrderMark;
  SetDocumentTitle(app);
  ShowOpenedLines(app, SplitScriptLines(copy.text), copy.folder + copy.name);
  app.edit->SetModify(false);
  // A save then asks as it would have asked the editor that wrote the copy;
  // the window's return to the front does not ask about that change again.
  s.loadedStamp = copy.stamp;
  s.askedStamp = app.platform.files->StampOf(s.FileDir + s.FileName);
  MarkChanged(s);
}

}  // namespace

void StartRecovery(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  const std::string base = files.UserDataFolder();
  const std::string folder = base.empty() ? "" : base + kRecoverySubfolder;
  s.recoveryFolder = !folder.empty() && files.CreateFolder(folder) ? folder : "";
  s.recoveryFile = s.recoveryFolder.empty() ? "" : folder + FileNameOf(app.platform.processes->ThisProcess());
  // Said once there is unsaved text to keep.
  if (s.recoveryFolder.empty())
    s.recoveryNoFolder = base.empty() ? "the system names no folder for it."
                                      : WordsOf(files, "its folder '" + folder + "' could not be made: ");
}

void NoteRecoveryDue(App& app) {
  AppState& s = app.state;
  if (s.Changed != 1 || s.recoveryCurrent == 1 || s.recoveryTimer == 1) return;
  if (s.recoveryFolder.empty()) {
    SayRecoveryTrouble(app, s.recoveryNoFolder);
    s.recoveryCurrent = 1;
    return;
  }
  app.platform.events->StartTimer(kRecoveryDelayMs);
  s.recoveryTimer = 1;
}

namespace {

void DropPieces(AppState& s) {
  s.recoveryPieces.clear();
  s.recoveryPieces.shrink_to_fit();
  s.recoveryReadTo = -1;
  s.recoveryWriteAt = -1;
}

void NextPass(App& app) {
  app.platform.events->StartTimer(0);   // the system's timer waits for input to be handled
  app.state.recoveryTimer = 1;
}

// One idle pass reads one piece, so a key pressed meanwhile waits for one
// piece at most. True once the whole text is read.
bool ReadNextPiece(App& app) {
  AppState& s = app.state;
  const std::string piece = app.edit->GetTextRange(s.recoveryReadTo, s.recoveryReadTo + kRecoveryPieceChars);
  s.recoveryReadTo += static_cast<long>(piece.size());
  // The control's paragraph mark is written as the editor's whole text
  // would give it.
  for (char c : piece) {
    if (c == '\r') s.recoveryPieces += "\r\n";
    else s.recoveryPieces += c;
  }
  return static_cast<long>(piece.size()) < kRecoveryPieceChars;
}

RecoveryCopy CopyOfDocument(App& app) {
  const AppState& s = app.state;
  RecoveryCopy copy;
  copy.writer = app.platform.processes->ThisProcess();
  copy.time = app.platform.events->LocalTime();
  copy.folder = s.FileDir;
  copy.name = s.FileName;
  copy.hasFile = s.HasFile;
  copy.lineBreak = s.LineBreak;
  copy.utf8 = s.Utf8;
  copy.byteOrderMark = s.ByteOrderMark;
  copy.stamp = s.loadedStamp;
  return copy;
}

// The text is read whole and unchanged: a short one goes to disk at once, a
// long one a piece per pass after its header. A full disk fails the write
// before the old copy is replaced; it stays, and the next change tries again.
void StartWriting(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  RecoveryCopy copy = CopyOfDocument(app);
  if (s.recoveryPieces.size() <= static_cast<size_t>(kRecoveryPieceChars)) {
    copy.text = std::move(s.recoveryPieces);
    DropPieces(s);
    const SaveResult saved = SaveFile(files, "", s.recoveryFile, FormatRecoveryCopy(copy));
    if (!saved.written) return SayRecoveryTrouble(app, saved.why);
    s.recoveryWritten = 1;
    return;
  }
  if (!StartPieces(files, s.recoveryPiecesFile, s.recoveryFile) ||
      !WritePiece(files, s.recoveryPiecesFile, FormatRecoveryHeader(copy, s.recoveryPieces.size()))) {
    const std::string why = s.recoveryPiecesFile.why;
    AbandonPieces(files, s.recoveryPiecesFile);
    DropPieces(s);
    return SayRecoveryTrouble(app, why);
  }
  s.recoveryWriteAt = 0;
  NextPass(app);
}

// What was read is a true copy of the text as it was, so it is finished
// whatever the user typed since; that typing makes the next copy due.
void WriteNextPiece(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  const size_t at = static_cast<size_t>(s.recoveryWriteAt), piece = static_cast<size_t>(kRecoveryPieceChars);
  const bool written = WritePiece(files, s.recoveryPiecesFile, s.recoveryPieces.substr(at, piece));
  s.recoveryWriteAt = static_cast<long>(std::min(s.recoveryPieces.size(), at + piece));
  if (written && static_cast<size_t>(s.recoveryWriteAt) < s.recoveryPieces.size()) return NextPass(app);
  DropPieces(s);
  if (!written) {
    const std::string why = s.recoveryPiecesFile.why;
    AbandonPieces(files, s.recoveryPiecesFile);
    return SayRecoveryTrouble(app, why);
  }
  if (!FinishPieces(files, s.recoveryPiecesFile)) return SayRecoveryTrouble(app, s.recoveryPiecesFile.why);
  s.recoveryWritten = 1;
  NoteRecoveryDue(app);
}

}  // namespace

void WriteRecoveryCopy(App& app) {
  AppState& s = app.state;
  s.recoveryTimer = 0;
  NoteTextChanges(app);
  if (s.recoveryWriteAt >= 0) return WriteNextPiece(app);
  const bool reading = s.recoveryReadTo >= 0;
  if (s.Changed != 1 || s.recoveryFolder.empty() || (reading && s.recoveryCurrent == 0)) {
    // Saved, or changed under the pieces read so far: the copy starts again
    // once the text has rested.
    DropPieces(s);
    NoteRecoveryDue(app);
    return;
  }
  if (!reading) {
    if (s.recoveryCurrent == 1) return;
    s.recoveryReadTo = 0;
    s.recoveryPieces.reserve(static_cast<size_t>(app.edit->GetTextLength()) + 2);
    // From here the control's flag means "changed since the copy began"; the
    // document's own flag is already set and stays so until a save.
    app.edit->SetModify(false);
    s.recoveryCurrent = 1;
  }
  if (!ReadNextPiece(app)) return NextPass(app);
  // In a double-byte code page the control counts a piece in characters and
  // gives it in bytes, and the pieces miss text; the copy then takes the
  // whole text in one read, slow but whole.
  if (s.recoveryPieces.size() != static_cast<size_t>(app.edit->GetTextLength())) s.recoveryPieces = app.edit->GetText();
  StartWriting(app);
}

void WriteRecoveryCopyNow(App& app) {
  do WriteRecoveryCopy(app);
  while (app.state.recoveryReadTo >= 0 || app.state.recoveryWriteAt >= 0);
}

void RemoveRecoveryCopy(App& app) {
  AppState& s = app.state;
  if (s.recoveryWriteAt >= 0) AbandonPieces(*app.platform.files, s.recoveryPiecesFile);
  DropPieces(s);
  if (s.recoveryWritten == 1) app.platform.files->RemoveFile(s.recoveryFile);
  s.recoveryWritten = 0;
  s.recoveryCurrent = 0;
}

namespace {

// A copy that matches its file holds nothing unsaved: the editor that wrote
// it ended between a save and the copy's removal.
bool MatchesItsFile(FileSystem& files, const RecoveryCopy& copy) {
  std::string bytes;
  return copy.hasFile == 1 && files.ReadFile(copy.folder + copy.name, bytes) &&
         bytes == FileOfText(files, copy.text, FileForm{copy.lineBreak, copy.utf8, copy.byteOrderMark});
}

}  // namespace

bool OfferRecoveredText(App& app) {
  AppState& s = app.state;
  FileSystem& files = *app.platform.files;
  if (s.recoveryFolder.empty()) return false;
  bool restored = false;
  std::string damaged;
  for (const std::string& name : files.FilesIn(s.recoveryFolder, kRecoverySuffix)) {
    const std::string path = s.recoveryFolder + name;
    std::string bytes;
    if (path == s.recoveryFile || !files.ReadFile(path, bytes)) continue;
    RecoveryCopy copy;
    const RecoveryRead read = ParseRecoveryCopy(bytes, copy);
    if (read == RecoveryRead::OtherVersion) continue;
    if (read == RecoveryRead::Damaged) {
      damaged += (damaged.empty() ? "'" : ", '") + path + "'";
      files.RemoveFile(path);
      continue;
    }
    // Another editor is still working on it; or one document is back
    // already, and the others wait for the next start.
    if (restored || app.platform.processes->IsRunning(copy.writer)) continue;
    if (MatchesItsFile(files, copy)) {
      files.RemoveFile(path);
      continue;
    }
    const int answer = app.platform.dialogs->ShowMessage(
        "The editor ended without saving the changes to '" + copy.name + "'. Restore the unsaved text from " +
            copy.time + "? No deletes that text.",
        kQuestionTitle, MessageButtons::YesNo);
    if (answer != kAnswerYes) {
      files.RemoveFile(path);
      continue;
    }
    Restore(app, copy);
    // Ours replaces it before it goes, so the text is never without a copy.
    WriteRecoveryCopyNow(app);
    if (s.recoveryWritten == 1) files.RemoveFile(path);
    restored = true;
  }
  if (!damaged.empty())
    app.platform.dialogs->ShowMessage("Copies of unsaved text that were cut short or spoiled could not be restored "
                                      "and were deleted: " + damaged + ".",
                                      kWarningTitle, MessageButtons::Ok);
  return restored;
}
