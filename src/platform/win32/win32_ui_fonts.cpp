// The faces installed for the screen.
#include "platform/win32/win32_ui.h"

#include <set>

namespace {

struct FaceList {
  std::set<std::string> seen;
  std::vector<FontFace> faces;
};

int CALLBACK AddFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  FaceList& list = *reinterpret_cast<FaceList*>(data);
  const std::string name = font->lfFaceName;
  // "@" faces are the vertical forms of East Asian faces, not faces to choose.
  if (name.empty() || name[0] == '@' || !list.seen.insert(name).second) return 1;
  list.faces.push_back({name, (font->lfPitchAndFamily & 3) == FIXED_PITCH});
  return 1;
}

}  // namespace

std::vector<FontFace> Win32Ui::InstalledFaces() {
  FaceList list;
  LOGFONTA wanted;
  ZeroMemory(&wanted, sizeof(wanted));
  wanted.lfCharSet = DEFAULT_CHARSET;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &wanted, AddFace, reinterpret_cast<LPARAM>(&list), 0);
  ReleaseDC(nullptr, screen);
  return list.faces;
}
