#include "catalogue/command_tree.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "catalogue/tree_event.h"
#include "catalogue_test_support.h"
#include "platform/memory/memory_ui.h"

namespace {

void AddAllFiles(MemoryFileSystem& files) {
  files.files["QVR_Command_List.txt"] = "Wait(ms)\r\nSay \r\n";
  files.files["QVR_Keyword_List.txt"] = "if\r\n";
  files.files["QVR_Events_List.txt"] = "OnClick\r\n";
  files.files["QVR_Dirs_List.txt"] = "North\r\n";
  files.files["QVR_User_List.txt"] = "MyLine\r\n";
  files.files["QVR_UserBlocks_List.txt"] = "#Loop#Repeats\r\nfor\r\n";
  files.files["QVR_Docs\\scripting_ref_game.txt"] = "*tit Game\r\n*met Sleep(ms)\r\n";
}

}  // namespace

TEST(CommandTree, TopLevelItemsInTheirFixedOrder) {
  MemoryFileSystem files;
  AddAllFiles(files);
  Catalogue catalogue;
  const TreeOutline outline = BuildCommandOutline(MakeCatalogueSource(files, ""), catalogue);
  EXPECT_EQ(OutlineText(outline),
            "Basic commands\n  Wait(ms)\n  Say \n"
            "QVR Methods\n  Game\n    Sleep\n"
            "Keywords\n  if\n"
            "Low level events\n  OnClick\n"
            "Directions\n  North\n"
            "User\n  MyLine\n"
            "Codeblocks\n  Loop\n");
  EXPECT_EQ(catalogue.events, (std::vector<std::string>{"OnClick"}));
  EXPECT_EQ(catalogue.directions, (std::vector<std::string>{"North"}));
}

TEST(CommandTree, OnlyFilesThatOpenGetAnItemButMethodsAlwaysDoes) {
  MemoryFileSystem files;
  files.files["QVR_Dirs_List.txt"] = "";
  Catalogue catalogue;
  const TreeOutline outline = BuildCommandOutline(MakeCatalogueSource(files, ""), catalogue);
  EXPECT_EQ(OutlineText(outline), "QVR Methods\nDirections\n");
}

TEST(CommandTree, FillCopiesTheOutlineWithItsLinks) {
  MemoryFileSystem files;
  AddAllFiles(files);
  AppState state;
  MemoryUi ui;
  ui.TreeAdd(kCommandTree, kTreeRoot, "left over", 0);
  LoadCommandTree(state, files, ui);

  const std::vector<TreeItem> top = ui.TreeChildren(kCommandTree, kTreeRoot);
  ASSERT_EQ(top.size(), 7u);
  EXPECT_EQ(ui.TreeItemText(kCommandTree, top[0]), "Basic commands");
  EXPECT_EQ(ui.TreeItemData(kCommandTree, top[0]), 0);
  const TreeItem game = ui.TreeChildren(kCommandTree, top[1]).at(0);
  const TreeItem sleep = ui.TreeChildren(kCommandTree, game).at(0);
  EXPECT_EQ(ui.TreeItemText(kCommandTree, sleep), "Sleep");
  EXPECT_EQ(DecodeTreeLink(ui.TreeItemData(kCommandTree, sleep)),
            (TreeLink{LinkKind::Reference, 0}));
  const TreeItem say = ui.TreeChildren(kCommandTree, top[0]).at(1);
  EXPECT_EQ(DecodeTreeLink(ui.TreeItemData(kCommandTree, say)), (TreeLink{LinkKind::Command, 1}));
  EXPECT_EQ(state.catalogue.commands.size(), 2u);
}

TEST(TreeLink, EncodesIntoAThirtyTwoBitLong) {
  for (LinkKind kind : {LinkKind::Reference, LinkKind::Command, LinkKind::CodeBlock}) {
    for (int index : {0, 1, 2000, (1 << 24) - 1}) {
      const long data = EncodeTreeLink({kind, index});
      EXPECT_GT(data, 0);
      EXPECT_LE(data, 0x7FFFFFFFL);
      EXPECT_EQ(DecodeTreeLink(data), (TreeLink{kind, index}));
    }
  }
  EXPECT_EQ(EncodeTreeLink({LinkKind::None, 5}), 0);
  EXPECT_EQ(EncodeTreeLink({LinkKind::User, 1 << 24}), 0);  // falls back to matching by text
  EXPECT_EQ(DecodeTreeLink(0).kind, LinkKind::None);
  EXPECT_EQ(DecodeTreeLink(-1).kind, LinkKind::None);
  EXPECT_EQ(DecodeTreeLink(9L << 24).kind, LinkKind::None);
}
