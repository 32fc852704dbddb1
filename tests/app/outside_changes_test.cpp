// Another program writes or deletes the open script: the questions on the
// window's return and before a save.
#include "app/outside_changes.h"

#include "support/app_fixture.h"

namespace {

constexpr int kOpen = 2, kSave = 4;
const std::string kPath = "C:\\s\\a.script";

class OutsideChanges : public AppFixture {
 protected:
  void Prepare() override {
    mem.files.WriteByOther(kPath, "one");
    mem.files.folders.insert("C:\\s\\");
  }
  void Activate() {
    mem.events.Do(0, [this] {
      mem.ui.Activate(-1);
      mem.ui.Activate(0);
    });
    Run();
  }
  size_t Asked() {
    const size_t n = mem.dialogs.shown.size();
    mem.dialogs.shown.clear();
    return n;
  }
  std::string LastText() { return mem.dialogs.shown.empty() ? "" : mem.dialogs.shown.back().text; }
  void Open() {
    mem.dialogs.fileAnswers = {kPath};
    mem.events.Command(kOpen);
    Run();
  }
};

TEST_F(OutsideChanges, ChangesOnDiskAreAskedAboutOnceAndSaveSaysWhatItWouldOverwrite) {
  Open();
  Asked();
  // Unchanged on disk: one query, no question.
  const int queries = mem.files.stampQueries;
  Activate();
  EXPECT_EQ(mem.files.stampQueries - queries, 1);
  EXPECT_EQ(Asked(), 0u);

  // No unsaved changes: reload?
  mem.files.WriteByOther(kPath, "two");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Activate();
  EXPECT_EQ(LastText(), "The file 'a.script' was changed by another program. Reload it?");
  EXPECT_EQ(mem.dialogs.shown.back().title, "Question:");
  EXPECT_EQ(Text(), "two");
  EXPECT_EQ(app.state.Changed, 0);
  Asked();

  // Unsaved changes: No keeps the editor's text, and is not asked again.
  mem.events.Type("x");
  Run();
  mem.files.WriteByOther(kPath, "three");
  mem.dialogs.messageAnswers = {kAnswerNo};
  Activate();
  EXPECT_NE(LastText().find("Reload it and lose the changes made in the editor?"), std::string::npos) << LastText();
  EXPECT_EQ(Text(), "xtwo");
  Asked();
  Activate();
  EXPECT_EQ(Asked(), 0u);

  // Save names the other program's change instead of the usual question.
  mem.dialogs.messageAnswers = {kAnswerNo};
  mem.events.Command(kSave);
  Run();
  EXPECT_EQ(LastText(), "The file 'a.script' was changed by another program since it was opened. Overwrite it?");
  EXPECT_EQ(mem.files.files[kPath], "three");
  mem.dialogs.messageAnswers = {kAnswerYes};
  mem.events.Command(kSave);
  Run();
  EXPECT_EQ(mem.files.files[kPath], "xtwo");
  Asked();
  // Once saved, the usual question again.
  mem.dialogs.messageAnswers = {kAnswerNo};
  mem.events.Command(kSave);
  Run();
  EXPECT_EQ(LastText(), "The file 'a.script' already exists. Overwrite?");
  Asked();

  // Kept over another program's change, the editor's text is the one to save.
  mem.files.WriteByOther(kPath, "four");
  mem.dialogs.messageAnswers = {kAnswerNo};
  Activate();
  EXPECT_EQ(LastText(), "The file 'a.script' was changed by another program. Reload it?");
  EXPECT_EQ(app.state.Changed, 1);
  Asked();
  mem.dialogs.messageAnswers = {kAnswerYes};
  mem.events.Command(kSave);
  Run();
  Asked();

  // A folder gone with its file is out of reach, not deleted; then deleted:
  // said once, and Save writes it again without a question.
  mem.files.files.erase(kPath);
  mem.files.folders.clear();
  Activate();
  EXPECT_NE(LastText().find("cannot be reached now"), std::string::npos) << LastText();
  Asked();
  mem.files.folders.insert("C:\\s\\");
  mem.files.WriteByOther(kPath, "xtwo");
  Activate();
  Asked();
  mem.files.files.erase(kPath);
  Activate();
  EXPECT_EQ(Asked(), 1u);
  Activate();
  EXPECT_EQ(Asked(), 0u);
  EXPECT_EQ(app.state.Changed, 1);
  mem.events.Command(kSave);
  Run();
  EXPECT_EQ(Asked(), 0u);
  EXPECT_EQ(mem.files.files[kPath], "xtwo");
}

// The stamp is of the file another program writes, taken before it is read.
TEST_F(OutsideChanges, TheFileBehindALinkAndAWriteDuringTheLoadAreSeen) {
  mem.files.links["C:\\s\\link.script"] = kPath;
  mem.files.afterRead = [this](const std::string&) {
    mem.files.afterRead = nullptr;
    mem.files.WriteByOther(kPath, "written while it loaded");
  };
  mem.dialogs.fileAnswers = {"C:\\s\\link.script"};
  mem.events.Command(kOpen);
  Run();
  EXPECT_EQ(Text(), "one");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Activate();
  EXPECT_EQ(Text(), "written while it loaded");
  mem.files.WriteByOther(kPath, "and once more");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Activate();
  EXPECT_EQ(Text(), "and once more");
}

// Leaving with unsaved changes and Yes saves without the usual question,
// but not over another program's change without asking.
TEST_F(OutsideChanges, TheSaveBeforeLeavingAsksBeforeOverwritingAnotherProgramsChange) {
  Open();
  mem.events.Type("mine ");
  Run();
  mem.files.WriteByOther(kPath, "theirs");
  Asked();
  mem.dialogs.messageAnswers = {kAnswerYes, kAnswerNo};
  mem.events.Command(1);   // New
  Run();
  ASSERT_EQ(mem.dialogs.shown.size(), 2u);
  EXPECT_EQ(LastText(), "The file 'a.script' was changed by another program since it was opened. Overwrite it?");
  EXPECT_EQ(mem.files.files[kPath], "theirs");
  EXPECT_EQ(Text(), "mine one");   // cancelled: nothing replaced
}

}  // namespace
