#include "catalogue/catalogue_files.h"

#include "platform/file_system.h"

CatalogueSource MakeCatalogueSource(FileSystem& files, const std::string& basePath) {
  CatalogueSource source;
  source.files = &files;
  source.basePath = basePath;
  source.programFolder = FolderOf(files.ExecutablePath());
  return source;
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool ReadCatalogueFile(const CatalogueSource& source, const std::string& relativeName,
                       std::string& bytes) {
  const std::string primary = source.basePath + relativeName;
  if (source.files->ReadFile(primary, bytes)) return true;
  if (source.programFolder.empty()) return false;
  const std::string besideProgram = source.programFolder + relativeName;
  return besideProgram != primary && source.files->ReadFile(besideProgram, bytes);
}
