#pragma once
// Where the engine is installed: one registry value written by the engine's
// own tools, read once at start-up.
#include <string>

#include "app/app_state.h"
#include "platform/registry.h"

constexpr const char* kEngineSettingsKey = "Software\\BRAMBLE:WORKS\\Vantreel Tools\\Settings";
constexpr const char* kInstallPathValue = "InstallPath";
constexpr uint32_t kRegistryBufferSize = 255;

// Returns the status of the last registry call (0 on success). On success the
// value, as text, replaces installPath; text values lose their terminating
// NUL, DWORD values become signed decimal text, other types leave it alone.
long ReadRegistryText(Registry& registry, RegistryRoot root, const std::string& keyPath,
                      const std::string& valueName, std::string& installPath);

// InstallPath from the registry ("" when absent) and the compiler beside it.
// The value is expected to end in a backslash; none is added, so the
// compiler path is a plain concatenation.
void LoadEngineLocation(AppState& state, Registry& registry);
