#include "app/commands.h"

#include "app/edit_commands.h"
#include "app/script_files.h"
#include "app/settings_window.h"
#include "editor/find_replace.h"
#include "app/syntax_check.h"
#include "settings/printing.h"

static void Exit(App& app) { RequestQuit(app); }

const std::vector<Command>& Commands() {
  static const std::vector<Command> table = {
      {1, 22, "New", NewScript},
      {2, 23, "Open", OpenScript},
      {3, 0, "Append", AppendScriptCommand},
      {4, 24, "Save", SaveScriptCommand},
      {5, 0, "Save as ...", SaveScriptAs},
      {6, 31, "Print", PrintScript},
      {7, 0, "Exit", Exit},
      {8, 26, "Undo", EditUndo},
      {9, 27, "Redo", EditRedo},
      {10, 28, "Cut", EditCut},
      {11, 29, "Copy", EditCopy},
      {12, 30, "Paste", EditPaste},
      {13, 0, "Delete", EditDelete},
      {14, 0, "Select all", EditSelectAll},
      {15, 32, "Find", OpenFindWindow},
      {16, 33, "Replace", OpenReplaceWindow},
      {17, 0, "Check syntax", CheckSyntax},
      {18, 34, "Settings", OpenSettingsWindow},
      {20, 0, "About", ShowAbout},
  };
  return table;
}

const Command* FindCommand(int number) {
  if (number <= 0) return nullptr;
  for (const Command& c : Commands())
    if (c.menuItem == number || c.toolButton == number) return &c;
  return nullptr;
}
