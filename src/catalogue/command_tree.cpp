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
};

// In tree order; the reference branch goes between the first and the second.
const ListFile kListFiles[] = {
    {"QVR_Command_List.txt", "Basic commands", &Catalogue::commands, LinkKind::Command},
    {"QVR_Keyword_List.txt", "Keywords", &Catalogue::keywords, LinkKind::Keyword},
    {"QVR_Events_List.txt", "Low level events", &Catalogue::events, LinkKind::Event},
    {"QVR_Dirs_List.txt", "Directions", &Catalogue::directions, LinkKind::Direction},
    {"QVR_User_List.txt", "User", &Catalogue::users, LinkKind::User},
};

void LoadListFile(const CatalogueSource& source, const ListFile& list, Catalogue& catalogue,
                  OutlineBuilder& builder) {
  LoadLineList(source, list.file, list.label, catalogue.*list.list, list.kind, builder);
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
  LoadCodeBlocks(source, catalogue.codeBlocks, builder);
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
  if (state.catalogue.referenceCut) ui.SetControlText(kDescriptionLine, kReferenceCutNotice);
}

const std::vector<std::string>* LineListFor(const Catalogue& catalogue, LinkKind kind) {
  for (const ListFile& list : kListFiles)
    if (list.kind == kind) return &(catalogue.*list.list);
  return nullptr;
}
