#include "app/settings_window.h"

#include "catalogue/member_popup.h"
#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"
#include "settings/editor_face.h"
#include "settings/settings_store.h"

namespace {

enum Page { kWindowItself = -1, kGeneral = 0, kCodeParsing = 1, kColors = 2, kPrinting = 3 };

struct SettingsControl {
  int number;
  ControlKind kind;
  Page page;
  Rect at;   // in the window's client area, or in its tab page
  const char* caption;
  unsigned keys;
  // A check box that shows this setting and gives it its tick back on
  // "Apply changes".
  int AppState::*flag = nullptr;
};

// Every control but the second and third option of a group starts a group
// of its own, so the arrow keys move only between options.
constexpr unsigned kStop = kTabStop | kGroupStart;

const std::vector<SettingsControl> kSettingsControls = {
    // The face's name has the frame's whole width and two lines: long names,
    // and the face standing in for a missing one, are shown whole.
    {43, ControlKind::Frame, kGeneral, {8, 8, 250, 96}, "Editor font", kGroupStart},
    {kFontNameLabel, ControlKind::WrappingStatic, kGeneral, {18, 26, 230, 28}, "", kGroupStart},
    {kFontSizeLabel, ControlKind::Static, kGeneral, {18, 78, 140, 16}, "", kGroupStart},
    {kChooseFontButton, ControlKind::Button, kGeneral, {168, 74, 80, 22}, "Choose", kStop},
    {47, ControlKind::Frame, kGeneral, {8, 114, 250, 50}, "Associated project file", kGroupStart},
    {kProjectField, ControlKind::TextField, kGeneral, {18, 134, 190, 20}, "", kStop},
    {kProjectButton, ControlKind::Button, kGeneral, {218, 134, 30, 20}, "...", kStop},
    // Ends above the check box below it, which wraps onto two lines.
    {11, ControlKind::Frame, kCodeParsing, {8, 8, 250, 190}, "Syntax Highlighting", kGroupStart},
    {kHighlightCheck, ControlKind::CheckBox, kCodeParsing, {28, 28, 210, 20}, "Enable syntax highlighting", kStop,
     &AppState::Enabled},
    {kOnOpeningCheck, ControlKind::CheckBox, kCodeParsing, {58, 53, 180, 20}, "on script opening", kStop,
     &AppState::OnOpening},
    {kRealtimeCheck, ControlKind::CheckBox, kCodeParsing, {58, 73, 180, 20}, "for realtime editing", kStop,
     &AppState::Realtime},
    {12, ControlKind::Frame, kCodeParsing, {13, 100, 240, 90}, "Highlighting style", kGroupStart},
    {kUseColorsOption, ControlKind::OptionFirst, kCodeParsing, {28, 120, 210, 20}, "Use colors", kStop},
    {kUseStylesOption, ControlKind::Option, kCodeParsing, {28, 140, 210, 20}, "Use font styles (b,i,u)", 0},
    {kUseBothOption, ControlKind::Option, kCodeParsing, {28, 160, 210, 20}, "Use both", 0},
    // Two lines high and clear of the page's edge: the caption is the longest
    // of the window and wraps where the system font is wide.
    {kDotRecognitionCheck, ControlKind::CheckBox, kCodeParsing, {28, 203, 222, 28},
     "Enable point recognition (VorodazedEzoze)", kStop, &AppState::VorodazedEzoze},
    {50, ControlKind::Frame, kPrinting, {8, 8, 250, 80}, "What printer to use", kGroupStart},
    {kDefaultPrinterOption, ControlKind::OptionFirst, kPrinting, {28, 28, 210, 20}, "Use default printer", kStop},
    {kPrinterDialogOption, ControlKind::Option, kPrinting, {28, 58, 210, 20}, "Open printer dialogue", 0},
    {53, ControlKind::Frame, kPrinting, {8, 98, 250, 80}, "Print color", kGroupStart},
    {kColoredOption, ControlKind::OptionFirst, kPrinting, {28, 118, 210, 20}, "Colored", kStop},
    {kBlackOnWhiteOption, ControlKind::Option, kPrinting, {28, 148, 210, 20}, "Black on white", 0},
};

// The captions of the first two rows cross their records: the row
// captioned "Keywords" edits Methods, and the other way round. Users'
// settings files hold their colours that way, so it stays.
const ColorRow kColorRows[kSwatchImageCount] = {
    {18, 19, "Keywords", &AppState::Methods, 23, {24, 25, 26}},
    {58, 18, "Methods", &AppState::Keywords, 27, {28, 29, 30}},
    {98, 20, "Comments", &AppState::Comments, 31, {32, 33, 34}},
    {138, 21, "Events and Const", &AppState::Events, 35, {36, 37, 38}},
    {178, 22, "Text and Filenames", &AppState::Filename, 39, {40, 41, 42}},
};
const char* const kToggleCaptions[3] = {"B", "I", "U"};
uint8_t CategoryStyle::*const kToggleFlags[3] = {&CategoryStyle::bold, &CategoryStyle::italic,
                                                 &CategoryStyle::underline};
// Clear of the tab page's right edge, as the frames of the other pages are.
constexpr int kToggleX[3] = {176, 201, 226};

constexpr uint32_t kColorChooserStart = 0x000001;   // red 1, green 0, blue 0

void CreateColorRows(Ui& ui) {
  const int page = kSettingsPageFirst + kColors;
  // The captions run up to the swatches: "Text and Filenames" needs more
  // than 100 pixels in the dialog font.
  for (const ColorRow& row : kColorRows)
    ui.CreateControl(row.label, page, ControlKind::Static, {18, row.y, 128, 20}, row.caption, kGroupStart);
  for (const ColorRow& row : kColorRows) {
    ui.CreateControl(row.swatch, page, ControlKind::ImageButton, {148, row.y, 20, 20}, "", kStop);
    for (int i = 0; i < 3; ++i)
      ui.CreateControl(row.toggles[i], page, ControlKind::Toggle, {kToggleX[i], row.y, 20, 20}, kToggleCaptions[i],
                       kStop);
  }
}

void ShowFont(Ui& ui, const AppState& s) {
  std::string name = "Font: " + s.EditorFontName;
  if (ShownFace(s) != s.EditorFontName) name += " (missing, shown in " + ShownFace(s) + ")";
  ui.SetControlText(kFontNameLabel, name);
  ui.SetControlText(kFontSizeLabel, "Font size: " + std::to_string(s.EditorFontSize));
}

// Only one option of a group shows as selected: the last that the flags
// call for, so both flags give "Use both" and neither gives none.
int StyleOption(const AppState& s) {
  if (s.ApplyColors == 1 && s.ApplyFontStyles == 1) return kUseBothOption;
  if (s.ApplyColors == 1) return kUseColorsOption;
  if (s.ApplyFontStyles == 1) return kUseStylesOption;
  return -1;
}

void ShowSettings(App& app) {
  const AppState& s = app.state;
  Ui& ui = *app.platform.ui;
  ShowFont(ui, s);
  ui.SetControlText(kProjectField, s.CurrentQVRProject);
  for (const SettingsControl& c : kSettingsControls)
    if (c.flag) ui.SetChecked(c.number, s.*c.flag == 1);
  ui.EnableControl(kOnOpeningCheck, s.Enabled == 1);
  ui.EnableControl(kRealtimeCheck, s.Enabled == 1);
  if (StyleOption(s) >= 0) ui.SetChecked(StyleOption(s), true);
  for (int index = 0; index < kSwatchImageCount; ++index) {
    const ColorRow& row = kColorRows[index];
    for (int i = 0; i < 3; ++i) ui.SetChecked(row.toggles[i], (s.*row.record).*kToggleFlags[i] == 1);
    UpdateColorSwatch(app, index);
  }
  // As printing reads them: only Device 1 opens the dialog, only
  // BlackWhite 1 prints black on white.
  ui.SetChecked(s.Device == 1 ? kPrinterDialogOption : kDefaultPrinterOption, true);
  ui.SetChecked(s.BlackWhite == 1 ? kBlackOnWhiteOption : kColoredOption, true);
}

void TakeOverSettings(AppState& s, Ui& ui) {
  s.Device = ui.IsChecked(kDefaultPrinterOption) ? 0 : 1;
  for (const ColorRow& row : kColorRows)
    for (int i = 0; i < 3; ++i) (s.*row.record).*kToggleFlags[i] = ui.IsChecked(row.toggles[i]) ? 1 : 0;
  for (const SettingsControl& c : kSettingsControls)
    if (c.flag) s.*c.flag = ui.IsChecked(c.number) ? 1 : 0;
  if (ui.IsChecked(kUseColorsOption)) {
    s.ApplyColors = 1;
    s.ApplyFontStyles = 0;
  } else if (ui.IsChecked(kUseStylesOption)) {
    s.ApplyColors = 0;
    s.ApplyFontStyles = 1;
  } else if (ui.IsChecked(kUseBothOption)) {
    s.ApplyColors = 1;
    s.ApplyFontStyles = 1;
  }
  // The print colour choice lasts: printing reads BlackWhite.
  s.BlackWhite = ui.IsChecked(kBlackOnWhiteOption) ? 1 : 0;
  // A path typed or pasted into the field is as good as one chosen with
  // "...": the field shows what the syntax check will use.
  s.CurrentQVRProject = ui.ControlText(kProjectField);
}

void ApplyChanges(App& app) {
  AppState& s = app.state;
  Ui& ui = *app.platform.ui;
  TakeOverSettings(s, ui);
  ui.EnableWindow(kMainWindow, true);
  ui.EnableWindow(kSettingsWindow, false);
  ui.CloseWindow(kSettingsWindow);
  SaveSettings(s, *app.platform.profile);
  if (s.Enabled == 1) {
    HighlightAll(app);
  } else {
    ApplyEditorFontToAll(app);
    SetCaret(*app.edit, 1, 1);
    ActivateEditor(*app.edit);
  }
  if (s.PopupShown == 1) HidePopup(app);
}

void ChooseEditorFont(App& app) {
  AppState& s = app.state;
  FontChoice chosen;
  // Opened at a face that is not installed, the chooser would show another
  // face at its smallest size: it opens at what the editing area shows.
  if (!app.platform.dialogs->ChooseFontDialog(ShownFace(s), s.EditorFontSize, chosen)) return;
  s.EditorFontName = chosen.face;
  s.EditorFontSize = chosen.tenths / 10;
  ChooseShownFace(app);
  ShowFont(*app.platform.ui, s);
  // The whole-text pass applies the font as it goes: applying it first
  // would format a long text twice over.
  if (s.Enabled == 1) HighlightAll(app);
  else ApplyEditorFontToAll(app);
}

// A cancelled dialog clears the association: there is no other way to.
void ChooseProjectFile(App& app) {
  FileDialogSpec form;
  form.title = "Select the projects *.qpf file";
  form.filter = "QVR Project File|*.qpf";
  form.initialFile = app.state.BasePath + "*.qpf";
  app.state.CurrentQVRProject = app.platform.dialogs->OpenFileDialog(form);
  app.platform.ui->SetControlText(kProjectField, app.state.CurrentQVRProject);
}

// The chooser opens on the same colour every time, not the row's.
void ChooseRowColor(App& app, int index) {
  const int64_t color = app.platform.dialogs->ChooseColorDialog(kColorChooserStart, app.state.customColors);
  if (color < 0) return;
  CategoryStyle& record = app.state.*kColorRows[index].record;
  record.red = static_cast<int16_t>(color & 255);
  record.green = static_cast<int16_t>((color >> 8) & 255);
  record.blue = static_cast<int16_t>((color >> 16) & 255);
  UpdateColorSwatch(app, index);
}

}  // namespace

const ColorRow (&ColorRows())[kSwatchImageCount] { return kColorRows; }

void UpdateColorSwatch(App& app, int index) {
  Ui& ui = *app.platform.ui;
  ui.CreateImage(kSwatchImageFirst + index, 20, 20, ColorOf(app.state.*kColorRows[index].record));
  ui.SetControlImage(kColorRows[index].swatch, kSwatchImageFirst + index);
}

void ChooseShownFace(App& app) {
  app.state.EditorFaceShown = StandInFace(app.state.EditorFontName, app.platform.ui->InstalledFaces());
  app.state.EditorFaceShownFor = app.state.EditorFontName;
}

void OpenSettingsWindow(App& app) {
  Ui& ui = *app.platform.ui;
  const int active = ui.ActiveWindow();
  const Rect over = active >= 0 ? ui.WindowRect(active) : ui.WorkArea();
  ui.EnableWindow(kMainWindow, false);
  if (ui.WindowExists(kSettingsWindow)) ui.CloseWindow(kSettingsWindow);
  WindowSpec form;
  form.kind = WindowKind::Fixed;
  form.title = "Settings";
  form.clientW = 288;
  form.clientH = 321;
  form.centred = true;
  form.centreOver = over;
  if (!ui.MakeWindow(kSettingsWindow, form)) {
    ui.EnableWindow(kMainWindow, true);
    return;
  }
  // Tab walks the controls in creation order: the tabs, the page shown,
  // then the button under them.
  ui.CreateTabs(kSettingsTabs, kSettingsWindow, {10, 20, 270, 260}, {"General", "Code parsing", "Colors", "Printing"},
                kSettingsPageFirst);
  for (const SettingsControl& c : kSettingsControls)
    if (c.page != kColors) ui.CreateControl(c.number, kSettingsPageFirst + c.page, c.kind, c.at, c.caption, c.keys);
  CreateColorRows(ui);
  ui.CreateControl(kApplyChangesButton, kSettingsWindow, ControlKind::Button, {90, 285, 110, 30}, "Apply changes",
                   kStop | kDefaultButton);
  ShowSettings(app);
  ui.Focus(kSettingsTabs);
}

void OnSettingsControl(App& app, int control) {
  Ui& ui = *app.platform.ui;
  if (control == kHighlightCheck) {
    ui.EnableControl(kOnOpeningCheck, ui.IsChecked(kHighlightCheck));
    ui.EnableControl(kRealtimeCheck, ui.IsChecked(kHighlightCheck));
  } else if (control == kApplyChangesButton) {
    ApplyChanges(app);
  } else if (control == kChooseFontButton) {
    ChooseEditorFont(app);
  } else if (control == kProjectButton) {
    ChooseProjectFile(app);
  } else {
    for (int index = 0; index < kSwatchImageCount; ++index)
      if (kColorRows[index].swatch == control) ChooseRowColor(app, index);
  }
}
