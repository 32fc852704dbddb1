#include "catalogue/line_lists.h"

#include "catalogue/line_reader.h"

bool LoadLineList(const CatalogueSource& source, const std::string& fileName,
                  const std::string& label, std::vector<std::string>& list, LinkKind kind,
                  OutlineBuilder& builder, size_t capacity, bool& cut) {
  std::string bytes;
  if (!ReadCatalogueFile(source, fileName, bytes)) return false;
  OpenOutlineNode(builder, AddOutlineItem(builder, label));
  const size_t first = list.size();
  VisitFileLines(bytes, [&](std::string_view line) {
    if (list.size() - first >= capacity) {
      cut = true;
      return false;
    }
    if (line.size() > kMaxListLine) {
      cut = true;
      return true;
    }
    AddOutlineItem(builder, std::string(line), {kind, static_cast<int>(list.size())});
    list.emplace_back(line);
    return true;
  });
  CloseOutlineNode(builder);
  return true;
}

namespace {

// "#Loop#Repeats a statement" gives name "Loop", description "Repeats a
// statement". Without a second "#" the name is empty and the whole rest is the
// description, as the list format defines it.
CodeBlock ParseCodeBlockHeader(const std::string& line) {
  const std::string rest = line.substr(1);
  const size_t hash = rest.find('#');
  CodeBlock block;
  if (hash == std::string::npos) {
    block.description = rest;
  } else {
    block.name = rest.substr(0, hash);
    block.description = rest.substr(hash + 1);
  }
  return block;
}

}  // namespace

std::vector<CodeBlock> ParseCodeBlocks(const std::vector<std::string>& lines) {
  std::vector<CodeBlock> blocks;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '#') {
      blocks.push_back(ParseCodeBlockHeader(line));
    } else if (!blocks.empty()) {
      blocks.back().code += line;
      blocks.back().code += '\n';
    }
  }
  return blocks;
}

bool LoadCodeBlocks(const CatalogueSource& source, std::vector<CodeBlock>& blocks,
                    OutlineBuilder& builder, bool& cut) {
  std::string bytes;
  if (!ReadCatalogueFile(source, kCodeBlockFile, bytes)) return false;
  OpenOutlineNode(builder, AddOutlineItem(builder, kCodeBlockLabel));
  std::vector<CodeBlock> read;
  VisitFileLines(bytes, [&](std::string_view line) {
    const bool header = !line.empty() && line[0] == '#';
    if (header && read.size() >= kCodeBlockCapacity) {
      cut = true;
      return false;
    }
    if (header) {
      read.push_back(ParseCodeBlocks({std::string(line.substr(0, kMaxListLine))}).front());
      cut = cut || line.size() > kMaxListLine;
    } else if (!read.empty()) {
      std::string& code = read.back().code;
      if (code.size() + line.size() + 1 > kMaxBlockCode) {
        cut = true;
      } else {
        code.append(line);
        code += '\n';
      }
    }
    return true;
  });
  for (CodeBlock& block : read) {
    AddOutlineItem(builder, block.name, {LinkKind::CodeBlock, static_cast<int>(blocks.size())});
    blocks.push_back(std::move(block));
  }
  CloseOutlineNode(builder);
  return true;
}
