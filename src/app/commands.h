#pragma once
// Menu items and toolbar buttons share one numbering; one row per command.
#include <vector>

#include "app/app.h"

using CommandHandler = void (*)(App&);

struct Command {
  int menuItem;
  int toolButton;        // 0 when the command has no button
  const char* caption;   // menu caption, and the button's tool tip
  CommandHandler run;    // nullptr while the command is not built
};

const std::vector<Command>& Commands();
// The command behind a menu item or toolbar button number, or nullptr.
const Command* FindCommand(int number);
