#include "app/opened_text.h"

#include <new>

#include "app/script_format.h"
#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"

void ShowOpenedLines(App& app, const std::vector<std::string>& lines, const std::string& path) {
  EditControl& edit = *app.edit;
  SetEditorVisible(edit, false);
  try {
    LoadText(app, lines, app.state.Enabled == 1 && app.state.OnOpening == 1);
  } catch (const std::bad_alloc&) {
    app.platform.dialogs->ShowMessage(
        "The file '" + ShownPath(path) + "' could not be opened whole: there is not enough memory.", "Error:",
        MessageButtons::Ok);
  }
  SetEditorVisible(edit, true);
  ActivateEditor(edit);
}
