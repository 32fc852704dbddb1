#pragma once
// The one application state record: every value that more than one part of
// the editor uses. The script text itself is not here; it lives in the
// editing area.
#include <cstdint>
#include <string>
#include <vector>

#include "app/file_save.h"
#include "catalogue/catalogue.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "qvr_version.h"
#include "settings/category_style.h"

// Window numbers.
constexpr int kMainWindow = 0;
constexpr int kSettingsWindow = 1;
constexpr int kPopupWindow = 2;
constexpr int kFindWindow = 3;
constexpr int kReplaceWindow = 4;

// Control numbers.
constexpr int kCommandTree = 0;
constexpr int kPopupList = 1;
constexpr int kEditingArea = 2;
constexpr int kSplitter = 3;
constexpr int kFullParametersBox = 4;
constexpr int kDescriptionLine = 5;

constexpr int kStatusSyntaxField = 0;
constexpr int kStatusCaretField = 1;

constexpr int kSwatchImageFirst = 1000;
constexpr int kSwatchImageCount = 5;

constexpr const char* kUnnamedScript = "Unnamed.script";
constexpr const char* kTitleBase = "QVR Visual Script Editor";
constexpr const char* kVersion = "V" QVR_VERSION;
constexpr const char* kCompilerName = "qvr_comp.exe";
constexpr int kDefaultSplitterPos = 640;
constexpr const char* kCrLf = "\r\n";

// Which whole text a step starts from or leaves: its length and a checksum
// of it (CR LF), so a step is only ever taken from the text it belongs to.
struct TextStamp {
  size_t length = 0;
  uint64_t sum = 0;
  bool operator==(const TextStamp& o) const { return length == o.length && sum == o.sum; }
  bool operator!=(const TextStamp& o) const { return !(*this == o); }
};

// An undo step the editor holds itself: an edit it made by loading the text
// anew (a large edit, a long Replace all), or a step of the control's own
// history kept across such a load. Where the texts before and after differ
// (a control offset) and what each holds there (CR between lines), the
// caret's offset either side, and whether the text comes back highlighted
// as an opened script does or whenever highlighting is on.
struct OwnUndoStep {
  long at = 0;
  std::string removed, inserted;
  TextStamp before, after;
  long caretBefore = 0, caretAfter = 0;
  bool asOpened = true;
};
struct OwnUndoSteps {
  std::vector<OwnUndoStep> undo, redo;
};

struct AppState {
  // Document.
  std::string FileName = kUnnamedScript;
  std::string FileDir;
  int Changed = 0;
  int HasFile = 0;   // the text was read from, or saved to, FileDir + FileName
  std::string LineBreak = kCrLf;   // the file's own, so a save changes no line it did not edit
  int Utf8 = 0;                    // the file is UTF-8, shown in the program's code page
  int ByteOrderMark = 0;           // the file starts with a UTF-8 byte-order mark
  std::string TitleBase = kTitleBase;
  std::string Version = kVersion;
  std::string ProgramFolder;   // executable's folder, with trailing backslash
  std::string BasePath;        // prefix of every data file name; never changed

  // Engine and settings (named as their settings keys).
  std::string InstallPath;
  std::string CompilerPath = kCompilerName;
  std::string CurrentQVRProject;
  std::string EditorFontName;  // "" until the font rule at start-up
  // An installed face standing in for EditorFontName while that name is
  // the one it was chosen for. Never saved.
  std::string EditorFaceShown;
  std::string EditorFaceShownFor;
  int EditorFontSize = 0;
  int Enabled = 1;
  int OnOpening = 1;
  int Realtime = 1;
  int VorodazedEzoze = 1;
  int ApplyColors = 1;
  int ApplyFontStyles = 1;
  int Device = 0;
  int BlackWhite = 0;

  CategoryStyle Methods{200, 0, 0};
  CategoryStyle Keywords{0, 0, 200};
  CategoryStyle Comments{0, 200, 0};
  CategoryStyle Events{200, 0, 200};
  CategoryStyle Filename{200, 200, 0};
  CustomColors customColors;   // the colour chooser's, kept for the run

  // Loop.
  int QuitRequested = 0;
  int PanelHidden = 0;
  int SplitterPos = kDefaultSplitterPos;
  int TreeWidth = 0;   // as the user last dragged it; a change of the window's size keeps it
  int selectionInProgress = 0;
  int lastCaretLine = 0;
  std::vector<int> linesAwaitingPass;   // left while a selection made upwards stood
  long selectionAnchor = -1;            // the caret before the current selection
  int lastCaretColumn = 0;
  int ctrlHeld = 0;   // between the Ctrl key's press and release
  std::string caretStatusShown;   // the caret field's text as last written
  // Every change of the text is counted, whoever made it: typing is seen by
  // the control's modified flag, taken and cleared as each step ends, and
  // the editor's own changes mark the document changed themselves.
  long textChanges = 0;
  long textChangesSeen = 0;
  // The step's change, if any, was made at the selection: typing, or a
  // paste, cut or delete by command.
  int stepAtSelection = 0;
  int stepArrow = 0;   // it was a plain arrow key: 1 towards the text's end, -1 its start
  char stepChar = 0;   // it was this character, typed

  // Member popup.
  int PopupShown = 0;
  int PopupOffsetX = 0;
  int PopupOffsetY = 0;
  int DotColumn = 0;
  int MatchCount = 0;
  std::string ObjectWord;
  std::string TypedPrefix;
  std::vector<std::string> MatchList;

  // Search.
  std::string searchText;
  int findMatchCase = 1;
  int replaceMatchCase = 1;
  int lastFoundLine = -1;
  int lastFoundColumn = -1;
  // Edits made by loading the whole text anew: steps of the undo history
  // the control does not hold.
  OwnUndoSteps ownUndo;

  // Outside changes: the file as the editor's text last matched it, and as
  // the user was last asked about it (so one change is asked about once).
  FileStamp loadedStamp;
  FileStamp askedStamp;
  int activationSeen = 0;   // the main window was activated since the last look

  // Recovery copy of the unsaved text.
  std::string recoveryFolder;   // "" when the editor cannot keep copies
  std::string recoveryFile;     // this editor's copy, whether written or not
  int recoveryCurrent = 0;      // the copy on disk holds the text as it is
  int recoveryWritten = 0;      // a copy of ours is on disk
  int recoveryTimer = 0;        // a write is due when the timer runs out
  std::string recoveryTrouble;  // why copies cannot be kept, as last told to the user
  std::string recoveryNoFolder; // why there is no folder for copies
  // A long text is read for its copy a piece per idle pass, then written a
  // piece per pass: the text read so far, where the next piece is read
  // (-1 when not reading) and where the next is written (-1 when not writing).
  std::string recoveryPieces;
  long recoveryReadTo = -1;
  long recoveryWriteAt = -1;
  PiecewiseFile recoveryPiecesFile;

  Catalogue catalogue;
};

// Puts every field back to its start-up default.
void ResetAppState(AppState& state);

// The text now differs from its file and from any recovery copy of it.
void MarkChanged(AppState& state);
// The face the editing area shows.
inline const std::string& ShownFace(const AppState& state) {
  return state.EditorFaceShownFor == state.EditorFontName && !state.EditorFaceShown.empty() ? state.EditorFaceShown
                                                                                             : state.EditorFontName;
}
