#pragma once
#include <cstdint>

// The look of one highlight category, as the settings file stores it.
struct CategoryStyle {
  int16_t red = 0, green = 0, blue = 0;
  uint8_t bold = 0, italic = 0, underline = 0;
};

inline uint32_t ColorOf(const CategoryStyle& s) {
  return static_cast<uint32_t>(s.red) + static_cast<uint32_t>(s.green) * 256u +
         static_cast<uint32_t>(s.blue) * 65536u;
}

// Only the value 1 counts as on; strikeout is never set, so always cleared.
inline uint32_t EffectsOf(const CategoryStyle& s) {
  return (s.bold == 1 ? 1u : 0u) + (s.italic == 1 ? 2u : 0u) + (s.underline == 1 ? 4u : 0u);
}
