#pragma once
// The one script being edited: New, Open, Append, Save, Save as, the
// unsaved-changes question and dropped files.
#include <string>

#include "app/app.h"

constexpr const char* kScriptFilter =
    "QVR files|*.script;*.inc|Scripts (*.script)|*.script|Includes (*.inc)|*.inc|Textfiles|*.txt|All files|*.*";

// 1 to go on, 0 to cancel. A save that fails answers 0, so nothing unsaved
// is thrown away.
int AskSaveChanges(App& app);
void LoadScript(App& app, const std::string& path);
void AppendScript(App& app, const std::string& path);
// Writes the editor's text to exactly that path; the document's name and
// state stay as they are. Reports a failure to the user and returns false.
bool SaveScript(App& app, const std::string& path);
void OnFilesDropped(App& app, const std::vector<std::string>& paths);

void NewScript(App& app);
void OpenScript(App& app);
void AppendScriptCommand(App& app);
void SaveScriptCommand(App& app);
void SaveScriptAs(App& app);

// The path with ".script" added unless it ends in ".script", ".inc" or ".txt".
std::string WithScriptExtension(const std::string& path);
