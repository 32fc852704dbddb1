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
  const FileStamp now = app.platform.files->StampOf(path);
  // The user answers once for each change; "keep" must not ask again at
  // every return to the window.
  if (now == s.askedStamp) return;
  s.askedStamp = now;
  Dialogs& dialogs = *app.platform.dialogs;
  if (!now.exists) {
    dialogs.ShowMessage("The file '" + s.FileName + "' was deleted by another program. Save writes it again.",
                        kWarningTitle, MessageButtons::Ok);
    // The text is nowhere on disk now; leaving must not lose it silently.
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
  if (dialogs.ShowMessage(text, kQuestionTitle, MessageButtons::YesNo) == kAnswerYes) LoadScript(app, path);
}
