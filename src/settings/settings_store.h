#pragma once
// The settings file "QVRVSE.ini": which key fills which state field, the
// load with its first-run rule, and the save.
#include <string>

#include "app/app_state.h"
#include "platform/profile.h"

// A bare name: the system's profile functions put it in the Windows folder,
// so there is one settings file per system, shared by every copy of the
// program.
constexpr const char* kSettingsFileName = "QVRVSE.ini";
constexpr const char* kDefaultFontName = "Lucida Console";
constexpr int kDefaultFontSize = 10;
// The sizes a settings file may give; any other is read as missing.
constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 72;

// Reads every key into the state; a file without colours for the first four
// categories counts as a first run, gets the defaults and is written out.
void LoadSettings(AppState& state, ProfileStore& profile);
// Writes every key in table order; nothing in the file is removed.
void SaveSettings(const AppState& state, ProfileStore& profile);
// Start-up's font default; it changes only the state, never the file.
void ApplyFontRule(AppState& state);
