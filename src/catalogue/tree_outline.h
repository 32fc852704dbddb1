#pragma once
// The command tree described as data: the loaders build it without any window,
// tests compare it whole, and FillCommandTree copies it into the tree control.
#include <string>
#include <vector>

// Which table an item was made from. The values are part of the number kept in
// each tree item, so they never change meaning.
enum class LinkKind : int {
  None = 0,       // top-level labels, object titles, groups
  Reference = 1,  // Catalogue::reference
  Command = 2,    // Catalogue::commands
  Keyword = 3,    // Catalogue::keywords
  Event = 4,      // Catalogue::events
  Direction = 5,  // Catalogue::directions
  User = 6,       // Catalogue::users
  CodeBlock = 7,  // Catalogue::codeBlocks
};

struct TreeLink {
  LinkKind kind = LinkKind::None;
  int index = 0;
  bool operator==(const TreeLink& o) const { return kind == o.kind && index == o.index; }
};

// The number a tree item carries. It must fit the 32-bit `long` of the Windows
// tree control: the kind sits in bits 24..27 and the index below it. An index
// that does not fit encodes as no link, and the item falls back to matching by
// its text.
long EncodeTreeLink(TreeLink link);
TreeLink DecodeTreeLink(long data);

struct OutlineNode {
  std::string label;
  int parent = -1;  // index into TreeOutline::nodes; -1 for a top-level item
  int depth = 0;    // 0 for a top-level item
  TreeLink link;
};

// Nodes in creation order, so a parent always comes before its children.
struct TreeOutline {
  std::vector<OutlineNode> nodes;
};

// Where the next item goes while an outline is built. Items are added at the
// innermost open node; "group" marks nodes that a later group heading may close.
struct OutlineBuilder {
  struct Open {
    int node;
    bool group;
  };
  TreeOutline* outline = nullptr;
  std::vector<Open> open;
};

int AddOutlineItem(OutlineBuilder& builder, const std::string& label, TreeLink link = {});
void OpenOutlineNode(OutlineBuilder& builder, int node, bool group = false);
void CloseOutlineNode(OutlineBuilder& builder);
// Closes nodes until only `depth` remain open; never closes more than that.
void CloseOutlineNodesTo(OutlineBuilder& builder, size_t depth);

// Children of `parent` (-1 for the top level), in order; for tests and callers
// that walk the outline.
std::vector<int> OutlineChildren(const TreeOutline& outline, int parent);
