#include "conformance/control_harness.h"
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_edit_control.h"

namespace {
class MemoryHarness : public ControlHarness {
 public:
  MemoryHarness() : edit_(&clip_) {}
  EditControl& Edit() override { return edit_; }
  Clipboard& Clip() override { return clip_; }

 private:
  MemoryClipboard clip_;
  MemoryEditControl edit_;
};
}  // namespace

std::unique_ptr<ControlHarness> MakeControlHarness() { return std::make_unique<MemoryHarness>(); }
