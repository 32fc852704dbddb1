// Text and looks made from the input, written and read back: every byte of
// the text and of a face, and every look within the writer's domain, comes
// back exactly; outside it, the text still does.
#include <fuzzer/FuzzedDataProvider.h>

#include "editor/rich_text.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool inDomain = input.ConsumeBool();
  std::string faces[3];
  for (std::string& face : faces) face = input.ConsumeRandomLengthString(40);
  std::string text;
  std::vector<CharLook> looks;
  while (input.remaining_bytes() > 0 && text.size() < 4096) {
    text += static_cast<char>(input.ConsumeIntegral<uint8_t>());
    CharLook look;
    look.face = faces[input.ConsumeIntegralInRange(0, 2)];
    if (inDomain) {
      look.color = input.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
      look.effects = input.ConsumeIntegralInRange<uint32_t>(0, 15);
      look.heightTwips = static_cast<int32_t>(input.ConsumeIntegralInRange<long>(0, kMaxHalfPoints) * 10);
    } else {
      look.color = input.ConsumeIntegral<uint32_t>();
      look.effects = input.ConsumeIntegral<uint32_t>();
      look.heightTwips = input.ConsumeIntegral<int32_t>();
    }
    looks.push_back(look);
  }
  std::string readText;
  std::vector<CharLook> readLooks;
  FUZZ_CHECK(ReadRichText(WriteRichText(text, looks), readText, readLooks));
  FUZZ_CHECK(readText == text);
  FUZZ_CHECK(readLooks.size() == looks.size());
  for (size_t i = 0; i < looks.size(); ++i) {
    FUZZ_CHECK(readLooks[i].face == looks[i].face);
    if (inDomain) FUZZ_CHECK(readLooks[i] == looks[i]);
  }
  return 0;
}
