// The recovery copy of unsaved text: when it is written and removed, what a
// later start offers, and what happens when the disk will not take it.
#include "app/recovery.h"

#include "app/recovery_copy.h"
#include "support/app_fixture.h"

namespace {

constexpr int kNew = 1, kSaveAs = 5, kExit = 7;
const std::string kFolder = "C:\\Users\\u\\AppData\\Local\\QVR Visual Script Editor\\Recovery\\";
const std::string kOwnCopy = kFolder + "4242-1.qvrrecovery";

class Recovery : public AppFixture {
 protected:
  void Type(const std::string& text) {
    mem.events.Type(text);
    Run();
  }
  void Wait(int ms) {
    mem.events.Advance(ms);
    Run();
  }
  bool Menu(int item) {
    mem.events.Command(item);
    return Run();
  }
  bool HasCopy(const std::string& path = kOwnCopy) { return mem.files.files.count(path) != 0; }
  RecoveryCopy Copy(const std::string& path = kOwnCopy) {
    RecoveryCopy copy;
    EXPECT_EQ(ParseRecoveryCopy(mem.files.files[path], copy), RecoveryRead::Ok);
    return copy;
  }
};

TEST_F(Recovery, ACopyFollowsTheUnsavedTextUntilItIsSavedDiscardedOrTheEditorEnds) {
  Type("ab");
  Wait(kRecoveryDelayMs - 1);
  EXPECT_FALSE(HasCopy());
  Wait(1);
  ASSERT_TRUE(HasCopy());
  EXPECT_EQ(Copy().text, "ab");
  EXPECT_EQ(Copy().name, "Unnamed.script");
  EXPECT_EQ(Copy().time, "2026-12-08 03:10");
  EXPECT_EQ(app.state.Changed, 1);   // the copy is no save

  // Nothing changed since: no timer, nothing written again.
  EXPECT_FALSE(mem.events.TimerRunning());
  // Keys pressed when the timer runs out go first: the copy holds them.
  Type("c");
  mem.events.Advance(kRecoveryDelayMs);
  mem.events.Type("d");
  Run();
  EXPECT_EQ(Copy().text, "abcd");

  mem.dialogs.fileAnswers = {"C:\\s\\kept.script"};
  Menu(kSaveAs);
  EXPECT_FALSE(HasCopy());
  Wait(kRecoveryDelayMs);
  EXPECT_FALSE(HasCopy());   // saved text needs no copy

  // Discarded in the unsaved-changes question, and replaced by New.
  Type("e");
  Wait(kRecoveryDelayMs);
  ASSERT_TRUE(HasCopy());
  mem.dialogs.messageAnswers = {kAnswerNo};
  Menu(kNew);
  EXPECT_FALSE(HasCopy());
  Wait(kRecoveryDelayMs);
  EXPECT_FALSE(HasCopy());

  // A normal end leaves nothing to offer.
  Type("f");
  Wait(kRecoveryDelayMs);
  ASSERT_TRUE(HasCopy());
  mem.dialogs.messageAnswers = {kAnswerNo};
  EXPECT_FALSE(Menu(kExit));
  EXPECT_FALSE(HasCopy());
}

TEST_F(Recovery, NoFolderOrAFullDiskLeavesTypingAloneAndSaysSoOnce) {
  Type("first");
  Wait(kRecoveryDelayMs);
  ASSERT_TRUE(HasCopy());
  // The disk fills up: the copy written before stays whole.
  mem.files.unwritable.insert(kOwnCopy);
  Type(" second");
  Wait(kRecoveryDelayMs);
  EXPECT_EQ(Copy().text, "first");
  // Said in a box, with the system's reason, once for that reason.
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  EXPECT_EQ(mem.dialogs.shown[0].title, "Warning:");
  EXPECT_NE(mem.dialogs.shown[0].text.find("cannot be kept for recovery: Access is denied."), std::string::npos)
      << mem.dialogs.shown[0].text;
  Type(" third");
  Wait(kRecoveryDelayMs);
  EXPECT_EQ(mem.dialogs.shown.size(), 1u);
  EXPECT_EQ(Text(), "first second third");
}

TEST_F(Recovery, ALongTextIsCopiedAPiecePerIdlePassAndOnlyAChangeWhileReadingStartsAgain) {
  auto copyUnderWay = [this] { return app.state.recoveryReadTo >= 0 || app.state.recoveryWriteAt >= 0; };
  auto passes = [&] {
    int count = 0;
    for (; copyUnderWay() && count < 100; ++count) Wait(0);
    return count;
  };
  std::string text;
  while (text.size() < 3 * kRecoveryPieceChars) text += std::string(98, 'a') + "\r\n";
  SetText(text + "end");
  Type("1");
  Wait(kRecoveryDelayMs);
  EXPECT_GE(passes(), 6);   // read, then written, a piece at a time
  ASSERT_TRUE(HasCopy());
  EXPECT_TRUE(Copy().text == Text());
  const std::string first = Copy().text;

  // Typing lands in the piece read first: what was read is stale, and the
  // old copy stays whole until a new one is.
  app.edit->ExSetSel(0, 0);
  Type("x");
  Wait(kRecoveryDelayMs);
  ASSERT_TRUE(copyUnderWay());
  Type("y");
  Wait(0);
  EXPECT_FALSE(copyUnderWay());
  EXPECT_TRUE(Copy().text == first);
  Wait(kRecoveryDelayMs);
  passes();
  EXPECT_TRUE(Copy().text == Text());

  // Typing while the pieces are written: that copy is true to the text as
  // it was read, so it is finished, and the next one follows.
  Type("z");
  const std::string read = Text();
  Wait(kRecoveryDelayMs);
  while (app.state.recoveryWriteAt < 0) Wait(0);
  Type("w");
  passes();
  EXPECT_TRUE(Copy().text == read);
  Wait(kRecoveryDelayMs);
  passes();
  EXPECT_TRUE(Copy().text == Text());
}

class RecoveryWithoutFolder : public Recovery {
 protected:
  void Prepare() override { mem.files.foldersRefused = true; }
};

TEST_F(RecoveryWithoutFolder, TheEditorWorksAsBeforeAndSaysSoOnceWhenTextIsFirstUnsaved) {
  EXPECT_EQ(mem.ui.StatusText(0), "");   // nothing to keep yet
  Type("abc");
  Wait(kRecoveryDelayMs);
  EXPECT_NE(mem.ui.StatusText(0).find("cannot be kept for recovery"), std::string::npos);
  mem.ui.SetStatusText(0, "");
  Type("d");
  Wait(kRecoveryDelayMs);
  EXPECT_EQ(mem.ui.StatusText(0), "");
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(app.state.Changed, 1);
  for (const auto& [path, bytes] : mem.files.files) EXPECT_EQ(path.find(".qvrrecovery"), std::string::npos) << path;
}

// Copies seeded as earlier runs left them.
class RecoveryAtStart : public Recovery {
 protected:
  void Seed(const std::string& name, const std::string& writer, const std::string& text) {
    RecoveryCopy copy;
    copy.writer = writer;
    copy.time = "2026-12-07 18:45";
    copy.folder = "C:\\s\\";
    copy.name = name;
    copy.hasFile = 1;
    copy.lineBreak = "\n";
    copy.stamp = mem.files.StampOf("C:\\s\\" + name);
    copy.text = text;
    mem.files.files[kFolder + writer + ".qvrrecovery"] = FormatRecoveryCopy(copy);
  }
  void Prepare() override {
    mem.files.WriteByOther("C:\\s\\a.script", "on disk");
    mem.files.commandLine = "qvrvse.exe C:\\s\\b.script";
    mem.files.WriteByOther("C:\\s\\b.script", "b");
    Seed("a.script", "77-5", "restored\r\nline two");
    Seed("busy.script", "88-1", "still typed in another editor");
    mem.processes.running = {"88-1"};
    const std::string later = FormatRecoveryCopy(RecoveryCopy());
    mem.files.files[kFolder + "later.qvrrecovery"] = later.substr(0, later.find("version=") + 8) + "2\r\n\r\n";
    mem.files.files[kFolder + "garbage.qvrrecovery"] = "\x01\x02 not a copy";
    RecoveryCopy cut;
    cut.writer = "99-1";
    cut.name = "cut.script";
    cut.text = "whole text";
    const std::string bytes = FormatRecoveryCopy(cut);
    mem.files.files[kFolder + "cut.qvrrecovery"] = bytes.substr(0, bytes.size() - 1);   // shorter than it says
    // Saved, but the editor ended before its copy went: nothing to offer.
    mem.files.WriteByOther("C:\\s\\saved.script", "as saved");
    Seed("saved.script", "66-1", "as saved");
    mem.dialogs.messageAnswers = {kAnswerYes, kAnswerOk, kAnswerYes};
  }
};

TEST_F(RecoveryAtStart, OnlyCopiesOfEndedEditorsAreOfferedAndYesRestoresAChangedDocument) {
  ASSERT_GE(mem.dialogs.shown.size(), 1u);
  const auto& offer = mem.dialogs.shown[0];
  EXPECT_EQ(offer.title, "Question:");
  EXPECT_EQ(offer.buttons, MessageButtons::YesNo);
  EXPECT_NE(offer.text.find("'a.script'"), std::string::npos) << offer.text;
  EXPECT_NE(offer.text.find("2026-12-07 18:45"), std::string::npos) << offer.text;
  EXPECT_NE(offer.text.find("No deletes that text."), std::string::npos) << offer.text;
  // The damaged copies are named as they go.
  ASSERT_EQ(mem.dialogs.shown.size(), 3u);
  EXPECT_NE(mem.dialogs.shown[1].text.find("garbage.qvrrecovery"), std::string::npos) << mem.dialogs.shown[1].text;
  EXPECT_NE(mem.dialogs.shown[1].text.find("cut.qvrrecovery"), std::string::npos);
  // The command-line script still comes, through the unsaved-changes question
  // (answered Yes: the restored text is saved first, over its own file).
  EXPECT_EQ(mem.dialogs.shown[2].title, "Warning:");
  EXPECT_NE(mem.dialogs.shown[2].text.find("Save it before proceeding"), std::string::npos);
  EXPECT_EQ(mem.files.files["C:\\s\\a.script"], "restored\nline two");   // the file's own line break
  EXPECT_EQ(mem.ui.WindowTitle(0), "QVR Visual Script Editor - b.script");

  EXPECT_FALSE(HasCopy(kFolder + "77-5.qvrrecovery"));
  EXPECT_TRUE(HasCopy(kFolder + "88-1.qvrrecovery"));     // another editor's, untouched
  EXPECT_TRUE(HasCopy(kFolder + "later.qvrrecovery"));    // a later version's, left to it
  EXPECT_FALSE(HasCopy(kFolder + "garbage.qvrrecovery"));
  EXPECT_FALSE(HasCopy(kFolder + "cut.qvrrecovery"));
  EXPECT_FALSE(HasCopy(kFolder + "66-1.qvrrecovery"));
}

class RecoveryDeclined : public RecoveryAtStart {
 protected:
  void Prepare() override {
    RecoveryAtStart::Prepare();
    mem.files.commandLine = "qvrvse.exe";
    mem.processes.running.clear();
    mem.dialogs.messageAnswers = {kAnswerYes};
  }
};

TEST_F(RecoveryDeclined, TheRestoredTextIsChangedUnderItsNameAndNoRemovesTheNextOffer) {
  // a.script comes first and is taken; busy.script's editor has ended but
  // one document at a time: its copy waits for the next start.
  EXPECT_EQ(Text(), "restored\r\nline two");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(mem.ui.WindowTitle(0), "QVR Visual Script Editor - a.script");
  ASSERT_TRUE(HasCopy());   // ours already holds it
  EXPECT_EQ(Copy().text, "restored\r\nline two");
  EXPECT_TRUE(HasCopy(kFolder + "88-1.qvrrecovery"));

  // The next Save goes to the original file with its usual question.
  mem.dialogs.shown.clear();
  mem.dialogs.messageAnswers = {kAnswerYes};
  mem.events.Command(4);
  Run();
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  EXPECT_EQ(mem.dialogs.shown[0].text, "The file 'a.script' already exists. Overwrite?");
  EXPECT_EQ(mem.files.files["C:\\s\\a.script"], "restored\nline two");
  EXPECT_FALSE(HasCopy());

  // No to an offer removes that copy.
  mem.dialogs.messageAnswers = {kAnswerNo};
  EXPECT_FALSE(OfferRecoveredText(app));
  EXPECT_FALSE(HasCopy(kFolder + "88-1.qvrrecovery"));
}

}  // namespace
