#pragma once
#include "app/app.h"

// Settings file, font rule, engine install path and compiler path.
void StartUpSettings(App& app);
// The command tree with the reference catalogue.
void StartUpCatalogue(App& app);
