#pragma once
#include "app/app.h"

// Builds window 0 with its status bar, controls, menu and toolbar.
bool CreateMainWindow(App& app);
void LayoutMainWindow(App& app);
void WindowHook(App& app, int window, int message);
// Greys or enables the menu items and toolbar buttons of a command.
const std::vector<MenuTitle>& MainMenu();
const std::vector<ToolButton>& MainToolbar();

constexpr int kMainX = 216;
constexpr int kMainY = 0;
constexpr int kMainClientW = 800;
constexpr int kMainClientH = 600;
constexpr int kSplitterBar = 7;
