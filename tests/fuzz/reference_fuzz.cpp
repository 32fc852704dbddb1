// The reference parser over a small file system whose files include each
// other: it must end, stay within its bounds and build a sound outline.
#include <fuzzer/FuzzedDataProvider.h>

#include <unordered_set>

#include "catalogue/reference_parser.h"
#include "fuzz/fuzz_check.h"
#include "platform/memory/memory_file_system.h"

namespace {
const char* const kNames[] = {"scripting_ref_game.txt", "scripting_ref_actor.txt", "a.txt", "b.txt",
                              "A.TXT", "sub/b.txt", "sub\\c.txt"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  MemoryFileSystem files;
  size_t topBytes = 0;
  for (const char* name : kNames) {
    if (input.remaining_bytes() == 0) break;
    std::string text = input.ConsumeRandomLengthString(2048);
    // A little text can stand for a lot: repeat it, as an include bomb would.
    if (input.ConsumeBool()) {
      const std::string unit = text;
      for (int i = input.ConsumeIntegralInRange(0, 16); i > 0; --i) text += unit;
    }
    if (std::string(name).rfind("scripting_ref_", 0) == 0) topBytes += text.size();
    files.files[std::string(kReferenceFolder) + name] = text;
  }
  // As LoadReferenceCatalogue does, with a smaller byte bound so that an
  // input can reach it in a few kilobytes and the runs stay fast.
  Catalogue catalogue;
  TreeOutline outline;
  OutlineBuilder builder{&outline, {}};
  const CatalogueSource source = MakeCatalogueSource(files, "");
  ReferenceParser parser = StartReferenceParse(source, catalogue.reference, builder);
  parser.maxIncludeBytes = 16384;
  for (const char* name : kReferenceFiles) ParseReferenceFile(parser, name);
  BuildMemberIndex(catalogue);

  // Every entry needs a line of at least four characters.
  FUZZ_CHECK(catalogue.reference.size() <= (topBytes + parser.maxIncludeBytes) / 4 + 1);
  FUZZ_CHECK(builder.open.empty());
  for (size_t i = 0; i < outline.nodes.size(); ++i) {
    const OutlineNode& node = outline.nodes[i];
    FUZZ_CHECK(node.parent < static_cast<int>(i));
    if (node.link.kind == LinkKind::Reference)
      FUZZ_CHECK(node.link.index >= 0 && static_cast<size_t>(node.link.index) < catalogue.reference.size());
  }
  std::unordered_set<std::string> names(catalogue.memberNames.begin(), catalogue.memberNames.end());
  FUZZ_CHECK(names.size() == catalogue.memberNames.size());
  FUZZ_CHECK(catalogue.memberOwners.size() == catalogue.memberNames.size());
  return 0;
}
