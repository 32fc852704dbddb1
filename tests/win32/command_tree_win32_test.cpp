// The command tree in the real tree control, filled from the shipped data
// beside the program, answering real selection and double-click
// notifications.
#include <windows.h>
#include <commctrl.h>

#include "editor/editor_ops.h"
#include "win32/real_app.h"

namespace {

class RealTree : public RealApp {
 protected:
  TreeItem Child(TreeItem parent, const std::string& label) {
    for (TreeItem item : platform.ui.TreeChildren(0, parent))
      if (platform.ui.TreeItemText(0, item) == label) return item;
    return 0;
  }
  void Notify(UINT code) {
    NMHDR header{Control(0), static_cast<UINT_PTR>(100), code};
    SendMessageA(GetParent(Control(0)), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    Run();
  }
};

TEST_F(RealTree, TopLevelItemsInTheirOrder) {
  std::vector<std::string> labels;
  for (TreeItem item : platform.ui.TreeChildren(0, kTreeRoot)) labels.push_back(platform.ui.TreeItemText(0, item));
  EXPECT_EQ(labels, (std::vector<std::string>{"Basic commands", "QVR Methods", "Keywords", "Low level events",
                                              "Directions", "User", "Codeblocks"}));
  EXPECT_EQ(platform.ui.TreeChildren(0, Child(kTreeRoot, "QVR Methods")).size(), 26u);
}

TEST_F(RealTree, SelectingShowsTheEntryAndDoubleClickInsertsIt) {
  TreeItem methods = Child(kTreeRoot, "QVR Methods");
  TreeItem actor = Child(methods, "Actor");
  ASSERT_NE(actor, 0u);
  TreeItem group = Child(actor, "Movement");
  ASSERT_NE(group, 0u);
  TreeItem runTo = Child(group, "RunTo");
  ASSERT_NE(runTo, 0u);
  platform.ui.TreeSelect(0, runTo);
  Run();
  EXPECT_EQ(platform.ui.StatusText(0), "RunTo(x, y)");
  EXPECT_FALSE(platform.ui.ControlText(5).empty());

  app.edit->SetText("a.");
  app.edit->ExSetSel(2, 2);
  Notify(NM_DBLCLK);
  EXPECT_EQ(app.edit->GetText(), "a.RunTo()");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(GetFocus(), Control(2));

  SendMessageA(Control(4), BM_SETCHECK, BST_CHECKED, 0);
  Notify(NM_DBLCLK);
  EXPECT_EQ(app.edit->GetText(), "a.RunTo()RunTo(x, y)");
}

}  // namespace
