#pragma once
// What the document's file looked like when the editor's text last matched
// it, so that another program's writes are seen.
#include <string>

#include "app/app.h"

// The stamp of the file `path` names in the end: behind a symbolic link,
// the file another program writes.
FileStamp StampOfFile(App& app, const std::string& path);
// The file now matches the editor's text. A file being read is stamped
// before the read, so a write made meanwhile is seen afterwards.
void RememberFileStamp(App& app, const FileStamp& stamp);
// The document's file as it is now, just written.
void RememberFileStamp(App& app);
// The document has no file the text came from.
void ForgetFileStamp(App& app);
// True when `target` is the document's own file and another program wrote
// it since the editor read or wrote it.
bool ChangedByOtherProgram(App& app, const std::string& target);
