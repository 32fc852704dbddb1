#include "catalogue/reference_parser.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/line_reader.h"

const char* const kReferenceFiles[kReferenceFileCount] = {
    "scripting_ref_game.txt",     "scripting_ref_scene.txt",
    "scripting_ref_actor.txt",    "scripting_ref_actor3d.txt",
    "scripting_ref_entity.txt",   "scripting_ref_layer.txt",
    "scripting_ref_region.txt",   "scripting_ref_waypoint.txt",
    "scripting_ref_item.txt",     "scripting_ref_sprite.txt",
    "scripting_ref_frame.txt",    "scripting_ref_subframe.txt",
    "scripting_ref_window.txt",   "scripting_ref_button.txt",
    "scripting_ref_static.txt",   "scripting_ref_editor.txt",
    "scripting_ref_entity_container.txt", "scripting_ref_string.txt",
    "scripting_ref_date.txt",     "scripting_ref_array.txt",
    "scripting_ref_math.txt",     "scripting_ref_keyboard.txt",
    "scripting_ref_file.txt",     "scripting_ref_directory.txt",
    "scripting_ref_membuffer.txt", "scripting_ref_functions.txt",
};

namespace {

constexpr const char* kEmptyGroupLabel = "Attributes";

// What one file being parsed keeps for itself. The entries waiting for a
// description are kept by index rather than as "the newest 1 + k", so that a
// "des" after an include still describes this file's own entry and not the
// last one the included file added.
struct FileState {
  std::vector<int> waiting;  // the entry that opened the wait, then its alternatives
  bool isWaiting = false;
  size_t baseDepth = 0;      // open outline nodes when the file started
};

using TagHandler = void (*)(ReferenceParser&, FileState&, const std::string&);

int AddEntry(ReferenceParser& parser, ReferenceEntry entry) {
  const int index = static_cast<int>(parser.entries->size());
  AddOutlineItem(*parser.builder, entry.name, {LinkKind::Reference, index});
  parser.entries->push_back(std::move(entry));
  return index;
}

// "Sleep(ms)" is a method: name "Sleep", suffix "()", the whole value as its
// signature. Without "(" the value is only a name.
ReferenceEntry MethodEntry(const std::string& value, const std::string& owner) {
  ReferenceEntry entry;
  const size_t paren = value.find('(');
  if (paren == std::string::npos) {
    entry.name = value;
  } else {
    entry.name = value.substr(0, paren);
    entry.suffix = "()";
    entry.signature = value;
    entry.owner = owner;
  }
  return entry;
}

void StartWaiting(FileState& file, int entry) {
  file.waiting.assign(1, entry);
  file.isWaiting = true;
}

void OnTitle(ReferenceParser& parser, FileState& file, const std::string& value) {
  // A second title in one file starts a new object beside the first, not
  // inside the first object's last group.
  CloseOutlineNodesTo(*parser.builder, file.baseDepth);
  parser.title = value;
  parser.group.clear();
  parser.titleJustOpened = true;
  OpenOutlineNode(*parser.builder, AddOutlineItem(*parser.builder, value));
}

void OnGroup(ReferenceParser& parser, FileState&, const std::string& value) {
  if (value == parser.group) return;
  OutlineBuilder& builder = *parser.builder;
  if (parser.titleJustOpened) {
    parser.titleJustOpened = false;
  } else if (!builder.open.empty() && builder.open.back().group) {
    // Only a group node is closed: in a file without a title there may be
    // none open, and closing anyway would climb out of "QVR Methods".
    CloseOutlineNode(builder);
  }
  OpenOutlineNode(builder, AddOutlineItem(builder, value.empty() ? kEmptyGroupLabel : value),
                  true);
  parser.group = value;
}

void OnAttribute(ReferenceParser& parser, FileState& file, const std::string& value) {
  ReferenceEntry entry;
  entry.name = value;
  entry.owner = parser.title;
  StartWaiting(file, AddEntry(parser, std::move(entry)));
}

void OnMethod(ReferenceParser& parser, FileState& file, const std::string& value) {
  StartWaiting(file, AddEntry(parser, MethodEntry(value, parser.title)));
}

void OnAlternative(ReferenceParser& parser, FileState& file, const std::string& value) {
  file.waiting.push_back(AddEntry(parser, MethodEntry(value, parser.title)));
}

void OnGlobal(ReferenceParser& parser, FileState& file, const std::string& value) {
  StartWaiting(file, AddEntry(parser, MethodEntry(value, std::string())));
}

void OnDescription(ReferenceParser& parser, FileState& file, const std::string& value) {
  if (!file.isWaiting) return;
  for (int index : file.waiting) (*parser.entries)[index].description = value;
  file.isWaiting = false;
  file.waiting.clear();
}

void OnInclude(ReferenceParser& parser, FileState&, const std::string& value) {
  ParseReferenceFile(parser, value);
}

struct TagRule {
  const char* tag;
  TagHandler handle;
};

const TagRule kTagRules[] = {
    {"tit", OnTitle},       {"grp", OnGroup},  {"atr", OnAttribute}, {"met", OnMethod},
    {"mt2", OnAlternative}, {"glo", OnGlobal}, {"des", OnDescription}, {"inc", OnInclude},
};

// Windows file names ignore case and accept either slash, so "A.txt" and
// "a.txt" are the same file when looking for an include cycle.
std::string FileKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '/') c = '\\';
  }
  return key;
}

bool MayInclude(ReferenceParser& parser, const std::string& key) {
  if (std::find(parser.parsing.begin(), parser.parsing.end(), key) != parser.parsing.end())
    return false;
  if (parser.parsing.size() > kMaxIncludeDepth || parser.includeParses >= kMaxIncludeParses ||
      parser.includeBytes >= parser.maxIncludeBytes) {
    parser.cut = true;
    return false;
  }
  return true;
}

// "*met Sleep(ms)": tag in characters 2 to 4, one separator, then the value.
void ParseReferenceLine(ReferenceParser& parser, FileState& file, const std::string& line) {
  if (line.size() < 4 || line[0] != '*') return;
  for (const TagRule& rule : kTagRules) {
    if (line.compare(1, 3, rule.tag) != 0) continue;
    rule.handle(parser, file, line.size() > 5 ? line.substr(5) : std::string());
    return;
  }
}

}  // namespace

ReferenceParser StartReferenceParse(const CatalogueSource& source,
                                    std::vector<ReferenceEntry>& entries,
                                    OutlineBuilder& builder) {
  ReferenceParser parser;
  parser.source = &source;
  parser.entries = &entries;
  parser.builder = &builder;
  return parser;
}

bool ParseReferenceFile(ReferenceParser& parser, const std::string& fileName) {
  const bool topLevel = parser.parsing.empty();
  const std::string key = FileKey(fileName);
  if (!topLevel && !MayInclude(parser, key)) return false;

  // Every include tried counts, found or not, and the first that would
  // pass the byte bound ends all including: otherwise thousands of include
  // lines would each read the file again only to refuse it.
  if (!topLevel) ++parser.includeParses;
  std::string bytes;
  if (!ReadCatalogueFile(*parser.source, kReferenceFolder + fileName, bytes)) return false;
  if (!topLevel) {
    if (bytes.size() > parser.maxIncludeBytes - parser.includeBytes) {
      parser.cut = true;
      parser.includeBytes = parser.maxIncludeBytes;
      return false;
    }
    parser.includeBytes += bytes.size();
  }

  FileState file;
  file.baseDepth = parser.builder->open.size();
  if (topLevel) {
    // Each object file starts afresh: a file without a title of its own must
    // not give its entries the previous file's title as owner.
    parser.title.clear();
    parser.group.clear();
    parser.titleJustOpened = false;
  }
  parser.parsing.push_back(key);
  for (const std::string& line : SplitFileLines(bytes)) ParseReferenceLine(parser, file, line);
  parser.parsing.pop_back();
  if (topLevel) CloseOutlineNodesTo(*parser.builder, file.baseDepth);
  return true;
}

void LoadReferenceCatalogue(const CatalogueSource& source, Catalogue& catalogue,
                            OutlineBuilder& builder) {
  const size_t depth = builder.open.size();
  OpenOutlineNode(builder, AddOutlineItem(builder, kReferenceLabel));
  ReferenceParser parser = StartReferenceParse(source, catalogue.reference, builder);
  for (const char* fileName : kReferenceFiles) ParseReferenceFile(parser, fileName);
  catalogue.referenceCut = parser.cut;
  CloseOutlineNodesTo(builder, depth);
  BuildMemberIndex(catalogue);
}

void BuildMemberIndex(Catalogue& catalogue) {
  catalogue.memberNames.clear();
  catalogue.memberOwners.clear();
  std::unordered_map<std::string, size_t> row;
  for (const ReferenceEntry& entry : catalogue.reference) {
    if (entry.name.empty()) continue;
    auto found = row.emplace(entry.name, catalogue.memberNames.size());
    if (found.second) {
      catalogue.memberNames.push_back(entry.name);
      catalogue.memberOwners.emplace_back();
    }
    std::vector<std::string>& owners = catalogue.memberOwners[found.first->second];
    if (std::find(owners.begin(), owners.end(), entry.owner) == owners.end()) owners.push_back(entry.owner);
  }
}
