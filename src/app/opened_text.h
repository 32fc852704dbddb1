#pragma once
// The text of a file just read, put into the editing area.
#include <string>
#include <vector>

#include "app/app.h"

// Puts the lines of a script just read into the editing area as Open does:
// hidden while they go in, highlighted as the settings say, then given the
// keys. Running out of memory midway is said, naming `path`.
void ShowOpenedLines(App& app, const std::vector<std::string>& lines, const std::string& path);
