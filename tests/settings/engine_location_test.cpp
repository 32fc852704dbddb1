#include "settings/engine_location.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_registry.h"

namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

struct EngineLocationTest : ::testing::Test {
  MemoryRegistry registry;
  AppState state;

  long Read(std::string& path) {
    return ReadRegistryText(registry, kUser, kEngineSettingsKey, kInstallPathValue, path);
  }
  void TearDown() override { EXPECT_EQ(registry.openHandles, 0) << "a key was left open"; }
};

TEST_F(EngineLocationTest, CompilerPathIsAPlainConcatenation) {
  registry.SetString(kUser, kEngineSettingsKey, kInstallPathValue, "C:\\Games\\QVR\\");
  LoadEngineLocation(state, registry);
  EXPECT_EQ(state.InstallPath, "C:\\Games\\QVR\\");
  EXPECT_EQ(state.CompilerPath, "C:\\Games\\QVR\\qvr_comp.exe");

  registry.SetString(kUser, kEngineSettingsKey, kInstallPathValue, "C:\\Games\\QVR");
  LoadEngineLocation(state, registry);
  EXPECT_EQ(state.CompilerPath, "C:\\Games\\QVRqvr_comp.exe");
}

TEST_F(EngineLocationTest, MissingKeyOrValueLeavesTheBareCompilerName) {
  LoadEngineLocation(state, registry);
  EXPECT_EQ(state.InstallPath, "");
  EXPECT_EQ(state.CompilerPath, "qvr_comp.exe");

  std::string path = "unchanged";
  EXPECT_EQ(Read(path), kRegFileNotFound);
  registry.CreateKey(kUser, kEngineSettingsKey);
  EXPECT_EQ(Read(path), kRegFileNotFound);
  EXPECT_EQ(path, "unchanged");
}

TEST_F(EngineLocationTest, DwordValueBecomesSignedDecimalText) {
  registry.SetDword(kUser, kEngineSettingsKey, kInstallPathValue, 1234);
  std::string path;
  EXPECT_EQ(Read(path), kRegSuccess);
  EXPECT_EQ(path, "1234");
  registry.SetDword(kUser, kEngineSettingsKey, kInstallPathValue, 0xFFFFFFFEu);
  EXPECT_EQ(Read(path), kRegSuccess);
  EXPECT_EQ(path, "-2");
}

TEST_F(EngineLocationTest, ValuesOfTheBufferSizeOrLonger) {
  std::string path = "before";
  // 254 characters and the NUL fill the 255-byte buffer exactly.
  registry.SetString(kUser, kEngineSettingsKey, kInstallPathValue, std::string(254, 'p'));
  EXPECT_EQ(Read(path), kRegSuccess);
  EXPECT_EQ(path, std::string(254, 'p'));
  path = "before";
  registry.SetString(kUser, kEngineSettingsKey, kInstallPathValue, std::string(255, 'p'));
  EXPECT_EQ(Read(path), kRegMoreData);
  EXPECT_EQ(path, "before");
}

TEST_F(EngineLocationTest, OtherTypesLeaveThePathAlone) {
  for (uint32_t type : {kRegExpandSz, kRegBinary}) {
    registry.SetValue(kUser, kEngineSettingsKey, kInstallPathValue, type, {'C', ':', '\\', 0});
    std::string path = "before";
    EXPECT_EQ(Read(path), kRegSuccess);
    EXPECT_EQ(path, "before");
  }
}

TEST_F(EngineLocationTest, SecondQueryFailingGivesTheFallbackText) {
  std::string path = "before";
  registry.SetString(kUser, kEngineSettingsKey, kInstallPathValue, "C:\\QVR\\");
  registry.failFromQuery = 2;
  EXPECT_EQ(Read(path), kRegFileNotFound);
  EXPECT_EQ(path, "");

  registry.SetDword(kUser, kEngineSettingsKey, kInstallPathValue, 7);
  registry.queries = 0;
  EXPECT_EQ(Read(path), kRegFileNotFound);
  EXPECT_EQ(path, "0");
}

// Text values written without their NUL, or with nothing at all, must not
// lose a character or read before the buffer.
TEST_F(EngineLocationTest, TextWithoutTerminatorKeepsEveryCharacter) {
  std::string path;
  registry.SetValue(kUser, kEngineSettingsKey, kInstallPathValue, kRegSz, {'C', ':', '\\'});
  EXPECT_EQ(Read(path), kRegSuccess);
  EXPECT_EQ(path, "C:\\");
  registry.SetValue(kUser, kEngineSettingsKey, kInstallPathValue, kRegSz, {});
  path = "before";
  EXPECT_EQ(Read(path), kRegSuccess);
  EXPECT_EQ(path, "");
}

}  // namespace
