#include <windows.h>

#include "conformance/control_harness.h"
#include "platform/win32/win32_edit_control.h"
#include "platform/win32/win32_services.h"

namespace {

// A real rich-edit control in a window of its own, as the editor creates it.
class Win32Harness : public ControlHarness {
 public:
  Win32Harness() {
    const char* cls = RichEditClassName();
    parent_ = CreateWindowExA(0, "STATIC", "conformance", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, cls, "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                0, 0, 600, 400, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    PrepareRichEdit(hwnd);
    edit_ = std::make_unique<Win32EditControl>(hwnd, nullptr);
  }
  ~Win32Harness() override { DestroyWindow(parent_); }
  EditControl& Edit() override { return *edit_; }
  Clipboard& Clip() override { return clip_; }

 private:
  HWND parent_ = nullptr;
  std::unique_ptr<Win32EditControl> edit_;
  Win32Clipboard clip_;
};

}  // namespace

std::unique_ptr<ControlHarness> MakeControlHarness() { return std::make_unique<Win32Harness>(); }
