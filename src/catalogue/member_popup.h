#pragma once
// The member popup after a dot. Its window and lists come with the popup
// work; until then these calls leave everything as it is.
#include "app/app.h"

void CreateMemberPopup(App& app);
void HidePopup(App& app);
void TrackPopup(App& app);
void DetectDot(App& app, int column, int line);
void RefreshCaretStatus(App& app);
void AcceptPopupEntry(App& app);
bool PopupHasSelection(App& app);
