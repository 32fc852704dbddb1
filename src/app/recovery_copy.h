#pragma once
// The file a recovery copy is kept in: a few header lines naming the
// document and its writer, then the text itself, whose length the header
// gives so that a copy cut short is known for what it is.
#include <string>

#include "platform/file_system.h"

struct RecoveryCopy {
  std::string writer;       // ProcessRunner::ThisProcess() of the editor that wrote it
  std::string time;         // when, as the user reads it
  std::string folder;       // the document's folder, with trailing backslash
  std::string name;
  int hasFile = 0;          // the text came from, or was saved to, folder + name
  std::string lineBreak = "\r\n";
  int utf8 = 0;             // the file is UTF-8 (the document's Utf8)
  int byteOrderMark = 0;
  FileStamp stamp;          // the file as the text last matched it
  std::string text;         // CR LF between lines, as the editing area gives it
};

enum class RecoveryRead { Ok, OtherVersion, Damaged };

constexpr const char* kRecoverySuffix = ".qvrrecovery";

std::string FormatRecoveryCopy(const RecoveryCopy& copy);
// The header alone, for a text of `length` bytes written after it in pieces;
// `copy.text` is not read.
std::string FormatRecoveryHeader(const RecoveryCopy& copy, size_t length);
RecoveryRead ParseRecoveryCopy(const std::string& bytes, RecoveryCopy& copy);
