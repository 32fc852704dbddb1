#pragma once
// Splits a whole file into its lines. Shared by the list files, the reference
// files and the script files, so they all agree on what a line is.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A line ends at CR LF, a lone CR, a lone LF or a NUL byte; the terminator is
// not part of the line. A final terminator adds no empty line after it, and
// empty input gives no lines at all. Bytes are kept as they are.
std::vector<std::string> SplitFileLines(const std::string& bytes);

// A script's lines: as above, but a final terminator is followed by an empty
// last line, so a script saved unedited gets back the line break it ended
// with.
std::vector<std::string> SplitScriptLines(const std::string& bytes);

// The lines of SplitFileLines one at a time, without making them all; the
// visit stops when `take` answers false.
void VisitFileLines(const std::string& bytes, const std::function<bool(std::string_view)>& take);
