#pragma once
// The member popup after a dot: a small list of the members known from the
// reference, opened, narrowed and closed by watching the caret after every
// event, and the caret position in the status bar.
#include "app/app.h"
#include "editor/editor_ops.h"

void CreateMemberPopup(App& app);
void HidePopup(App& app);
// The caret watch, given the caret the loop has just read.
void TrackPopup(App& app, const CaretPlace& caret);
// `before` is the character before the caret when the step itself says it
// (the character just typed); 0 asks the control.
void DetectDot(App& app, const CaretPlace& caret, char before = 0);
void RefreshCaretStatus(App& app, const CaretPlace& caret);
void AcceptPopupEntry(App& app);
bool PopupHasSelection(App& app);
