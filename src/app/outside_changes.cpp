#include "app/outside_changes.h"

#include "app/file_stamps.h"
#include "app/script_files.h"

namespace {

constexpr const char* kQuestionTitle = "Question:";
constexpr const char* kWarningTitle = "Warning:";

}  // namespace

void CheckOutsideChanges(App& app) {
  AppState& s = app.state;
  if (s.HasFile != 1) return;
  const std::string path = s.FileDir + s.FileName;
  const FileStamp now = StampOfFile(app, path);
  // The user answers once for each change; "keep" must not ask again at
  // every return to the window.
  if (now == s.askedStamp) return;
  s.askedStamp = now;
  Dialogs& dialogs = *app.platform.dialogs;
  if (!now.exists) {
    // A drive or share away for now is no deletion: its folder is gone too.
    const bool reachable = app.platform.files->Exists(path.substr(0, path.rfind('\\') + 1));
    dialogs.ShowMessage(reachable ? "The file '" + s.FileName + "' was deleted by another program. Save writes it again."
                                  : "The file '" + s.FileName +
                                        "' cannot be reached now: its folder, drive or share is not there. Save "
                                        "writes it again once it can be reached.",
                        kWarningTitle, MessageButtons::Ok);
    // The text is on no disk the editor can reach; leaving must not lose it silently.
    MarkChanged(s);
    return;
  }
  if (now == s.loadedStamp) return;
  NoteTextChanges(app);
  const std::string text =
      s.Changed == 1 ? "The file '" + s.FileName +
                           "' was changed by another program. Reload it and lose the changes made in the editor? "
                           "No keeps the editor's text."
                     : "The file '" + s.FileName + "' was changed by another program. Reload it?";
  if (dialogs.ShowMessage(text, kQuestionTitle, MessageButtons::YesNo) == kAnswerYes) return LoadScript(app, path);
  // Kept, the editor's text is no longer the file's: leaving asks first.
  MarkChanged(s);
}
