#include "catalogue/tree_event.h"

#include "app/app_state.h"
#include "catalogue/command_tree.h"
#include "catalogue/tree_outline.h"
#include "editor/editor_ops.h"
#include "platform/events.h"
#include "platform/ui.h"

namespace {

// The order in which unlinked items are matched by text.
constexpr LinkKind kTextMatchOrder[] = {
    LinkKind::Reference, LinkKind::Command, LinkKind::Keyword,   LinkKind::User,
    LinkKind::Event,     LinkKind::Direction, LinkKind::CodeBlock,
};

size_t TableSize(const Catalogue& catalogue, LinkKind kind) {
  if (kind == LinkKind::Reference) return catalogue.reference.size();
  if (kind == LinkKind::CodeBlock) return catalogue.codeBlocks.size();
  const std::vector<std::string>* list = LineListFor(catalogue, kind);
  return list ? list->size() : 0;
}

// The text an entry shows in the tree.
const std::string& EntryLabel(const Catalogue& catalogue, TreeLink link) {
  if (link.kind == LinkKind::Reference) return catalogue.reference[link.index].name;
  if (link.kind == LinkKind::CodeBlock) return catalogue.codeBlocks[link.index].name;
  return (*LineListFor(catalogue, link.kind))[link.index];
}

bool LinkFits(const Catalogue& catalogue, TreeLink link, const std::string& text) {
  if (link.kind == LinkKind::None) return false;
  if (static_cast<size_t>(link.index) >= TableSize(catalogue, link.kind)) return false;
  return EntryLabel(catalogue, link) == text;
}

std::vector<TreeLink> MatchesByText(const Catalogue& catalogue, const std::string& text) {
  std::vector<TreeLink> matches;
  for (LinkKind kind : kTextMatchOrder) {
    const size_t size = TableSize(catalogue, kind);
    for (size_t i = 0; i < size; ++i) {
      const TreeLink link{kind, static_cast<int>(i)};
      if (EntryLabel(catalogue, link) == text) matches.push_back(link);
    }
  }
  return matches;
}

// List lines have nothing to show, so they leave the previous text in place.
void Show(const Catalogue& catalogue, TreeLink link, TreeEventOutcome& outcome) {
  if (link.kind == LinkKind::Reference) {
    const ReferenceEntry& entry = catalogue.reference[link.index];
    outcome.showDescription = outcome.showSignature = true;
    outcome.description = entry.description;
    outcome.signature = entry.signature;
  } else if (link.kind == LinkKind::CodeBlock) {
    outcome.showDescription = true;
    outcome.description = catalogue.codeBlocks[link.index].description;
  }
}

std::string TextToInsert(const Catalogue& catalogue, TreeLink link, bool fullParameters) {
  if (link.kind == LinkKind::Reference) {
    const ReferenceEntry& entry = catalogue.reference[link.index];
    if (fullParameters && !entry.signature.empty()) return entry.signature;
    return entry.name + entry.suffix;
  }
  if (link.kind == LinkKind::CodeBlock) return catalogue.codeBlocks[link.index].code;
  return EntryLabel(catalogue, link);
}

}  // namespace

TreeEventOutcome DecideTreeEvent(const Catalogue& catalogue, const std::string& selectedText,
                                 long itemLink, bool doubleClick, bool fullParameters) {
  const TreeLink link = DecodeTreeLink(itemLink);
  const bool linked = LinkFits(catalogue, link, selectedText);
  const std::vector<TreeLink> matches = linked ? std::vector<TreeLink>{link} : MatchesByText(catalogue, selectedText);
  TreeEventOutcome outcome;
  // A list line has no description of its own; one that is also a reference
  // member (some low level events are) shows that member's, rather than
  // leaving the previous item's text in place.
  const bool listLine = linked && link.kind != LinkKind::Reference && link.kind != LinkKind::CodeBlock;
  for (const TreeLink& match : listLine ? MatchesByText(catalogue, selectedText) : matches)
    Show(catalogue, match, outcome);
  if (doubleClick && !matches.empty()) {
    outcome.insert = true;
    outcome.text = TextToInsert(catalogue, matches.front(), fullParameters);
    outcome.insertsCodeBlock = matches.front().kind == LinkKind::CodeBlock;
  }
  return outcome;
}

void OnCommandTreeEvent(AppState& state, Ui& ui, int eventType, uintptr_t clicked, const CommandTreeHooks& hooks) {
  const bool doubleClick = eventType == kControlDoubleClick;
  // A double-click on a button or beside the items only opens or closes a
  // branch, which the tree does itself.
  if (doubleClick && clicked == kTreeRoot) return;
  if (doubleClick && ui.TreeSelected(kCommandTree) != clicked) ui.TreeSelect(kCommandTree, clicked);
  const TreeItem item = ui.TreeSelected(kCommandTree);
  if (item == kTreeRoot) return;  // nothing selected: nothing to show or insert
  const TreeEventOutcome outcome = DecideTreeEvent(
      state.catalogue, ui.TreeItemText(kCommandTree, item), ui.TreeItemData(kCommandTree, item),
      doubleClick || eventType == kControlEnter, ui.IsChecked(kFullParametersBox));

  if (outcome.showDescription) ui.SetControlText(kDescriptionLine, outcome.description);
  if (outcome.showSignature) ui.SetStatusText(kStatusSyntaxField, outcome.signature);
  if (!outcome.insert) return;
  EditControl* edit = ui.Editor(kEditingArea);
  if (!edit) return;

  InsertText(*edit, state.Changed, outcome.text);
  if (state.PopupShown == 1 && hooks.hidePopup) hooks.hidePopup();
  ActivateEditor(*edit);
  if (outcome.insertsCodeBlock && state.Enabled == 1 && state.Realtime == 1 && hooks.highlightAll) {
    // Re-highlighting the whole text leaves the caret at the start; the user
    // expects to go on typing after the inserted block.
    const int line = CaretLine(*edit);
    const int column = CaretColumn(*edit);
    hooks.highlightAll();
    SetCaret(*edit, column, line);
    // The whole text was just formatted: the line the caret came back to
    // needs no pass of its own when the caret leaves it.
    state.lastCaretLine = line;
  }
}
