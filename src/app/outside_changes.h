#pragma once
// Another program's writes to the document's file: seen when the main
// window comes to the front and before a save replaces the file.
#include <string>

#include "app/app.h"

// The file now matches the editor's text (just read or written).
void RememberFileStamp(App& app);
// The document has no file the text came from.
void ForgetFileStamp(App& app);
// Asks about a change made on disk since the user was last asked.
void CheckOutsideChanges(App& app);
// True when `target` is the document's own file and another program wrote
// it since the editor read or wrote it.
bool ChangedByOtherProgram(App& app, const std::string& target);
