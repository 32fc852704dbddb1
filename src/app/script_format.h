#pragma once
// What a file on disk must be for the editor to open it as a script, and the
// line break it is written back with.
#include <string>

#include "platform/file_system.h"

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

// How a file's bytes hold the editor's text: its line break, whether it is
// UTF-8 (shown in the program's code page) and whether it starts with a
// byte-order mark, which is the file's like its line break, never the text's.
struct FileForm {
  std::string lineBreak = "\r\n";
  int utf8 = 0;
  int byteOrderMark = 0;
};
// The text a file's bytes show. `foreign` is set for UTF-8 holding letters
// the code page lacks: shown byte by byte, and written back as they are.
std::string TextOfFile(FileSystem& codes, const std::string& bytes, FileForm& form, bool& foreign);
// The bytes that write the control's text (CR LF between lines) in `form`.
std::string FileOfText(FileSystem& codes, const std::string& crlfText, const FileForm& form);

// How many lines the editor would make of the bytes, counted without making them.
size_t ScriptLineCount(const std::string& bytes);

// Why the editor cannot open or save a file by this name, or "" when it
// can: a path longer than the system takes, a name whose letters the
// program's code page could not spell (they arrive as '?'), or the name of a
// device rather than a file.
std::string WhyNotAFileName(const std::string& path);

// A path short enough for a message box: a long one loses its middle.
std::string ShownPath(const std::string& path);
