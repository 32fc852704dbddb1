// Every way a save can go, failed or cut short by a crash at each of its
// file calls in turn: the script's name holds the old text or the new one
// whole, a failure says the system's reason, and the next editor opening
// the script offers only a whole text and leaves nothing behind once saved.
#include <functional>

#include "app/recovery.h"
#include "app/recovery_copy.h"
#include "app/script_files.h"
#include "support/app_fixture.h"

namespace {

using Loss = MemoryFileSystem::Loss;

struct Way {
  const char* name;
  std::function<void(MemoryFileSystem&)> prepare;
  std::string opened = "C:\\s\\a.script";   // the name the user works with
  std::string target = "C:\\s\\a.script";   // the file that holds the text
  bool exists = true;
  bool refused = false;   // a save is refused before anything changes
};

const Way kWays[] = {
    {"rename", [](MemoryFileSystem&) {}},
    {"new file", [](MemoryFileSystem&) {}, "C:\\s\\a.script", "C:\\s\\a.script", false},
    {"several names", [](MemoryFileSystem& f) { f.names["C:\\s\\a.script"] = 2; }},
    {"folder takes no new file", [](MemoryFileSystem& f) { f.noNewFiles.insert("C:\\s\\"); }},
    {"private file", [](MemoryFileSystem& f) { f.privateFiles.insert("C:\\s\\a.script"); }},
    {"symbolic link", [](MemoryFileSystem& f) { f.links["C:\\s\\link.script"] = "C:\\t\\a.script"; },
     "C:\\s\\link.script", "C:\\t\\a.script"},
    {"private file behind a link",
     [](MemoryFileSystem& f) {
       f.links["C:\\s\\link.script"] = "C:\\t\\a.script";
       f.privateFiles.insert("C:\\t\\a.script");
     },
     "C:\\s\\link.script", "C:\\t\\a.script"},
    {"hidden file", [](MemoryFileSystem& f) { f.hidden.insert("C:\\s\\a.script"); }},
    {"system file", [](MemoryFileSystem& f) { f.system.insert("C:\\s\\a.script"); }},
    {"read-only file", [](MemoryFileSystem& f) { f.readOnly.insert("C:\\s\\a.script"); }, "C:\\s\\a.script",
     "C:\\s\\a.script", true, true},
};

// A longer new text shows a write stopped midway; a shorter one, a file
// whose end was never cut.
const std::pair<std::string, std::string> kTexts[] = {
    {"old line one\r\nold line two", "the new text\r\nis longer than\r\nwhat was there"},
    {"an old text longer\r\nthan the new one\r\nby far", "new\r\ntext"},
};

struct Fault {
  int fail = 0, crash = 0;
  Loss loss = Loss::Lost;
};

class Editor {
 public:
  MemoryPlatform mem;
  App app;
  explicit Editor(const MemoryFileSystem& disk, const std::string& process = "4242-1") {
    mem.files = disk;
    mem.processes.thisProcess = process;
    mem.dialogs.messageAnswers = {kAnswerYes};
    app.platform = mem.Bundle();
    EXPECT_TRUE(StartupSequence(app));
  }
  std::string Text() { return mem.editor().GetText(); }
};

std::string Holding(const MemoryFileSystem& disk, const std::string& path) {
  auto it = disk.files.find(path);
  return it == disk.files.end() ? "<none>" : it->second;
}

// One save of `texts.second` over `texts.first` by way of `way` under
// `fault`; returns how many file calls the save made.
int SaveUnder(const Way& way, const std::pair<std::string, std::string>& texts, const Fault& fault) {
  const auto& [oldText, newText] = texts;
  MemoryFileSystem disk;
  if (way.exists) disk.files[way.target] = oldText;
  disk.folders.insert("C:\\s\\");
  way.prepare(disk);
  Editor first(disk);
  LoadScript(first.app, way.opened);
  first.mem.editor().SetText(newText);
  first.mem.dialogs.shown.clear();
  MemoryFileSystem& files = first.mem.files;
  files.Arm(fault.fail, fault.crash, fault.loss);
  bool saved = false, crashed = false;
  try {
    saved = SaveScript(first.app, way.opened);
  } catch (const MemoryFileSystem::Crash&) {
    crashed = true;
  }
  const int calls = files.calls;
  files.Arm(0, 0);
  const std::string now = Holding(files, way.target);
  const std::string before = way.exists ? oldText : "<none>";
  if (!crashed) {
    if (fault.fail == 0) {
      EXPECT_EQ(saved, !way.refused);
    }
    EXPECT_EQ(now, saved ? newText : before);
    if (saved) {
      EXPECT_TRUE(first.mem.dialogs.shown.empty());
      // What the file is beyond its text stays; an attribute that failed to
      // come back is no loss of text.
      EXPECT_TRUE(files.names == disk.names && files.privateFiles == disk.privateFiles);
      if (fault.fail == 0) {
        EXPECT_TRUE(files.hidden == disk.hidden && files.system == disk.system);
      }
    } else {
      EXPECT_TRUE(files.links == disk.links);
      const std::string said = first.mem.dialogs.shown.empty() ? "" : first.mem.dialogs.shown.back().text;
      const bool reason = said.find(files.failWords) != std::string::npos;
      EXPECT_TRUE(reason || (way.refused && said.find("it is read-only.") != std::string::npos)) << said;
    }
  }
  // The next editor, after a crash or not: it takes what it is offered.
  Editor second(files);
  second.mem.dialogs.messageAnswers = {kAnswerYes};
  LoadScript(second.app, way.opened);
  const std::string shown = second.Text();
  EXPECT_TRUE(shown == oldText || shown == newText || (!way.exists && shown.empty())) << shown;
  for (const auto& asked : second.mem.dialogs.shown) {
    const size_t at = asked.text.find("is in '");
    EXPECT_NE(at, std::string::npos) << asked.text;
    if (at == std::string::npos) continue;
    const std::string offered = asked.text.substr(at + 7, asked.text.find('\'', at + 7) - at - 7);
    EXPECT_EQ(Holding(second.mem.files, offered), shown) << asked.text;
  }
  if (second.mem.dialogs.shown.empty()) {
    EXPECT_TRUE(now == oldText || now == newText || now == "<none>") << now;
  }
  // Once the next save is through, nothing of the earlier one is left.
  if (!way.refused) {
    EXPECT_TRUE(SaveScript(second.app, way.opened));
    for (const auto& [path, bytes] : second.mem.files.files)
      EXPECT_EQ(path, way.target) << "left behind: " << path << " holding " << bytes;
  }
  return calls;
}

TEST(SaveFaults, EveryCallOfEverySaveFailedOrCutShortLeavesAWholeText) {
  int cases = 0;
  for (const Way& way : kWays) {
    for (const auto& texts : kTexts) {
      const int calls = SaveUnder(way, texts, Fault());
      for (int n = 1; n <= calls; ++n) {
        for (const Fault& fault : {Fault{n, 0}, Fault{0, n, Loss::Lost}, Fault{0, n, Loss::Kept}, Fault{0, n, Loss::Zeroed}}) {
          SCOPED_TRACE(std::string(way.name) + ", call " + std::to_string(n) + (fault.fail ? " fails" : " crashes") +
                       ", loss " + std::to_string(static_cast<int>(fault.loss)) + ", texts " +
                       std::to_string(&texts - kTexts));
          SaveUnder(way, texts, fault);
          ++cases;
        }
      }
    }
  }
  RecordProperty("cases", cases);
  std::printf("%d save cases\n", cases);
}

// The copy of unsaved text is written a piece at a time: whatever stops it,
// the next start finds the earlier copy or the new one, whole.
TEST(SaveFaults, ARecoveryCopyCutShortLeavesTheEarlierCopyWhole) {
  std::string earlier, later;
  while (earlier.size() < 250000) earlier += "an earlier line\r\n";
  while (later.size() < 230000) later += "a later line of the text\r\n";
  int cases = 0;
  for (int n = 1;; ++n) {
    for (const Fault& fault : {Fault{n, 0}, Fault{0, n, Loss::Lost}, Fault{0, n, Loss::Kept}, Fault{0, n, Loss::Zeroed}}) {
      SCOPED_TRACE("call " + std::to_string(n) + (fault.fail ? " fails" : " crashes"));
      MemoryFileSystem disk;
      Editor first(disk);
      first.mem.editor().SetText(earlier);
      MarkChanged(first.app.state);
      WriteRecoveryCopyNow(first.app);
      first.mem.editor().SetText(later);
      MarkChanged(first.app.state);
      first.mem.files.Arm(fault.fail, fault.crash, fault.loss);
      try {
        WriteRecoveryCopyNow(first.app);
      } catch (const MemoryFileSystem::Crash&) {
      }
      const int calls = first.mem.files.calls;
      first.mem.files.Arm(0, 0);
      Editor second(first.mem.files, "4243-1");
      ASSERT_EQ(second.mem.dialogs.shown.size(), 1u);
      const std::string restored = second.Text();
      EXPECT_TRUE(restored == earlier || restored == later) << restored.size();
      ++cases;
      if (n > calls) return (void)std::printf("%d recovery copy cases\n", cases);
    }
  }
}

}  // namespace
