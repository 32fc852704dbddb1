#pragma once
// File > Print: the whole script, as the editing area shows it, on the
// default printer or the one chosen in the printer dialog (`Device`).
#include <vector>

#include "app/app.h"

constexpr const char* kNoPrinterMessage = "No printer could be opened.";

void PrintScript(App& app);

// The pages to print, 0-based, in the order they go to the printer: the
// range asked for within the `pages` there are, each copy whole when
// collated, else each page as often as there are copies.
std::vector<int> PrintedPageOrder(int pages, const PrintChoice& choice);
