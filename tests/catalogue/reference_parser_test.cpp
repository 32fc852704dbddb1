#include "catalogue/reference_parser.h"

#include <gtest/gtest.h>

#include "catalogue_test_support.h"
#include "support/app_fixture.h"

namespace {

// Reference files by their name inside "QVR_Docs\"; Load runs the whole
// catalogue load over whichever of the 26 files are present.
struct ReferenceLoad {
  MemoryFileSystem files;
  Catalogue catalogue;
  TreeOutline outline;
  OutlineBuilder builder{&outline, {}};

  void Add(const std::string& name, const std::string& text) {
    files.files[std::string("QVR_Docs\\") + name] = text;
  }
  std::string Load() {
    LoadReferenceCatalogue(MakeCatalogueSource(files, ""), catalogue, builder);
    return OutlineText(outline);
  }
  const ReferenceEntry& Entry(size_t i) const { return catalogue.reference.at(i); }
};

}  // namespace

TEST(Reference, BuildsObjectGroupAndMemberNodes) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt",
           "Prose before the title is skipped.\r\n"
           "*tit Game\r\n"
           "*grp \r\n"                   // same as the empty group: opens nothing
           "*atr Title\r\n"
           "*des Window title.\r\n"
           "*grp Timing\r\n"
           "*met Sleep(ms)\r\n"
           "*des Waits.\r\n"
           "*grp Timing\r\n"             // repeats the current group
           "*met Now\r\n"
           "*grp \r\n"                   // empty after a named group
           "*atr Score\r\n");
  load.Add("scripting_ref_scene.txt", "*tit Scene\r\n*atr Name\r\n");
  EXPECT_EQ(load.Load(),
            "QVR Methods\n"
            "  Game\n"
            "    Title\n"
            "    Timing\n"
            "      Sleep\n"
            "      Now\n"
            "    Attributes\n"
            "      Score\n"
            "  Scene\n"        // the game file's nodes were closed
            "    Name\n");
  // Each member item links to the entry it was made from.
  EXPECT_EQ(load.outline.nodes[4].link, (TreeLink{LinkKind::Reference, 1}));
  EXPECT_EQ(load.outline.nodes[9].link, (TreeLink{LinkKind::Reference, 4}));
}

TEST(Reference, EntriesFollowTheMethodRule) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt",
           "*tit Game\r\n"
           "*atr Title\r\n"
           "*met Sleep(ms)\r\n"
           "*met Quit\r\n"
           "*glo Rnd(max)\r\n"
           "*met (odd)\r\n");
  load.Load();
  ASSERT_EQ(load.catalogue.reference.size(), 5u);
  const auto fields = [&](size_t i) {
    const ReferenceEntry& e = load.Entry(i);
    return std::vector<std::string>{e.name, e.suffix, e.signature, e.owner};
  };
  EXPECT_EQ(fields(0), (std::vector<std::string>{"Title", "", "", "Game"}));
  EXPECT_EQ(fields(1), (std::vector<std::string>{"Sleep", "()", "Sleep(ms)", "Game"}));
  EXPECT_EQ(fields(2), (std::vector<std::string>{"Quit", "", "", ""}));
  EXPECT_EQ(fields(3), (std::vector<std::string>{"Rnd", "()", "Rnd(max)", ""}));
  EXPECT_EQ(fields(4), (std::vector<std::string>{"", "()", "(odd)", "Game"}));
}

TEST(Reference, LineFormatTagSeparatorAndValue) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt",
           "*tit Game\r\n"
           "*met\r\n"              // too short for a value: empty name
           "*me\r\n"               // too short for a tag
           "*MET Upper()\r\n"      // tags are lower case
           "*xyz Other\r\n"
           " *met Indented()\r\n"
           "*met_Any(separator)\r\n");
  load.Load();
  ASSERT_EQ(load.catalogue.reference.size(), 2u);
  EXPECT_EQ(load.Entry(0).name, "");
  EXPECT_EQ(load.Entry(1).signature, "Any(separator)");
}

TEST(Reference, DescriptionsGoToTheWaitingEntryAndItsAlternatives) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt",
           "*tit Game\r\n"
           "*des Nothing waits yet.\r\n"
           "*atr Title\r\n"
           "*des First.\r\n"
           "*des Second is skipped.\r\n"
           "*met Play(a)\r\n"
           "*mt2 Play(a, b)\r\n"
           "*mt2 Play(a, b, c)\r\n"
           "*des Plays.\r\n"
           "*met Stop()\r\n"
           "*glo Beep()\r\n"        // a new entry ends Stop's wait without a description
           "*des Beeps.\r\n");
  load.Load();
  ASSERT_EQ(load.catalogue.reference.size(), 6u);
  EXPECT_EQ(load.Entry(0).description, "First.");
  EXPECT_EQ(load.Entry(1).description, "Plays.");
  EXPECT_EQ(load.Entry(2).description, "Plays.");
  EXPECT_EQ(load.Entry(3).description, "Plays.");
  EXPECT_EQ(load.Entry(3).owner, "Game");
  EXPECT_EQ(load.Entry(4).description, "");
  EXPECT_EQ(load.Entry(5).description, "Beeps.");
  // One tree item per signature line.
  EXPECT_EQ(OutlineText(load.outline),
            "QVR Methods\n  Game\n    Title\n    Play\n    Play\n    Play\n    Stop\n    Beep\n");
}

TEST(Reference, FileWithOnlyATitleGivesAnEmptyObjectNode) {
  ReferenceLoad load;
  load.Add("scripting_ref_date.txt", "*tit Date\r\n");
  EXPECT_EQ(load.Load(), "QVR Methods\n  Date\n");
}

TEST(Reference, MissingFilesStillGiveTheMethodsBranch) {
  ReferenceLoad load;
  EXPECT_EQ(load.Load(), "QVR Methods\n");
  EXPECT_TRUE(load.catalogue.memberNames.empty());
}

TEST(Reference, FilesAreReadInTheirFixedOrderUnderQvrDocs) {
  ReferenceLoad load;
  load.Add("scripting_ref_functions.txt", "*glo Last()\r\n");
  load.Add("scripting_ref_game.txt", "*tit Game\r\n*atr First\r\n");
  load.files.files["scripting_ref_scene.txt"] = "*tit NotInTheFolder\r\n";
  EXPECT_EQ(load.Load(), "QVR Methods\n  Game\n    First\n  Last\n");
}

TEST(Reference, EachTopLevelFileStartsWithoutTitleOrGroup) {
  ReferenceLoad load;
  load.Add("scripting_ref_membuffer.txt", "*tit MemBuffer\r\n*grp Methods\r\n*met Free()\r\n");
  load.Add("scripting_ref_functions.txt",
           "*grp Text\r\n*met Trim(s)\r\n*grp Numbers\r\n*glo Abs(n)\r\n");
  EXPECT_EQ(load.Load(),
            "QVR Methods\n"
            "  MemBuffer\n"
            "    Methods\n"
            "      Free\n"
            "  Text\n"
            "    Trim\n"
            "  Numbers\n"
            "    Abs\n");
  EXPECT_EQ(load.Entry(1).owner, "");  // not the previous file's "MemBuffer"
  // Nothing climbed out of "QVR Methods".
  for (size_t i = 1; i < load.outline.nodes.size(); ++i) EXPECT_GE(load.outline.nodes[i].depth, 1);
}

TEST(Reference, ASecondTitleInAFileSitsBesideTheFirst) {
  ReferenceLoad load;
  load.Add("scripting_ref_window.txt",
           "*tit Window\r\n*grp Look\r\n*atr Color\r\n*tit Panel\r\n*atr Border\r\n");
  EXPECT_EQ(load.Load(),
            "QVR Methods\n  Window\n    Look\n      Color\n  Panel\n    Border\n");
}

TEST(Reference, IncludeLandsUnderTheCurrentNodeAndSharesState) {
  ReferenceLoad load;
  load.Add("scripting_ref_actor.txt",
           "*tit Actor\r\n"
           "*grp Moving\r\n"
           "*met Walk(x, y)\r\n"
           "*inc common.txt\r\n"
           "*des Walks.\r\n"        // still Walk's description, not the included entry's
           "*atr Speed\r\n"
           "*inc missing.txt\r\n"
           "*atr AfterMissing\r\n");
  load.Add("common.txt", "*atr X\r\n*des Left.\r\n*grp Drawing\r\n*met Show()\r\n");
  EXPECT_EQ(load.Load(),
            "QVR Methods\n"
            "  Actor\n"
            "    Moving\n"
            "      Walk\n"
            "      X\n"
            "    Drawing\n"          // the include's group replaced the current one
            "      Show\n"
            "      Speed\n"
            "      AfterMissing\n");
  EXPECT_EQ(load.Entry(0).description, "Walks.");
  EXPECT_EQ(load.Entry(1).description, "Left.");
  EXPECT_EQ(load.Entry(1).owner, "Actor");
  EXPECT_EQ(load.Entry(2).owner, "Actor");
  EXPECT_EQ(load.Entry(2).description, "");
}

TEST(Reference, IncludeNamesIgnoreCaseAndSlashWhenLookingForCycles) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt", "*tit Game\r\n*inc a.txt\r\n");
  load.Add("a.txt", "*atr A\r\n*inc sub/b.txt\r\n");
  load.Add("sub/b.txt", "*atr B\r\n*inc A.TXT\r\n*inc sub\\b.txt\r\n");
  load.Add("A.TXT", "*atr SameFileOtherCase\r\n");
  load.Add("sub\\b.txt", "*atr SameFileOtherSlash\r\n");
  EXPECT_EQ(load.Load(), "QVR Methods\n  Game\n    A\n    B\n");
}

TEST(Reference, SelfIncludeIsParsedOnce) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt", "*tit Game\r\n*atr Before\r\n*inc scripting_ref_game.txt\r\n*atr After\r\n");
  EXPECT_EQ(load.Load(), "QVR Methods\n  Game\n    Before\n    After\n");
}

TEST(Reference, DeepIncludeChainsStopAtTheDepthLimit) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt", "*tit Game\r\n*inc f0.txt\r\n");
  for (int i = 0; i < 40; ++i)
    load.Add("f" + std::to_string(i) + ".txt",
             "*atr E" + std::to_string(i) + "\r\n*inc f" + std::to_string(i + 1) + ".txt\r\n");
  load.Load();
  EXPECT_EQ(load.catalogue.reference.size(), kMaxIncludeDepth);
}

TEST(Reference, RepeatedIncludesAreBoundedPerRun) {
  // No cycle, but each level includes the next twice: 2^30 parses unbounded.
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt", "*tit Game\r\n*inc f0.txt\r\n");
  for (int i = 0; i < 30; ++i) {
    const std::string next = "*inc f" + std::to_string(i + 1) + ".txt\r\n";
    load.Add("f" + std::to_string(i) + ".txt", "*atr E\r\n" + next + next);
  }
  load.Load();
  EXPECT_EQ(load.catalogue.reference.size(), static_cast<size_t>(kMaxIncludeParses));
}

TEST(Reference, TablesGrowPastTheirPlannedCapacities) {
  ReferenceLoad load;
  std::string text = "*tit Big\r\n";
  for (int i = 0; i < 2500; ++i) text += "*atr Member" + std::to_string(i) + "\r\n";
  load.Add("scripting_ref_array.txt", text);
  load.Load();
  EXPECT_EQ(load.catalogue.reference.size(), 2500u);
  EXPECT_EQ(load.catalogue.memberNames.size(), 2500u);
  EXPECT_EQ(load.catalogue.memberNames.back(), "Member2499");
}

TEST(MemberIndex, FirstAppearanceOrderWithEveryOwner) {
  ReferenceLoad load;
  load.Add("scripting_ref_game.txt", "*tit Game\r\n*met GetName()\r\n*atr Title\r\n*met Quit\r\n");
  load.Add("scripting_ref_scene.txt",
           "*tit Scene\r\n*atr Title\r\n*met getname()\r\n*met GetName()\r\n*met (x)\r\n*atr Zoom\r\n");
  load.Load();
  EXPECT_EQ(load.catalogue.reference.size(), 8u);  // every declaration is an entry
  EXPECT_EQ(load.catalogue.memberNames,
            (std::vector<std::string>{"GetName", "Title", "Quit", "getname", "Zoom"}));
  using Owners = std::vector<std::string>;
  EXPECT_EQ(load.catalogue.memberOwners,
            (std::vector<Owners>{{"Game", "Scene"}, {"Game", "Scene"}, {""}, {"Scene"}, {"Scene"}}));
}

namespace {

// A few lines including a large file many times over.
void AddIncludeBomb(MemoryFileSystem& files, int includes, int entries) {
  std::string top = "*tit Game\r\n";
  for (int i = 0; i < includes; ++i) top += "*inc b.txt\r\n";
  std::string big;
  for (int i = 0; i < entries; ++i) big += "*atr M" + std::to_string(i) + "\r\n";
  files.files["QVR_Docs\\scripting_ref_game.txt"] = top;
  files.files["QVR_Docs\\b.txt"] = big;
}

class CutReference : public AppFixture {
  void Prepare() override { AddIncludeBomb(mem.files, 1000, 10000); }
};

}  // namespace

TEST(Reference, IncludesAreBoundedByWhatTheyAddUpToAndACutIsReported) {
  ReferenceLoad load;
  AddIncludeBomb(load.files, 1000, 10000);
  load.Load();
  const size_t perInclude = load.files.files["QVR_Docs\\b.txt"].size();
  EXPECT_TRUE(load.catalogue.referenceCut);
  EXPECT_EQ(load.catalogue.reference.size(), 10000u * (kMaxIncludeBytes / perInclude));
  EXPECT_LT(load.files.reads, 100);  // the rest of the thousand lines read nothing

  // One include bigger than the whole budget is skipped, not read in part.
  ReferenceLoad huge;
  AddIncludeBomb(huge.files, 1, 150000);
  huge.Load();
  EXPECT_TRUE(huge.catalogue.referenceCut);
  EXPECT_TRUE(huge.catalogue.reference.empty());

  ReferenceLoad deep;
  deep.Add("scripting_ref_game.txt", "*tit Game\r\n*inc f0.txt\r\n");
  for (int i = 0; i < 20; ++i)
    deep.Add("f" + std::to_string(i) + ".txt", "*inc f" + std::to_string(i + 1) + ".txt\r\n");
  deep.Load();
  EXPECT_TRUE(deep.catalogue.referenceCut);

  // Cycles are skipped as a matter of course, and say nothing.
  ReferenceLoad cycle;
  cycle.Add("scripting_ref_game.txt", "*tit Game\r\n*inc a.txt\r\n*inc a.txt\r\n");
  cycle.Add("a.txt", "*atr A\r\n*inc scripting_ref_game.txt\r\n");
  cycle.Load();
  EXPECT_FALSE(cycle.catalogue.referenceCut);
  EXPECT_EQ(cycle.catalogue.reference.size(), 2u);
}

TEST_F(CutReference, StartUpSaysTheReferenceWasCut) {
  EXPECT_EQ(mem.ui.ControlText(kDescriptionLine), kReferenceCutNotice);
  EXPECT_LT(app.state.catalogue.reference.size(), 200000u);
}

// A second title in one file starts a new object under "QVR Methods",
// wherever the first object's nodes had got to.
TEST(Reference, ASecondTitleStartsANewObject) {
  const struct {
    const char* text;
    const char* outline;
  } cases[] = {
      {"*tit A\r\n*tit B\r\n*atr b\r\n", "QVR Methods\n  A\n  B\n    b\n"},
      {"*tit A\r\n*atr a\r\n*tit B\r\n*atr b\r\n", "QVR Methods\n  A\n    a\n  B\n    b\n"},
      {"*tit A\r\n*grp G\r\n*atr a\r\n*tit B\r\n*grp G\r\n*atr b\r\n",
       "QVR Methods\n  A\n    G\n      a\n  B\n    G\n      b\n"},
  };
  for (const auto& c : cases) {
    ReferenceLoad load;
    load.Add("scripting_ref_game.txt", c.text);
    EXPECT_EQ(load.Load(), c.outline) << c.text;
    EXPECT_EQ(load.catalogue.reference.back().owner, "B") << c.text;
  }
}
