#include "app/app_state.h"

void ResetAppState(AppState& state) {
  state = AppState();
  state.MatchList.reserve(kMatchListCapacity);
}
