#include "platform/win32/win32_services.h"

#include <commdlg.h>

#include <string>
#include <vector>

int Win32Dialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) {
  UINT type = buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL
              : buttons == MessageButtons::YesNo     ? MB_YESNO
                                                     : MB_OK;
  return MessageBoxA(owner ? owner() : nullptr, text.c_str(), title.c_str(), type);
}

namespace {

constexpr DWORD kFileDialogFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
constexpr size_t kPathCapacity = 32768;

std::string RunFileDialog(HWND owner, const FileDialogSpec& form, bool save) {
  // "a|b|c|d" becomes the system's "a\0b\0c\0d\0\0".
  std::string filter = form.filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::vector<char> path(kPathCapacity, '\0');
  lstrcpynA(path.data(), form.initialFile.c_str(), static_cast<int>(path.size()));
  OPENFILENAMEA ofn;
  ZeroMemory(&ofn, sizeof(ofn));
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = form.filterIndex + 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrInitialDir = form.initialFolder.empty() ? nullptr : form.initialFolder.c_str();
  ofn.lpstrTitle = form.title.c_str();
  ofn.Flags = kFileDialogFlags;
  BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  return chosen ? std::string(path.data()) : std::string();
}

}  // namespace

std::string Win32Dialogs::OpenFileDialog(const FileDialogSpec& form) {
  return RunFileDialog(owner ? owner() : nullptr, form, false);
}

std::string Win32Dialogs::SaveFileDialog(const FileDialogSpec& form) {
  return RunFileDialog(owner ? owner() : nullptr, form, true);
}

bool Win32Dialogs::ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) {
  HWND parent = owner ? owner() : nullptr;
  LOGFONTA font;
  ZeroMemory(&font, sizeof(font));
  lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  CHOOSEFONTA cf;
  ZeroMemory(&cf, sizeof(cf));
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = parent;
  cf.lpLogFont = &font;
  cf.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&cf)) return false;
  chosen.face = font.lfFaceName;
  chosen.tenths = cf.iPointSize;
  return true;
}

int64_t Win32Dialogs::ChooseColorDialog(uint32_t initial, CustomColors& custom) {
  COLORREF slots[16];
  for (int i = 0; i < 16; ++i) slots[i] = custom.slot[i];
  CHOOSECOLORA cc;
  ZeroMemory(&cc, sizeof(cc));
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner ? owner() : nullptr;
  cc.rgbResult = initial;
  cc.lpCustColors = slots;
  cc.Flags = CC_RGBINIT;
  const BOOL chosen = ChooseColorA(&cc);
  // The user may define custom colours and still cancel; they stay.
  for (int i = 0; i < 16; ++i) custom.slot[i] = slots[i];
  return chosen ? static_cast<int64_t>(cc.rgbResult) : -1;
}
