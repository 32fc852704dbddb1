#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_profile.h"

namespace {

// What a first run writes: every key in table order with the first-run
// values, the font still empty (the font rule does not write).
const char kFirstRunFile[] =
    "[General]\r\nEditorFontName=\r\nEditorFontSize=0\r\n"
    "[Syntax Highlighting]\r\nEnabled=1\r\nOnOpening=1\r\nRealtime=1\r\nUseStyle=0\r\n"
    "UseColor=0\r\nVorodazedEzoze=0\r\n"
    "[Printer]\r\nDevice=0\r\nBlackWhite=0\r\n"
    "[Coloration]\r\nMethodsR=200\r\nMethodsG=0\r\nMethodsB=0\r\nKeywordsR=0\r\nKeywordsG=0\r\n"
    "KeywordsB=200\r\nCommentsR=0\r\nCommentsG=200\r\nCommentsB=0\r\nEventsR=200\r\nEventsG=0\r\n"
    "EventsB=200\r\nFilenameR=200\r\nFilenameG=200\r\nFilenameB=0\r\n"
    "[Style]\r\nMethodsB=0\r\nMethodsI=0\r\nMethodsU=0\r\nKeywordsB=0\r\nKeywordsI=0\r\n"
    "KeywordsU=0\r\nCommentsB=0\r\nCommentsI=0\r\nCommentsU=0\r\nEventsB=0\r\nEventsI=0\r\n"
    "EventsU=0\r\nFilenameB=0\r\nFilenameI=0\r\nFilenameU=0\r\n"
    "[Compiling]\r\nCurrentQVRProject=\r\n";

// A configured file, as the settings window leaves it.
const char kConfiguredFile[] =
    "[General]\r\nEditorFontName=Courier New\r\nEditorFontSize=12\r\n"
    "[Syntax Highlighting]\r\nEnabled=0\r\nOnOpening=0\r\nRealtime=1\r\nUseStyle=0\r\n"
    "UseColor=1\r\nVorodazedEzoze=1\r\n"
    "[Printer]\r\nDevice=1\r\nBlackWhite=1\r\n"
    "[Coloration]\r\nMethodsR=300\r\nMethodsG=-1\r\nMethodsB=77\r\nEventsR=1\r\n"
    "[Style]\r\nMethodsB=1\r\nMethodsI=0\r\nFilenameU=1\r\n"
    "[Compiling]\r\nCurrentQVRProject=C:\\Games\\Demo\\demo.qpf\r\n";

struct SettingsStoreTest : ::testing::Test {
  MemoryProfile profile;
  AppState state;

  void StartupSequence() {
    LoadSettings(state, profile);
    ApplyFontRule(state);
  }
};

TEST_F(SettingsStoreTest, FirstRunWritesEveryKeyWithItsFirstRunValue) {
  state.VorodazedEzoze = 1;  // the start-up default, which the empty file overrides
  StartupSequence();
  EXPECT_EQ(profile.Render(kSettingsFileName), kFirstRunFile);

  AppState expected;
  EXPECT_EQ(state.Methods.red, 200);
  EXPECT_EQ(ColorOf(state.Keywords), ColorOf(expected.Keywords));
  EXPECT_EQ(ColorOf(state.Comments), ColorOf(expected.Comments));
  EXPECT_EQ(ColorOf(state.Events), ColorOf(expected.Events));
  EXPECT_EQ(ColorOf(state.Filename), ColorOf(expected.Filename));
  EXPECT_EQ(EffectsOf(state.Methods) + EffectsOf(state.Filename), 0u);
  EXPECT_EQ(state.Enabled + state.OnOpening + state.Realtime, 3);
  EXPECT_EQ(state.VorodazedEzoze, 0);
  EXPECT_EQ(state.Device + state.BlackWhite, 0);
  EXPECT_EQ(state.EditorFontName, "Lucida Console");
  EXPECT_EQ(state.EditorFontSize, 10);
  EXPECT_EQ(state.CurrentQVRProject, "");
}

TEST_F(SettingsStoreTest, ConfiguredFileFillsEveryFieldAndIsNotWritten) {
  profile.Seed(kSettingsFileName, kConfiguredFile);
  StartupSequence();
  EXPECT_EQ(profile.writes, 0);
  EXPECT_EQ(state.EditorFontName, "Courier New");
  EXPECT_EQ(state.EditorFontSize, 12);
  EXPECT_EQ(state.Enabled, 0);
  EXPECT_EQ(state.OnOpening, 0);
  EXPECT_EQ(state.VorodazedEzoze, 1);
  EXPECT_EQ(state.Device, 1);
  EXPECT_EQ(state.BlackWhite, 1);
  // "300" and "-1" are no colour components: the defaults stay; "B" is blue
  // in one section and bold in the other.
  EXPECT_EQ(state.Methods.red, 200);
  EXPECT_EQ(state.Methods.green, 0);
  EXPECT_EQ(state.Methods.blue, 77);
  EXPECT_EQ(state.Methods.bold, 1);
  EXPECT_EQ(state.Filename.underline, 1);
  EXPECT_EQ(state.Events.red, 1);
  EXPECT_EQ(state.Keywords.blue, 0);
  EXPECT_EQ(state.CurrentQVRProject, "C:\\Games\\Demo\\demo.qpf");
  // The stored colour/style switches do not reach the run-time flags.
  EXPECT_EQ(state.ApplyColors, 1);
  EXPECT_EQ(state.ApplyFontStyles, 1);
}

TEST_F(SettingsStoreTest, SaveWritesDroppedSwitchesAsZeroAndKeepsForeignKeys) {
  profile.Seed(kSettingsFileName,
               std::string(kConfiguredFile) + "[Extra]\r\nmine=yes\r\n");
  StartupSequence();
  SaveSettings(state, profile);
  EXPECT_EQ(profile.Read("Syntax Highlighting", "UseColor", "?", 255, kSettingsFileName), "0");
  EXPECT_EQ(profile.Read("Syntax Highlighting", "UseStyle", "?", 255, kSettingsFileName), "0");
  EXPECT_EQ(profile.Read("Extra", "mine", "", 255, kSettingsFileName), "yes");
  EXPECT_EQ(profile.Read("Coloration", "MethodsR", "", 255, kSettingsFileName), "200");

  AppState reloaded;
  LoadSettings(reloaded, profile);
  EXPECT_EQ(ColorOf(reloaded.Methods), ColorOf(state.Methods));
  EXPECT_EQ(EffectsOf(reloaded.Filename), EffectsOf(state.Filename));
  EXPECT_EQ(reloaded.CurrentQVRProject, state.CurrentQVRProject);
}

TEST_F(SettingsStoreTest, FourBlackCategoriesCountAsAFirstRun) {
  profile.Seed(kSettingsFileName,
               "[Syntax Highlighting]\r\nEnabled=0\r\nOnOpening=0\r\nRealtime=0\r\n"
               "[Coloration]\r\nFilenameR=10\r\nFilenameG=20\r\nFilenameB=30\r\n"
               "[Style]\r\nCommentsI=1\r\n");
  StartupSequence();
  EXPECT_EQ(ColorOf(state.Filename), ColorOf(AppState().Filename));
  EXPECT_EQ(state.Enabled + state.OnOpening + state.Realtime, 3);
  EXPECT_EQ(state.Comments.italic, 1);
  EXPECT_EQ(profile.Read("Coloration", "FilenameR", "", 255, kSettingsFileName), "200");
  EXPECT_EQ(profile.Read("Syntax Highlighting", "Realtime", "", 255, kSettingsFileName), "1");

  // Blackening the four in the settings window brings the defaults back at
  // the next start.
  state.Methods = state.Keywords = state.Comments = state.Events = CategoryStyle{};
  SaveSettings(state, profile);
  AppState next;
  LoadSettings(next, profile);
  EXPECT_EQ(ColorOf(next.Events), ColorOf(AppState().Events));
}

TEST_F(SettingsStoreTest, FontRuleNeedsBothNameAndSizeUnsetAndAFaceGetsASize) {
  state.EditorFontName = "";
  state.EditorFontSize = 12;
  ApplyFontRule(state);
  EXPECT_EQ(state.EditorFontName, "");
  state.EditorFontName = "Courier New";
  state.EditorFontSize = 0;
  ApplyFontRule(state);
  EXPECT_EQ(state.EditorFontName, "Courier New");
  EXPECT_EQ(state.EditorFontSize, 10);
}

// Hand edits outside a key's range are not taken, and the file is then written sane.
TEST_F(SettingsStoreTest, ValuesOutOfTheirRangeKeepTheDefaults) {
  profile.Seed(kSettingsFileName,
               "[General]\r\nEditorFontName=Courier New\r\nEditorFontSize=-12\r\n"
               "[Syntax Highlighting]\r\nEnabled=255\r\nRealtime=1\r\n"
               "[Coloration]\r\nMethodsR=-1\r\nMethodsG=99999999\r\nKeywordsB=73\r\nCommentsG=5\r\n"
               "[Style]\r\nEventsB=2\r\n");
  StartupSequence();
  EXPECT_EQ(state.EditorFontName, "Courier New");
  EXPECT_EQ(state.EditorFontSize, 10);
  EXPECT_EQ(state.Enabled, 1);
  EXPECT_EQ(ColorOf(state.Methods), ColorOf(AppState().Methods));
  EXPECT_EQ(state.Keywords.blue, 73);
  EXPECT_EQ(state.Events.bold, 0);
  SaveSettings(state, profile);
  EXPECT_EQ(profile.Read("Syntax Highlighting", "Enabled", "", 255, kSettingsFileName), "1");
  EXPECT_EQ(profile.Read("Coloration", "MethodsG", "", 255, kSettingsFileName), "0");
}

}  // namespace
