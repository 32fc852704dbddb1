#pragma once
// Word lists and script lines for exercising the line scan: realistic ones
// for timing, adversarial ones (tiny alphabet, shared prefixes, duplicates)
// for comparing the fast scan with the reference.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor/line_scan.h"

namespace samples {

inline std::string Pick(std::mt19937& rng, const std::vector<std::string>& from) {
  if (from.empty()) return "";
  return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
}

inline int Roll(std::mt19937& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

// Identifier-like names built from syllables, so names share prefixes and
// suffixes the way a real reference does (GetPosition, SetPosition, ...).
inline std::string MakeName(std::mt19937& rng) {
  static const std::vector<std::string> parts = {
      "Get", "Set", "Is", "Has", "Actor", "Scene", "Walk", "Talk", "Position", "Sprite",
      "Layer", "Region", "Item", "Window", "Button", "Frame", "Visible", "Active", "Name",
      "Count", "Sound", "Music", "Play", "Stop", "Pause", "Direction", "Speed", "Color",
      "Alpha", "Scale", "Rotate", "Entity", "Point", "Text", "File", "Load", "Save", "Cursor"};
  std::string name;
  int n = 1 + Roll(rng, 3);
  for (int i = 0; i < n; ++i) name += Pick(rng, parts);
  return name;
}

inline HighlightWordLists GenerateRealisticLists(unsigned seed, size_t catalogueCount,
                                                 size_t otherCount) {
  std::mt19937 rng(seed);
  HighlightWordLists lists;
  for (size_t i = 0; i < catalogueCount; ++i) lists.catalogueNames.push_back(MakeName(rng));
  auto lower = [&] {
    std::string w = MakeName(rng);
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return w;
  };
  for (size_t i = 0; i < otherCount; ++i) {
    lists.commands.push_back(lower());
    lists.events.push_back("On" + MakeName(rng));
    lists.keywords.push_back(lower());
  }
  for (size_t i = 0; i < std::min<size_t>(otherCount, 11); ++i)
    lists.directions.push_back("DI_" + MakeName(rng));
  return lists;
}

// A script line as authors write them: indentation, commands, calls with
// quoted arguments, the odd comment.
inline std::string GenerateScriptLine(std::mt19937& rng, const HighlightWordLists& lists) {
  std::string line(static_cast<size_t>(Roll(rng, 3) * 2), ' ');
  switch (Roll(rng, 6)) {
    case 0:
      line += Pick(rng, lists.keywords) + " (" + Pick(rng, lists.catalogueNames) + "() == " +
              Pick(rng, lists.directions) + ")";
      break;
    case 1:
      line += Pick(rng, lists.events) + "()";
      break;
    case 2:
      line += Pick(rng, lists.commands) + " Actor." + Pick(rng, lists.catalogueNames) + "(\"" +
              MakeName(rng) + ".sprite\", " + std::to_string(Roll(rng, 500)) + ");";
      break;
    case 3:
      line += "var x = Game." + Pick(rng, lists.catalogueNames) + "(" + MakeName(rng) + ");";
      break;
    case 4:
      line += "// " + MakeName(rng) + " " + Pick(rng, lists.commands) + " " + MakeName(rng);
      break;
    default:
      line += Pick(rng, lists.catalogueNames) + "." + MakeName(rng) + " = \"" + MakeName(rng) +
              "\"; // " + Pick(rng, lists.keywords);
      break;
  }
  return line;
}

inline std::vector<std::string> GenerateScript(unsigned seed, size_t lineCount,
                                               const HighlightWordLists& lists) {
  std::mt19937 rng(seed);
  std::vector<std::string> lines;
  lines.reserve(lineCount);
  for (size_t i = 0; i < lineCount; ++i) lines.push_back(GenerateScriptLine(rng, lists));
  return lines;
}

// Tiny alphabet, so words overlap, nest and repeat all the time; the
// characters that matter to the rules (space, "(", quote, slash) are in it.
inline std::string TinyWord(std::mt19937& rng, int maxLength) {
  static const char alphabet[] = "aab( /\"";
  std::string w;
  int n = Roll(rng, maxLength + 1);
  for (int i = 0; i < n; ++i) w += alphabet[Roll(rng, sizeof alphabet - 1)];
  return w;
}

inline std::vector<std::string> AdversarialList(std::mt19937& rng, size_t count) {
  std::vector<std::string> words;
  for (size_t i = 0; i < count; ++i) {
    int kind = Roll(rng, 6);
    if (kind == 0 && !words.empty()) {
      words.push_back(Pick(rng, words));  // duplicate
    } else if (kind == 1 && !words.empty()) {
      std::string w = Pick(rng, words);  // prefix or suffix of another word
      size_t cut = static_cast<size_t>(Roll(rng, static_cast<int>(w.size()) + 1));
      words.push_back(Roll(rng, 2) ? w.substr(0, cut) : w.substr(cut));
    } else {
      words.push_back(TinyWord(rng, 5));
    }
  }
  return words;
}

inline HighlightWordLists GenerateAdversarialLists(std::mt19937& rng) {
  HighlightWordLists lists;
  lists.catalogueNames = AdversarialList(rng, static_cast<size_t>(Roll(rng, 30)));
  lists.commands = AdversarialList(rng, static_cast<size_t>(Roll(rng, 15)));
  lists.directions = AdversarialList(rng, static_cast<size_t>(Roll(rng, 5)));
  lists.events = AdversarialList(rng, static_cast<size_t>(Roll(rng, 10)));
  lists.keywords = AdversarialList(rng, static_cast<size_t>(Roll(rng, 10)));
  // Words shared between lists, as when a command is also a reference name.
  if (!lists.catalogueNames.empty() && Roll(rng, 2)) lists.commands.push_back(Pick(rng, lists.catalogueNames));
  if (!lists.commands.empty() && Roll(rng, 2)) lists.keywords.push_back(Pick(rng, lists.commands));
  return lists;
}

inline std::string GenerateAdversarialLine(std::mt19937& rng, const HighlightWordLists& lists) {
  const std::vector<std::string>* all[] = {&lists.catalogueNames, &lists.commands,
                                           &lists.directions, &lists.events, &lists.keywords};
  static const std::vector<std::string> bits = {" ", "(", "\"", "//", "a", "b", "x", "/"};
  std::string line;
  int pieces = Roll(rng, 16);
  for (int i = 0; i < pieces; ++i) {
    const std::vector<std::string>& list = *all[Roll(rng, 5)];
    if (Roll(rng, 2) && !list.empty()) {
      line += Pick(rng, list);
    } else {
      line += Pick(rng, bits);
    }
  }
  return line;
}

// The shipped list files, read as the catalogue reads them (CR LF, CR, LF or
// NUL end a line). Reference names are taken from the tagged entry lines of
// every reference file in the folder; good enough to compare two scans.
inline std::vector<std::string> ReadListLines(const std::string& path, bool& found) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  if (!in) return lines;
  found = true;
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n' || c == '\0') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline bool LoadShippedLists(const std::string& dataDir, HighlightWordLists& lists) {
  bool found = false;
  lists.commands = ReadListLines(dataDir + "/QVR_Command_List.txt", found);
  lists.keywords = ReadListLines(dataDir + "/QVR_Keyword_List.txt", found);
  lists.events = ReadListLines(dataDir + "/QVR_Events_List.txt", found);
  lists.directions = ReadListLines(dataDir + "/QVR_Dirs_List.txt", found);
  static const char* files[] = {
      "game", "scene", "actor", "actor3d", "entity", "layer", "region", "waypoint", "item",
      "sprite", "frame", "subframe", "window", "button", "static", "editor",
      "entity_container", "string", "date", "array", "math", "keyboard", "file", "directory",
      "membuffer", "functions"};
  for (const char* name : files) {
    bool present = false;
    for (const std::string& line :
         ReadListLines(dataDir + "/QVR_Docs/scripting_ref_" + name + ".txt", present)) {
      std::string tag = line.substr(0, 4);
      if (tag != "*atr" && tag != "*met" && tag != "*mt2" && tag != "*glo") continue;
      std::string value = line.size() > 5 ? line.substr(5) : "";
      lists.catalogueNames.push_back(value.substr(0, value.find('(')));
    }
  }
  // Without the command list there is nothing worth comparing.
  return found && !lists.commands.empty();
}

}  // namespace samples
