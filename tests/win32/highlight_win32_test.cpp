// Highlighting on the real rich-edit control: the one-transfer load and the
// merged runs must leave every character as the literal steps do, and
// formatting must stay out of the undo history.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app.h"
#include "editor/editor_ops.h"
#include "editor/format_runs.h"
#include "editor/highlight_passes.h"
#include "editor/large_edits.h"
#include "platform/win32/win32_platform.h"
#include "win32/real_app.h"

namespace {

class RealHighlighting : public RealApp {
 protected:
  void SetUp() override {
    RealApp::SetUp();
    HighlightWordLists lists;
    lists.catalogueNames = {"Log", "Title"};
    lists.commands = {"while", "if"};
    lists.directions = {"NORTH"};
    lists.events = {"OnClick"};
    lists.keywords = {"true"};
    app.scanner = BuildLineScanner(lists);
    app.state.Methods.bold = 1;
    app.state.Comments.italic = 1;
  }

  struct Look {
    uint32_t color, effects;
    bool operator==(const Look& o) const { return color == o.color && effects == o.effects; }
  };
  static void ExpectSame(const std::vector<Look>& a, const std::vector<Look>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].color, b[i].color) << "offset " << i;
      EXPECT_EQ(a[i].effects, b[i].effects) << "offset " << i;
    }
  }
  std::vector<Look> Looks(EditControl& edit) {
    std::vector<Look> looks;
    long length = static_cast<long>(edit.GetText().size()) - (edit.GetLineCount() - 1);
    for (long i = 0; i < length; ++i) {
      edit.ExSetSel(i, i + 1);
      CharFormat f = edit.GetSelectionFormat();
      looks.push_back({f.color, f.effects & 7});
    }
    return looks;
  }
  void LiteralSteps(EditControl& edit, HighlightPass pass) {
    CategoryStyles styles = CategoryStylesOf(app.state);
    std::vector<FormatStep> steps;
    for (long i = 0; i < LineCount(edit); ++i) {
      ScanLine(app.scanner, GetLineText(edit, i), pass, steps);
      for (const FormatStep& s : steps) {
        SelectRange(edit, i, s.start, i, s.end);
        SetSelectionColor(edit, ColorOf(styles[static_cast<int>(s.category)]));
        SelectRange(edit, i, s.start, i, s.end);
        SetSelectionStyle(edit, EffectsOf(styles[static_cast<int>(s.category)]));
      }
    }
  }
  const std::vector<std::string> kLines = {
      "while x // Log \"q\"", "  if(NORTH) Title", "", "\"a // b\" OnClick true", "Log(\"x\") while"};
};

TEST_F(RealHighlighting, OneTransferLoadEqualsTheLiteralSteps) {
  LoadText(app, kLines, true);
  std::string text;
  for (size_t i = 0; i < kLines.size(); ++i) text += (i ? "\r\n" : "") + kLines[i];
  EXPECT_EQ(app.edit->GetText(), text);
  std::vector<Look> fast = Looks(*app.edit);

  app.edit->SetText(text);
  SelectAll(*app.edit);
  SetSelectionColor(*app.edit, 0);
  SetSelectionStyle(*app.edit, 0);
  LiteralSteps(*app.edit, HighlightPass::WholeText);
  ExpectSame(fast, Looks(*app.edit));
  EXPECT_EQ(fast[0].color, MakeColor(200, 0, 0));
  EXPECT_EQ(fast[0].effects, 1u);
}

TEST_F(RealHighlighting, MergedRunsEqualTheLiteralSteps) {
  std::string text;
  for (size_t i = 0; i < kLines.size(); ++i) text += (i ? "\r\n" : "") + kLines[i];
  app.edit->SetText(text);
  HighlightAll(app);
  std::vector<Look> merged = Looks(*app.edit);
  app.edit->SetText(text);
  LiteralSteps(*app.edit, HighlightPass::WholeText);
  ExpectSame(merged, Looks(*app.edit));
}

TEST_F(RealHighlighting, UndoAfterEnterTakesBackTheTypingNotTheColours) {
  HWND edit = platform.ui.ControlHandle(2);
  for (char c : std::string("while y")) PostMessageA(edit, WM_CHAR, c, 0);
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(edit, WM_CHAR, '\r', 0);
  RunPendingEvents(app);
  EXPECT_EQ(app.edit->GetText(), "while y\r\n");
  app.edit->ExSetSel(0, 1);
  EXPECT_EQ(app.edit->GetSelectionFormat().color, MakeColor(200, 0, 0));
  app.edit->ExSetSel(9, 9);
  PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 8, 0);  // Undo
  RunPendingEvents(app);
  EXPECT_NE(app.edit->GetText(), "while y\r\n");
  EXPECT_EQ(app.edit->GetText().find("while y\r\n"), std::string::npos);
}

// Typing, Enter at the text's end, arrows and a Backspace join on the real
// control: the editor tells each from the caret's move and the modified
// flag, formats only the lines typing touched, and still ends with every
// line as a pass over the whole text would leave it.
TEST_F(RealHighlighting, LinesTypingTouchedAreFormattedAndNoOthersAskedFor) {
  LoadText(app, kLines, true);
  HWND edit = platform.ui.ControlHandle(2);
  // The loop makes the characters of a key down, as the system does.
  auto post = [&](UINT message, WPARAM code) {
    PostMessageA(edit, message, code, 0);
    RunPendingEvents(app);
    const CaretPlace full = ReadCaret(*app.edit);
    EXPECT_EQ(app.caret.place.line, full.line) << "after " << code;
    EXPECT_EQ(app.caret.place.lineStart, full.lineStart) << "after " << code;
  };
  auto key = [&](WPARAM vk) { post(WM_KEYDOWN, vk); };
  auto type = [&](const std::string& text) {
    for (char c : text) post(WM_CHAR, static_cast<unsigned char>(c));
  };
  app.edit->ExSetSel(-1, -1);
  PostMessageA(edit, WM_NULL, 0, 0);
  RunPendingEvents(app);
  type("x");         // "whilex" is no command
  key(VK_RETURN);
  type("if");
  key(VK_UP);
  key(VK_DOWN);
  key(VK_HOME);
  key(VK_BACK);   // "whilexif" on the last line
  key(VK_UP);
  key(VK_UP);
  EXPECT_TRUE(app.looks.known);
  EXPECT_TRUE(app.looks.touched.empty());
  std::vector<Look> typed = Looks(*app.edit);
  const std::string text = app.edit->GetText();
  EXPECT_EQ(text.substr(text.rfind('\n') + 1), "Log(\"x\") whilexif");
  // A line pass sets every colour but leaves the effects typing carried in.
  app.edit->SetText(text);
  LiteralSteps(*app.edit, HighlightPass::WholeText);
  const std::vector<Look> literal = Looks(*app.edit);
  ASSERT_EQ(typed.size(), literal.size());
  for (size_t i = 0; i < typed.size(); ++i) EXPECT_EQ(typed[i].color, literal[i].color) << "offset " << i;
}

// A long text formatted anew loses the control's own history; the editor
// keeps its steps, so Undo and Redo still go through the texts the control's
// own would.
TEST_F(RealHighlighting, ALongTextFormattedAnewKeepsTheStepsToUndoAndRedo) {
  std::vector<std::string> lines;
  for (int i = 0; i < 1100; ++i) lines.push_back("while x // Log \"q\"");
  LoadText(app, lines, true);
  HWND edit = platform.ui.ControlHandle(2);
  auto command = [&](int item) {
    const std::string before = app.edit->GetText();
    PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, item, 0);
    RunPendingEvents(app);
    return app.edit->GetText() != before;
  };
  SetCaret(*app.edit, 1, 10);
  for (char c : std::string("if ")) PostMessageA(edit, WM_CHAR, c, 0);
  RunPendingEvents(app);
  SelectRange(*app.edit, 899, 1, 901, 1);
  command(13);  // Delete
  for (char c : std::string("if ")) PostMessageA(edit, WM_CHAR, c, 0);
  RunPendingEvents(app);
  std::vector<std::string> back;
  while (command(8)) back.push_back(app.edit->GetText());
  for (size_t i = 0; i < back.size(); ++i) command(9);
  const std::string now = app.edit->GetText();
  ASSERT_GE(back.size(), 2u);

  // One step taken back first: the step forward is kept too.
  command(8);
  app.state.Methods.red = 10;
  HighlightAll(app);
  app.edit->ExSetSel(0, 1);
  EXPECT_EQ(app.edit->GetSelectionFormat().color, MakeColor(10, 0, 0));
  EXPECT_TRUE(command(9) && app.edit->GetText() == now);
  for (const std::string& text : back) EXPECT_TRUE(command(8) && app.edit->GetText() == text);
  EXPECT_FALSE(command(8));
  // The lines put back came back formatted.
  app.edit->ExSetSel(app.edit->LineIndex(899), app.edit->LineIndex(899) + 1);
  EXPECT_EQ(app.edit->GetSelectionFormat().color, MakeColor(10, 0, 0));
  for (size_t i = back.size() - 1; i-- > 0;) EXPECT_TRUE(command(9) && app.edit->GetText() == back[i]);
  EXPECT_TRUE(command(9) && app.edit->GetText() == now);

  // Delete, Backspace and a character typed over 800 lines are the
  // editor's to make, one step each; over a few lines they are the control's.
  struct Key {
    UINT message;
    WPARAM key;
    int fromLine, toLine, linesPut;
  };
  for (const Key& k : {Key{WM_KEYDOWN, VK_DELETE, 100, 900, 0}, Key{WM_KEYDOWN, VK_BACK, 100, 900, 0},
                       Key{WM_CHAR, 'z', 100, 900, 0}, Key{WM_KEYDOWN, VK_RETURN, 100, 900, 1},
                       Key{WM_KEYDOWN, VK_DELETE, 1, 3, 0}}) {
    SCOPED_TRACE(k.key);
    SelectRange(*app.edit, k.fromLine, 1, k.toLine, 1);
    const long lines = LineCount(*app.edit);
    // A text loaded anew is in a control of its own.
    PostMessageA(platform.ui.ControlHandle(2), k.message, k.key, 0);
    RunPendingEvents(app);
    EXPECT_EQ(LineCount(*app.edit), lines - (k.toLine - k.fromLine) + k.linesPut);
    EXPECT_EQ(app.edit->CanUndo(), k.toLine - k.fromLine < kLargeEditLines);
    EXPECT_TRUE(command(8) && app.edit->GetText() == now);
  }
}
}  // namespace
