#include "catalogue/member_popup.h"

// Not built yet: the popup never opens, so there is nothing to hide, track
// or accept, and the caret status keeps its start-up text.
void CreateMemberPopup(App&) {}
void HidePopup(App& app) { app.state.PopupShown = 0; }
void TrackPopup(App&) {}
void DetectDot(App&, int, int) {}
void RefreshCaretStatus(App&) {}
void AcceptPopupEntry(App&) {}
bool PopupHasSelection(App&) { return false; }
