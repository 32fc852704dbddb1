// Loading through the real control's rich-text reader: a face name full of
// the form's own characters must never cost the script a byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "editor/highlight_passes.h"
#include "editor/line_breaks.h"
#include "win32/real_app.h"

namespace {

class RealRichText : public RealApp {};

TEST_F(RealRichText, OddFaceNamesKeepEveryByteOfTheScript) {
  std::vector<std::string> lines;
  for (int i = 0; i < 40; ++i) lines.push_back("while x" + std::to_string(i) + " { y; } // \\ '\x82");
  std::string expected;
  for (size_t i = 0; i < lines.size(); ++i) expected += (i ? "\r\n" : "") + lines[i];
  for (const char* face : {"A{B}C;D", "A;B", "A\\B", "\x82", "Courier New"}) {
    SCOPED_TRACE(face);
    app.state.EditorFontName = face;
    LoadText(app, lines, true);
    EXPECT_EQ(app.edit->GetText(), expected);
    HighlightAll(app);
    EXPECT_EQ(app.edit->GetText(), expected);
  }
}

}  // namespace
