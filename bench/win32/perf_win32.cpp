// Timings on the real controls under the real message loop: catalogue and
// tree at start-up, opening and highlighting large scripts, re-highlighting
// one line, saving. Prints one line per figure.
#include <windows.h>
#include <richedit.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/edit_commands.h"
#include "app/file_save.h"
#include "app/recovery.h"
#include "app/script_files.h"
#include "app/startup_steps.h"
#include "catalogue/member_popup.h"
#include "catalogue/member_rules.h"
#include "app/settings_window.h"
#include "editor/find_replace.h"
#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"
#include "editor/rich_text.h"
#include "platform/win32/win32_edit_control.h"
#include "platform/win32/win32_platform.h"
#include "settings/printing.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the control repaint and the loop settle, as a user would see it.
void PumpUntilIdle(App& app) {
  RunPendingEvents(app);
  UpdateWindow(static_cast<Win32Ui*>(app.platform.ui)->WindowHandle(0));
  RunPendingEvents(app);
}

std::string ScriptOfLines(const std::string& sample, size_t lines) {
  std::string out;
  size_t made = 0, pos = 0;
  while (made < lines) {
    size_t end = sample.find("\r\n", pos);
    std::string line = sample.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? 0 : end + 2;
    if (made) out += "\r\n";
    out += line;
    ++made;
  }
  return out;
}

// The 32-bit and 64-bit controls differ in speed several times over: every
// figure says which build it comes from, so the two are never compared as one.
#ifdef _WIN64
constexpr const char* kBuild = "x86_64";
#else
constexpr const char* kBuild = "i686";
#endif

void Report(const char* what, double ms) { std::printf("%-58s %10.1f ms  [%s]\n", what, ms, kBuild); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Handles whatever is queued for windows outside the editor's loop.
void PumpBare(HWND window) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  UpdateWindow(window);
}

// A rich-edit control in a window of its own, styled as the editing area,
// `width` by `height`; `window` receives its top window, for pumping and
// destroying.
HWND MakeBareControl(int width, int height, HWND& window) {
  window = CreateWindowExA(0, "STATIC", "bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width + 60, height + 90,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                  ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                              5, 30, width, height, window, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(bare, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  return bare;
}

// One keystroke from the message to an idle loop: a character, or Enter.
double TimeKey(HWND edit, bool enter, const std::function<void()>& pump) {
  auto start = Clock::now();
  if (enter) PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(edit, WM_CHAR, enter ? '\r' : 'x', 0);
  pump();
  return MillisecondsSince(start);
}

double MedianKeys(HWND edit, bool enter, int count, const std::function<void()>& pump) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i) times.push_back(TimeKey(edit, enter, pump));
  return Median(times);
}

// Copies the editor's text with its formats into a bare control, a piece of
// lines at a time.
void CopyFormattedText(EditControl& from, HWND bare) {
  Win32EditControl copy(bare, nullptr);
  const long lines = from.GetLineCount();
  for (long first = 0; first < lines; first += 1000) {
    long start = from.LineIndex(first);
    long end = first + 1000 < lines ? from.LineIndex(first + 1000) : from.GetTextLength();
    from.ExSetSel(start, end);
    copy.ExSetSel(-1, -1);
    copy.SetRichText(from.GetSelectionRichText(), true);
  }
}

// Keystrokes at line 5,000 of 10,000 in the editor, with the popup's caret
// watch off and on, beside a bare rich-edit control holding the same text.
void TimeTyping(App& app, Win32Platform& platform, const std::string& script) {
  SaveFile(platform.files, "", "perf_10000.script", script);
  HWND edit = nullptr;
  long firstVisible = 0;
  // Realtime highlighting alone, then with the popup's caret watch, twice;
  // and neither, for what the loop itself costs.
  for (int config : {1, 2, 1, 2, 0}) {
    app.state.Realtime = config > 0 ? 1 : 0;
    app.state.VorodazedEzoze = config == 2 ? 1 : 0;
    LoadScript(app, "perf_10000.script");
    PumpUntilIdle(app);
    edit = platform.ui.ControlHandle(kEditingArea);
    SetCaret(*app.edit, 1, 5000);
    PostMessageA(edit, WM_NULL, 0, 0);
    PumpUntilIdle(app);
    firstVisible = app.edit->GetFirstVisibleLine();
    auto pump = [&app] { PumpUntilIdle(app); };
    std::string label = config == 0 ? "editor, realtime and popup watch off"
                                    : std::string("editor, popup watch ") + (config == 2 ? "on" : "off");
    Report((label + ": a typed character at line 5,000 of 10,000").c_str(), MedianKeys(edit, false, 15, pump));
    Report((label + ": Enter at line 5,000 of 10,000").c_str(), MedianKeys(edit, true, 9, pump));
  }
  app.state.Realtime = 1;
  // The realtime pass alone on line 5,000: a line whose looks are right, one
  // whose colours were lost, and an empty one.
  {
    LoadScript(app, "perf_10000.script");
    PumpUntilIdle(app);
    std::vector<double> same, lost, empty;
    for (int i = 0; i < 9; ++i) {
      auto start = Clock::now();
      HighlightLine(app, 5000);
      PumpUntilIdle(app);
      same.push_back(MillisecondsSince(start));
      SelectRange(*app.edit, 5000, 1, 5000, -1);
      SetSelectionColor(*app.edit, 0);
      PumpUntilIdle(app);
      start = Clock::now();
      HighlightLine(app, 5000);
      PumpUntilIdle(app);
      lost.push_back(MillisecondsSince(start));
    }
    SetCaret(*app.edit, 1, 5000);
    app.edit->ReplaceSel("\r", false);
    for (int i = 0; i < 9; ++i) {
      auto start = Clock::now();
      HighlightLine(app, 5000);
      PumpUntilIdle(app);
      empty.push_back(MillisecondsSince(start));
    }
    Report("realtime pass on line 5,000, looks already right", Median(same));
    Report("realtime pass on line 5,000, colours lost", Median(lost));
    Report("realtime pass on an empty line 5,000", Median(empty));
  }
  // What the caret watch is made of, one piece at a time.
  {
    std::vector<double> queries, statuses;
    for (int i = 0; i < 30; ++i) {
      auto start = Clock::now();
      volatile int line = CaretLine(*app.edit);
      volatile int column = CaretColumn(*app.edit);
      (void)line;
      (void)column;
      queries.push_back(MillisecondsSince(start));
      start = Clock::now();
      RefreshCaretStatus(app, ReadCaret(*app.edit));
      platform.ui.SetStatusText(kStatusCaretField, std::to_string(i));
      PumpUntilIdle(app);
      statuses.push_back(MillisecondsSince(start) / 2);
    }
    Report("caret watch: CaretLine + CaretColumn at line 5,000", Median(queries));
    Report("caret watch: one status bar text, painted", Median(statuses));
    // The post-event step of an event that moved nothing (a paint, a mouse
    // move), and of one that moved the caret a column, each with the caret
    // field's repaint, when there is one.
    std::vector<double> still, moved;
    SetCaret(*app.edit, 3, 5000);
    PostEventStep(app);
    PumpUntilIdle(app);
    for (int i = 0; i < 30; ++i) {
      auto start = Clock::now();
      PostEventStep(app);
      UpdateWindow(platform.ui.WindowHandle(0));
      still.push_back(MillisecondsSince(start));
      SetCaret(*app.edit, 3 + (i % 2), 5000);
      start = Clock::now();
      PostEventStep(app);
      UpdateWindow(platform.ui.WindowHandle(0));
      moved.push_back(MillisecondsSince(start));
    }
    Report("post-event step, caret where it was", Median(still));
    Report("post-event step, caret one column on, field repainted", Median(moved));
  }
  // The popup's own work: open after "Game." and refilter on one more letter.
  SetCaret(*app.edit, 1, 5000);
  PostMessageA(edit, WM_NULL, 0, 0);
  PumpUntilIdle(app);
  for (char c : std::string("Game.")) PostMessageA(edit, WM_CHAR, c, 0);
  PumpUntilIdle(app);
  std::vector<double> refills, fills;
  const Catalogue& catalogue = app.state.catalogue;
  std::vector<std::string> matches;
  for (int i = 0; i < 9; ++i) {
    // Alternately the whole list after "Game." and the one left after "P".
    auto start = Clock::now();
    FilterMembers(catalogue.memberNames, catalogue.memberOwners, i % 2 ? "P" : "", "Game", matches);
    auto fill = Clock::now();
    platform.ui.ListSetItems(kPopupList, matches);
    fills.push_back(MillisecondsSince(fill));
    PumpUntilIdle(app);
    refills.push_back(MillisecondsSince(start));
  }
  Report("popup: refill the list alone, not yet painted", Median(fills));
  {
    // Wine's list box updates its scroll bars on every new count; that is
    // where the refill's time goes.
    HWND parent = platform.ui.WindowHandle(kPopupWindow);
    for (DWORD bars : {DWORD(0), DWORD(WS_VSCROLL | WS_HSCROLL)}) {
      HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                  LBS_NODATA | LBS_OWNERDRAWFIXED | bars, 0, 0, 100, 120, parent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
      std::vector<double> counts;
      for (int i = 0; i < 9; ++i) {
        auto at = Clock::now();
        SendMessageA(list, LB_SETCOUNT, 100 + i * 3, 0);
        counts.push_back(MillisecondsSince(at));
      }
      Report(bars ? "list box: a new count, with both scroll bars" : "list box: a new count, without scroll bars",
             Median(counts));
      DestroyWindow(list);
    }
  }
  std::printf("popup after \"Game.\": %zu entries\n", app.state.MatchList.size());
  Report("popup: refilter and refill the list, painted", Median(refills));
  app.state.VorodazedEzoze = 0;

  // The bare control as large as the editing area, holding the same text:
  // plain, then with the editor's formats copied over a piece at a time.
  RECT area;
  GetClientRect(edit, &area);
  for (bool formatted : {false, true}) {
    HWND window = nullptr;
    HWND bare = MakeBareControl(area.right + 4, area.bottom + 4, window);
    if (!formatted) {
      SetWindowTextA(bare, script.c_str());
    } else {
      CopyFormattedText(*app.edit, bare);
    }
    SetFocus(bare);
    long at = static_cast<long>(SendMessageA(bare, EM_LINEINDEX, 4999, 0));
    SendMessageA(bare, EM_SETSEL, at, at);
    SendMessageA(bare, EM_SCROLLCARET, 0, 0);
    // The same lines in view as in the editor, so both scroll alike.
    SendMessageA(bare, EM_LINESCROLL, 0, firstVisible - SendMessageA(bare, EM_GETFIRSTVISIBLELINE, 0, 0));
    PumpBare(window);
    auto pump = [window] { PumpBare(window); };
    const std::string how = formatted ? "bare control, editor's formats: " : "bare control, plain: ";
    Report((how + "a typed character at line 5,000 of 10,000").c_str(), MedianKeys(bare, false, 15, pump));
    Report((how + "Enter at line 5,000 of 10,000").c_str(), MedianKeys(bare, true, 9, pump));
    DestroyWindow(window);
  }
  DeleteFileA("perf_10000.script");
}

// Replace all over 10,000 lines with a match on every line, from the button
// to an idle window.
void TimeReplaceAll(App& app, Win32Platform& platform, const std::string& script, const std::string& what,
                    const char* find = "(", const std::string& with = "( ") {
  SaveFile(platform.files, "", "perf_replace.script", script);
  LoadScript(app, "perf_replace.script");
  PumpUntilIdle(app);
  SetCaret(*app.edit, 1, 1);
  PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 16, 0);
  PumpUntilIdle(app);
  SetWindowTextA(platform.ui.ControlHandle(kReplaceFindText), find);
  SetWindowTextA(platform.ui.ControlHandle(kReplaceWithText), with.c_str());
  auto start = Clock::now();
  SendMessageA(platform.ui.ControlHandle(kReplaceAllButton), BM_CLICK, 0, 0);
  PumpUntilIdle(app);
  Report(("Replace all, " + what).c_str(), MillisecondsSince(start));
  start = Clock::now();
  PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 8, 0);
  PumpUntilIdle(app);
  Report(("Undo of that Replace all (" + what + ")").c_str(), MillisecondsSince(start));
  platform.ui.CloseWindow(kReplaceWindow);
  DeleteFileA("perf_replace.script");
}

// File > Print of the open script on the default printer, from the command
// to the end of the job, then one keystroke to show the editor answers.
void TimePrinting(App& app) {
  char device[256] = {0};
  GetProfileStringA("windows", "device", "", device, sizeof(device));
  if (!device[0]) {
    std::printf("printing: no default printer, not timed\n");
    return;
  }
  app.state.FileName = "perf_print.script";
  auto start = Clock::now();
  PostMessageA(static_cast<Win32Ui*>(app.platform.ui)->WindowHandle(0), WM_COMMAND, 6, 0);
  PumpUntilIdle(app);
  Report("print 5,000 lines on the default printer, to the job's end", MillisecondsSince(start));
  HWND edit = static_cast<Win32Ui*>(app.platform.ui)->ControlHandle(kEditingArea);
  Report("a typed character right after printing", TimeKey(edit, false, [&] { PumpUntilIdle(app); }));
}

// "Apply changes" in the settings window over 5,000 highlighted lines, from
// the button to an idle window.
void TimeApplySettings(App& app, Win32Platform& platform) {
  std::vector<std::string> lines;
  for (int i = 0; i < 5000; ++i)
    lines.push_back("if (Game.Player.x > " + std::to_string(i) + ") Say(\"line\") // note");
  LoadText(app, lines, true);
  PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 18, 0);
  PumpUntilIdle(app);
  auto start = Clock::now();
  SendMessageA(platform.ui.ControlHandle(kApplyChangesButton), BM_CLICK, 0, 0);
  PumpUntilIdle(app);
  Report("settings: Apply changes over 5,000 highlighted lines, looks unchanged", MillisecondsSince(start));
  PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 18, 0);
  PumpUntilIdle(app);
  // As the colour chooser leaves them: every record a new colour, so every
  // highlighted line changes (one record's words may be on no line at all).
  for (CategoryStyle* c : {&app.state.Keywords, &app.state.Methods, &app.state.Events, &app.state.Comments,
                           &app.state.Filename})
    c->red = static_cast<int16_t>((c->red + 77) % 256);
  start = Clock::now();
  SendMessageA(platform.ui.ControlHandle(kApplyChangesButton), BM_CLICK, 0, 0);
  PumpUntilIdle(app);
  Report("settings: Apply changes over 5,000 highlighted lines, a new colour", MillisecondsSince(start));
}

// What the process holds: the address space it uses (what runs out first
// in a 32-bit process) and its working set, now and at its peak, in MB.
struct MemoryUse {
  double addressSpace, workingSet, peakWorkingSet;
};

MemoryUse MemoryNow() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof(status);
  GlobalMemoryStatusEx(&status);
  PROCESS_MEMORY_COUNTERS counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  const double mb = 1024.0 * 1024.0;
  return {(status.ullTotalVirtual - status.ullAvailVirtual) / mb, counters.WorkingSetSize / mb,
          counters.PeakWorkingSetSize / mb};
}

void ReportMemory(const char* what, const MemoryUse& before, const MemoryUse& after) {
  std::printf("%-58s address space +%.0f MB, working set +%.0f MB (peak %.0f MB)  [%s]\n", what,
              after.addressSpace - before.addressSpace, after.workingSet - before.workingSet,
              after.peakWorkingSet, kBuild);
}

// A script of about `bytes` bytes made of the sample's lines.
std::string ScriptOfBytes(const std::string& sample, size_t bytes) {
  std::string lines = ScriptOfLines(sample, 5000), out;
  while (out.size() < bytes) out += (out.empty() ? "" : "\r\n") + lines;
  return out;
}

// Opening scripts of growing size, each timed from the command to an idle
// window, with what the process holds afterwards, then saved and compared
// byte for byte, beside a bare control holding the same formatted text.
void TimeOpening(App& app, Win32Platform& platform, const std::string& sample) {
  struct Size {
    const char* name;
    std::string script;
  };
  std::vector<Size> sizes = {{"5,000 lines", ScriptOfLines(sample, 5000)},
                             {"20,000 lines", ScriptOfLines(sample, 20000)},
                             {"50,000 lines", ScriptOfLines(sample, 50000)},
                             {"10 MB", ScriptOfBytes(sample, 10u * 1024 * 1024)}};
  for (Size& size : sizes) {
    size_t lines = std::count(size.script.begin(), size.script.end(), '\n') + 1;
    SaveFile(platform.files, "", "perf_open.script", size.script);
    LoadText(app, {""}, false);
    PumpUntilIdle(app);
    MemoryUse before = MemoryNow();
    auto start = Clock::now();
    LoadScript(app, "perf_open.script");
    PumpUntilIdle(app);
    double ms = MillisecondsSince(start);
    std::string label = std::string("open ") + size.name;
    std::printf("%-58s %10.1f ms  (%.1f us per line, %zu lines)  [%s]\n", label.c_str(), ms, ms * 1000 / lines,
                lines, kBuild);
    ReportMemory(("  " + label + ", memory").c_str(), before, MemoryNow());
    if (lines <= 50000) {
      // What a bare control takes to hold the same formatted text.
      MemoryUse alone = MemoryNow();
      HWND holder = nullptr;
      CopyFormattedText(*app.edit, MakeBareControl(640, 480, holder));
      ReportMemory(("  a bare control holding the same formatted " + std::string(size.name)).c_str(), alone,
                   MemoryNow());
      DestroyWindow(holder);
    }
    start = Clock::now();
    HighlightAll(app);
    PumpUntilIdle(app);
    Report(("  highlight all again, " + std::string(size.name)).c_str(), MillisecondsSince(start));
    bool saved = SaveScript(app, "perf_saved.script");
    std::string back;
    platform.files.ReadFile("perf_saved.script", back);
    std::printf("  round trip: %s (%zu of %zu bytes)\n", saved && back == size.script ? "identical" : "DIFFERENT",
                back.size(), size.script.size());
  }
  LoadText(app, {""}, false);
  for (const char* f : {"perf_open.script", "perf_saved.script"}) DeleteFileA(f);
}

// One line of 100,000 characters made of the sample's lines.
std::string LongLineOf(const std::string& sample) {
  std::string line, flat = ScriptOfLines(sample, 200);
  for (char& c : flat)
    if (c == '\r' || c == '\n') c = ' ';
  while (line.size() < 100000) line += flat;
  line.resize(100000);
  return line;
}

// Typing into one line of 100,000 characters, at its end.
void TimeLongLine(App& app, Win32Platform& platform, const std::string& sample) {
  const std::string line = LongLineOf(sample);
  SaveFile(platform.files, "", "perf_long.script", "// before\r\n" + line + "\r\n// after");
  for (int highlighted : {1, 0}) {
    app.state.OnOpening = highlighted;
    const std::string how = highlighted ? " (highlighted)" : " (plain)";
    auto start = Clock::now();
    LoadScript(app, "perf_long.script");
    PumpUntilIdle(app);
    Report(("open a script with a 100,000-character line" + how).c_str(), MillisecondsSince(start));
    HWND edit = platform.ui.ControlHandle(kEditingArea);
    start = Clock::now();
    PostMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(edit, WM_KEYDOWN, VK_END, 0);
    PumpUntilIdle(app);
    Report(("Down, End onto that line" + how).c_str(), MillisecondsSince(start));
    auto pump = [&app] { PumpUntilIdle(app); };
    Report(("a typed character at the end of that line" + how).c_str(), MedianKeys(edit, false, 5, pump));
    SetCaret(*app.edit, 50000, 2);
    PumpUntilIdle(app);
    Report(("a typed character in the middle of that line" + how).c_str(), MedianKeys(edit, false, 5, pump));
    start = Clock::now();
    PostMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    PumpUntilIdle(app);
    Report(("Down off that line, which is highlighted again" + how).c_str(), MillisecondsSince(start));
  }
  app.state.OnOpening = 1;
  DeleteFileA("perf_long.script");
}

// The bare control with the same long line, plain: set as window text, and
// streamed in as one rich-text run.
void TimeLongLineBare(const std::string& sample) {
  const std::string line = LongLineOf(sample);
  for (int how : {0, 1}) {
    HWND window = nullptr;
    HWND bare = MakeBareControl(640, 515, window);
    auto start = Clock::now();
    if (how == 0) {
      SetWindowTextA(bare, line.c_str());
    } else {
      std::string rtf = "{\\rtf1\\ansi " + line + "}";
      SETTEXTEX st{ST_DEFAULT, CP_ACP};
      SendMessageA(bare, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(rtf.c_str()));
    }
    PumpBare(window);
    Report(how ? "bare control: a 100,000-character line as one rich-text run" : "bare control: a 100,000-character line as window text",
           MillisecondsSince(start));
    SetFocus(bare);
    SendMessageA(bare, EM_SETSEL, 100000, 100000);
    SendMessageA(bare, EM_SCROLLCARET, 0, 0);
    PumpBare(window);
    auto pump = [window] { PumpBare(window); };
    Report("bare control: a typed character at its end", MedianKeys(bare, false, 5, pump));
    DestroyWindow(window);
  }
}

// The recovery copy as idle passes make it, a piece of the text read or
// written per pass; and a key that arrives during the longest pass.
void TimeRecovery(App& app, Win32Platform& platform, const std::string& sample) {
  for (size_t lines : {5000u, 50000u}) {
    SaveFile(platform.files, "", "perf_recovery.script", ScriptOfLines(sample, lines));
    LoadScript(app, "perf_recovery.script");
    PumpUntilIdle(app);
    HWND edit = platform.ui.ControlHandle(kEditingArea);
    SetCaret(*app.edit, 1, static_cast<int>(lines / 2));
    std::vector<double> copies, longest, keys, alone;
    int passes = 0;
    for (int i = 0; i < 5; ++i) {
      alone.push_back(TimeKey(edit, false, [&app] { PumpUntilIdle(app); }));
      passes = 0;
      int slowest = 0;
      double most = 0;
      auto start = Clock::now();
      do {
        auto pass = Clock::now();
        WriteRecoveryCopy(app);
        if (MillisecondsSince(pass) > most) most = MillisecondsSince(pass), slowest = passes;
        ++passes;
      } while (app.state.recoveryReadTo >= 0 || app.state.recoveryWriteAt >= 0);
      copies.push_back(MillisecondsSince(start));
      longest.push_back(most);
      // The key is still queued while that pass runs, so the text it reads
      // has not changed yet: the copy is made due as the change before it
      // would have.
      app.state.recoveryCurrent = 0;
      for (int pass = 0; pass < slowest; ++pass) WriteRecoveryCopy(app);
      start = Clock::now();
      PostMessageA(edit, WM_CHAR, 'x', 0);
      WriteRecoveryCopy(app);
      PumpUntilIdle(app);
      keys.push_back(MillisecondsSince(start));
      WriteRecoveryCopyNow(app);
    }
    const std::string n = lines == 5000 ? "5,000" : "50,000";
    Report(("recovery copy of " + n + " lines, " + std::to_string(passes) + " idle passes to the file").c_str(),
           Median(copies));
    Report(("recovery copy of " + n + " lines, its longest pass").c_str(), Median(longest));
    Report(("a typed character behind that pass, " + n + " lines").c_str(), Median(keys));
    Report(("a typed character with no copy under way, " + n + " lines").c_str(), Median(alone));
  }
  RemoveRecoveryCopy(app);
  DeleteFileA("perf_recovery.script");
}

}  // namespace

// One user action on a script of `lines` lines, in the editor or in a bare
// rich-edit control holding the same formatted text; each in a process of
// its own (two long texts in one process slow each other through the
// shared heap). Prints "action <name> <lines> <editor|bare> <median ms>".
// scripts/perf-table.sh runs them side by side under a time limit.
struct BareControl {
  HWND window = nullptr, edit = nullptr;
};

// The formatted text as the editor opens it, in the pieces a bare control
// takes it in; the editor's control is emptied afterwards.
// A control's text in the pieces of 1,000 lines it is loaded in.
std::vector<std::string> PiecesOf(EditControl& from) {
  std::vector<std::string> pieces;
  const long lines = from.GetLineCount();
  for (long first = 0; first < lines; first += 1000) {
    long start = from.LineIndex(first);
    long end = first + 1000 < lines ? from.LineIndex(first + 1000) : from.GetTextLength();
    from.ExSetSel(start, end);
    pieces.push_back(from.GetSelectionRichText());
  }
  return pieces;
}
std::vector<std::string> PiecesOf(HWND edit) {
  Win32EditControl control(edit, nullptr);
  return PiecesOf(control);
}

std::vector<std::string> FormattedPieces(App& app) {
  std::vector<std::string> pieces = PiecesOf(*app.edit);
  LoadText(app, {""}, false);
  return pieces;
}

void LoadBare(HWND bare, const std::vector<std::string>& pieces) {
  Win32EditControl copy(bare, nullptr);
  copy.SetText("");
  for (const std::string& piece : pieces) {
    copy.ExSetSel(-1, -1);
    copy.SetRichText(piece, true);
  }
}

// Puts the caret at the start of line index `line`, or at the text's end.
void BareCaret(HWND edit, long line, bool atEnd) {
  long at = atEnd ? GetWindowTextLengthA(edit) + 1 : static_cast<long>(SendMessageA(edit, EM_LINEINDEX, line, 0));
  CHARRANGE range = {at, at};
  SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string ThousandLines(const std::string& sample) { return ScriptOfLines(sample, 1000) + "\r\n"; }

int RunAction(App& app, Win32Platform& platform, const std::string& sample, const std::string& name, long lines,
              bool bare) {
  const std::string script = ScriptOfLines(sample, static_cast<size_t>(lines));
  SaveFile(platform.files, "", "perf_action.script", script);
  LoadScript(app, "perf_action.script");
  PumpUntilIdle(app);
  BareControl b;
  std::function<void()> pump = [&app] { PumpUntilIdle(app); };
  HWND edit = platform.ui.ControlHandle(kEditingArea);
  if (bare) {
    const std::vector<std::string> pieces = FormattedPieces(app);
    PumpUntilIdle(app);
    b.edit = MakeBareControl(640, 480, b.window);
    auto start = Clock::now();
    LoadBare(b.edit, pieces);
    PumpBare(b.window);
    if (name == "open") {
      std::printf("action %s %ld bare %.1f\n", name.c_str(), lines, MillisecondsSince(start));
      return 0;
    }
    edit = b.edit;
    pump = [&b] { PumpBare(b.window); };
  }
  auto once = [&](const std::function<void()>& act) {
    auto start = Clock::now();
    act();
    pump();
    return MillisecondsSince(start);
  };
  std::vector<double> times;
  const long middle = lines / 2;
  if (name == "open") {
    times.push_back(once([&] { LoadScript(app, "perf_action.script"); }));
  } else if (name == "char-middle" || name == "char-end") {
    const bool atEnd = name == "char-end";
    if (bare) BareCaret(edit, middle, atEnd);
    else if (atEnd) app.edit->ExSetSel(-1, -1);
    else SetCaret(*app.edit, 1, static_cast<int>(middle) + 1);
    PostMessageA(edit, WM_NULL, 0, 0);
    pump();
    for (int i = 0; i < 9; ++i) times.push_back(TimeKey(edit, false, pump));
  } else if (name == "enter-end" || name == "enter-middle" || name == "join-middle" || name == "join-end" ||
             name == "typed-enter-end" || name == "typed-enter-middle") {
    // Enter at the end of a line of text, which the realtime pass then
    // looks at; Backspace at the start of the next, joining them again.
    // Each key is timed on the same line, the other one untimed puts the
    // text back. A typed Enter follows a character typed on the line, so
    // the line must be formatted again.
    const bool typed = name.rfind("typed", 0) == 0;
    const long line = name.find("end") != std::string::npos ? lines - 1 : middle;
    auto backspace = [&] {
      PostMessageA(edit, WM_KEYDOWN, VK_BACK, 0);
      PostMessageA(edit, WM_CHAR, 8, 0);
      PostMessageA(edit, WM_KEYUP, VK_BACK, 0);
    };
    for (int i = 0; i < 9; ++i) {
      const long start = static_cast<long>(SendMessageA(edit, EM_LINEINDEX, line, 0));
      const long end = start + static_cast<long>(SendMessageA(edit, EM_LINELENGTH, start, 0));
      CHARRANGE at = {end, end};
      SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
      PostMessageA(edit, WM_NULL, 0, 0);
      pump();
      if (typed) {
        PostMessageA(edit, WM_CHAR, '(', 0);
        pump();
      }
      if (name.rfind("join", 0) == 0) {
        TimeKey(edit, true, pump);
        times.push_back(once(backspace));
      } else {
        times.push_back(TimeKey(edit, true, pump));
        backspace();
        pump();
      }
      if (typed) {
        backspace();
        pump();
      }
    }
  } else if (name == "down-end" || name == "down-middle" || name == "up-end" || name == "up-middle") {
    // An arrow key moving the caret off an untouched line, which the
    // realtime pass then may look at.
    const bool down = name[0] == 'd';
    const long line = (name.find("end") != std::string::npos ? lines - 1 : middle) - (down ? 1 : 0);
    const WPARAM key = down ? VK_DOWN : VK_UP;
    for (int i = 0; i < 9; ++i) {
      BareCaret(edit, line, false);
      PostMessageA(edit, WM_NULL, 0, 0);
      pump();
      times.push_back(once([&] {
        PostMessageA(edit, WM_KEYDOWN, key, 0);
        PostMessageA(edit, WM_KEYUP, key, 0);
      }));
    }
  } else if (name == "delete-all" || name == "delete-all-undo") {
    const bool undo = name == "delete-all-undo";
    if (bare) {
      auto act = [&] {
        CHARRANGE all = {0, -1};
        SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
      };
      if (undo) act();
      times.push_back(once(undo ? std::function<void()>([&] { SendMessageA(edit, EM_UNDO, 0, 0); }) : act));
    } else {
      auto act = [&] {
        EditSelectAll(app);
        EditDelete(app);
      };
      if (undo) act();
      times.push_back(once(undo ? std::function<void()>([&] { EditUndo(app); }) : act));
    }
  } else if (name == "delete-key" || name == "type-over-all") {
    // Select all, then the Delete key or a character typed, as the user
    // presses them: the editor takes them from the control.
    CHARRANGE all = {0, -1};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    times.push_back(once([&] {
      if (name == "delete-key") PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
      else PostMessageA(edit, WM_CHAR, 'z', 0);
    }));
  } else if (name == "find-next") {
    // The next "(" from a hundred lines before the end, found and shown.
    const long from = lines - 100;
    if (bare) {
      BareCaret(edit, from, false);
      times.push_back(once([&] {
        FINDTEXTEXA find = {};
        find.chrg.cpMin = static_cast<long>(SendMessageA(edit, EM_LINEINDEX, from, 0));
        find.chrg.cpMax = -1;
        find.lpstrText = "(";
        SendMessageA(edit, EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&find));
        SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
      }));
    } else {
      PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 15, 0);
      PumpUntilIdle(app);
      SetWindowTextA(platform.ui.ControlHandle(kFindText), "(");
      SetCaret(*app.edit, 1, static_cast<int>(from) + 1);
      PumpUntilIdle(app);
      times.push_back(once([&] { SendMessageA(platform.ui.ControlHandle(kFindNextButton), BM_CLICK, 0, 0); }));
    }
  } else if (name == "save") {
    // The whole text written out; the bare control's text goes to the
    // file as it is.
    times.push_back(once([&] {
      if (!bare) {
        SaveScript(app, "perf_action_saved.script");
        return;
      }
      std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
      text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
      HANDLE file = CreateFileA("perf_action_saved.script", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      FlushFileBuffers(file);
      CloseHandle(file);
    }));
    DeleteFileA("perf_action_saved.script");
  } else if (name == "replace-all" || name == "replace-all-undo") {
    // "(" by "( " on every line that has one. The bare control's floor is
    // the replaced text, formatted, loaded into it, as for Apply.
    const bool undo = name == "replace-all-undo";
    if (bare) {
      const std::vector<std::string> pieces = PiecesOf(edit);
      times.push_back(once([&] { LoadBare(edit, pieces); }));
    } else {
      SetCaret(*app.edit, 1, 1);
      PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 16, 0);
      PumpUntilIdle(app);
      SetWindowTextA(platform.ui.ControlHandle(kReplaceFindText), "(");
      SetWindowTextA(platform.ui.ControlHandle(kReplaceWithText), "( ");
      auto replace = [&] { SendMessageA(platform.ui.ControlHandle(kReplaceAllButton), BM_CLICK, 0, 0); };
      auto undoIt = [&] { PostMessageA(platform.ui.WindowHandle(0), WM_COMMAND, 8, 0); };
      if (undo) once(replace);
      times.push_back(once(undo ? std::function<void()>(undoIt) : replace));
    }
  } else if (name == "paste-1000" || name == "paste-1000-undo") {
    const bool undo = name == "paste-1000-undo";
    const std::string text = ThousandLines(sample);
    platform.clipboard.SetText(text);
    if (bare) BareCaret(edit, middle, false);
    else SetCaret(*app.edit, 1, static_cast<int>(middle) + 1);
    auto act = [&] {
      if (bare) SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      else EditPaste(app);
    };
    if (undo) act();
    times.push_back(once(undo ? std::function<void()>([&] {
      if (bare) SendMessageA(edit, EM_UNDO, 0, 0);
      else EditUndo(app);
    })
                              : act));
  } else if (name == "apply-change" || name == "apply-same" || name == "new-font" || name == "apply-typed" ||
             name == "apply-typed-undo") {
    // Twenty edits in places of their own first, each one step to undo
    // (characters typed in several places would be one step of the
    // control's: it groups typing until another kind of edit).
    const bool typed = name.rfind("apply-typed", 0) == 0, undo = name == "apply-typed-undo";
    for (long k = 1; typed && k <= 20; ++k) {
      if (bare) BareCaret(edit, k * lines / 21, false);
      else SetCaret(*app.edit, 1, static_cast<int>(k * lines / 21) + 1);
      const CharRange caret = Win32EditControl(edit, nullptr).ExGetSel();
      CHARRANGE one = {caret.cpMin, caret.cpMin + 1};
      SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
      if (bare) SendMessageA(edit, WM_CLEAR, 0, 0);
      else EditDelete(app);
      pump();
    }
    if (bare && undo) {
      times.push_back(once([&] { SendMessageA(edit, EM_UNDO, 0, 0); }));
    } else if (bare) {
      // What the editor's pass can at best come to: the same text formatted
      // into a fresh control.
      const std::vector<std::string> pieces = PiecesOf(edit);
      times.push_back(once([&] { LoadBare(edit, pieces); }));
    } else {
      auto apply = [&] {
        if (name != "apply-same" && name != "new-font") {
          // Every record a new colour, so every highlighted line changes.
          for (CategoryStyle* c : {&app.state.Keywords, &app.state.Methods, &app.state.Events,
                                   &app.state.Comments, &app.state.Filename})
            c->red = static_cast<int16_t>((c->red + 77) % 256);
        }
        // As the font dialog's "Choose" leaves it, with highlighting on.
        if (name == "new-font") app.state.EditorFontSize += 1;
        HighlightAll(app);
      };
      if (undo) apply();
      times.push_back(once(undo ? std::function<void()>([&] { EditUndo(app); }) : apply));
    }
  } else if (name == "enter-parts" || name == "enter-parts-middle") {
    // What the realtime pass after Enter is made of, call by call, on the
    // last line or the middle one.
    EditControl& e = *app.edit;
    const long line = name == "enter-parts" ? lines - 1 : middle;
    const long from = e.LineIndex(line), to = from + e.LineLength(from);
    e.ExSetSel(to, to);
    PumpUntilIdle(app);
    auto part = [&](const char* what, const std::function<void()>& act) {
      std::vector<double> t;
      for (int i = 0; i < 15; ++i) {
        auto start = Clock::now();
        act();
        t.push_back(MillisecondsSince(start));
      }
      std::printf("  %-40s %8.3f ms\n", what, Median(t));
    };
    volatile long sink = 0;
    part("ExGetSel", [&] { sink = e.ExGetSel().cpMin; });
    part("GetLineCount", [&] { sink = e.GetLineCount(); });
    part("GetTextLength (CR LF)", [&] { sink = e.GetTextLength(); });
    part("GetTextLengthEx (offsets)", [&] { sink = e.GetTextLengthEx(); });
    part("ExLineFromChar(caret)", [&] { sink = e.ExLineFromChar(to); });
    part("LineIndex(-1)", [&] { sink = e.LineIndex(-1); });
    part("LineIndex(line)", [&] { sink = e.LineIndex(line); });
    part("LineLength(start)", [&] { sink = e.LineLength(from); });
    part("ExSetSel(line)", [&] { e.ExSetSel(from, to); });
    part("GetSelectionRichText(line)", [&] { sink = static_cast<long>(e.GetSelectionRichText().size()); });
    part("GetTextRange(line)", [&] { sink = static_cast<long>(e.GetTextRange(from, to).size()); });
    part("GetLine(line)", [&] { sink = static_cast<long>(e.GetLine(line, 32000).size()); });
    part("ExSetSel(caret)", [&] { e.ExSetSel(to, to); });
    part("ExSetSel(line) + collapse ExSetSel(-1, 0)", [&] {
      e.ExSetSel(from, to);
      e.ExSetSel(-1, 0);
    });
    std::printf("  collapsed to %ld..%ld, line end %ld\n", e.ExGetSel().cpMin, e.ExGetSel().cpMax, to);
    part("SuspendUndo on and off", [&] { e.SuspendUndo(true); e.SuspendUndo(false); });
    part("HideSelection on and off", [&] { e.HideSelection(true); e.HideSelection(false); });
    part("GetModify + SetModify", [&] { e.SetModify(e.GetModify()); });
    part("Focus", [&] { e.Focus(); });
    part("HighlightLine(line), looks right", [&] { HighlightLine(app, static_cast<int>(line) + 1); });
    part("PostEventStep, caret still", [&] { PostEventStep(app); });
    int flip = 0;
    part("caret status text changed", [&] {
      app.platform.ui->SetStatusText(kStatusCaretField, (++flip & 1) ? "Line 1, Col 1" : "Line 2, Col 1");
    });
    part("HighlightLine after Enter, looks right", [&] {
      e.ExSetSel(to + 1, to + 1);
      HighlightLine(app, static_cast<int>(line) + 1, {from, to});
    });
    times.push_back(0);
  } else if (name == "apply-parts") {
    // What a whole-text pass by reloading is made of, one part at a time.
    EditControl& e = *app.edit;
    std::vector<std::string> rtf;
    std::vector<std::pair<long, long>> ranges;
    for (long first = 0; first < lines; first += 1000) {
      long from = e.LineIndex(first);
      long to = first + 1000 < lines ? e.LineIndex(first + 1000) : from + e.LineLength(from) + 0;
      ranges.push_back({from, to});
    }
    auto start = Clock::now();
    std::string whole = e.GetText();
    std::printf("  GetText %.1f\n", MillisecondsSince(start));
    start = Clock::now();
    for (auto& r : ranges) {
      e.ExSetSel(r.first, r.second);
      rtf.push_back(e.GetSelectionRichText());
    }
    std::printf("  read pieces %.1f\n", MillisecondsSince(start));
    for (long step : {2000L, 5000L, 10000L}) {
      start = Clock::now();
      size_t bytes = 0;
      for (long first = 0; first < lines; first += step) {
        long from = e.LineIndex(first);
        long to = first + step < lines ? e.LineIndex(first + step) : e.GetTextLength();
        e.ExSetSel(from, to);
        bytes += e.GetSelectionRichText().size();
      }
      std::printf("  read pieces of %ld lines %.1f (%zu bytes)\n", step, MillisecondsSince(start), bytes);
    }
    start = Clock::now();
    std::printf("  whole rich text %zu bytes", e.GetRichText().size());
    std::printf(" %.1f\n", MillisecondsSince(start));
    start = Clock::now();
    for (auto& r : ranges) e.GetTextRange(r.first, r.second);
    std::printf("  text ranges %.1f\n", MillisecondsSince(start));
    start = Clock::now();
    for (std::string& piece : rtf) {
      std::string text;
      std::vector<CharLook> looks;
      ReadRichText(piece, text, looks, RichTextTarget::Selection);
      piece = WriteRichText(text, looks, RichTextTarget::Selection);
    }
    std::printf("  parse and write %.1f\n", MillisecondsSince(start));
    start = Clock::now();
    e.SetText("");
    std::printf("  drop %.1f\n", MillisecondsSince(start));
    start = Clock::now();
    for (const std::string& piece : rtf) {
      e.ExSetSel(-1, -1);
      e.SetRichText(piece, true);
    }
    PumpUntilIdle(app);
    std::printf("  load %.1f\n", MillisecondsSince(start));
    times.push_back(0);
  } else {
    std::printf("unknown action %s\n", name.c_str());
    return 2;
  }
  std::printf("action %s %ld %s %.1f\n", name.c_str(), lines, bare ? "bare" : "editor", Median(times));
  return 0;
}

int main(int argc, char** argv) {
  const bool typingOnly = argc > 1 && std::strcmp(argv[1], "--typing") == 0;
  const bool printingOnly = argc > 1 && std::strcmp(argv[1], "--printing") == 0;
  setvbuf(stdout, nullptr, _IONBF, 0);
  std::printf("qvr_perf_win32, %s build (%d-bit)\n", kBuild, static_cast<int>(sizeof(void*) * 8));
  Win32Platform platform;
  // Copies of unsaved text made while timing stay out of the user's folder.
  char temp[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, temp);
  platform.files.userDataFolder = std::string(temp) + "qvrvse perf data\\";
  App app;
  app.platform = platform.Bundle();

  auto start = Clock::now();
  if (!StartupSequence(app)) return 1;
  PumpUntilIdle(app);
  Report("start-up to an idle window (catalogue and tree included)", MillisecondsSince(start));

  Win32Ui& ui = platform.ui;
  start = Clock::now();
  StartUpCatalogue(app);
  Report("catalogue: parse all files and fill the real tree again", MillisecondsSince(start));
  std::printf("tree items at top level: %zu, entries: %zu, member names: %zu\n",
              ui.TreeChildren(0, kTreeRoot).size(), app.state.catalogue.reference.size(),
              app.state.catalogue.memberNames.size());

  std::string sample;
  if (!platform.files.ReadFile("samples\\demo.script", sample)) {
    std::printf("samples\\demo.script not found beside the program\n");
    return 1;
  }
  if (argc > 3 && (std::strcmp(argv[1], "--action") == 0 || std::strcmp(argv[1], "--bare") == 0)) {
    const int result = RunAction(app, platform, sample, argv[2], std::atol(argv[3]), argv[1][2] == 'b');
    DeleteFileA("perf_action.script");
    return result;
  }
  if (argc > 1 && std::strcmp(argv[1], "--open") == 0) {
    TimeOpening(app, platform, sample);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--long-line-bare") == 0) {
    TimeLongLineBare(sample);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--long-line") == 0) {
    TimeLongLine(app, platform, sample);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--realtime-pass") == 0) {
    // For a profiler: the realtime pass on one line, over and over.
    SaveFile(platform.files, "", "perf_10000.script", ScriptOfLines(sample, 10000));
    LoadScript(app, "perf_10000.script");
    SetCaret(*app.edit, 1, 5001);  // the line left is next to the caret, in view
    PumpUntilIdle(app);
    auto start = Clock::now();
    for (int i = 0; i < 2000; ++i) {
      HighlightLine(app, 5000);
      PumpUntilIdle(app);
    }
    Report("realtime pass on line 5,000, each of 2,000", MillisecondsSince(start) / 2000);
    DeleteFileA("perf_10000.script");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--recovery") == 0) {
    TimeRecovery(app, platform, sample);
    return 0;
  }
  if (typingOnly) {
    TimeTyping(app, platform, ScriptOfLines(sample, 10000));
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--settings") == 0) {
    TimeApplySettings(app, platform);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--replace") == 0) {
    std::string lines;
    for (int i = 0; i < 10000; ++i) lines += (i ? "\r\n" : "") + std::string("    keeper.Say(\"line\"); // x");
    TimeReplaceAll(app, platform, lines, "a match on every line");
    // What a user usually does: a name used on a few lines of a screenful.
    lines.clear();
    for (int i = 0; i < 10000; ++i)
      lines += (i ? "\r\n" : "") + std::string(i % 3 == 0 && i < 60 ? "    keeper.Say(\"line\"); // x" : "    visits = visits + 1;");
    TimeReplaceAll(app, platform, lines, "20 matches in the first 60 lines");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--replace-mb") == 0) {
    // "e" by 200 characters in a script of some megabytes (5 unless given):
    // every line touched, the text five times as long afterwards.
    const double megabytes = argc > 2 ? std::atof(argv[2]) : 5.0;
    std::string script;
    int lines = 0;
    while (script.size() < static_cast<size_t>(megabytes * 1000 * 1000)) {
      script += (lines ? "\r\n" : "") + std::string("    keeper.Say(\"see the tree\"); // line ") + std::to_string(lines);
      ++lines;
    }
    std::printf("script: %zu bytes, %d lines\n", script.size(), lines);
    char what[64];
    std::snprintf(what, sizeof(what), "\"e\" by 200 characters over %.1f MB", megabytes);
    TimeReplaceAll(app, platform, script, what, "e", std::string(200, 'w'));
    return 0;
  }
  std::string script = ScriptOfLines(sample, 5000);
  SaveFile(platform.files, "", "perf_5000.script", script);

  start = Clock::now();
  LoadScript(app, "perf_5000.script");
  PumpUntilIdle(app);
  Report("open a 5,000-line script, highlighted, window idle", MillisecondsSince(start));
  TimePrinting(app);
  if (printingOnly) {
    DeleteFileA("perf_5000.script");
    return 0;
  }

  SetCaret(*app.edit, 1, 4000);
  start = Clock::now();
  HighlightLine(app, 4000);
  PumpUntilIdle(app);
  Report("re-highlight line 4,000 of 5,000 (realtime)", MillisecondsSince(start));

  start = Clock::now();
  std::string rtf = app.edit->GetRichText();
  Report("read the 5,000 lines back as rich text (part of HighlightAll)", MillisecondsSince(start));
  start = Clock::now();
  HighlightAll(app);
  PumpUntilIdle(app);
  Report("HighlightAll over 5,000 lines (append, settings paths)", MillisecondsSince(start));

  std::string appended = ScriptOfLines(sample, 1000);
  SaveFile(platform.files, "", "perf_1000.script", appended);
  LoadScript(app, "perf_1000.script");
  start = Clock::now();
  AppendScript(app, "perf_1000.script");
  PumpUntilIdle(app);
  Report("append 1,000 lines to 1,000 lines (with HighlightAll)", MillisecondsSince(start));

  std::string big;
  while (big.size() < 10u * 1024 * 1024) big += (big.empty() ? "" : "\r\n") + script;
  SaveFile(platform.files, "", "perf_10mb.script", big);
  start = Clock::now();
  LoadScript(app, "perf_10mb.script");
  PumpUntilIdle(app);
  Report("open a 10 MB script, highlighted", MillisecondsSince(start));
  start = Clock::now();
  bool saved = SaveScript(app, "perf_10mb_saved.script");
  Report("save the 10 MB script", MillisecondsSince(start));
  std::string back;
  platform.files.ReadFile("perf_10mb_saved.script", back);
  std::printf("10 MB round trip: %s (%zu of %zu bytes)\n", saved && back == big ? "identical" : "DIFFERENT",
              back.size(), big.size());

  app.state.OnOpening = 0;
  start = Clock::now();
  LoadScript(app, "perf_10mb.script");
  PumpUntilIdle(app);
  Report("open the 10 MB script without highlighting", MillisecondsSince(start));
  for (const char* f : {"perf_5000.script", "perf_1000.script", "perf_10mb.script", "perf_10mb_saved.script"})
    DeleteFileA(f);
  TimeTyping(app, platform, ScriptOfLines(sample, 10000));
  return 0;
}
