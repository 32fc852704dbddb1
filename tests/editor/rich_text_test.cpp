// The rich-text form both ways, and loading through it: whatever goes wrong
// with formatting, the user's text must come through byte for byte.
#include "editor/rich_text.h"

#include <random>

#include "editor/highlight_passes.h"
#include "support/app_fixture.h"

namespace {

std::vector<CharLook> LooksOf(size_t count, const std::string& face) {
  CharLook look;
  look.face = face;
  look.heightTwips = 200;
  return std::vector<CharLook>(count, look);
}

TEST(RichText, FaceNamesWithTheFormsOwnCharactersComeBackWhole) {
  for (const std::string face : {"A{B}C;D", "A;B", "A\\B", "\x82x", "}", "{\\f1 X;}", "a\tb"}) {
    SCOPED_TRACE(face);
    const std::string text = "if x {\r}\\ ;'\x82";
    std::string readText;
    std::vector<CharLook> looks;
    ASSERT_TRUE(ReadRichText(WriteRichText(text, LooksOf(text.size(), face)), readText, looks));
    EXPECT_EQ(readText, text);
    ASSERT_EQ(looks.size(), text.size());
    EXPECT_EQ(looks.front().face, face);
    EXPECT_EQ(looks.back().face, face);
  }
}

TEST(RichText, HostileInputEndsCleanly) {
  std::string text;
  std::vector<CharLook> looks;
  // Nesting far deeper than any thread's stack would hold as calls.
  const size_t deep = 200000;
  EXPECT_FALSE(ReadRichText("{\\rtf1 " + std::string(deep, '{') + "x" + std::string(deep, '}') + "}",
                            text, looks));
  ASSERT_TRUE(ReadRichText("{\\rtf1 " + std::string(500, '{') + "x" + std::string(500, '}') + "}",
                           text, looks));
  EXPECT_EQ(text, "x");
  // Sizes that would overflow when scaled, and negative ones.
  ASSERT_TRUE(ReadRichText("{\\rtf1 \\fs300000000 a\\fs99999999999999999999 b\\fs-5 c}", text, looks));
  ASSERT_EQ(looks.size(), 3u);
  EXPECT_EQ(looks[0].heightTwips, kMaxHalfPoints * 10);
  EXPECT_EQ(looks[1].heightTwips, kMaxHalfPoints * 10);
  EXPECT_EQ(looks[2].heightTwips, 0);
  // Colour levels out of range stay within their own byte.
  ASSERT_TRUE(ReadRichText("{\\rtf1{\\colortbl ;\\red300\\green-1\\blue7;}\\cf1 a}", text, looks));
  EXPECT_EQ(looks[0].color, 255u | 7u << 16);
}

TEST(RichText, RoundTripIsExactWithinItsDomainAndNearestOutside) {
  std::mt19937 random(7);
  const std::string faces[] = {"", "Courier New", "A;B", "\x82"};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    std::vector<CharLook> looks;
    const size_t length = random() % 40;
    for (size_t i = 0; i < length; ++i) {
      text += static_cast<char>(random() % 256);
      CharLook look;
      look.color = random() & 0xFFFFFF;
      look.effects = random() & 0xF;
      look.heightTwips = static_cast<int32_t>(random() % (kMaxHalfPoints + 1)) * 10;
      look.face = faces[random() % 4];
      looks.push_back(look);
    }
    std::string readText;
    std::vector<CharLook> readLooks;
    ASSERT_TRUE(ReadRichText(WriteRichText(text, looks), readText, readLooks));
    ASSERT_EQ(readText, text);
    ASSERT_TRUE(readLooks == looks) << "round " << round;
  }
  // An empty face before a named one keeps its own font.
  std::vector<CharLook> looks = LooksOf(2, "");
  looks[1].face = "Arial";
  looks[0].heightTwips = 245;
  looks[1].color = 0x01FF0000u;
  std::string text;
  std::vector<CharLook> read;
  ASSERT_TRUE(ReadRichText(WriteRichText("ab", looks), text, read));
  EXPECT_EQ(read[0].face, "");
  EXPECT_EQ(read[1].face, "Arial");
  EXPECT_EQ(read[0].heightTwips, 250);
  EXPECT_EQ(read[1].color, 0x00FF0000u);
  // Looks that differ only where the form cannot tell them apart leave the
  // text alone.
  looks = LooksOf(2, "");
  looks[1].effects = 16;
  ASSERT_TRUE(ReadRichText(WriteRichText("ab", looks), text, read));
  EXPECT_EQ(text, "ab");
}

// A control that reads rich text its own way and loses the last character.
class LossyControl : public MemoryEditControl {
 public:
  void SetRichText(const std::string& rtf, bool selectionOnly) override {
    MemoryEditControl::SetRichText(rtf, selectionOnly);
    if (Length() > 0) {
      ExSetSel(Length() - 1, Length());
      ReplaceSel("", false);
    }
  }
};

class Loading : public AppFixture {};

TEST_F(Loading, ATextTheControlReadsDifferentlyIsLoadedPlain) {
  const std::vector<std::string> lines = {"x // note", "{ y; }", "end"};
  app.state.EditorFontName = "A{B}C;D";
  LoadText(app, lines, true);
  EXPECT_EQ(Text(), "x // note\r\n{ y; }\r\nend");
  EXPECT_EQ(edit().FormatAt(0).face, "A{B}C;D");

  LossyControl lossy;
  app.edit = &lossy;
  app.state.EditorFontName = "Courier New";
  for (bool highlight : {false, true}) {
    LoadText(app, lines, highlight);
    EXPECT_EQ(lossy.GetText(), "x // note\r\n{ y; }\r\nend");
    EXPECT_EQ(lossy.FormatAt(lossy.Length() - 1).face, "Courier New");
  }
  EXPECT_EQ(lossy.FormatAt(3).color, MakeColor(0, 200, 0));  // the comment
  HighlightAll(app);
  EXPECT_EQ(lossy.GetText(), "x // note\r\n{ y; }\r\nend");
  app.edit = &edit();
}

}  // namespace
