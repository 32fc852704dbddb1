#pragma once
// The system services other than windows: dialogs, clipboard, profile
// files, registry, files (win32_files.h) and started programs.
#include <windows.h>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/process_runner.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/win32/win32_files.h"

class Win32Dialogs : public Dialogs {
 public:
  // The owner of message boxes and dialogs: the program's active window,
  // else the main window once it exists.
  HWND (*owner)() = nullptr;
  int ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) override;
  std::string OpenFileDialog(const FileDialogSpec& form) override;
  std::string SaveFileDialog(const FileDialogSpec& form) override;
  bool ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) override;
  int64_t ChooseColorDialog(uint32_t initial, CustomColors& custom) override;
};

class Win32Clipboard : public Clipboard {
 public:
  std::string GetText() override;
  void SetText(const std::string& text) override;
};

class Win32Profile : public ProfileStore {
 public:
  std::string Read(const std::string& section, const std::string& key, const std::string& fallback,
                   size_t bufferSize, const std::string& file) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value,
             const std::string& file) override;
};

class Win32Registry : public Registry {
 public:
  long OpenKey(RegistryRoot root, const std::string& path, RegistryKey& key) override;
  long QueryValue(RegistryKey key, const std::string& name, uint32_t& type, std::vector<uint8_t>& buffer,
                  uint32_t& size) override;
  void CloseKey(RegistryKey key) override;
};

class Win32ProcessRunner : public ProcessRunner {
 public:
  bool RunAndWait(const std::string& file, const std::string& folder) override;
  bool ConsolePath(const std::string& path, std::string& spelled) override;
  std::string ThisProcess() override;
  bool IsRunning(const std::string& process) override;
  std::string EnvironmentVariable(const std::string& name) override;
};
