#pragma once
// A started editor on the memory platform, driven by scripted events.
#include <gtest/gtest.h>

#include "app/app.h"
#include "editor/editor_ops.h"
#include "platform/memory/memory_platform.h"

class AppFixture : public ::testing::Test {
 protected:
  MemoryPlatform mem;
  App app;

  // Seeds the memory platform before start-up; override to add files.
  virtual void Prepare() {}

  void SetUp() override {
    Prepare();
    app.platform = mem.Bundle();
    ASSERT_TRUE(StartupSequence(app));
    mem.ui.focused = 2;
  }
  // Handles everything queued; false once the program has ended.
  bool Run() { return RunPendingEvents(app); }
  MemoryEditControl& edit() { return mem.editor(); }
  std::string Text() { return edit().GetText(); }
  void SetText(const std::string& text) {
    edit().SetText(text);
    Run();
  }
};
