#pragma once
// What the document's file looked like when the editor's text last matched
// it, so that another program's writes are seen.
#include <string>

#include "app/app.h"

// The file now matches the editor's text (just read or written).
void RememberFileStamp(App& app);
// The document has no file the text came from.
void ForgetFileStamp(App& app);
// True when `target` is the document's own file and another program wrote
// it since the editor read or wrote it.
bool ChangedByOtherProgram(App& app, const std::string& target);
