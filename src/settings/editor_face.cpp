#include "settings/editor_face.h"

#include <algorithm>
#include <cctype>

namespace {

// Faces that look alike enough to stand in for one another, the closest to
// the default face first; the last ones come with Linux systems under Wine.
const char* const kFixedPitchChoices[] = {"Lucida Console", "Consolas",        "Courier New",
                                          "DejaVu Sans Mono", "Liberation Mono", "Noto Mono"};

// The system compares face names without regard to case.
bool SameFace(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string StandInFace(const std::string& chosen, const std::vector<FontFace>& installed) {
  auto find = [&installed](const std::string& name, bool fixedOnly) {
    return std::find_if(installed.begin(), installed.end(), [&](const FontFace& face) {
      return SameFace(face.name, name) && (face.fixedPitch || !fixedOnly);
    });
  };
  if (installed.empty() || find(chosen, false) != installed.end()) return chosen;
  for (const char* choice : kFixedPitchChoices) {
    auto it = find(choice, true);
    if (it != installed.end()) return it->name;
  }
  auto fixed = std::find_if(installed.begin(), installed.end(), [](const FontFace& face) { return face.fixedPitch; });
  return fixed != installed.end() ? fixed->name : chosen;
}
