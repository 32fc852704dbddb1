#include "app/app_state.h"

void ResetAppState(AppState& state) {
  state = AppState();
  state.MatchList.reserve(kMatchListCapacity);
}

void MarkChanged(AppState& state) {
  state.Changed = 1;
  state.recoveryCurrent = 0;
  ++state.textChanges;
}
