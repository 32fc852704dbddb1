#pragma once
// The control's rich-text form, both ways: a highlighted script reaches the
// control in one transfer instead of one format call per stretch (each call
// costs time in proportion to the document's length), and the current look
// of a whole text can be read back in one transfer too.
#include <cstdint>
#include <string>
#include <vector>

// What one character looks like, as far as the editor cares.
struct CharLook {
  uint32_t color = 0;      // COLORREF; "automatic" reads as black
  uint32_t effects = 0;    // bold 1, italic 2, underline 4, strikeout 8
  int32_t heightTwips = 0;
  std::string face;
  bool operator==(const CharLook& o) const {
    return color == o.color && effects == o.effects && heightTwips == o.heightTwips && face == o.face;
  }
  bool operator!=(const CharLook& o) const { return !(*this == o); }
};

// The form carries heights in half points (10 twips), up to this many; the
// control itself takes no more.
constexpr long kMaxHalfPoints = 3276;
// Groups nest no deeper than this in anything the control writes; a deeper
// input is not read at all rather than read in part.
constexpr size_t kMaxRichTextDepth = 1000;

// Where a transfer goes. Over a whole text the control drops the stream's
// last paragraph mark; into a selection it keeps every mark.
enum class RichTextTarget { WholeText, Selection };

// `text` holds one '\r' per paragraph mark between lines; `looks` one entry
// per character of it. Every byte of the text and of a face comes back from
// ReadRichText unchanged; so does every look whose colour is plain RGB (high
// byte 0), whose height is a multiple of 10 twips from 0 to kMaxHalfPoints
// half points and whose effects are the four above. Outside that, a height
// goes as the nearest one inside and a colour's high byte is dropped.
std::string WriteRichText(const std::string& text, const std::vector<CharLook>& looks,
                          RichTextTarget target = RichTextTarget::WholeText);

// Reads text and looks back as the control takes them in: for a whole text
// the stream's last paragraph mark is dropped. False for input that is not
// rich text.
bool ReadRichText(const std::string& rtf, std::string& text, std::vector<CharLook>& looks,
                  RichTextTarget target = RichTextTarget::WholeText);
