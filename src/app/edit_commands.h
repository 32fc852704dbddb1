#pragma once
#include <string>

#include "app/app.h"

void EditUndo(App& app);
void EditRedo(App& app);
void EditCut(App& app);
void EditCopy(App& app);
void EditPaste(App& app);
void EditDelete(App& app);
void EditSelectAll(App& app);
// Puts `text` in place of the selection as one edit of the user's, made by
// loading the text anew when it takes out or brings in thousands of lines.
void ReplaceSelectionAsEdit(App& app, const std::string& text);
