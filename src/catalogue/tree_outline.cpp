#include "catalogue/tree_outline.h"

namespace {
constexpr int kLinkKindShift = 24;
constexpr long kLinkIndexMask = (1L << kLinkKindShift) - 1;
constexpr int kLastLinkKind = static_cast<int>(LinkKind::CodeBlock);
}  // namespace

long EncodeTreeLink(TreeLink link) {
  if (link.kind == LinkKind::None || link.index < 0 || link.index > kLinkIndexMask) return 0;
  return (static_cast<long>(link.kind) << kLinkKindShift) | link.index;
}

TreeLink DecodeTreeLink(long data) {
  const long kind = data >> kLinkKindShift;
  if (data <= 0 || kind < 1 || kind > kLastLinkKind) return {};
  return {static_cast<LinkKind>(kind), static_cast<int>(data & kLinkIndexMask)};
}

int AddOutlineItem(OutlineBuilder& builder, const std::string& label, TreeLink link) {
  OutlineNode node;
  node.label = label;
  node.link = link;
  if (!builder.open.empty()) {
    node.parent = builder.open.back().node;
    node.depth = builder.outline->nodes[node.parent].depth + 1;
  }
  builder.outline->nodes.push_back(std::move(node));
  return static_cast<int>(builder.outline->nodes.size()) - 1;
}

void OpenOutlineNode(OutlineBuilder& builder, int node, bool group) {
  builder.open.push_back({node, group});
}

void CloseOutlineNode(OutlineBuilder& builder) {
  if (!builder.open.empty()) builder.open.pop_back();
}

void CloseOutlineNodesTo(OutlineBuilder& builder, size_t depth) {
  while (builder.open.size() > depth) builder.open.pop_back();
}

std::vector<int> OutlineChildren(const TreeOutline& outline, int parent) {
  std::vector<int> children;
  for (size_t i = 0; i < outline.nodes.size(); ++i)
    if (outline.nodes[i].parent == parent) children.push_back(static_cast<int>(i));
  return children;
}
