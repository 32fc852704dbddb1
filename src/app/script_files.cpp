#include "app/script_files.h"

#include "app/file_save.h"
#include "app/file_stamps.h"
#include "app/opened_text.h"
#include "app/recovery.h"
#include "app/script_format.h"
#include "catalogue/line_reader.h"
#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"
#include "editor/large_edits.h"

namespace {

constexpr const char* kWarningTitle = "Warning:";
constexpr const char* kQuestionTitle = "Question:";
constexpr const char* kErrorTitle = "Error:";

void ShowError(App& app, const std::string& text) {
  app.platform.dialogs->ShowMessage(text, kErrorTitle, MessageButtons::Ok);
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string NamePart(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool IsAbsolute(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

// A relative name is looked for in the program's folder.
bool PathExists(App& app, const std::string& path) {
  return app.platform.files->Exists(IsAbsolute(path) ? path : app.state.ProgramFolder + path);
}

std::string DialogFolder(const AppState& s) {
  if (!s.FileDir.empty()) return s.FileDir;
  std::string projectFolder = FolderPart(s.CurrentQVRProject);
  return projectFolder.empty() ? s.BasePath : projectFolder;
}

FileDialogSpec ScriptDialog(const std::string& title, int filterIndex) {
  FileDialogSpec form;
  form.title = title;
  form.filter = kScriptFilter;
  form.filterIndex = filterIndex;
  return form;
}

std::string AskOpenPath(App& app, const std::string& title) {
  FileDialogSpec form = ScriptDialog(title, 0);
  form.initialFolder = DialogFolder(app.state);
  return app.platform.dialogs->OpenFileDialog(form);
}

std::string AskSavePath(App& app, const std::string& title) {
  FileDialogSpec form = ScriptDialog(title, 1);
  form.initialFile = app.state.FileDir + app.state.FileName;
  return app.platform.dialogs->SaveFileDialog(form);
}

// A file another program wrote since the editor read it would lose that
// program's work without a word under the usual question.
bool ConfirmOverwrite(App& app, const std::string& target) {
  const std::string name = NamePart(target);
  const std::string text = ChangedByOtherProgram(app, target)
                               ? "The file '" + name + "' was changed by another program since it was opened. Overwrite it?"
                               : "The file '" + name + "' already exists. Overwrite?";
  return app.platform.dialogs->ShowMessage(text, kQuestionTitle, MessageButtons::YesNo) == kAnswerYes;
}

void MarkUnchanged(App& app) {
  app.state.Changed = 0;
  app.edit->SetModify(false);
  RemoveRecoveryCopy(app);
}

void TakeForm(AppState& s, const FileForm& form) {
  s.LineBreak = form.lineBreak;
  s.Utf8 = form.utf8;
  s.ByteOrderMark = form.byteOrderMark;
}

void AdoptFile(App& app, const std::string& path, int hasFile) {
  app.state.FileName = NamePart(path);
  app.state.FileDir = FolderPart(path);
  app.state.HasFile = hasFile;
  SetDocumentTitle(app);
}

// Where Save writes: a document read from a file goes back to that file under
// its own name, whatever its extension; a name typed for a new script gets the
// ".script" rule.
std::string SaveTarget(const AppState& s) {
  const std::string path = s.FileDir + s.FileName;
  return s.HasFile == 1 ? path : WithScriptExtension(path);
}

// The written file becomes the document's file, so the title, the next Save
// and the next Open all name the file that holds the text.
bool SaveDocument(App& app, const std::string& target) {
  if (!SaveScript(app, target)) return false;
  AdoptFile(app, target, 1);
  MarkUnchanged(app);
  RememberFileStamp(app);
  return true;
}

// A name the user gave: the question is asked about the file that will
// really be written (the extension rule may have added ".script"), since
// the save dialog never asks about replacing a file itself.
bool SaveToChosenPath(App& app, const std::string& chosen) {
  const std::string target = WithScriptExtension(chosen);
  const std::string refused = WhyNotAFileName(target);
  if (!refused.empty()) {
    ShowError(app, "The file '" + ShownPath(target) + "' cannot be written: " + refused + ".");
    return false;
  }
  if (PathExists(app, target) && !ConfirmOverwrite(app, target)) return false;
  return SaveDocument(app, target);
}

// The editing control holds about this much per line beside the text itself
// (measured under Wine: 6.4 KB a line for a 10 MB script of short lines),
// and a load briefly holds the text a few times over.
constexpr uint64_t kControlBytesPerLine = 6600;
constexpr uint64_t kLoadCopiesOfText = 8;

// A script the control cannot hold would end the program midway through
// the load; the user is told instead, and the text stays as it was.
bool FitsInMemory(App& app, const std::string& path, uint64_t lines, uint64_t bytes) {
  const uint64_t need = lines * kControlBytesPerLine + bytes * kLoadCopiesOfText;
  const uint64_t free = app.platform.files->FreeAddressSpace();
  if (need <= free) return true;
  const uint64_t mb = 1024 * 1024;
  app.platform.dialogs->ShowMessage("The file '" + path + "' is too large to open: it needs about " +
                                        std::to_string(need / mb) + " MB of memory, and " +
                                        std::to_string(free / mb) + " MB are free.",
                                    kErrorTitle, MessageButtons::Ok);
  return false;
}

// Reads a script's lines, or says why not and leaves everything as it was.
// `linesKept`: lines the editing area goes on holding beside the file's.
// `form` gets how the file holds its text, to be written back the same way.
bool ReadScriptFile(App& app, const std::string& path, std::vector<std::string>& lines, FileForm& form,
                    uint64_t linesKept = 0) {
  std::string bytes;
  try {
    if (!app.platform.files->ReadFile(path, bytes)) {
      ShowError(app, "The file '" + ShownPath(path) + "' could not be read.");
      return false;
    }
    // Saving such a file would destroy it: a zero byte is no line break.
    const ScriptFileKind kind = KindOfScriptFile(bytes);
    if (kind != ScriptFileKind::Text) {
      ShowError(app, "The file '" + ShownPath(path) + "' is not a script the editor can edit: " +
                         (kind == ScriptFileKind::Utf16 ? "it is written in UTF-16." : "it holds zero bytes, as binary files do.") +
                         " It was not opened.");
      return false;
    }
    // The size is judged before the lines are made: a file of line breaks
    // alone would take a line each.
    if (!FitsInMemory(app, path, linesKept + ScriptLineCount(bytes), bytes.size())) return false;
    bool foreign = false;
    lines = SplitScriptLines(TextOfFile(*app.platform.files, bytes, form, foreign));
    if (foreign)
      app.platform.dialogs->ShowMessage(
          "The file '" + ShownPath(path) + "' is written in UTF-8 and holds letters this system cannot show: each "
              "shows as several signs, and is saved back as it was.",
          kWarningTitle, MessageButtons::Ok);
    return true;
  } catch (const std::bad_alloc&) {
    ShowError(app, "The file '" + path + "' is too large to open: there is not enough memory.");
    return false;
  }
}

void ShowLoadedText(App& app) {
  AppState& s = app.state;
  if (s.Enabled == 1 && s.OnOpening == 1) {
    HighlightAll(app);
  } else {
    ApplyEditorFont(*app.edit, ShownFace(s), s.EditorFontSize);
    SetCaret(*app.edit, 1, 1);
    ActivateEditor(*app.edit);
  }
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

std::string WithScriptExtension(const std::string& path) {
  if (EndsWith(path, ".script") || EndsWith(path, ".inc") || EndsWith(path, ".txt")) return path;
  return path + ".script";
}

namespace {

FileForm FormOfDocument(const AppState& s) {
  FileForm form;
  form.lineBreak = s.LineBreak;
  form.utf8 = s.Utf8;
  form.byteOrderMark = s.ByteOrderMark;
  return form;
}

// Where saves keep their records and copies of old text: with the recovery
// copies, or where the system keeps temporary files.
std::string SaveRecordFolder(App& app) {
  return app.state.recoveryFolder.empty() ? app.platform.files->TempFolder() : app.state.recoveryFolder;
}

}  // namespace

bool SaveScript(App& app, const std::string& path) {
  const std::string bytes = FileOfText(*app.platform.files, GetEditorText(*app.edit), FormOfDocument(app.state));
  const SaveResult saved = SaveFile(*app.platform.files, SaveRecordFolder(app), path, bytes);
  if (saved.written) return true;
  ShowError(app, "The file '" + ShownPath(path) + "' could not be written: " + saved.why +
                     (saved.oldText.empty() ? "" : " " + saved.oldText));
  return false;
}

int AskSaveChanges(App& app) {
  AppState& s = app.state;
  NoteTextChanges(app);
  if (s.Changed != 1) return 1;
  int answer = app.platform.dialogs->ShowMessage(
      "The file '" + s.FileName + "' was changed. Save it before proceeding ?", kWarningTitle,
      MessageButtons::YesNoCancel);
  if (answer == kAnswerNo) {
    RemoveRecoveryCopy(app);
    return 1;
  }
  if (answer != kAnswerYes) return 0;
  if (s.FileName == kUnnamedScript) {
    std::string path = AskSavePath(app, "Save QVR-Script");
    if (path.empty()) return 0;
    return SaveToChosenPath(app, path) ? 1 : 0;
  }
  // A name without a file yet may name somebody else's once the extension
  // rule has spoken; the document's own file needs no question, unless
  // another program changed it since.
  if (s.HasFile != 1) return SaveToChosenPath(app, s.FileDir + s.FileName) ? 1 : 0;
  const std::string target = SaveTarget(s);
  if (ChangedByOtherProgram(app, target) && !ConfirmOverwrite(app, target)) return 0;
  return SaveDocument(app, target) ? 1 : 0;
}

// A save cut short (a crash, a power cut) left a whole text beside the
// file, or a damaged file and a copy of its old text: the user decides.
std::string TextLeftBySave(App& app, const std::string& path) {
  FileSystem& files = *app.platform.files;
  const UnfinishedSave found = FindUnfinishedSave(files, SaveRecordFolder(app), path);
  if (found.kind == UnfinishedSave::None) return "";
  const std::string text =
      found.kind == UnfinishedSave::NewText
          ? "A save of '" + NamePart(path) + "' did not finish. The text it was writing is in '" + found.file +
                "'. Open that text instead of the file? No deletes that text."
          : "A save of '" + NamePart(path) + "' did not finish and left the file damaged. Its old text is in '" +
                found.file + "'. Open the old text instead of the damaged file? No keeps that copy.";
  if (app.platform.dialogs->ShowMessage(text, kQuestionTitle, MessageButtons::YesNo) == kAnswerYes) return found.file;
  DeclineUnfinishedSave(files, found);
  return "";
}

void LoadScript(App& app, const std::string& path) {
  AppState& s = app.state;
  // Opened as an empty document, such a name would take the title, and the
  // next Save would fail or write elsewhere.
  const std::string refused = WhyNotAFileName(path);
  if (!refused.empty()) return ShowError(app, "The file '" + ShownPath(path) + "' cannot be opened: " + refused + ".");
  const std::string leftover = TextLeftBySave(app, path);
  // A name that does not exist still becomes the document's name, so the
  // user can start a new script under it.
  if (leftover.empty() && !app.platform.files->Exists(path)) {
    AdoptFile(app, path, 0);
    ForgetFileStamp(app);
    TakeForm(s, FileForm());
    return;
  }
  std::vector<std::string> lines;
  FileForm form;
  const FileStamp before = StampOfFile(app, path);
  if (!ReadScriptFile(app, leftover.empty() ? path : leftover, lines, form)) return;
  AdoptFile(app, path, 1);
  TakeForm(s, form);
  ForgetOwnUndoSteps(s);   // Undo must not bring back another script
  ShowOpenedLines(app, lines, path);
  MarkUnchanged(app);
  RememberFileStamp(app, before);
  // The text of the save that did not finish is not in the file yet.
  if (!leftover.empty()) MarkChanged(s);
}

void AppendScript(App& app, const std::string& path) {
  if (!app.platform.files->Exists(path)) return;
  std::vector<std::string> lines;
  FileForm form;   // the document keeps its own
  if (!ReadScriptFile(app, path, lines, form, static_cast<uint64_t>(LineCount(*app.edit)))) return;
  EditControl& edit = *app.edit;
  SetEditorVisible(edit, false);
  if (!lines.empty()) {
    edit.ExSetSel(-1, -1);
    std::string text = JoinLines(lines);
    edit.ReplaceSel(edit.GetTextLength() != 0 ? "\r\n" + text : text, true);
  }
  SetEditorVisible(edit, true);
  ShowLoadedText(app);
  MarkChanged(app.state);
}

void OnFilesDropped(App& app, const std::vector<std::string>& paths) {
  if (paths.size() != 1)
    app.platform.dialogs->ShowMessage("Only one script can be edited at a time.", kErrorTitle,
                                     MessageButtons::Ok);
  if (paths.empty()) return;
  // Replacing a changed text needs the same question as Open.
  if (AskSaveChanges(app) != 1) return;
  LoadScript(app, paths.front());
}

void NewScript(App& app) {
  if (AskSaveChanges(app) != 1) return;
  ClearEditor(*app.edit);
  ApplyEditorFont(*app.edit, ShownFace(app.state), app.state.EditorFontSize);
  app.state.FileName = kUnnamedScript;
  app.state.HasFile = 0;
  TakeForm(app.state, FileForm());
  ForgetOwnUndoSteps(app.state);
  MarkUnchanged(app);
  ForgetFileStamp(app);
  SetDocumentTitle(app);
}

void OpenScript(App& app) {
  if (AskSaveChanges(app) != 1) return;
  std::string path = AskOpenPath(app, "Open QVR-Script");
  if (!path.empty()) LoadScript(app, path);
}

void AppendScriptCommand(App& app) {
  std::string path = AskOpenPath(app, "Append QVR-Script");
  if (!path.empty()) AppendScript(app, path);
}

void SaveScriptCommand(App& app) {
  AppState& s = app.state;
  if (s.FileName.empty() || s.FileName == kUnnamedScript) {
    std::string path = AskSavePath(app, "Save QVR-Script");
    if (!path.empty()) SaveToChosenPath(app, path);
    return;
  }
  const std::string target = SaveTarget(s);
  if (!PathExists(app, target) || ConfirmOverwrite(app, target)) SaveDocument(app, target);
}

void SaveScriptAs(App& app) {
  std::string path = AskSavePath(app, "Save QVR-Script as");
  if (!path.empty()) SaveToChosenPath(app, path);
}
