// The settings file and the install path through the system's own profile
// and registry functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/engine_location.h"
#include "settings/profile_values.h"
#include "settings/settings_store.h"
#include "platform/win32/win32_services.h"

namespace {

std::string SettingsFilePath() {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\QVRVSE.ini";
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(RealSettings, FirstRunWritesTheFileInTheWindowsFolderInTableOrder) {
  DeleteFileA(SettingsFilePath().c_str());
  Win32Profile profile;
  AppState state;
  LoadSettings(state, profile);
  EXPECT_EQ(state.Methods.red, 200);
  EXPECT_EQ(state.Enabled, 1);
  EXPECT_EQ(state.VorodazedEzoze, 0);
  std::string text = ReadWhole(SettingsFilePath());
  size_t general = text.find("[General]"), syntax = text.find("[Syntax Highlighting]"),
         printer = text.find("[Printer]"), colour = text.find("[Coloration]"), style = text.find("[Style]"),
         compiling = text.find("[Compiling]");
  ASSERT_NE(general, std::string::npos);
  EXPECT_LT(general, syntax);
  EXPECT_LT(syntax, printer);
  EXPECT_LT(printer, colour);
  EXPECT_LT(colour, style);
  EXPECT_LT(style, compiling);
  EXPECT_NE(text.find("MethodsR=200\r\n"), std::string::npos);
  EXPECT_NE(text.find("EditorFontSize=0\r\n"), std::string::npos);

  // A second start reads what the first wrote; keys of others stay.
  WritePrivateProfileStringA("General", "Foreign", "kept", "QVRVSE.ini");
  WritePrivateProfileStringA("Coloration", "KeywordsB", "300", "QVRVSE.ini");
  AppState again;
  LoadSettings(again, profile);
  EXPECT_EQ(again.Keywords.blue, 200);   // 300 is no colour component: the default stays
  SaveSettings(again, profile);
  char kept[32];
  GetPrivateProfileStringA("General", "Foreign", "", kept, sizeof(kept), "QVRVSE.ini");
  EXPECT_STREQ(kept, "kept");
  // Later programs in this prefix start as on a first run again.
  DeleteFileA(SettingsFilePath().c_str());
}

TEST(RealSettings, InstallPathFromTheRegistry) {
  const char* key = "Software\\BRAMBLE:WORKS\\Vantreel Tools\\Settings";
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr), 0);
  const char path[] = "C:\\Program Files\\QVR\\";
  RegSetValueExA(h, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof(path));
  Win32Registry registry;
  AppState state;
  LoadEngineLocation(state, registry);
  EXPECT_EQ(state.InstallPath, path);
  EXPECT_EQ(state.CompilerPath, std::string(path) + "qvr_comp.exe");

  DWORD number = static_cast<DWORD>(-5);
  RegSetValueExA(h, "InstallPath", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  AppState dword;
  LoadEngineLocation(dword, registry);
  EXPECT_EQ(dword.InstallPath, "-5");

  RegDeleteValueA(h, "InstallPath");
  RegCloseKey(h);
  AppState missing;
  LoadEngineLocation(missing, registry);
  EXPECT_EQ(missing.InstallPath, "");
  EXPECT_EQ(missing.CompilerPath, "qvr_comp.exe");
}

TEST(RealSettings, ValuesTheSystemWouldTrimOrUnquoteReadBackAsWritten) {
  Win32Profile profile;
  const char* file = "QVRVSE-values.ini";
  for (const std::string value : {"\"Arial\"", " Arial ", "'x'", "\"a", "\tc", "\"", "Arial"}) {
    SCOPED_TRACE(value);
    WriteProfileText(profile, "General", "EditorFontName", value, file);
    EXPECT_EQ(ReadProfileText(profile, "General", "EditorFontName", file), value);
  }
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, MAX_PATH);
  DeleteFileA((std::string(folder) + "\\" + file).c_str());
}

}  // namespace
