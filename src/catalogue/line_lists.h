#pragma once
// The plain list files and the code-block file: each becomes one table of the
// catalogue and one top-level item of the command tree.
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/tree_outline.h"

constexpr const char* kCodeBlockFile = "QVR_UserBlocks_List.txt";
constexpr const char* kCodeBlockLabel = "Codeblocks";

// The longest line a list keeps: an entry is a word or a short statement,
// and a longer line is no entry (a random file would build a word table of
// its own size).
constexpr size_t kMaxListLine = 1000;
// The most code one block keeps: what one transfer into the editor holds.
constexpr size_t kMaxBlockCode = 63999;

// Appends the lines of `fileName` to `list` (as read: no trimming, empty
// lines kept), at most `capacity` of them and none longer than
// kMaxListLine, and adds the top-level item `label` with one child per line,
// linked to the line by `kind` and its index. A file that cannot be read
// changes nothing and adds no item. Returns whether the file was read;
// `cut` tells whether lines were left out.
bool LoadLineList(const CatalogueSource& source, const std::string& fileName,
                  const std::string& label, std::vector<std::string>& list, LinkKind kind,
                  OutlineBuilder& builder, size_t capacity, bool& cut);

// A line starting with "#" opens a block: the text up to the next "#" is its
// name, the rest its description. Every other line, with a line feed added,
// goes to the code of the latest block. Lines before the first header belong
// to no block and are ignored: an unnamed block would show as a blank item.
std::vector<CodeBlock> ParseCodeBlocks(const std::vector<std::string>& lines);

// The code-block file as one top-level item "Codeblocks" with one child per
// block, labelled with its name; nothing when the file cannot be read.
// At most kCodeBlockCapacity blocks of at most kMaxBlockCode code each;
// `cut` tells whether any was left out or shortened.
bool LoadCodeBlocks(const CatalogueSource& source, std::vector<CodeBlock>& blocks,
                    OutlineBuilder& builder, bool& cut);
