// What a user does first in the editing area, on the real control and the
// real loop: undo after inserting from the tree, select all from any line,
// double-click on a coloured word, open and save unedited.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/app.h"
#include "app/script_files.h"
#include "editor/editor_ops.h"
#include "platform/events.h"
#include "win32/real_app.h"

namespace {

class RealEditing : public RealApp {
 protected:
  void Post(UINT msg, WPARAM w, LPARAM l = 0) { PostMessageA(Control(2), msg, w, l); }
  void TypeText(const std::string& text) {
    for (char c : text) {
      if (c == '\r') Post(WM_KEYDOWN, VK_RETURN);
      Post(WM_CHAR, static_cast<unsigned char>(c));
    }
    Run();
  }
  std::string Text() { return app.edit->GetText(); }
  std::string Selected() {
    CharRange sel = app.edit->ExGetSel();
    std::string flat;  // offsets count a line break as one character
    for (char c : Text())
      if (c != '\n') flat += c;
    long to = std::min<long>(sel.cpMax, static_cast<long>(flat.size()));
    return sel.cpMin < to ? flat.substr(sel.cpMin, to - sel.cpMin) : "";
  }
  bool PickTreeItem(const std::string& label) {
    std::vector<TreeItem> pending = platform.ui.TreeChildren(kCommandTree, kTreeRoot);
    while (!pending.empty()) {
      TreeItem item = pending.back();
      pending.pop_back();
      if (platform.ui.TreeItemText(kCommandTree, item) == label) {
        platform.ui.TreeSelect(kCommandTree, item);
        return true;
      }
      for (TreeItem child : platform.ui.TreeChildren(kCommandTree, item)) pending.push_back(child);
    }
    return false;
  }
  void DoubleClickTree() {
    Event e;
    e.code = kEventControl;
    e.control = kCommandTree;
    e.type = kControlDoubleClick;
    e.treeItem = platform.ui.TreeSelected(kCommandTree);
    DispatchEvent(app, e);
    PostEventStep(app);
    Run();
  }
};

TEST_F(RealEditing, UndoTakesBackATreeInsertionInOneStepThenTheTyping) {
  // A code block re-highlights the whole text afterwards; a command does not.
  for (const char* label : {"Codeblocks", "Basic commands"}) {
    ClearEditor(*app.edit);
    app.state.Changed = 0;
    TypeText("typed first");
    std::vector<TreeItem> tops = platform.ui.TreeChildren(kCommandTree, kTreeRoot);
    TreeItem top = kTreeRoot;
    for (TreeItem t : tops)
      if (platform.ui.TreeItemText(kCommandTree, t) == label) top = t;
    ASSERT_NE(top, kTreeRoot) << label;
    std::vector<TreeItem> entries = platform.ui.TreeChildren(kCommandTree, top);
    ASSERT_FALSE(entries.empty()) << label;
    platform.ui.TreeSelect(kCommandTree, entries.front());
    DoubleClickTree();
    const std::string inserted = Text();
    ASSERT_NE(inserted, "typed first") << label;
    Menu(8);
    EXPECT_EQ(Text(), "typed first") << label;
    Menu(8);
    EXPECT_NE(Text(), "typed first") << label;   // the typing goes back too
    EXPECT_EQ(std::string("typed first").rfind(Text(), 0), 0u) << label;
    Menu(9);
    Menu(9);
    EXPECT_EQ(Text(), inserted) << label;
  }
}

TEST_F(RealEditing, SelectAllFromAnyLineSelectsTheWholeText) {
  TypeText("first\rwhile second\rthird");
  for (int how : {0, 1}) {  // Edit > Select all, and Ctrl+A in the control
    SetCaret(*app.edit, 2, 3);
    PostMessageA(Main(), WM_NULL, 0, 0);
    Run();
    ASSERT_EQ(app.state.lastCaretLine, 3);
    SetCaret(*app.edit, 1, 2);  // then to line 2, which the trigger formats once left
    PostMessageA(Main(), WM_NULL, 0, 0);
    Run();
    if (how == 0) {
      Menu(14);
    } else {
      Post(WM_KEYDOWN, VK_CONTROL);
      Post(WM_KEYDOWN, 'A');
      Post(WM_KEYUP, 'A', 0xC0000001);
      Post(WM_KEYUP, VK_CONTROL, 0xC0000001);
      // The control reads the Ctrl key's state, not our messages.
      BYTE keys[256];
      GetKeyboardState(keys);
      keys[VK_CONTROL] = 0x80;
      SetKeyboardState(keys);
      Run();
      keys[VK_CONTROL] = 0;
      SetKeyboardState(keys);
    }
    EXPECT_EQ(Selected(), "first\rwhile second\rthird") << how;
  }
  // The line left was still formatted: "while" on line 2 is a command word.
  app.edit->ExSetSel(6, 7);
  EXPECT_NE(app.edit->GetSelectionFormat().color, 0u);
}

TEST_F(RealEditing, DoubleClickSelectsTheWordUnderThePointerWhateverItsColour) {
  std::ofstream("dblclick.script", std::ios::binary) << "Scene.GetActor(\"Keeper\") while x\r\nplain words here\r\n";
  LoadScript(app, "dblclick.script");
  DeleteFileA("dblclick.script");
  Run();
  const struct {
    long offset;
    const char* word;
  } cases[] = {{1, "Scene"}, {9, "GetActor"}, {18, "Keeper"}, {28, "while"}, {37, "plain"}, {40, "words"}};
  for (const auto& c : cases) {
    LRESULT at = SendMessageA(Control(2), EM_POSFROMCHAR, c.offset, 0);
    LPARAM where = MAKELPARAM(LOWORD(at) + 2, HIWORD(at) + 4);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, where);
    Post(WM_LBUTTONUP, 0, where);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    Post(WM_LBUTTONUP, 0, where);
    Run();
    EXPECT_EQ(Selected(), c.word) << c.offset;
  }
}

TEST_F(RealEditing, ShippedSamplesOpenAndSaveBackByteForByte) {
  for (const char* name : {"demo.script", "intro.script", "inventory.script", "common.inc"}) {
    std::ifstream in(std::string("samples\\") + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string original = bytes.str();
    std::string trimmed = original.substr(0, original.find_last_not_of("\r\n") + 1);
    for (const std::string& variant : {original, trimmed, trimmed + "\r\n"}) {
      for (int onOpening : {1, 0}) {
        app.state.OnOpening = onOpening;
        std::ofstream("roundtrip-in.script", std::ios::binary) << variant;
        LoadScript(app, "roundtrip-in.script");
        ASSERT_TRUE(SaveScript(app, "roundtrip-out.script"));
        std::ifstream out("roundtrip-out.script", std::ios::binary);
        std::stringstream written;
        written << out.rdbuf();
        EXPECT_TRUE(written.str() == variant) << name << " highlighted " << onOpening;
      }
    }
  }
  DeleteFileA("roundtrip-in.script");
  DeleteFileA("roundtrip-out.script");
}

// Text copied from a browser or a word processor comes as rich text too;
// pasted by key it must arrive as plain text in the editor's font.
TEST_F(RealEditing, PasteKeysBringPlainTextInTheEditorsFont) {
  const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}{\\colortbl;\\red255\\green0\\blue0;}"
                          "\\f0\\fs72\\cf1 big}";
  auto Offer = [&] {
    ASSERT_TRUE(OpenClipboard(Main()));
    EmptyClipboard();
    for (auto [format, text] : {std::pair<UINT, std::string>{RegisterClipboardFormatA("Rich Text Format"), rtf},
                                {CF_TEXT, "big"}}) {
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
      CopyMemory(GlobalLock(memory), text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      SetClipboardData(format, memory);
    }
    CloseClipboard();
  };
  TypeText("ab");
  for (auto [vk, modifier] : {std::pair<int, int>{'V', VK_CONTROL}, {VK_INSERT, VK_SHIFT}}) {
    Offer();
    app.edit->ExSetSel(1, 1);
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE held[256];
    CopyMemory(held, keys, sizeof(held));
    held[modifier] |= 0x80;
    SetKeyboardState(held);
    Post(WM_KEYDOWN, vk);
    Run();
    SetKeyboardState(keys);
    SelectRange(*app.edit, 0, 2, 0, 5);
    const CharFormat look = app.edit->GetSelectionFormat();
    EXPECT_EQ(look.face, app.state.EditorFontName) << vk;
    EXPECT_EQ(look.heightTwips, app.state.EditorFontSize * 20) << vk;
    EXPECT_NE(look.color, MakeColor(255, 0, 0)) << vk;
    EXPECT_EQ(Text().substr(0, 5), "abigb") << vk;
    TypeText("");
    app.edit->SetText("ab");
    ApplyEditorFont(*app.edit, app.state.EditorFontName, app.state.EditorFontSize);
  }
}

}  // namespace
