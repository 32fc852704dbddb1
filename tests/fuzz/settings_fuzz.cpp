// The settings file as any text: it loads, the byte decoder agrees with the
// plain arithmetic, a value written reads back unchanged, and a save then a
// reload gives the same settings.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "platform/memory/memory_profile.h"
#include "settings/profile_values.h"
#include "settings/settings_store.h"

namespace {

// The low 8 bits of the leading signed number, the slow way.
int PlainByte(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = (value * 10 + (text[i] - '0')) % 256;
  return negative ? (256 - value) % 256 : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string number = input.ConsumeRandomLengthString(40);
  FUZZ_CHECK(ParseProfileByte(number) == PlainByte(number));

  std::string value = input.ConsumeRandomLengthString(kProfileBufferSize - 1);
  // A line break or NUL cannot stand in one line of the file.
  value = value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
  MemoryProfile scratch;
  WriteProfileText(scratch, "S", "k", value, "v.ini");
  FUZZ_CHECK(ReadProfileText(scratch, "S", "k", "v.ini") == value);

  MemoryProfile profile;
  profile.Seed(kSettingsFileName, input.ConsumeRemainingBytesAsString());
  AppState state;
  LoadSettings(state, profile);
  MemoryProfile first, reread, second;
  SaveSettings(state, first);
  reread.Seed(kSettingsFileName, first.Render(kSettingsFileName));
  AppState reloaded;
  LoadSettings(reloaded, reread);
  SaveSettings(reloaded, second);
  FUZZ_CHECK(first.Render(kSettingsFileName) == second.Render(kSettingsFileName));
  return 0;
}
