#pragma once
// Extra > Check syntax: the engine's own compiler judges the text in the
// editing area, and the editor shows what it says, line by line.
#include <string>

#include "app/app.h"

// The batch file's one line: the compiler called with " -project " and
// " -script " and its output appended to the log. Every path is quoted and
// has each '%' doubled, because cmd.exe splits unquoted paths at blanks and
// runs what follows '&', and expands %NAME% even inside quotes.
std::string CompileBatchLine(const std::string& compilerPath, const std::string& projectPath,
                             const std::string& scriptPath, const std::string& logPath);

void CheckSyntax(App& app);
