// The list and code-block loaders on any file contents.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "catalogue/line_lists.h"
#include "catalogue/line_reader.h"
#include "fuzz/fuzz_check.h"
#include "platform/memory/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  MemoryFileSystem files;
  const std::string list = input.ConsumeRandomLengthString(4096);
  const std::string blocks = input.ConsumeRemainingBytesAsString();
  files.files["QVR_User_List.txt"] = list;
  files.files[kCodeBlockFile] = blocks;
  const CatalogueSource source = MakeCatalogueSource(files, "");

  TreeOutline outline;
  OutlineBuilder builder{&outline, {}};
  std::vector<std::string> users;
  bool cut = false;
  // A small capacity, so the fuzzer reaches it.
  constexpr size_t kCapacity = 11;
  FUZZ_CHECK(LoadLineList(source, "QVR_User_List.txt", "User", users, LinkKind::User, builder, kCapacity, cut));
  std::vector<std::string> expected;
  for (const std::string& line : SplitFileLines(list))
    if (line.size() <= kMaxListLine && expected.size() < kCapacity) expected.push_back(line);
  FUZZ_CHECK(users == expected);
  FUZZ_CHECK(cut == (expected.size() != SplitFileLines(list).size()));
  FUZZ_CHECK(outline.nodes.size() == users.size() + 1);

  std::vector<CodeBlock> codeBlocks;
  FUZZ_CHECK(LoadCodeBlocks(source, codeBlocks, builder, cut));
  size_t headers = 0;
  for (const std::string& line : SplitFileLines(blocks)) headers += !line.empty() && line[0] == '#';
  FUZZ_CHECK(codeBlocks.size() == std::min(headers, kCodeBlockCapacity));
  for (const CodeBlock& block : codeBlocks) FUZZ_CHECK(block.code.size() <= kMaxBlockCode);
  for (const CodeBlock& block : codeBlocks) FUZZ_CHECK(block.name.find('#') == std::string::npos);
  FUZZ_CHECK(outline.nodes.size() == users.size() + 2 + codeBlocks.size());
  for (size_t i = 0; i < outline.nodes.size(); ++i) FUZZ_CHECK(outline.nodes[i].parent < static_cast<int>(i));
  return 0;
}
