#pragma once
// The settings window: built from the application state at every opening,
// served by the one event loop, left only through "Apply changes".
#include "app/app.h"

// The settings window's controls; the rest (frames, labels, toggles) are
// known only to its table.
constexpr int kSettingsTabs = 7;
constexpr int kHighlightCheck = 8, kOnOpeningCheck = 9, kRealtimeCheck = 10;
constexpr int kUseColorsOption = 13, kUseStylesOption = 14, kUseBothOption = 15;
constexpr int kDotRecognitionCheck = 16;
constexpr int kApplyChangesButton = 17;
constexpr int kFontNameLabel = 44, kFontSizeLabel = 45, kChooseFontButton = 46;
constexpr int kProjectField = 48, kProjectButton = 49;
constexpr int kDefaultPrinterOption = 51, kPrinterDialogOption = 52;
constexpr int kColoredOption = 54, kBlackOnWhiteOption = 55;
constexpr int kSwatchButtons[kSwatchImageCount] = {23, 27, 31, 35, 39};
// The tab pages, "General" to "Printing", as windows of their own.
constexpr int kSettingsPageFirst = 10;

// The row of the Colors tab (0 to 4) and its parts.
struct ColorRow {
  int y;
  int label;
  const char* caption;
  CategoryStyle AppState::*record;
  int swatch;
  int toggles[3];   // "B", "I", "U"
};
const ColorRow (&ColorRows())[kSwatchImageCount];

void OpenSettingsWindow(App& app);
// Decides the face the editing area shows for EditorFontName.
void ChooseShownFace(App& app);
void UpdateColorSwatch(App& app, int index);
// Handler of the settings window's controls, by control number.
void OnSettingsControl(App& app, int control);
