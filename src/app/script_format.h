#pragma once
// What a file on disk must be for the editor to open it as a script, and the
// line break it is written back with.
#include <string>

enum class ScriptFileKind {
  Text,      // 8-bit text, the editor's own kind
  Utf16,     // starts with a UTF-16 byte-order mark: every other byte is zero
  Binary,    // holds NUL bytes: no script does, and saving would mangle it
};
ScriptFileKind KindOfScriptFile(const std::string& bytes);

// The line break a file uses: "\n" or "\r" when every break in it is that
// one, otherwise (CR LF, mixed, or no break at all) "\r\n".
std::string LineBreakOf(const std::string& bytes);

// The control's text (CR LF between lines) with the file's own line break.
std::string WithLineBreak(const std::string& crlfText, const std::string& lineBreak);

// How many lines the editor would make of the bytes, counted without making them.
size_t ScriptLineCount(const std::string& bytes);

// Why the editor cannot open or save a file by this name, or "" when it
// can: a path longer than the system takes, a name whose letters the
// program's code page could not spell (they arrive as '?'), or the name of a
// device rather than a file.
std::string WhyNotAFileName(const std::string& path);

// A path short enough for a message box: a long one loses its middle.
std::string ShownPath(const std::string& path);
