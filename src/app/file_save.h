#pragma once
// Writing a file so that its name holds a whole text at every instant: the
// old one or the new one. Everything a save decides is here; the file calls
// under it only translate.
//
// The common way: the text goes to a fresh file beside the target, is
// flushed, and takes the target's name in one rename. Where a rename would
// lose something (the file's other names, its owner or access list, or a
// folder that takes no new file) the file is written over in place, after a
// flushed copy of its old text; a write that fails puts the old text back.
//
// A save that may be cut short by a crash first leaves a record in
// `recordFolder`: which file holds what, with lengths and checksums. The
// next open of the file reads it and offers only a text proven whole.
#include <string>

#include "platform/file_system.h"

struct SaveResult {
  bool written = false;
  std::string why;       // why not, as a sentence: the system's words where it gave them
  std::string oldText;   // after a failure, where the file's old text is, or ""
};

// `recordFolder` "" keeps no record: the name still never holds a mix, but
// a save cut short by a crash is not offered afterwards.
SaveResult SaveFile(FileSystem& files, const std::string& recordFolder, const std::string& path,
                    const std::string& bytes);

// The name a save of `path` writes first, beside it.
std::string FreshNameBeside(const std::string& path);

// A file written a piece per call, each piece on the disk when its call
// returns; it takes its name in one rename once finished, so until then
// the file of that name stays whole.
struct PiecewiseFile {
  FileHandle file = 0;
  std::string path, fresh;
  std::string why;   // the system's words for the call that failed
};
bool StartPieces(FileSystem& files, PiecewiseFile& pieces, const std::string& path);
bool WritePiece(FileSystem& files, PiecewiseFile& pieces, const std::string& bytes);
bool FinishPieces(FileSystem& files, PiecewiseFile& pieces);
void AbandonPieces(FileSystem& files, PiecewiseFile& pieces);

// What a save of `path` cut short left that is proven whole. Anything else
// it left is removed on the way.
struct UnfinishedSave {
  enum Kind { None, NewText, OldText } kind = None;
  std::string file;     // where that text is
  std::string record;
};
UnfinishedSave FindUnfinishedSave(FileSystem& files, const std::string& recordFolder, const std::string& path);
// The user declined it: a new text goes, a copy of the old one stays (it
// may be the only whole text there is).
void DeclineUnfinishedSave(FileSystem& files, const UnfinishedSave& found);
