#pragma once
// Every memory realisation in one place, wired together like the real ones.
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_events.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_printer.h"
#include "platform/memory/memory_process_runner.h"
#include "platform/memory/memory_profile.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_ui.h"
#include "platform/platform.h"

struct MemoryPlatform {
  MemoryUi ui;
  MemoryEvents events{ui};
  MemoryDialogs dialogs;
  MemoryClipboard clipboard;
  MemoryProfile profile;
  MemoryRegistry registry;
  MemoryFileSystem files;
  MemoryProcessRunner processes{files};
  MemoryPrinter printer{ui};

  MemoryPlatform() { ui.clipboard = &clipboard; }
  Platform Bundle() {
    Platform p;
    p.ui = &ui;
    p.events = &events;
    p.dialogs = &dialogs;
    p.clipboard = &clipboard;
    p.profile = &profile;
    p.registry = &registry;
    p.files = &files;
    p.processes = &processes;
    p.printer = &printer;
    return p;
  }
  MemoryEditControl& editor() { return *ui.editors.at(2); }
};
