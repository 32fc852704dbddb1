#pragma once
// Another program's writes to the document's file: seen when the main
// window comes to the front and before a save replaces the file.
#include <string>

#include "app/app.h"

// Asks about a change made on disk since the user was last asked.
void CheckOutsideChanges(App& app);
