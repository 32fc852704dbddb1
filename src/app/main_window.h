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
// Below this the editing area shows too little script to work in: a smaller
// window takes the rest from the tree.
constexpr int kMinEditorWidth = 240;

// The editing area's width in a splitter of `splitterWidth`: it takes every
// change of the window's size, and the tree keeps `treeWidth`, the width the
// user last dragged it to, until the editing area is down to its minimum.
int EditorShare(int splitterWidth, int treeWidth);
// Puts the bar where the rule above (or a hidden panel) wants it.
void PlaceSplitter(App& app);
