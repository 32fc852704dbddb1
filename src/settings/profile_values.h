#pragma once
// The settings file's two value encodings. Every value in the file is text;
// "byte" values are small numbers that must survive hand edits of the file.
#include <string>

#include "platform/profile.h"

// The reads go through a buffer of this size, so at most 254 characters
// come back; longer values are cut, never overflow.
constexpr size_t kProfileBufferSize = 255;

std::string ReadProfileText(ProfileStore& profile, const std::string& section,
                            const std::string& key, const std::string& file);
// 0 to 255; a missing key or a value without digits reads as 0.
int ReadProfileByte(ProfileStore& profile, const std::string& section,
                    const std::string& key, const std::string& file);
void WriteProfileText(ProfileStore& profile, const std::string& section,
                      const std::string& key, const std::string& value,
                      const std::string& file);
// Writes the decimal text of the value's low 8 bits (-1 is written "255").
void WriteProfileByte(ProfileStore& profile, const std::string& section,
                      const std::string& key, int value, const std::string& file);

// Leading blanks, an optional sign, then digits up to the first other
// character; the number's low 8 bits, taken unsigned.
int ParseProfileByte(const std::string& text);

// Leading blanks, an optional sign, then digits up to the first other
// character, as a whole number (held at the bounds of a long); false when
// there are no digits.
bool ParseProfileNumber(const std::string& text, long& value);
