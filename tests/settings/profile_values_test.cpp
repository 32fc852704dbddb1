#include "settings/profile_values.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_profile.h"

namespace {

TEST(ProfileValues, ByteParseKeepsTheLowEightBitsOfTheLeadingNumber) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {
      {"300", 44},   {"-1", 255},  {"256", 0},   {"abc", 0},   {"", 0},    {"  12", 12},
      {"\t7", 7},    {"+5", 5},    {"12abc", 12}, {"-", 0},    {"- 5", 0}, {"1 2", 1},
      // Twenty-odd digits must not overflow: the low bits of the true number.
      {"99999999999999999999999", 255}, {"-12345678901234567890", 46},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseProfileByte(c.text), c.value) << c.text;
}

TEST(ProfileValues, ReadsAndWritesThroughTheProfile) {
  MemoryProfile profile;
  WriteProfileByte(profile, "S", "big", 256, "t.ini");
  WriteProfileByte(profile, "S", "neg", -1, "t.ini");
  WriteProfileByte(profile, "S", "mid", 200, "t.ini");
  WriteProfileText(profile, "S", "long", std::string(300, 'x'), "t.ini");
  EXPECT_EQ(profile.Render("t.ini"),
            "[S]\r\nbig=0\r\nneg=255\r\nmid=200\r\nlong=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(ReadProfileByte(profile, "S", "neg", "t.ini"), 255);
  EXPECT_EQ(ReadProfileByte(profile, "S", "missing", "t.ini"), 0);
  EXPECT_EQ(ReadProfileText(profile, "S", "missing", "t.ini"), "");
  // The 255-character buffer holds 254 characters and the terminator.
  EXPECT_EQ(ReadProfileText(profile, "S", "long", "t.ini"), std::string(254, 'x'));
}

TEST(MemoryProfile, KeepsFirstWrittenOrderAndLinesItDoesNotWrite) {
  MemoryProfile profile;
  profile.Seed("t.ini",
               "; kept comment\r\n[B]\r\nother = 1\r\n\r\n[A]\r\nx=\"quoted\" \r\n");
  profile.Write("a", "X", "2", "t.ini");    // names compare without case
  profile.Write("B", "new", "3", "t.ini");  // goes after the last key, before the blank
  profile.Write("C", "k", "4", "t.ini");
  EXPECT_EQ(profile.Render("t.ini"),
            "; kept comment\r\n[B]\r\nother = 1\r\nnew=3\r\n\r\n[A]\r\nx=2\r\n[C]\r\nk=4\r\n");
  EXPECT_EQ(profile.Read("b", "OTHER", "", 255, "t.ini"), "1");
  profile.Seed("q.ini", "[A]\r\nx= \"quoted\" \r\n");
  EXPECT_EQ(profile.Read("A", "x", "", 255, "q.ini"), "quoted");
  EXPECT_EQ(profile.Read("A", "y", "fallback", 4, "q.ini"), "fal");
}

TEST(MemoryProfile, FailedWritesLeaveTheFileAlone) {
  MemoryProfile profile;
  profile.Seed("t.ini", "[A]\r\nx=1\r\n");
  profile.failWrites = true;
  EXPECT_FALSE(profile.Write("A", "x", "2", "t.ini"));
  EXPECT_EQ(profile.Render("t.ini"), "[A]\r\nx=1\r\n");
}

}  // namespace

namespace {

TEST(ProfileValues, EveryValueReadsBackAsWrittenThroughSaveAndLoad) {
  MemoryProfile profile;
  for (const std::string value : {"\"Arial\"", " Arial ", "'x'", "\"a", "b'", "\tc", "\"", "''", "Arial",
                                  "A \"q\" B", ""}) {
    SCOPED_TRACE(value);
    WriteProfileText(profile, "S", "k", value, "t.ini");
    EXPECT_EQ(ReadProfileText(profile, "S", "k", "t.ini"), value);
    WriteProfileText(profile, "S", "k", ReadProfileText(profile, "S", "k", "t.ini"), "t.ini");
    EXPECT_EQ(ReadProfileText(profile, "S", "k", "t.ini"), value);
  }
  WriteProfileText(profile, "S", "k", "Arial", "t.ini");
  EXPECT_EQ(profile.Render("t.ini"), "[S]\r\nk=Arial\r\n");  // plain values stay unquoted
}

}  // namespace
