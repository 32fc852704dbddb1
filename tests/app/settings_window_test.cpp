// The settings window in the running editor.
#include "app/settings_window.h"

#include "settings/settings_store.h"
#include "support/app_fixture.h"

namespace {

class SettingsWindow : public AppFixture {
 protected:
  void Open() {
    mem.events.Command(18);
    Run();
  }
  void Click(int control) {
    mem.events.ClickControl(control);
    Run();
  }
  // Options of one group that show as selected.
  std::vector<int> Selected(std::initializer_list<int> group) {
    std::vector<int> on;
    for (int c : group)
      if (mem.ui.IsChecked(c)) on.push_back(c);
    return on;
  }
  std::string SettingsFile() { return mem.profile.Render(kSettingsFileName); }
};

TEST_F(SettingsWindow, OpensModalOverTheMainWindowWithEveryControlOnItsPageShowingTheState) {
  app.state.Enabled = 0;   // 9 and 10 greyed, but still ticked
  app.state.Device = 2;    // printing opens its dialog only for 1
  app.state.BlackWhite = 1;
  app.state.Keywords.italic = 1;
  Open();
  ASSERT_TRUE(mem.ui.WindowExists(kSettingsWindow));
  EXPECT_FALSE(mem.ui.IsWindowEnabled(kMainWindow));
  MemoryUi::Window& w = mem.ui.windows[kSettingsWindow];
  EXPECT_EQ(w.form.title, "Settings");
  EXPECT_EQ(w.form.kind, WindowKind::Fixed);
  EXPECT_EQ(w.clientW, 288);
  EXPECT_EQ(w.clientH, 321);
  const Rect main = mem.ui.WindowRect(kMainWindow), settings = mem.ui.WindowRect(kSettingsWindow);
  EXPECT_NEAR(settings.x + settings.w / 2, main.x + main.w / 2, 1);
  EXPECT_NEAR(settings.y + settings.h / 2, main.y + main.h / 2, 1);

  EXPECT_EQ(mem.ui.controls[kApplyChangesButton].window, kSettingsWindow);
  EXPECT_EQ(mem.ui.controls[kSettingsTabs].items,
            (std::vector<std::string>{"General", "Code parsing", "Colors", "Printing"}));
  EXPECT_EQ(mem.ui.controls[kChooseFontButton].window, kSettingsPageFirst);
  EXPECT_EQ(mem.ui.ControlRect(kChooseFontButton), (Rect{168, 74, 80, 22}));
  EXPECT_EQ(mem.ui.controls[kUseBothOption].window, kSettingsPageFirst + 1);
  EXPECT_EQ(mem.ui.ControlText(19), "Keywords");
  EXPECT_EQ(mem.ui.ControlRect(19), (Rect{18, 18, 128, 20}));
  EXPECT_EQ(mem.ui.ControlRect(29), (Rect{201, 58, 20, 20}));
  EXPECT_EQ(mem.ui.ControlText(42), "U");
  EXPECT_EQ(mem.ui.controls[kBlackOnWhiteOption].window, kSettingsPageFirst + 3);

  EXPECT_EQ(mem.ui.ControlText(kFontNameLabel), "Font: " + app.state.EditorFontName);
  EXPECT_EQ(mem.ui.ControlText(kFontSizeLabel), "Font size: " + std::to_string(app.state.EditorFontSize));
  EXPECT_EQ(Selected({kUseColorsOption, kUseStylesOption, kUseBothOption}), std::vector<int>{kUseBothOption});
  EXPECT_FALSE(mem.ui.IsChecked(kHighlightCheck));
  EXPECT_TRUE(mem.ui.IsChecked(kOnOpeningCheck));
  EXPECT_FALSE(mem.ui.IsControlEnabled(kOnOpeningCheck));
  EXPECT_FALSE(mem.ui.IsControlEnabled(kRealtimeCheck));
  EXPECT_TRUE(mem.ui.IsChecked(29));    // the "Methods" row's "I" is Keywords' italic
  EXPECT_FALSE(mem.ui.IsChecked(25));
  EXPECT_EQ(mem.ui.controls[23].image, kSwatchImageFirst);
  EXPECT_EQ(mem.ui.images[kSwatchImageFirst].color, ColorOf(app.state.Methods));
  EXPECT_EQ(mem.ui.images[kSwatchImageFirst + 1].color, ColorOf(app.state.Keywords));
  EXPECT_EQ(Selected({kDefaultPrinterOption, kPrinterDialogOption}), std::vector<int>{kDefaultPrinterOption});
  EXPECT_EQ(Selected({kColoredOption, kBlackOnWhiteOption}), std::vector<int>{kBlackOnWhiteOption});

  // Only the chosen tab's page shows, and a hidden or greyed control takes
  // no click.
  EXPECT_TRUE(mem.ui.ControlVisible(kChooseFontButton));
  EXPECT_FALSE(mem.ui.ControlVisible(23));
  EXPECT_TRUE(mem.ui.ControlVisible(kApplyChangesButton));
  Click(kHighlightCheck);
  EXPECT_FALSE(mem.ui.IsChecked(kHighlightCheck));
  mem.ui.SelectTab(kSettingsTabs, 1);
  EXPECT_FALSE(mem.ui.ControlVisible(kChooseFontButton));
  Click(kOnOpeningCheck);
  EXPECT_TRUE(mem.ui.IsChecked(kOnOpeningCheck));
  Click(kHighlightCheck);
  EXPECT_TRUE(mem.ui.IsControlEnabled(kRealtimeCheck));
  EXPECT_EQ(app.state.Enabled, 0);   // nothing is taken over before "Apply changes"
}

// A control either sits inside a frame or clear of it, never across its
// border, and stays on its page; Enter has one button to press.
TEST_F(SettingsWindow, EveryControlClearsTheFramesAndTheWindowHasADefaultButton) {
  Open();
  auto inside = [](const Rect& r, const Rect& in) {
    return r.x >= in.x && r.y >= in.y && r.x + r.w <= in.x + in.w && r.y + r.h <= in.y + in.h;
  };
  auto apart = [](const Rect& a, const Rect& b) {
    return a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
  };
  int defaults = 0;
  for (auto& [number, c] : mem.ui.controls) {
    if (c.dialogKeys & kDefaultButton) ++defaults;
    if (!mem.ui.windows.count(c.window) || mem.ui.windows[c.window].parent < 0) continue;
    const MemoryUi::Window& page = mem.ui.windows[c.window];
    EXPECT_TRUE(inside(c.at, {0, 0, page.clientW, page.clientH})) << number;
    for (auto& [other, frame] : mem.ui.controls) {
      if (frame.kind != ControlKind::Frame || frame.window != c.window || other == number) continue;
      EXPECT_TRUE(inside(c.at, frame.at) || inside(frame.at, c.at) || apart(c.at, frame.at))
          << number << " and frame " << other;
    }
  }
  EXPECT_EQ(defaults, 1);
  EXPECT_TRUE(mem.ui.controls[kApplyChangesButton].dialogKeys & kDefaultButton);
}

TEST_F(SettingsWindow, ApplyChangesTakesEverythingOverSavesAndRefreshesTheEditingArea) {
  SetText("a // note\r\nb");
  Open();
  mem.ui.SelectTab(kSettingsTabs, 1);
  Click(kHighlightCheck);   // off: 9 and 10 grey out and keep their ticks
  EXPECT_FALSE(mem.ui.IsControlEnabled(kRealtimeCheck));
  Click(kUseColorsOption);
  Click(kDotRecognitionCheck);
  mem.ui.SelectTab(kSettingsTabs, 2);
  Click(24);   // "B" of the row captioned "Keywords": Methods
  Click(41);   // "I" of "Text and Filenames"
  mem.ui.SelectTab(kSettingsTabs, 3);
  Click(kPrinterDialogOption);
  Click(kBlackOnWhiteOption);
  mem.ui.SelectTab(kSettingsTabs, 0);
  mem.ui.SetControlText(kProjectField, "typed.qpf");   // typed by hand: kept
  app.state.PopupShown = 1;
  app.state.VorodazedEzoze = 0;   // the first run's value: the click ticked it
  edit().ExSetSel(5, 5);
  const int writesBefore = mem.profile.writes;
  Click(kApplyChangesButton);

  const AppState& s = app.state;
  EXPECT_FALSE(mem.ui.WindowExists(kSettingsWindow));
  EXPECT_FALSE(mem.ui.WindowExists(kSettingsPageFirst));
  EXPECT_TRUE(mem.ui.IsWindowEnabled(kMainWindow));
  EXPECT_EQ(s.Enabled, 0);
  EXPECT_EQ(s.OnOpening, 1);
  EXPECT_EQ(s.Realtime, 1);
  EXPECT_EQ(s.ApplyColors, 1);
  EXPECT_EQ(s.ApplyFontStyles, 0);
  EXPECT_EQ(s.VorodazedEzoze, 1);
  EXPECT_EQ(s.Methods.bold, 1);
  EXPECT_EQ(s.Keywords.bold, 0);
  EXPECT_EQ(s.Filename.italic, 1);
  EXPECT_EQ(s.Device, 1);
  EXPECT_EQ(s.BlackWhite, 1);
  EXPECT_EQ(s.CurrentQVRProject, "typed.qpf");
  EXPECT_EQ(s.PopupShown, 0);
  const int writesOnce = mem.profile.writes - writesBefore;
  const std::string file = SettingsFile();
  EXPECT_NE(file.find("[Style]"), std::string::npos);
  EXPECT_NE(file.find("Realtime=1"), std::string::npos) << file;
  // Highlighting off: the font again and the caret home, colours left.
  EXPECT_EQ(CaretLine(edit()), 1);
  EXPECT_EQ(CaretColumn(edit()), 1);
  EXPECT_EQ(edit().FormatAt(7).face, s.EditorFontName);

  // With nothing changed, the whole file is still written and the text
  // formatted again, now that highlighting is back on.
  mem.events.Command(34);   // the toolbar button
  Run();
  ASSERT_TRUE(mem.ui.WindowExists(kSettingsWindow));
  mem.ui.SelectTab(kSettingsTabs, 1);
  Click(kHighlightCheck);
  Click(kApplyChangesButton);
  EXPECT_EQ(s.Enabled, 1);
  EXPECT_EQ(edit().FormatAt(4).color, ColorOf(s.Comments));
  Open();
  Click(kApplyChangesButton);
  EXPECT_EQ(mem.profile.writes - writesBefore, 3 * writesOnce);
}

TEST_F(SettingsWindow, TheDialogsChangeFontColoursAndProjectAtOnce) {
  SetText("a // note");
  Open();
  // The font: 11.5 points become 11; a cancelled chooser changes nothing.
  mem.dialogs.fontAnswers = {{"Courier New", 115}, {"", 0}};
  Click(kChooseFontButton);
  ASSERT_EQ(mem.dialogs.shown.back().kind, "font");
  EXPECT_EQ(app.state.EditorFontName, "Courier New");
  EXPECT_EQ(app.state.EditorFontSize, 11);
  EXPECT_EQ(mem.ui.ControlText(kFontSizeLabel), "Font size: 11");
  EXPECT_EQ(mem.ui.ControlText(kFontNameLabel), "Font: Courier New");
  EXPECT_EQ(edit().FormatAt(0).face, "Courier New");
  EXPECT_EQ(edit().FormatAt(0).heightTwips, 220);
  EXPECT_EQ(edit().FormatAt(4).color, ColorOf(app.state.Comments));   // formatted again
  Click(kChooseFontButton);
  EXPECT_EQ(mem.dialogs.shown.back().font.face, "Courier New");
  EXPECT_EQ(mem.dialogs.shown.back().font.tenths, 110);
  EXPECT_EQ(app.state.EditorFontSize, 11);

  // A colour for the row captioned "Keywords" is Methods' colour; the
  // chooser always opens on red 1; the custom colours last the whole run.
  mem.ui.SelectTab(kSettingsTabs, 2);
  mem.dialogs.editCustomColors = [](CustomColors& c) { c.slot[3] += 1; };
  mem.dialogs.colorAnswers = {0x030201, -1, 0x0000FF};
  Click(23);
  EXPECT_EQ(mem.dialogs.shown.back().color, 0x000001u);
  EXPECT_EQ(app.state.Methods.red, 1);
  EXPECT_EQ(app.state.Methods.green, 2);
  EXPECT_EQ(app.state.Methods.blue, 3);
  EXPECT_EQ(mem.ui.images[kSwatchImageFirst].color, 0x030201u);
  Click(27);   // cancelled
  EXPECT_EQ(mem.dialogs.shown.back().custom.slot[3], 1u);
  EXPECT_EQ(app.state.Keywords.blue, 200);
  const uint32_t commentBefore = edit().FormatAt(4).color;
  Click(31);
  EXPECT_EQ(ColorOf(app.state.Comments), 0x0000FFu);
  EXPECT_EQ(mem.ui.images[kSwatchImageFirst + 2].color, 0x0000FFu);
  EXPECT_EQ(edit().FormatAt(4).color, commentBefore);   // the text waits for "Apply changes"

  // The project path comes from the dialog only; cancelling clears it.
  mem.ui.SelectTab(kSettingsTabs, 0);
  app.state.BasePath = "";
  mem.dialogs.fileAnswers = {"C:\\games\\x.qpf", ""};
  Click(kProjectButton);
  const FileDialogSpec& form = mem.dialogs.shown.back().form;
  EXPECT_EQ(form.title, "Select the projects *.qpf file");
  EXPECT_EQ(form.filter, "QVR Project File|*.qpf");
  EXPECT_EQ(form.initialFile, "*.qpf");
  EXPECT_EQ(app.state.CurrentQVRProject, "C:\\games\\x.qpf");
  EXPECT_EQ(mem.ui.ControlText(kProjectField), "C:\\games\\x.qpf");
  Click(kApplyChangesButton);
  EXPECT_EQ(edit().FormatAt(4).color, 0x0000FFu);
  EXPECT_NE(SettingsFile().find("C:\\games\\x.qpf"), std::string::npos);
  Open();
  EXPECT_EQ(mem.ui.ControlText(kProjectField), "C:\\games\\x.qpf");
  mem.ui.SelectTab(kSettingsTabs, 2);
  Click(35);
  EXPECT_EQ(mem.dialogs.shown.back().custom.slot[3], 3u);   // kept across openings
  mem.ui.SelectTab(kSettingsTabs, 0);
  Click(kProjectButton);
  EXPECT_EQ(app.state.CurrentQVRProject, "");
  EXPECT_EQ(mem.ui.ControlText(kProjectField), "");
}

}  // namespace

namespace {

// A prefix without the editor's face: another fixed-pitch one stands in.
class MissingFace : public SettingsWindow {
 protected:
  void Prepare() override { mem.ui.faces = {{"Tahoma", false}, {"DejaVu Sans Mono", true}}; }
};

}  // namespace

TEST_F(MissingFace, AFixedPitchFaceStandsInAndTheWindowSaysWhich) {
  SetText("a // note");
  EXPECT_EQ(app.state.EditorFontName, "Lucida Console");
  EXPECT_EQ(ShownFace(app.state), "DejaVu Sans Mono");
  Open();
  EXPECT_EQ(mem.ui.ControlText(kFontNameLabel), "Font: Lucida Console (missing, shown in DejaVu Sans Mono)");
  // The chooser opens at what the text shows; a chosen face is shown itself.
  mem.dialogs.fontAnswers = {{"Tahoma", 100}};
  Click(kChooseFontButton);
  EXPECT_EQ(mem.dialogs.shown.back().font.face, "DejaVu Sans Mono");
  EXPECT_EQ(mem.dialogs.shown.back().font.tenths, app.state.EditorFontSize * 10);
  EXPECT_EQ(mem.ui.ControlText(kFontNameLabel), "Font: Tahoma");
  EXPECT_EQ(edit().FormatAt(0).face, "Tahoma");
  // Apply changes saves the chosen name, never the stand-in.
  Click(kApplyChangesButton);
  EXPECT_NE(SettingsFile().find("EditorFontName=Tahoma"), std::string::npos);
}
