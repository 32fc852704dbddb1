#include "settings/editor_face.h"

#include <gtest/gtest.h>

TEST(StandInFace, AnInstalledFixedPitchFaceStandsInForAMissingOne) {
  const std::vector<FontFace> wine = {{"Tahoma", false}, {"Courier", true}, {"DejaVu Sans Mono", true},
                                      {"Liberation Mono", true}};
  const std::vector<FontFace> bare = {{"Tahoma", false}, {"Fixedsys", true}};
  const struct {
    const char* chosen;
    std::vector<FontFace> installed;
    const char* shown;
  } cases[] = {
      {"Lucida Console", wine, "DejaVu Sans Mono"},   // a known look-alike first
      {"tahoma", wine, "tahoma"},                      // installed, whatever its pitch or case
      {"Courier", wine, "Courier"},
      {"Lucida Console", bare, "Fixedsys"},            // else any fixed-pitch face
      {"Lucida Console", {{"Tahoma", false}}, "Lucida Console"},  // none to stand in
      {"Lucida Console", {}, "Lucida Console"},        // nothing known
  };
  for (const auto& c : cases) EXPECT_EQ(StandInFace(c.chosen, c.installed), c.shown) << c.chosen;
}
