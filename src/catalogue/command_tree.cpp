#include "catalogue/command_tree.h"

#include <iterator>

#include "app/app_state.h"
#include "catalogue/line_lists.h"
#include "catalogue/reference_parser.h"
#include "platform/file_system.h"
#include "platform/ui.h"

namespace {

struct ListFile {
  const char* file;
  const char* label;
  std::vector<std::string> Catalogue::*list;
  LinkKind kind;
  size_t capacity;
};

// In tree order; the reference branch goes between the first and the second.
const ListFile kListFiles[] = {
    {"QVR_Command_List.txt", "Basic commands", &Catalogue::commands, LinkKind::Command, kCommandListCapacity},
    {"QVR_Keyword_List.txt", "Keywords", &Catalogue::keywords, LinkKind::Keyword, kKeywordListCapacity},
    {"QVR_Events_List.txt", "Low level events", &Catalogue::events, LinkKind::Event, kEventsListCapacity},
    {"QVR_Dirs_List.txt", "Directions", &Catalogue::directions, LinkKind::Direction, kDirectionsListCapacity},
    {"QVR_User_List.txt", "User", &Catalogue::users, LinkKind::User, kUserListCapacity},
};

// The first file cut short is the one named: one notice is enough to send
// the user to the files.
void NoteCut(Catalogue& catalogue, bool cut, const char* file) {
  if (cut && catalogue.cutListFile.empty()) catalogue.cutListFile = file;
}

void LoadListFile(const CatalogueSource& source, const ListFile& list, Catalogue& catalogue,
                  OutlineBuilder& builder) {
  bool cut = false;
  LoadLineList(source, list.file, list.label, catalogue.*list.list, list.kind, builder, list.capacity, cut);
  NoteCut(catalogue, cut, list.file);
}

}  // namespace

TreeOutline BuildCommandOutline(const CatalogueSource& source, Catalogue& catalogue) {
  TreeOutline outline;
  OutlineBuilder builder;
  builder.outline = &outline;
  LoadListFile(source, kListFiles[0], catalogue, builder);
  LoadReferenceCatalogue(source, catalogue, builder);
  for (size_t i = 1; i < std::size(kListFiles); ++i)
    LoadListFile(source, kListFiles[i], catalogue, builder);
  bool cut = false;
  LoadCodeBlocks(source, catalogue.codeBlocks, builder, cut);
  NoteCut(catalogue, cut, kCodeBlockFile);
  return outline;
}

void FillCommandTree(Ui& ui, int control, const TreeOutline& outline) {
  ui.TreeClear(control);
  std::vector<TreeItem> items;
  items.reserve(outline.nodes.size());
  for (const OutlineNode& node : outline.nodes) {
    const TreeItem parent = node.parent < 0 ? kTreeRoot : items[node.parent];
    items.push_back(ui.TreeAdd(control, parent, node.label, EncodeTreeLink(node.link)));
  }
}

void LoadCommandTree(AppState& state, FileSystem& files, Ui& ui) {
  state.catalogue = Catalogue();
  const CatalogueSource source = MakeCatalogueSource(files, state.BasePath);
  FillCommandTree(ui, kCommandTree, BuildCommandOutline(source, state.catalogue));
  if (!state.catalogue.cutListFile.empty())
    ui.SetControlText(kDescriptionLine, "\"" + state.catalogue.cutListFile +
                                            "\" was cut short: it holds more entries, or longer ones, than the "
                                            "editor takes.");
  else if (state.catalogue.referenceCut)
    ui.SetControlText(kDescriptionLine, kReferenceCutNotice);
}

const std::vector<std::string>* LineListFor(const Catalogue& catalogue, LinkKind kind) {
  for (const ListFile& list : kListFiles)
    if (list.kind == kind) return &(catalogue.*list.list);
  return nullptr;
}
