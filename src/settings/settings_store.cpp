#include "settings/settings_store.h"

#include <cstdint>

#include "settings/profile_values.h"

namespace {

enum class Encoding { Text, Byte };

// Where a key's value lives in the state. Exactly one member is set, or none
// for keys that are written as 0 and whose value is dropped on reading.
struct Field {
  std::string AppState::*text = nullptr;
  int AppState::*number = nullptr;
  CategoryStyle AppState::*record = nullptr;
  int16_t CategoryStyle::*component = nullptr;
  uint8_t CategoryStyle::*flag = nullptr;
};

Field TextField(std::string AppState::*text) { return Field{text, nullptr, nullptr, nullptr, nullptr}; }
Field Number(int AppState::*number) { return Field{nullptr, number, nullptr, nullptr, nullptr}; }
Field Component(CategoryStyle AppState::*record, int16_t CategoryStyle::*component) {
  return Field{nullptr, nullptr, record, component, nullptr};
}
Field Flag(CategoryStyle AppState::*record, uint8_t CategoryStyle::*flag) {
  return Field{nullptr, nullptr, record, nullptr, flag};
}
Field Dropped() { return Field{}; }

struct SettingsKey {
  const char* section;
  const char* key;
  Encoding encoding;
  Field field;
};

using S = AppState;
using C = CategoryStyle;

// The file's order is the order in which keys were first written, so this
// table's order is the order users see in a new file. The keys ending in "B"
// appear twice: blue in "Coloration", bold in "Style".
const SettingsKey kSettingsKeys[] = {
    {"General", "EditorFontName", Encoding::Text, TextField(&S::EditorFontName)},
    {"General", "EditorFontSize", Encoding::Byte, Number(&S::EditorFontSize)},
    {"Syntax Highlighting", "Enabled", Encoding::Byte, Number(&S::Enabled)},
    {"Syntax Highlighting", "OnOpening", Encoding::Byte, Number(&S::OnOpening)},
    {"Syntax Highlighting", "Realtime", Encoding::Byte, Number(&S::Realtime)},
    // Older versions stored the colour/style choice here; it is now a
    // run-time choice only, so these are kept in the file but mean nothing.
    {"Syntax Highlighting", "UseStyle", Encoding::Byte, Dropped()},
    {"Syntax Highlighting", "UseColor", Encoding::Byte, Dropped()},
    {"Syntax Highlighting", "VorodazedEzoze", Encoding::Byte, Number(&S::VorodazedEzoze)},
    {"Printer", "Device", Encoding::Byte, Number(&S::Device)},
    {"Printer", "BlackWhite", Encoding::Byte, Number(&S::BlackWhite)},
    {"Coloration", "MethodsR", Encoding::Byte, Component(&S::Methods, &C::red)},
    {"Coloration", "MethodsG", Encoding::Byte, Component(&S::Methods, &C::green)},
    {"Coloration", "MethodsB", Encoding::Byte, Component(&S::Methods, &C::blue)},
    {"Coloration", "KeywordsR", Encoding::Byte, Component(&S::Keywords, &C::red)},
    {"Coloration", "KeywordsG", Encoding::Byte, Component(&S::Keywords, &C::green)},
    {"Coloration", "KeywordsB", Encoding::Byte, Component(&S::Keywords, &C::blue)},
    {"Coloration", "CommentsR", Encoding::Byte, Component(&S::Comments, &C::red)},
    {"Coloration", "CommentsG", Encoding::Byte, Component(&S::Comments, &C::green)},
    {"Coloration", "CommentsB", Encoding::Byte, Component(&S::Comments, &C::blue)},
    {"Coloration", "EventsR", Encoding::Byte, Component(&S::Events, &C::red)},
    {"Coloration", "EventsG", Encoding::Byte, Component(&S::Events, &C::green)},
    {"Coloration", "EventsB", Encoding::Byte, Component(&S::Events, &C::blue)},
    {"Coloration", "FilenameR", Encoding::Byte, Component(&S::Filename, &C::red)},
    {"Coloration", "FilenameG", Encoding::Byte, Component(&S::Filename, &C::green)},
    {"Coloration", "FilenameB", Encoding::Byte, Component(&S::Filename, &C::blue)},
    {"Style", "MethodsB", Encoding::Byte, Flag(&S::Methods, &C::bold)},
    {"Style", "MethodsI", Encoding::Byte, Flag(&S::Methods, &C::italic)},
    {"Style", "MethodsU", Encoding::Byte, Flag(&S::Methods, &C::underline)},
    {"Style", "KeywordsB", Encoding::Byte, Flag(&S::Keywords, &C::bold)},
    {"Style", "KeywordsI", Encoding::Byte, Flag(&S::Keywords, &C::italic)},
    {"Style", "KeywordsU", Encoding::Byte, Flag(&S::Keywords, &C::underline)},
    {"Style", "CommentsB", Encoding::Byte, Flag(&S::Comments, &C::bold)},
    {"Style", "CommentsI", Encoding::Byte, Flag(&S::Comments, &C::italic)},
    {"Style", "CommentsU", Encoding::Byte, Flag(&S::Comments, &C::underline)},
    {"Style", "EventsB", Encoding::Byte, Flag(&S::Events, &C::bold)},
    {"Style", "EventsI", Encoding::Byte, Flag(&S::Events, &C::italic)},
    {"Style", "EventsU", Encoding::Byte, Flag(&S::Events, &C::underline)},
    {"Style", "FilenameB", Encoding::Byte, Flag(&S::Filename, &C::bold)},
    {"Style", "FilenameI", Encoding::Byte, Flag(&S::Filename, &C::italic)},
    {"Style", "FilenameU", Encoding::Byte, Flag(&S::Filename, &C::underline)},
    {"Compiling", "CurrentQVRProject", Encoding::Text, TextField(&S::CurrentQVRProject)},
};

struct DefaultColour {
  CategoryStyle AppState::*record;
  int16_t red, green, blue;
};

const DefaultColour kDefaultColours[] = {
    {&S::Methods, 200, 0, 0},   {&S::Keywords, 0, 0, 200}, {&S::Comments, 0, 200, 0},
    {&S::Events, 200, 0, 200},  {&S::Filename, 200, 200, 0},
};

void StoreByte(AppState& state, const Field& field, int value) {
  if (field.number) state.*field.number = value;
  if (field.component) state.*field.record.*field.component = static_cast<int16_t>(value);
  if (field.flag) state.*field.record.*field.flag = static_cast<uint8_t>(value);
}

int ByteOf(const AppState& state, const Field& field) {
  if (field.number) return state.*field.number;
  if (field.component) return state.*field.record.*field.component;
  if (field.flag) return state.*field.record.*field.flag;
  return 0;
}

struct Range {
  long low, high;
};

// A hand-edited value outside its range (a negative font size, a colour of
// 99999999, a flag of 255) is not taken: the field keeps its start-up
// default, the font rule sees no size, and the next save writes sane values.
Range RangeOf(const Field& field) {
  if (field.component) return {0, 255};
  if (field.number == &S::EditorFontSize) return {kMinFontSize, kMaxFontSize};
  if (field.number || field.flag) return {0, 1};
  return {0, 255};
}

void ReadByteKey(AppState& state, ProfileStore& profile, const SettingsKey& row) {
  long value = 0;
  const Range range = RangeOf(row.field);
  // A missing key, or one without digits, reads as 0.
  if (!ParseProfileNumber(ReadProfileText(profile, row.section, row.key, kSettingsFileName), value)) value = 0;
  if (value >= range.low && value <= range.high) StoreByte(state, row.field, static_cast<int>(value));
  else if (row.field.number == &S::EditorFontSize) StoreByte(state, row.field, 0);
}

bool IsBlack(const CategoryStyle& style) {
  return style.red == 0 && style.green == 0 && style.blue == 0;
}

// The Filename colour is not consulted: a file that only ever had that one
// colour set is still a file nobody configured.
bool LooksLikeFirstRun(const AppState& state) {
  return IsBlack(state.Methods) && IsBlack(state.Keywords) && IsBlack(state.Comments) &&
         IsBlack(state.Events);
}

}  // namespace

void LoadSettings(AppState& state, ProfileStore& profile) {
  for (const SettingsKey& row : kSettingsKeys) {
    if (row.encoding == Encoding::Text) {
      state.*row.field.text = ReadProfileText(profile, row.section, row.key, kSettingsFileName);
    } else {
      ReadByteKey(state, profile, row);
    }
  }
  if (!LooksLikeFirstRun(state)) return;
  for (const DefaultColour& colour : kDefaultColours) {
    CategoryStyle& record = state.*colour.record;
    record.red = colour.red;
    record.green = colour.green;
    record.blue = colour.blue;
  }
  state.Enabled = 1;
  state.OnOpening = 1;
  state.Realtime = 1;
  SaveSettings(state, profile);
}

void SaveSettings(const AppState& state, ProfileStore& profile) {
  for (const SettingsKey& row : kSettingsKeys) {
    if (row.encoding == Encoding::Text) {
      WriteProfileText(profile, row.section, row.key, state.*row.field.text, kSettingsFileName);
    } else {
      WriteProfileByte(profile, row.section, row.key, ByteOf(state, row.field), kSettingsFileName);
    }
  }
}

void ApplyFontRule(AppState& state) {
  if (state.EditorFontName.empty() && state.EditorFontSize == 0) {
    state.EditorFontName = kDefaultFontName;
    state.EditorFontSize = kDefaultFontSize;
  }
  // A face without a size it can be shown at gets the default size.
  if (state.EditorFontSize < kMinFontSize || state.EditorFontSize > kMaxFontSize)
    state.EditorFontSize = kDefaultFontSize;
}
