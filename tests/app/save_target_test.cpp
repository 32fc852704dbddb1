// A target the system will not let a save replace.
#include "app/script_files.h"

#include "support/app_fixture.h"

namespace {

class SaveTarget : public AppFixture {};

TEST_F(SaveTarget, AReadOnlyFileOrAFolderIsLeftAsItWasAndTheUserTold) {
  mem.files.files["C:\\s\\a.script"] = "old";
  mem.files.files["C:\\s\\dir.script\\x.txt"] = "inside";
  mem.files.readOnly.insert("C:\\s\\a.script");
  LoadScript(app, "C:\\s\\a.script");
  mem.events.Type("new ");
  Run();
  for (const char* path : {"C:\\s\\a.script", "C:\\s\\dir.script"}) {
    SCOPED_TRACE(path);
    mem.dialogs.shown.clear();
    EXPECT_FALSE(SaveScript(app, path));
    ASSERT_EQ(mem.dialogs.shown.size(), 1u);
    EXPECT_EQ(mem.dialogs.shown.back().title, "Error:");
  }
  EXPECT_EQ(mem.files.files["C:\\s\\a.script"], "old");
  EXPECT_EQ(mem.files.files.count("C:\\s\\dir.script"), 0u);
  EXPECT_EQ(Text(), "new old");
}

}  // namespace
