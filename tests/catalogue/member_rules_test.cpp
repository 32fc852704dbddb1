#include "catalogue/member_rules.h"

#include <gtest/gtest.h>

namespace {

using Items = std::vector<std::string>;

TEST(MemberRules, OnlyASpaceEndsTheObjectWordAndOnlyADotOpens) {
  EXPECT_EQ(ObjectWordBefore("Game.", 6), "Game");
  EXPECT_EQ(ObjectWordBefore("  x = Scene.", 13), "Scene");
  EXPECT_EQ(ObjectWordBefore("\tactor.", 8), "\tactor");          // a tab belongs to the word
  EXPECT_EQ(ObjectWordBefore("f(Game.Player.", 15), "f(Game.Player");
  EXPECT_EQ(ObjectWordBefore(".", 2), "");
  EXPECT_TRUE(CaretFollowsDot("Game.", 6));
  EXPECT_FALSE(CaretFollowsDot(".x", 1));                          // column 1 never follows a dot
  EXPECT_FALSE(CaretFollowsDot("Game.M", 7));
  EXPECT_FALSE(CaretFollowsDot("Game", 9));                        // past the end of the line
}

TEST(MemberRules, TheFilterKeepsIndexOrderAndReadsOwnersOnlyAfterTheThreeWords) {
  const Items names = {"Msg", "go", "GetActor", "GOTO", "Go", "gO", "Title", "\xE9t\xE9", "Move"};
  // "Title" is declared by Window and then by Scene: each owner counts.
  const std::vector<Items> owners = {{"Game"}, {"Actor"},  {"Scene"},         {""},     {"Game object"},
                                     {"Scene"}, {"Window", "Scene"}, {"Game"}, {"actor"}};
  Items matches;
  FilterMembers(names, owners, "Go", "other", matches);
  EXPECT_EQ(matches, (Items{"go()", "GOTO()", "Go()", "gO()"}));
  FilterMembers(names, owners, "", "Game", matches);
  EXPECT_EQ(matches, (Items{"Msg()", "Go()", "\xE9t\xE9()"}));     // owner holds "game" in any case
  FilterMembers(names, owners, "\xC9", "x", matches);               // Latin-1 letters fold too
  EXPECT_EQ(matches, (Items{"\xE9t\xE9()"}));
  FilterMembers(names, owners, "", "actor", matches);
  EXPECT_EQ(matches, (Items{"go()", "Move()"}));
  FilterMembers(names, owners, "", "\tactor", matches);             // not one of the three: everything
  EXPECT_EQ(matches.size(), names.size());
  FilterMembers(names, owners, "", "GAME", matches);                // the three words are case-sensitive
  EXPECT_EQ(matches.size(), names.size());
  FilterMembers(names, owners, "Msgx", "Game", matches);
  EXPECT_TRUE(matches.empty());
  FilterMembers(names, owners, "", "Scene", matches);
  EXPECT_EQ(matches, (Items{"GetActor()", "gO()", "Title()"}));
}

TEST(MemberRules, CaretStatusText) {
  EXPECT_EQ(CaretStatusText(12, 5, 0), "L: 12, C:5 -0");
  EXPECT_EQ(CaretStatusText(1, 1, 1), "L: 1, C:1 -1");
}

TEST(MemberRules, ThePopupGoesBelowTheLineAndStaysOnTheScreen) {
  PopupPlacementInput in;
  in.mainWindow = {216, 0, 808, 650};
  in.workArea = {0, 0, 1280, 770};
  in.popupW = 100;
  in.popupH = 120;
  in.lineHeight = 15;
  in.caretX = 300;
  in.lineTop = 200;
  PopupOffset at = PlacePopup(in);
  EXPECT_EQ(at.x, 300 - 216);
  EXPECT_EQ(at.y, 215);
  in.lineTop = 700;                                  // no room below: above the line
  EXPECT_EQ(PlacePopup(in).y, 700 - 120);
  in.caretX = 1250;                                  // no room to the right: along the edge
  EXPECT_EQ(PlacePopup(in).x, 1280 - 100 - 216);
  in.caretX = -40;
  EXPECT_EQ(PlacePopup(in).x, -216);
}

}  // namespace
