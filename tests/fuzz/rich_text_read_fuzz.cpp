// The reader on any bytes: it ends, gives one look per character, and what
// it gives is within the writer's domain, so writing it and reading that
// back changes nothing. It reads on a thread with the 1 MB stack a Windows
// program gets, so reading must not use the stack in proportion to the input.
#include <pthread.h>

#include <cstdint>

#include "editor/rich_text.h"
#include "fuzz/fuzz_check.h"

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
};

void Check(const uint8_t* data, size_t size) {
  std::string rtf(reinterpret_cast<const char*>(data), size);
  // Most inputs should get past the signature.
  if (size > 0 && data[0] == '!') rtf = "{\\rtf1" + rtf.substr(1);
  std::string text, again;
  std::vector<CharLook> looks, looksAgain;
  if (!ReadRichText(rtf, text, looks)) return;
  FUZZ_CHECK(looks.size() == text.size());
  for (const CharLook& look : looks) {
    FUZZ_CHECK(look.heightTwips >= 0 && look.heightTwips <= kMaxHalfPoints * 10);
    FUZZ_CHECK(look.color <= 0xFFFFFF && look.effects <= 15);
  }
  FUZZ_CHECK(ReadRichText(WriteRichText(text, looks), again, looksAgain));
  FUZZ_CHECK(again == text);
  FUZZ_CHECK(looksAgain == looks);
}

void* CheckOnThread(void* input) {
  Check(static_cast<Input*>(input)->data, static_cast<Input*>(input)->size);
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input{data, size};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 1 << 20);
  pthread_t thread;
  FUZZ_CHECK(pthread_create(&thread, &attributes, CheckOnThread, &input) == 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  return 0;
}
