#pragma once
#include "app/app.h"

void EditUndo(App& app);
void EditRedo(App& app);
void EditCut(App& app);
void EditCopy(App& app);
void EditPaste(App& app);
void EditDelete(App& app);
void EditSelectAll(App& app);
