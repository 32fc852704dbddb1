#include "catalogue/member_rules.h"

#include <algorithm>

namespace {

// Upper case for ASCII and Latin-1 letters; 0xF7 is the division sign and
// 0xFF has no upper case within Latin-1.
unsigned char UpperLatin1(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  return c;
}

// Whether `part` stands in `text` at `at`, letters compared without case.
bool MatchesAtNoCase(const std::string& text, size_t at, const std::string& part) {
  if (at + part.size() > text.size()) return false;
  for (size_t i = 0; i < part.size(); ++i)
    if (UpperLatin1(static_cast<unsigned char>(text[at + i])) != UpperLatin1(static_cast<unsigned char>(part[i])))
      return false;
  return true;
}

bool ContainsNoCase(const std::string& text, const std::string& part) {
  for (size_t at = 0; at + part.size() <= text.size(); ++at)
    if (MatchesAtNoCase(text, at, part)) return true;
  return false;
}

bool IsOwnerWord(const std::string& word) { return word == "Game" || word == "actor" || word == "Scene"; }

bool OwnedBy(const std::vector<std::string>& owners, const std::string& word) {
  for (const std::string& owner : owners)
    if (!owner.empty() && ContainsNoCase(owner, word)) return true;
  return false;
}

}  // namespace


std::string ObjectWordBefore(const std::string& line, int dotColumn) {
  if (dotColumn < 3 || static_cast<size_t>(dotColumn - 2) >= line.size()) return "";
  const size_t dot = static_cast<size_t>(dotColumn - 2);  // 0-based index of the dot
  const size_t space = line.rfind(' ', dot - 1);
  const size_t start = space == std::string::npos ? 0 : space + 1;
  return line.substr(start, dot - start);
}

bool CaretFollowsDot(const std::string& line, int column) {
  return column > 1 && static_cast<size_t>(column - 1) <= line.size() && line[column - 2] == '.';
}

void FilterMembers(const std::vector<std::string>& names, const std::vector<std::vector<std::string>>& owners,
                   const std::string& prefix, const std::string& objectWord,
                   std::vector<std::string>& matches) {
  matches.clear();
  const bool byOwner = IsOwnerWord(objectWord);
  const size_t count = std::min(names.size(), owners.size());
  for (size_t i = 0; i < count; ++i) {
    if (!MatchesAtNoCase(names[i], 0, prefix)) continue;
    if (byOwner && !OwnedBy(owners[i], objectWord)) continue;
    matches.push_back(names[i] + "()");
  }
}

std::string CaretStatusText(int line, int column, int selectionInProgress) {
  return "L: " + std::to_string(line) + ", C:" + std::to_string(column) + " -" +
         std::to_string(selectionInProgress);
}

PopupOffset PlacePopup(const PopupPlacementInput& in) {
  const Rect& work = in.workArea;
  int x = in.caretX;
  int y = in.lineTop + in.lineHeight;
  if (y + in.popupH > work.y + work.h) y = in.lineTop - in.popupH;  // no room below the line
  x = std::max(work.x, std::min(x, work.x + work.w - in.popupW));
  y = std::max(work.y, std::min(y, work.y + work.h - in.popupH));
  return {x - in.mainWindow.x, y - in.mainWindow.y};
}
