#pragma once
// Everything the logic may ask of the system, in one bundle.
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/edit_control.h"
#include "platform/events.h"
#include "platform/file_system.h"
#include "platform/printer.h"
#include "platform/process_runner.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/ui.h"

struct Platform {
  Ui* ui = nullptr;
  EventSource* events = nullptr;
  Dialogs* dialogs = nullptr;
  Clipboard* clipboard = nullptr;
  ProfileStore* profile = nullptr;
  Registry* registry = nullptr;
  FileSystem* files = nullptr;
  ProcessRunner* processes = nullptr;
  Printer* printer = nullptr;
};
