#pragma once
// The member popup after a dot: a small list of the members known from the
// reference, opened, narrowed and closed by watching the caret after every
// event, and the caret position in the status bar.
#include "app/app.h"

void CreateMemberPopup(App& app);
void HidePopup(App& app);
void TrackPopup(App& app);
void DetectDot(App& app, int column, int line);
void RefreshCaretStatus(App& app);
void AcceptPopupEntry(App& app);
bool PopupHasSelection(App& app);
