#pragma once
// The running editor: its state and the platform it talks to.
#include "app/app_state.h"
#include "editor/editor_ops.h"
#include "editor/line_scan.h"
#include "platform/platform.h"

struct App {
  AppState state;
  Platform platform;
  EditControl* edit = nullptr;   // the editing area, once the main window exists
  LineScanner scanner;           // built from the word lists once they are loaded
  CaretWatch caret;              // where the post-event step last found the caret
  LooksKnown looks;              // which lines may need the realtime pass
};

// Runs the whole start-up sequence; false when the main window could not be
// built, in which case there is nothing to run.
bool StartupSequence(App& app);
// Start-up, the loop and the end; the process's exit code.
int Startup(App& app);
void RunEventLoop(App& app);
// Handles what is pending without waiting; for tests. False once the loop
// would have ended.
bool RunPendingEvents(App& app);
void DispatchEvent(App& app, const Event& event);
// Keys the editing area must leave to the loop (paste in plain text).
void TakeOverEditorKeys(App& app);
void PostEventStep(App& app);

// Sets `Changed` when the editing area's text changed since it was last
// asked.
void NoteTextChanges(App& app);

void RequestQuit(App& app);
void SetDocumentTitle(App& app);
void TogglePanel(App& app);
void ShowAbout(App& app);

// The first argument of a command line, without the program's own name.
std::string FirstProgramArgument(const std::string& commandLine);
