#pragma once
// What the conformance suite needs from a realisation: a fresh editing
// control with a known font, and the clipboard its cut and copy use.
#include <memory>

#include "platform/clipboard.h"
#include "platform/edit_control.h"

class ControlHarness {
 public:
  virtual ~ControlHarness() = default;
  virtual EditControl& Edit() = 0;
  virtual Clipboard& Clip() = 0;
};

std::unique_ptr<ControlHarness> MakeControlHarness();
