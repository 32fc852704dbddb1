// Any file opened in the whole editor on the memory platform and saved
// under another name: the saved file holds the opened lines, with the file's
// own line break between them (a final line break is an empty last line),
// and nothing else; a file that is no 8-bit text is not opened at all.
#include "app/app.h"
#include "app/script_files.h"
#include "app/script_format.h"
#include "catalogue/line_reader.h"
#include "fuzz/fuzz_check.h"
#include "platform/memory/memory_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  MemoryPlatform mem;
  App app;
  app.platform = mem.Bundle();
  FUZZ_CHECK(StartupSequence(app));
  mem.files.files["C:\\s\\a.script"] = bytes;
  LoadScript(app, "C:\\s\\a.script");
  FUZZ_CHECK(SaveScript(app, "C:\\s\\b.script"));
  std::string expected;
  if (KindOfScriptFile(bytes) == ScriptFileKind::Text) {
    const std::vector<std::string> lines = SplitScriptLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i) expected += (i ? LineBreakOf(bytes) : "") + lines[i];
  }
  FUZZ_CHECK(mem.files.files["C:\\s\\b.script"] == expected);
  return 0;
}
