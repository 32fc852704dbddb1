#include "catalogue/line_lists.h"

#include <gtest/gtest.h>

#include "catalogue/command_tree.h"
#include "catalogue/line_reader.h"
#include "catalogue_test_support.h"

namespace {

struct ListLoad {
  MemoryFileSystem files;
  TreeOutline outline;
  OutlineBuilder builder{&outline, {}};
  std::vector<std::string> list;

  bool cut = false;
  bool Load(const std::string& name = "list.txt", size_t capacity = 501) {
    return LoadLineList(MakeCatalogueSource(files, ""), name, "Label", list, LinkKind::User,
                        builder, capacity, cut);
  }
};

}  // namespace

TEST(LineList, EveryLineIsStoredAndShownUnchanged) {
  ListLoad load;
  load.files.files["list.txt"] = "Wait(ms)\r\n   \r\n\r\nSay \"hi\";\r\nWait(ms)";
  ASSERT_TRUE(load.Load());
  EXPECT_EQ(load.list, (std::vector<std::string>{"Wait(ms)", "   ", "", "Say \"hi\";", "Wait(ms)"}));
  EXPECT_EQ(OutlineText(load.outline), "Label\n  Wait(ms)\n     \n  \n  Say \"hi\";\n  Wait(ms)\n");
  // Duplicate lines keep their own links, so each item inserts its own line.
  EXPECT_EQ(load.outline.nodes[1].link, (TreeLink{LinkKind::User, 0}));
  EXPECT_EQ(load.outline.nodes[5].link, (TreeLink{LinkKind::User, 4}));
}

TEST(LineList, EmptyFileGivesAnItemWithoutChildren) {
  ListLoad load;
  load.files.files["list.txt"] = "";
  ASSERT_TRUE(load.Load());
  EXPECT_EQ(OutlineText(load.outline), "Label\n");
  EXPECT_TRUE(load.list.empty());
}

TEST(LineList, MissingFileChangesNothing) {
  ListLoad load;
  load.list = {"kept"};
  EXPECT_FALSE(load.Load());
  EXPECT_TRUE(load.outline.nodes.empty());
  EXPECT_EQ(load.list, (std::vector<std::string>{"kept"}));
}

TEST(LineList, LooksBesideTheExecutableWhenNotInTheWorkingFolder) {
  ListLoad load;
  load.files.executablePath = "C:\\Games\\QVR\\qvrvse.exe";
  load.files.files["C:\\Games\\QVR\\list.txt"] = "beside";
  ASSERT_TRUE(load.Load());
  EXPECT_EQ(load.list, (std::vector<std::string>{"beside"}));

  // The working folder wins when both have the file.
  ListLoad both;
  both.files.executablePath = "C:\\Games\\QVR\\qvrvse.exe";
  both.files.files["C:\\Games\\QVR\\list.txt"] = "beside";
  both.files.files["list.txt"] = "working";
  ASSERT_TRUE(both.Load());
  EXPECT_EQ(both.list, (std::vector<std::string>{"working"}));
}

TEST(CodeBlock, HeaderFormsSplitNameAndDescription) {
  const std::vector<CodeBlock> blocks = ParseCodeBlocks(
      {"#Loop#Repeats a statement", "#Bare#", "#OnlyDescription", "#Pick#one # or # other", "#"});
  ASSERT_EQ(blocks.size(), 5u);
  EXPECT_EQ(blocks[0].name, "Loop");
  EXPECT_EQ(blocks[0].description, "Repeats a statement");
  EXPECT_EQ(blocks[1].name, "Bare");
  EXPECT_EQ(blocks[1].description, "");
  EXPECT_EQ(blocks[2].name, "");
  EXPECT_EQ(blocks[2].description, "OnlyDescription");
  EXPECT_EQ(blocks[3].name, "Pick");
  EXPECT_EQ(blocks[3].description, "one # or # other");
  EXPECT_EQ(blocks[4].name, "");
  EXPECT_EQ(blocks[4].description, "");
}

TEST(CodeBlock, CodeLinesEachEndInALineFeed) {
  const std::vector<CodeBlock> blocks = ParseCodeBlocks(
      SplitFileLines("stray before any header\r\n#A#first\r\nfor i\r\n\r\n  end\r\n#B#empty\r\n"));
  ASSERT_EQ(blocks.size(), 2u);  // the stray line belongs to no block and is dropped
  EXPECT_EQ(blocks[0].code, "for i\n\n  end\n");
  EXPECT_EQ(blocks[1].code, "");
}

TEST(CodeBlock, LoadAddsCodeblocksItemLinkedToEachBlock) {
  MemoryFileSystem files;
  files.files[kCodeBlockFile] = "#Same#one\r\nx\r\n#Same#two\r\ny\r\n";
  TreeOutline outline;
  OutlineBuilder builder{&outline, {}};
  std::vector<CodeBlock> blocks;
  bool cut = false;
  ASSERT_TRUE(LoadCodeBlocks(MakeCatalogueSource(files, ""), blocks, builder, cut));
  EXPECT_FALSE(cut);
  EXPECT_EQ(OutlineText(outline), "Codeblocks\n  Same\n  Same\n");
  EXPECT_EQ(outline.nodes[2].link, (TreeLink{LinkKind::CodeBlock, 1}));
  EXPECT_EQ(blocks[1].code, "y\n");

  MemoryFileSystem none;
  TreeOutline empty;
  OutlineBuilder emptyBuilder{&empty, {}};
  EXPECT_FALSE(LoadCodeBlocks(MakeCatalogueSource(none, ""), blocks, emptyBuilder, cut));
  EXPECT_TRUE(empty.nodes.empty());
}

// A damaged or foreign file stops at the table's capacity and keeps no line
// longer than an entry can be: the editor still starts, and says which file.
TEST(LineList, LoadersStopAtTheirCapacities) {
  ListLoad load;
  std::string many;
  for (int i = 0; i < 3000; ++i) many += "Cmd" + std::to_string(i) + "\r\n";
  load.files.files["list.txt"] = std::string(5000, 'x') + "\n" + many;
  ASSERT_TRUE(load.Load("list.txt", 101));
  EXPECT_TRUE(load.cut);
  ASSERT_EQ(load.list.size(), 101u);
  EXPECT_EQ(load.list.front(), "Cmd0");
  EXPECT_EQ(load.outline.nodes.size(), 102u);

  MemoryFileSystem files;
  std::string blocks;
  for (int i = 0; i < 200; ++i) blocks += "#B" + std::to_string(i) + "#\r\nline\r\n";
  files.files[kCodeBlockFile] = "#Big#\n" + std::string(70000, 'c') + "\n" + std::string(100, 'd') + "\n" + blocks;
  TreeOutline outline;
  OutlineBuilder builder{&outline, {}};
  std::vector<CodeBlock> read;
  bool cut = false;
  ASSERT_TRUE(LoadCodeBlocks(MakeCatalogueSource(files, ""), read, builder, cut));
  EXPECT_TRUE(cut);
  ASSERT_EQ(read.size(), kCodeBlockCapacity);
  EXPECT_EQ(read[0].code, std::string(100, 'd') + "\n");

  // At start-up: one notice names the first file cut short.
  Catalogue catalogue;
  MemoryFileSystem start;
  start.files["QVR_Events_List.txt"] = many;
  start.files[kCodeBlockFile] = blocks;
  BuildCommandOutline(MakeCatalogueSource(start, ""), catalogue);
  EXPECT_EQ(catalogue.cutListFile, "QVR_Events_List.txt");
  EXPECT_EQ(catalogue.events.size(), kEventsListCapacity);
}
