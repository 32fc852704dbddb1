#pragma once
// The command tree at start-up: the six list files and the scripting reference
// in their fixed order, first as tables and an outline, then into the control.
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/tree_outline.h"

struct AppState;
class FileSystem;
class Ui;

// Fills the catalogue tables and returns the tree as data, in the order
// "Basic commands", "QVR Methods", "Keywords", "Low level events",
// "Directions", "User", "Codeblocks". A list whose file cannot be read gets no
// top-level item; "QVR Methods" is always there.
TreeOutline BuildCommandOutline(const CatalogueSource& source, Catalogue& catalogue);

// Replaces the control's items with the outline; each item carries the
// encoded link of the entry it was made from.
void FillCommandTree(Ui& ui, int control, const TreeOutline& outline);

// Start-up: loads everything into state.catalogue and the command tree control.
void LoadCommandTree(AppState& state, FileSystem& files, Ui& ui);

// The line list a link of that kind points into; nullptr for the other kinds.
const std::vector<std::string>* LineListFor(const Catalogue& catalogue, LinkKind kind);
