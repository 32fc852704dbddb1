#pragma once
// The scripting reference: tagged lines in the files of "QVR_Docs\", read into
// the entry table and the "QVR Methods" branch of the command tree.
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/tree_outline.h"

constexpr const char* kReferenceFolder = "QVR_Docs\\";
constexpr const char* kReferenceLabel = "QVR Methods";
constexpr size_t kReferenceFileCount = 26;
extern const char* const kReferenceFiles[kReferenceFileCount];

// An include of a file that is already being parsed would never end, so it is
// skipped. kMaxIncludeParses bounds the includes tried in one run, which stops
// files that include each other many times over (no cycle, but exponential
// work) from stalling start-up; kMaxIncludeBytes bounds what they may add up
// to, so a few lines including a large file many times cannot run the editor
// out of memory. An include nested deeper than kMaxIncludeDepth, or past
// either bound, is skipped and the catalogue marked as cut.
constexpr size_t kMaxIncludeDepth = 16;
constexpr int kMaxIncludeParses = static_cast<int>(kOpenFileTableCapacity) - 1;
constexpr size_t kMaxIncludeBytes = 1u << 20;
// Shown in the description line when the reference was not read whole.
constexpr const char* kReferenceCutNotice =
    "Scripting reference cut short: its includes nest too deep or repeat too much.";

// The state shared by all files and includes of one run.
struct ReferenceParser {
  const CatalogueSource* source = nullptr;
  std::vector<ReferenceEntry>* entries = nullptr;
  OutlineBuilder* builder = nullptr;
  std::string title;
  std::string group;
  bool titleJustOpened = false;
  std::vector<std::string> parsing;  // files being parsed, outermost first
  int includeParses = 0;
  size_t includeBytes = 0;  // read through includes so far
  size_t maxIncludeBytes = kMaxIncludeBytes;  // smaller only to reach it cheaply in tests
  bool cut = false;         // an include was skipped for a bound
};

ReferenceParser StartReferenceParse(const CatalogueSource& source,
                                    std::vector<ReferenceEntry>& entries,
                                    OutlineBuilder& builder);

// Parses "QVR_Docs\" + fileName, and the files it includes, into the entries
// and the outline at the builder's current node. A file parsed at the top
// level starts with no title or group and leaves the outline at the level it
// started from. Returns whether the file was read.
bool ParseReferenceFile(ReferenceParser& parser, const std::string& fileName);

// Adds "QVR Methods", the 26 reference files under it in their fixed order,
// then builds the MemberIndex.
void LoadReferenceCatalogue(const CatalogueSource& source, Catalogue& catalogue,
                            OutlineBuilder& builder);

// The distinct entry names in first-appearance order, each with the owner of
// the entry it first appeared in; empty names are left out.
void BuildMemberIndex(Catalogue& catalogue);
