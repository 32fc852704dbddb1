// Start-up, the window title, the side panel toggle, About and the end.
#include "app/app.h"
#include "app/main_window.h"
#include "app/settings_window.h"
#include "app/recovery.h"
#include "app/script_files.h"
#include "app/startup_steps.h"
#include "catalogue/member_popup.h"
#include "editor/editor_ops.h"

static constexpr size_t kMaxProgramPath = 500;
static constexpr const char* kAboutCredit =
    "Written for QVR game authors by the QVR Visual Script Editor team.";

std::string FirstProgramArgument(const std::string& commandLine) {
  size_t i = 0;
  const size_t n = commandLine.size();
  // The program's own name, quoted or up to the first blank.
  if (i < n && commandLine[i] == '"') {
    size_t close = commandLine.find('"', i + 1);
    i = close == std::string::npos ? n : close + 1;
  } else {
    while (i < n && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
  }
  while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
  if (i >= n) return "";
  if (commandLine[i] == '"') {
    size_t close = commandLine.find('"', i + 1);
    return commandLine.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
  }
  size_t end = commandLine.find_first_of(" \t", i);
  return commandLine.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

static std::string FolderOf(const std::string& path) {
  std::string limited = path.substr(0, kMaxProgramPath);
  size_t slash = limited.rfind('\\');
  return slash == std::string::npos ? "" : limited.substr(0, slash + 1);
}

bool StartupSequence(App& app) {
  AppState& s = app.state;
  Platform& p = app.platform;
  ResetAppState(s);
  s.ProgramFolder = FolderOf(p.files->ExecutablePath());
  for (int i = 0; i < kSwatchImageCount; ++i) p.ui->CreateImage(kSwatchImageFirst + i, 20, 20, 0);
  StartUpSettings(app);
  if (!CreateMainWindow(app)) return false;
  p.ui->AcceptDroppedFiles(kMainWindow);
  CreateMemberPopup(app);
  StartUpCatalogue(app);
  p.ui->RemoveKeyboardShortcuts(kMainWindow);
  TakeOverEditorKeys(app);
  p.ui->SetWindowHook([&app](int window, int message) { WindowHook(app, window, message); });
  // Logging off with unsaved work asks as Exit does; Cancel keeps the session.
  p.ui->SetSessionEndQuery([&app] { return AskSaveChanges(app) == 1; });
  ClearEditor(*app.edit);
  ChooseShownFace(app);
  ApplyEditorFont(*app.edit, ShownFace(s), s.EditorFontSize);
  RefreshCaretStatus(app, ReadCaret(*app.edit, app.caret));
  StartRecovery(app);
  const bool restored = OfferRecoveredText(app);
  std::string argument = FirstProgramArgument(p.files->CommandLine());
  // The script asked for opens as ever; restored text is not replaced
  // without the usual question.
  if (!argument.empty() && (!restored || AskSaveChanges(app) == 1)) {
    ActivateEditor(*app.edit);
    LoadScript(app, argument);
  }
  return true;
}

int Startup(App& app) {
  if (!StartupSequence(app)) return 1;
  RunEventLoop(app);
  RemoveRecoveryCopy(app);
  return 0;
}

void RequestQuit(App& app) {
  if (AskSaveChanges(app) == 1) app.state.QuitRequested = 1;
}

void SetDocumentTitle(App& app) {
  app.platform.ui->SetWindowTitle(kMainWindow, app.state.TitleBase + " - " + app.state.FileName);
}

void TogglePanel(App& app) {
  AppState& s = app.state;
  Ui& ui = *app.platform.ui;
  s.PanelHidden = 1 - s.PanelHidden;
  if (s.PanelHidden == 1) s.SplitterPos = ui.SplitterPos(kSplitter);
  PlaceSplitter(app);
}

void ShowAbout(App& app) {
  app.platform.dialogs->ShowMessage(
      app.state.TitleBase + " " + app.state.Version + "\r\n\r\n" + kAboutCredit, "About",
      MessageButtons::Ok);
}
