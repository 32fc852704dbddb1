#include "app/file_save.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kRecordMagic = "QVR Visual Script Editor save record 1";
constexpr const char* kRecordSuffix = ".qvrsave";
constexpr int kNameTries = 8;

uint64_t Checksum(const std::string& bytes) {
  uint64_t sum = 14695981039346656037ull;
  for (unsigned char c : bytes) sum = (sum ^ c) * 1099511628211ull;
  return sum;
}

// File names compare without case on the system, so their hashes do too.
uint32_t NameHash(const std::string& text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) hash = (hash ^ static_cast<unsigned char>(std::toupper(c))) * 16777619u;
  return hash;
}

std::string Hex(uint64_t value, int digits) {
  char text[20];
  std::snprintf(text, sizeof(text), "%0*llx", digits, static_cast<unsigned long long>(value));
  return text;
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string NameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

// Short, so a target near the path limit still has room for it beside it.
std::string FreshName(const std::string& path, int attempt) {
  return FolderOf(path) + "~" + Hex(NameHash(NameOf(path)) + 0x9E3779B9u * static_cast<uint32_t>(attempt), 8);
}

std::string RecordPath(const std::string& folder, const std::string& target) {
  return folder + "~" + Hex(NameHash(target), 8) + kRecordSuffix;
}

// Named after the file and its whole path, so the copies of two files of
// one name never meet; a copy still kept gets a sibling, never overwritten.
std::string CopyName(const std::string& folder, const std::string& target, int attempt) {
  return folder + NameOf(target) + "." + Hex(NameHash(target), 8) + (attempt ? "-" + std::to_string(attempt) : "") +
         ".old";
}

// ---- The record -----------------------------------------------------------

struct SaveRecord {
  std::string target;
  std::string fresh;   // a rename: the new text waits under this name
  std::string copy;    // in place: the old text is copied here
  uint64_t newLength = 0, newSum = 0, oldLength = 0, oldSum = 0;
};

std::string FormatRecord(const SaveRecord& r) {
  std::string body = std::string(kRecordMagic) + "\n" + "target=" + r.target + "\n" + "fresh=" + r.fresh + "\n" +
                     "copy=" + r.copy + "\n" + "new=" + std::to_string(r.newLength) + "," + Hex(r.newSum, 16) + "\n" +
                     "old=" + std::to_string(r.oldLength) + "," + Hex(r.oldSum, 16) + "\n";
  return body + "check=" + Hex(Checksum(body), 16) + "\n";
}

bool ReadSize(const std::string& text, uint64_t& length, uint64_t& sum) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  length = std::strtoull(text.c_str(), nullptr, 10);
  sum = std::strtoull(text.c_str() + comma + 1, nullptr, 16);
  return true;
}

// A record cut short or changed by hand fails its own check.
bool ParseRecord(const std::string& bytes, SaveRecord& r) {
  const size_t check = bytes.rfind("check=");
  if (check == std::string::npos || check == 0) return false;
  const std::string body = bytes.substr(0, check);
  if (bytes.compare(check, std::string::npos, "check=" + Hex(Checksum(body), 16) + "\n") != 0) return false;
  size_t at = body.find('\n');
  if (body.substr(0, at) != kRecordMagic) return false;
  bool sizes = true;
  while (at != std::string::npos && at + 1 < body.size()) {
    const size_t end = body.find('\n', at + 1);
    const std::string line = body.substr(at + 1, end - at - 1);
    at = end;
    const size_t eq = line.find('=');
    const std::string key = line.substr(0, eq), value = eq == std::string::npos ? "" : line.substr(eq + 1);
    if (key == "target") r.target = value;
    else if (key == "fresh") r.fresh = value;
    else if (key == "copy") r.copy = value;
    else if (key == "new") sizes = ReadSize(value, r.newLength, r.newSum) && sizes;
    else if (key == "old") sizes = ReadSize(value, r.oldLength, r.oldSum) && sizes;
  }
  return sizes && !r.target.empty() && (r.fresh.empty() != r.copy.empty());
}

bool Holds(const std::string& bytes, uint64_t length, uint64_t sum) {
  return bytes.size() == length && Checksum(bytes) == sum;
}

// ---- The save --------------------------------------------------------------

// A file of the first of `tries` names `name` gives that nobody has yet.
template <typename Name>
FileHandle CreateUnique(FileSystem& files, Name name, int tries, std::string& path) {
  for (int attempt = 0; attempt < tries; ++attempt) {
    path = name(attempt);
    if (FileHandle file = files.CreateNew(path)) return file;
    if (files.LastError() != FileError::Exists) break;
  }
  return 0;
}

struct Save {
  FileSystem& files;
  std::string recordFolder, target, record;
  const std::string& bytes;
  SaveRecord prior;   // what an earlier save cut short left, kept until this one is whole
  SaveResult result;
  std::string failedWords;   // set where a failure's tidying came between it and Fail

  // Takes the reason from the call that just failed, before any other call
  // can put its own in its place.
  SaveResult& Fail(const std::string& before = "") {
    std::string words = failedWords.empty() ? files.LastFailure() : failedWords;
    failedWords.clear();
    if (words.empty()) words = "the system did not say why.";
    result.written = false;
    result.why = before + words;
    return result;
  }

  // Writes, flushes and closes, the handle closed exactly once whatever fails.
  bool WriteAndClose(FileHandle file, const std::string& text) {
    const bool written = files.Write(file, text) && files.Flush(file);
    if (!written) failedWords = files.LastFailure();
    const bool closed = files.Close(file);
    if (written && !closed) failedWords = files.LastFailure();
    return written && closed;
  }

  bool WriteRecord(const SaveRecord& r) {
    if (recordFolder.empty()) return true;
    files.RemoveFile(record);
    FileHandle file = files.CreateNew(record);
    if (file && WriteAndClose(file, FormatRecord(r))) return true;
    if (file) files.RemoveFile(record);
    return false;
  }

  // The record goes last: while a file it names is still there, the next
  // open finds the record and tidies.
  void Finished() {
    if (!recordFolder.empty()) files.RemoveFile(record);
    if (!prior.fresh.empty()) files.RemoveFile(prior.fresh);
    if (!prior.copy.empty()) files.RemoveFile(prior.copy);
    result.written = true;
  }

  SaveResult& InPlace() {
    std::string old;
    if (!files.ReadFile(target, old)) return Fail("its old text could not be read: ");
    SaveRecord r;
    r.target = target;
    r.oldLength = old.size();
    r.oldSum = Checksum(old);
    r.newLength = bytes.size();
    r.newSum = Checksum(bytes);
    const std::string copyFolder = recordFolder.empty() ? files.TempFolder() : recordFolder;
    FileHandle copy =
        CreateUnique(files, [&](int attempt) { return CopyName(copyFolder, target, attempt); }, kNameTries, r.copy);
    if (!copy) return Fail("a copy of its old text could not be made first: ");
    // The record comes before the copy's text, so a copy cut short is known
    // for one and goes.
    if (!WriteRecord(r)) {
      Fail("the save could not be recorded first: ");
      files.Close(copy);
      files.RemoveFile(r.copy);
      return result;
    }
    if (!WriteAndClose(copy, old)) {
      Fail("a copy of its old text could not be made first: ");
      files.RemoveFile(r.copy);
      if (!recordFolder.empty()) files.RemoveFile(record);
      return result;
    }
    FileHandle file = files.OpenExisting(target);
    if (!file) {
      // Nothing was written: the copy and the record have no more to say.
      Fail();
      if (files.RemoveFile(r.copy) && !recordFolder.empty()) files.RemoveFile(record);
      return result;
    }
    if (files.Write(file, bytes) && files.SetEnd(file) && files.Flush(file)) {
      // Flushed is whole; a handle that will not close changes nothing on disk.
      files.Close(file);
      if (files.RemoveFile(r.copy)) Finished();
      result.written = true;
      return result;
    }
    Fail();
    files.Close(file);
    FileHandle back = files.OpenExisting(target);
    const bool restored = back && files.Write(back, old) && files.SetEnd(back) && files.Flush(back);
    if (back) files.Close(back);
    if (restored) {
      if (files.RemoveFile(r.copy) && !recordFolder.empty()) files.RemoveFile(record);
      result.oldText = "Its old text was put back.";
    } else {
      // The record stays: the next open offers this copy.
      result.oldText = "A copy of its old text is in '" + r.copy + "'.";
    }
    return result;
  }

  SaveResult& Run(const std::string& path) {
    int names = 1;
    if (!files.FinalPath(path, target, names)) return Fail();
    record = RecordPath(recordFolder, target);
    std::string earlier;
    if (!recordFolder.empty() && files.ReadFile(record, earlier) && (!ParseRecord(earlier, prior) || prior.target != target))
      prior = SaveRecord();
    FileAttributes attributes;
    const bool exists = files.GetAttributes(target, attributes);
    if (!exists && files.LastError() != FileError::NotFound) return Fail();
    if (exists && attributes.folder) {
      result.why = "a folder has that name.";
      return result;
    }
    // The user's word not to change it, whichever way it would be written.
    if (exists && attributes.readOnly) {
      result.why = "it is read-only.";
      return result;
    }
    // A rename would leave the file's other names with the old text.
    if (names > 1) return InPlace();
    // What a save cut short left there is superseded by this one, unless it
    // is still the text a record offers.
    if (FreshNameBeside(target) != prior.fresh) files.RemoveFile(FreshNameBeside(target));
    std::string fresh;
    FileHandle file = CreateUnique(files, [&](int attempt) { return FreshName(target, attempt); }, kNameTries, fresh);
    if (!file) {
      // A folder that takes no new file may still let its file be changed.
      if (exists && files.LastError() == FileError::AccessDenied) return InPlace();
      return Fail();
    }
    // A rename would give the file the fresh one's owner and access list (a
    // private file would become readable by all).
    if (exists && files.SameAccess(target, fresh) != 1) {
      files.Close(file);
      files.RemoveFile(fresh);
      return InPlace();
    }
    if (!WriteAndClose(file, bytes)) {
      Fail();
      files.RemoveFile(fresh);
      return result;
    }
    SaveRecord r;
    r.target = target;
    r.fresh = fresh;
    r.newLength = bytes.size();
    r.newSum = Checksum(bytes);
    // Without its record the fresh file is merely not offered after a crash.
    WriteRecord(r);
    // A hidden or system file refuses to be replaced until it is plain.
    const bool special = exists && (attributes.hidden || attributes.system);
    if (special && !files.SetAttributes(target, FileAttributes())) {
      Fail();
      files.RemoveFile(fresh);
      if (!recordFolder.empty()) files.RemoveFile(record);
      return result;
    }
    if (!files.Rename(fresh, target)) {
      Fail();
      if (special) files.SetAttributes(target, attributes);
      files.RemoveFile(fresh);
      if (!recordFolder.empty()) files.RemoveFile(record);
      return result;
    }
    if (special) files.SetAttributes(target, attributes);
    Finished();
    return result;
  }
};

}  // namespace

std::string FreshNameBeside(const std::string& path) { return FreshName(path, 0); }

std::string OldTextCopyName(const std::string& folder, const std::string& target) {
  return CopyName(folder, target, 0);
}

SaveResult SaveFile(FileSystem& files, const std::string& recordFolder, const std::string& path,
                    const std::string& bytes) {
  Save save{files, recordFolder, "", "", bytes, SaveRecord(), SaveResult(), ""};
  return save.Run(path);
}

// ---- A file in pieces ------------------------------------------------------

namespace {

bool PieceFailed(FileSystem& files, PiecewiseFile& pieces) {
  pieces.why = files.LastFailure();
  if (pieces.why.empty()) pieces.why = "the system did not say why.";
  return false;
}

}  // namespace

bool StartPieces(FileSystem& files, PiecewiseFile& pieces, const std::string& path) {
  AbandonPieces(files, pieces);
  pieces.path = path;
  files.RemoveFile(FreshNameBeside(path));
  pieces.file = CreateUnique(files, [&](int attempt) { return FreshName(path, attempt); }, kNameTries, pieces.fresh);
  return pieces.file != 0 || PieceFailed(files, pieces);
}

bool WritePiece(FileSystem& files, PiecewiseFile& pieces, const std::string& bytes) {
  return pieces.file && ((files.Write(pieces.file, bytes) && files.Flush(pieces.file)) || PieceFailed(files, pieces));
}

bool FinishPieces(FileSystem& files, PiecewiseFile& pieces) {
  if (!pieces.file) return false;
  const bool closed = files.Close(pieces.file) || PieceFailed(files, pieces);
  pieces.file = 0;
  if (closed && (files.Rename(pieces.fresh, pieces.path) || PieceFailed(files, pieces))) return true;
  files.RemoveFile(pieces.fresh);
  return false;
}

void AbandonPieces(FileSystem& files, PiecewiseFile& pieces) {
  if (!pieces.file) return;
  files.Close(pieces.file);
  pieces.file = 0;
  files.RemoveFile(pieces.fresh);
}

// ---- After a crash -----------------------------------------------------------

UnfinishedSave FindUnfinishedSave(FileSystem& files, const std::string& recordFolder, const std::string& path) {
  UnfinishedSave found;
  std::string target;
  int names = 1;
  if (!files.FinalPath(path, target, names)) target = path;
  found.record = RecordPath(recordFolder, target);
  std::string bytes;
  SaveRecord r;
  const bool haveRecord = !recordFolder.empty() && files.ReadFile(found.record, bytes);
  const bool parsed = haveRecord && ParseRecord(bytes, r);
  // Another file's whose path shares the hash is left to that file.
  if (parsed && r.target != target) return found;
  if (!parsed) {
    if (haveRecord) files.RemoveFile(found.record);
    // A fresh file no record vouches for may be any part of a text; a copy
    // made just before a crash cut its record short holds nothing yet.
    files.RemoveFile(FreshNameBeside(target));
    for (int attempt = 0; attempt < kNameTries && !recordFolder.empty(); ++attempt) {
      std::string copy;
      const std::string name = CopyName(recordFolder, target, attempt);
      if (files.ReadFile(name, copy) && copy.empty()) files.RemoveFile(name);
    }
    return found;
  }
  std::string now, kept;
  const bool read = files.ReadFile(target, now);
  const bool isNew = read && Holds(now, r.newLength, r.newSum);
  if (!r.fresh.empty()) {
    if (!isNew && files.ReadFile(r.fresh, kept) && Holds(kept, r.newLength, r.newSum)) {
      found.kind = UnfinishedSave::NewText;
      found.file = r.fresh;
      return found;
    }
    if (!isNew) files.RemoveFile(r.fresh);
  } else {
    const bool isOld = read && Holds(now, r.oldLength, r.oldSum);
    const bool copyWhole = files.ReadFile(r.copy, kept) && Holds(kept, r.oldLength, r.oldSum);
    if (copyWhole && !isNew && !isOld) {
      found.kind = UnfinishedSave::OldText;
      found.file = r.copy;
      return found;
    }
    // Not offered, the copy has done its work; one cut short never had any.
    files.RemoveFile(r.copy);
  }
  files.RemoveFile(found.record);
  return found;
}

void DeclineUnfinishedSave(FileSystem& files, const UnfinishedSave& found) {
  if (found.kind == UnfinishedSave::NewText) files.RemoveFile(found.file);
  files.RemoveFile(found.record);
}
