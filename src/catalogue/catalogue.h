#pragma once
// The catalogue tables: filled once at start-up, read-only afterwards.
// The capacities bound the list files' tables: a damaged or foreign file
// must not take the editor's memory at every start.
#include <string>
#include <vector>

constexpr size_t kCommandListCapacity = 101;
constexpr size_t kKeywordListCapacity = 101;
constexpr size_t kUserListCapacity = 501;
constexpr size_t kEventsListCapacity = 101;
constexpr size_t kDirectionsListCapacity = 11;
constexpr size_t kCodeBlockCapacity = 101;
constexpr size_t kReferenceCapacity = 2001;
constexpr size_t kOpenFileTableCapacity = 501;
constexpr size_t kMemberIndexCapacity = 1001;
constexpr size_t kMatchListCapacity = 1001;

struct CodeBlock {
  std::string name;
  std::string description;
  std::string code;
};

struct ReferenceEntry {
  std::string name;
  std::string suffix;
  std::string signature;
  std::string description;
  std::string owner;
};

struct Catalogue {
  std::vector<std::string> commands;    // "QVR_Command_List.txt"
  std::vector<std::string> keywords;    // "QVR_Keyword_List.txt"
  std::vector<std::string> users;       // "QVR_User_List.txt"
  std::vector<std::string> events;      // "QVR_Events_List.txt"
  std::vector<std::string> directions;  // "QVR_Dirs_List.txt"
  std::vector<CodeBlock> codeBlocks;    // "QVR_UserBlocks_List.txt"
  std::vector<ReferenceEntry> reference;
  // MemberIndex: distinct entry names in first-appearance order, each with
  // every owner that declares it, in load order: a name that Game declares
  // first must still be found after "Scene." when Scene declares it too.
  std::vector<std::string> memberNames;
  std::vector<std::vector<std::string>> memberOwners;
  // The reference was not read whole: an include was skipped for a bound.
  bool referenceCut = false;
  // The first list file that held more than its table takes; "" when none.
  std::string cutListFile;

  Catalogue();
};
