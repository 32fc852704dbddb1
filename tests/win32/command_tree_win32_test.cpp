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
  RECT LabelRect(TreeItem item) {
    RECT r;
    *reinterpret_cast<HTREEITEM*>(&r) = reinterpret_cast<HTREEITEM>(item);
    SendMessageA(Control(0), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // A point of the item's label, or of its expand button.
  POINT PointOn(TreeItem item, UINT part) {
    SendMessageA(Control(0), TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(item));
    const RECT r = LabelRect(item);
    for (int x = 0; x < r.right; ++x) {
      TVHITTESTINFO hit{{x, (r.top + r.bottom) / 2}, 0, nullptr};
      SendMessageA(Control(0), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if ((hit.flags & part) && hit.hItem == reinterpret_cast<HTREEITEM>(item)) return hit.pt;
    }
    ADD_FAILURE() << "no such part";
    return {0, 0};
  }
  void DoubleClick(POINT at) {
    PostMessageA(Control(0), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(Control(0), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Run();
  }
  bool Expanded(TreeItem item) {
    return SendMessageA(Control(0), TVM_GETITEMSTATE, item, TVIS_EXPANDED) & TVIS_EXPANDED;
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

  // A double-click inserts what it lands on, not what was selected before.
  app.edit->SetText("a.");
  app.edit->ExSetSel(2, 2);
  platform.ui.TreeSelect(0, group);
  Run();
  DoubleClick(PointOn(runTo, TVHT_ONITEMLABEL));
  EXPECT_EQ(app.edit->GetText(), "a.RunTo()");
  EXPECT_EQ(platform.ui.TreeSelected(0), runTo);
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(GetFocus(), Control(2));

  // Enter in the tree inserts the selected item.
  SendMessageA(Control(4), BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(Control(0));
  PostMessageA(Control(0), WM_KEYDOWN, VK_RETURN, 0);
  Run();
  EXPECT_EQ(app.edit->GetText(), "a.RunTo()RunTo(x, y)");

  // A double-click on a branch's button only closes the branch.
  ASSERT_TRUE(Expanded(group));
  DoubleClick(PointOn(group, TVHT_ONITEMBUTTON));
  EXPECT_EQ(app.edit->GetText(), "a.RunTo()RunTo(x, y)");
  EXPECT_NE(Expanded(group), true);
}

}  // namespace
