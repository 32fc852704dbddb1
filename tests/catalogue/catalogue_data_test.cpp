// The data set that ships with the editor, loaded as start-up loads it.
#include <gtest/gtest.h>

#include <iostream>
#include <set>

#include "catalogue/command_tree.h"
#include "catalogue/line_reader.h"
#include "catalogue/reference_parser.h"
#include "catalogue_test_support.h"

namespace {

// Entry lines written directly in the 26 object files, includes not followed.
size_t EntryLinesInObjectFiles(MemoryFileSystem& files) {
  size_t count = 0;
  for (const char* name : kReferenceFiles) {
    for (const std::string& line :
         SplitFileLines(files.files[std::string(kReferenceFolder) + name])) {
      for (const char* tag : {"*atr", "*met", "*mt2", "*glo"})
        if (line.compare(0, 4, tag) == 0) ++count;
    }
  }
  return count;
}

}  // namespace

TEST(CatalogueDataSet, LoadsWithPlausibleCounts) {
  MemoryFileSystem files;
  if (LoadDataSet(QVR_DATA_DIR, files) == 0) GTEST_SKIP() << "no data set in " << QVR_DATA_DIR;
  Catalogue catalogue;
  const TreeOutline outline = BuildCommandOutline(MakeCatalogueSource(files, ""), catalogue);

  std::vector<std::string> top;
  int methods = -1;
  for (int node : OutlineChildren(outline, -1)) {
    top.push_back(outline.nodes[node].label);
    if (top.back() == kReferenceLabel) methods = node;
  }
  EXPECT_EQ(top, (std::vector<std::string>{"Basic commands", "QVR Methods", "Keywords",
                                           "Low level events", "Directions", "User",
                                           "Codeblocks"}));
  for (const char* name : kReferenceFiles)
    EXPECT_TRUE(files.files.count(std::string(kReferenceFolder) + name)) << name;

  // Objects sit directly under "QVR Methods", one per object file at least.
  EXPECT_GE(OutlineChildren(outline, methods).size(), kReferenceFileCount - 1);

  const std::vector<ReferenceEntry>& entries = catalogue.reference;
  EXPECT_GE(entries.size(), 1000u);
  EXPECT_GT(entries.size(), EntryLinesInObjectFiles(files)) << "includes added nothing";
  size_t described = 0;
  for (const ReferenceEntry& entry : entries) {
    if (!entry.description.empty()) ++described;
    EXPECT_EQ(entry.suffix.empty(), entry.signature.empty()) << entry.name;
  }
  EXPECT_GE(described * 10, entries.size() * 9) << "most entries should have a description";

  const std::set<std::string> distinct(catalogue.memberNames.begin(), catalogue.memberNames.end());
  EXPECT_EQ(distinct.size(), catalogue.memberNames.size());
  EXPECT_EQ(distinct.count(""), 0u);
  EXPECT_GE(catalogue.memberNames.size(), 300u);
  EXPECT_LT(catalogue.memberNames.size(), entries.size());

  EXPECT_FALSE(catalogue.commands.empty());
  EXPECT_FALSE(catalogue.keywords.empty());
  EXPECT_FALSE(catalogue.events.empty());
  EXPECT_FALSE(catalogue.directions.empty());
  EXPECT_FALSE(catalogue.users.empty());
  ASSERT_FALSE(catalogue.codeBlocks.empty());
  for (const CodeBlock& block : catalogue.codeBlocks) EXPECT_FALSE(block.name.empty());

  std::cout << "[ data set ] " << entries.size() << " reference entries, "
            << catalogue.memberNames.size() << " member names, " << outline.nodes.size()
            << " tree items; lists " << catalogue.commands.size() << " commands, "
            << catalogue.keywords.size() << " keywords, " << catalogue.events.size()
            << " events, " << catalogue.directions.size() << " directions, "
            << catalogue.users.size() << " user lines, " << catalogue.codeBlocks.size()
            << " code blocks\n";
}
