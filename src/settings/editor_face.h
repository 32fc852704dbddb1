#pragma once
// Which face the editing area shows when the chosen one is not installed.
#include <string>
#include <vector>

#include "platform/ui.h"

// The chosen face when it is installed (or when nothing is known about the
// installed faces); otherwise an installed fixed-pitch face, so columns of
// a script still line up: a well-known one first, else the first in the
// list; the chosen face when no fixed-pitch face is installed at all.
std::string StandInFace(const std::string& chosen, const std::vector<FontFace>& installed);
