#pragma once
// Finding the editor's data files: first under BasePath + name (relative to the
// working folder, since BasePath is ""), then beside the executable, so the
// editor still finds its lists when started from another folder.
#include <string>

class FileSystem;

struct CatalogueSource {
  FileSystem* files = nullptr;
  std::string basePath;       // AppState::BasePath
  std::string programFolder;  // executable's folder with trailing backslash; "" for none
};

CatalogueSource MakeCatalogueSource(FileSystem& files, const std::string& basePath);

// The folder part of a path, up to and including its last backslash or slash.
std::string FolderOf(const std::string& path);

// Reads `relativeName` (Windows style, e.g. "QVR_Docs\\scripting_ref_game.txt").
// False when neither place has it.
bool ReadCatalogueFile(const CatalogueSource& source, const std::string& relativeName,
                       std::string& bytes);
