#pragma once
// Word lists and script lines for exercising the line scan: realistic ones
// for timing, adversarial ones (tiny alphabet, shared prefixes, duplicates)
// for comparing the fast scan with the reference, and the shipped data set.
#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "catalogue/command_tree.h"
#include "catalogue/line_reader.h"
#include "catalogue/catalogue_test_support.h"
#include "editor/line_scan.h"

namespace samples {

inline std::string Pick(std::mt19937& rng, const std::vector<std::string>& from) {
  if (from.empty()) return "";
  return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
}

inline int Roll(std::mt19937& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

// Identifier-like names built from a verb and nouns, so names share
// prefixes and suffixes the way a real reference does (GetPosition,
// SetPosition, Position), and about one in five repeats an earlier name, as
// "Name" or "Visible" recur across the reference's objects.
inline std::string MakeName(std::mt19937& rng) {
  static const std::vector<std::string> verbs = {
      "Get", "Set", "Is", "Has", "Play", "Stop", "Pause", "Load", "Save", "Walk", "Talk",
      "Turn", "Move", "Add", "Remove", "Find", "Create", "Delete", "Show", "Hide", "Skip",
      "Fade", "Attach", "Detach", "Query", "Update", "Reset", "Start", "Wait", "Take"};
  static const std::vector<std::string> nouns = {
      "Actor", "Scene", "Position", "Sprite", "Layer", "Region", "Item", "Window", "Button",
      "Frame", "Visible", "Active", "Name", "Count", "Sound", "Music", "Direction", "Speed",
      "Color", "Alpha", "Scale", "Entity", "Point", "Text", "File", "Cursor", "Width",
      "Height", "Node", "Tag", "Value", "Length", "Index", "Target", "Path", "Volume",
      "Time", "Font", "Image", "Animation", "Event", "State", "Camera", "Light", "Shadow",
      "Inventory", "Dialog", "Response", "Waypoint", "Entry", "Key", "Mouse", "String"};
  int shape = Roll(rng, 20);
  if (shape == 0) return Pick(rng, nouns);
  if (shape < 6) return Pick(rng, nouns) + Pick(rng, nouns);
  return Pick(rng, verbs) + Pick(rng, nouns);
}

inline std::string Lowered(std::string word) {
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word;
}

inline HighlightWordLists GenerateRealisticLists(unsigned seed, size_t catalogueCount,
                                                 size_t otherCount) {
  std::mt19937 rng(seed);
  HighlightWordLists lists;
  for (size_t i = 0; i < catalogueCount; ++i)
    lists.catalogueNames.push_back(i > 0 && Roll(rng, 5) == 0 ? Pick(rng, lists.catalogueNames)
                                                              : MakeName(rng));
  for (size_t i = 0; i < otherCount; ++i) {
    lists.commands.push_back(Lowered(MakeName(rng)));
    lists.events.push_back("On" + MakeName(rng));
    lists.keywords.push_back(Lowered(MakeName(rng)).substr(0, 3 + static_cast<size_t>(Roll(rng, 6))));
    lists.directions.push_back("DIR_" + MakeName(rng));
  }
  return lists;
}

// A script as authors write them: nested blocks with indentation, blank
// lines and braces, calls with quoted arguments, conditions, comments.
inline std::string GenerateScriptLine(std::mt19937& rng, const HighlightWordLists& lists) {
  std::string line(static_cast<size_t>(Roll(rng, 4) * 4), ' ');
  std::string object = Roll(rng, 2) ? "Game" : Lowered(MakeName(rng));
  switch (Roll(rng, 20)) {
    case 0:
      return "";
    case 1:
    case 2:
      return line + (Roll(rng, 2) ? "{" : "}");
    case 3:
    case 4:
      return line + "// " + MakeName(rng) + " " + Lowered(MakeName(rng)) + " " +
             Pick(rng, lists.commands) + " " + MakeName(rng);
    case 5:
    case 6:
      return line + Pick(rng, lists.keywords) + " (" + object + "." +
             Pick(rng, lists.catalogueNames) + "() == " + Pick(rng, lists.directions) + ")";
    case 7:
      return "on \"" + Pick(rng, lists.events) + "\"";
    case 8:
    case 9:
      return line + object + "." + Pick(rng, lists.catalogueNames) + "(\"" + MakeName(rng) +
             " " + Lowered(MakeName(rng)) + "\");";
    case 10:
    case 11:
    case 12:
      return line + "var " + Lowered(MakeName(rng)) + " = " + object + "." +
             Pick(rng, lists.catalogueNames) + "(" + std::to_string(Roll(rng, 640)) + ", " +
             std::to_string(Roll(rng, 480)) + ");";
    case 13:
    case 14:
      return line + Pick(rng, lists.commands) + " " + object + "." +
             Pick(rng, lists.catalogueNames) + ";";
    case 15:
      return line + object + "." + Pick(rng, lists.catalogueNames) + " = \"" + MakeName(rng) +
             ".sprite\"; // " + Pick(rng, lists.keywords);
    default:
      return line + object + "." + Pick(rng, lists.catalogueNames) + "(" +
             Lowered(MakeName(rng)) + ");";
  }
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

// The shipped word lists, loaded as start-up loads the catalogue. False
// when the data set is not there (yet).
inline bool LoadShippedLists(const std::string& dataDir, HighlightWordLists& lists) {
  MemoryFileSystem files;
  if (LoadDataSet(dataDir, files) == 0) return false;
  Catalogue catalogue;
  BuildCommandOutline(MakeCatalogueSource(files, ""), catalogue);
  lists = WordListsOf(catalogue);
  return !lists.catalogueNames.empty() && !lists.commands.empty();
}

// Every line of the shipped sample scripts, in file name order.
inline std::vector<std::string> LoadSampleScriptLines(const std::string& dataDir) {
  MemoryFileSystem files;
  LoadDataSet(dataDir + "/samples", files);
  std::vector<std::string> lines;
  for (const auto& [name, bytes] : files.files)
    for (std::string& line : SplitFileLines(bytes)) lines.push_back(std::move(line));
  return lines;
}

}  // namespace samples
