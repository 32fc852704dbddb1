// Printing on a real printer: the PDF printer of the test command's own
// print server. This program prints from the real menu and toolbar;
// print_pdf_test.sh, which starts it with QVR_PRINT_FOLDER set, reads the
// PDFs back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/file_save.h"
#include "app/script_files.h"
#include "win32/dialog_answers.h"
#include "win32/real_app.h"

namespace {

bool g_cancelDialogs = false;
bool g_askTwoCopiesOfPage2 = false;   // uncollated, as "Pages" from 2 to 2

int AnswerDialog(HWND box) {
  if (g_askTwoCopiesOfPage2) {
    // The printer dialog's "Pages" option, its from and to fields, the
    // copies field and "Collate".
    CheckRadioButton(box, 0x420, 0x422, 0x422);
    SetDlgItemInt(box, 0x480, 2, FALSE);
    SetDlgItemInt(box, 0x481, 2, FALSE);
    SetDlgItemInt(box, 0x482, 2, FALSE);
    CheckDlgButton(box, 0x411, BST_UNCHECKED);
  }
  return g_cancelDialogs ? IDCANCEL : IDOK;
}

// Demo lines with their number, so every printed line can be told apart,
// and in every category the highlighter colours.
std::string NumberedScript(const std::string& sample, int count) {
  std::vector<std::string> lines;
  std::istringstream in(sample);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  std::string out;
  for (int i = 0; i < count; ++i) {
    char tag[32];
    std::snprintf(tag, sizeof(tag), " // L%03d", i);
    out += lines[i % lines.size()] + tag + "\r\n";
  }
  return out;
}

class RealPrinting : public RealApp {
 protected:
  std::string folder;
  std::unique_ptr<DialogAnswers> answers;

  void SetUp() override {
    const char* given = std::getenv("QVR_PRINT_FOLDER");
    if (!given) GTEST_SKIP() << "run by print_pdf_test.sh, which starts the printer";
    folder = given;
    RealApp::SetUp();
    answers = std::make_unique<DialogAnswers>(AnswerDialog);
  }
  void TearDown() override { answers.reset(); }
  void Print(int number, const std::string& name, const std::string& text) {
    ASSERT_TRUE(SaveFile(platform.files, "", folder + name, text).written);
    LoadScript(app, folder + name);
    ASSERT_EQ(app.state.FileName, name);
    PostMessageA(Main(), WM_COMMAND, number, 0);
    Run();
  }
};

TEST_F(RealPrinting, DefaultPrinterFromTheMenuAndChosenPrinterFromTheToolbar) {
  char device[256] = {0};
  GetProfileStringA("windows", "device", "", device, sizeof(device));
  ASSERT_EQ(std::string(device).substr(0, 4), "PDF,") << "Wine does not see the PDF printer as its default";
  std::string sample;
  ASSERT_TRUE(platform.files.ReadFile(std::string(QVR_DATA_DIR "/samples/demo.script"), sample));

  app.state.Device = 0;
  Print(6, "qvrprint_long.script", NumberedScript(sample, 240));
  EXPECT_TRUE(answers->seen.empty()) << answers->seen.front();

  app.state.Device = 1;
  Print(31, "qvrprint_dialog.script", NumberedScript(sample, 3));
  g_cancelDialogs = true;
  Print(31, "qvrprint_cancelled.script", NumberedScript(sample, 3));
  g_cancelDialogs = false;
  g_askTwoCopiesOfPage2 = true;
  Print(31, "qvrprint_range.script", NumberedScript(sample, 240));
  g_askTwoCopiesOfPage2 = false;
  // Three printer dialogs, and not one message.
  ASSERT_EQ(answers->seen.size(), 3u);
  EXPECT_EQ(answers->seen[0], answers->seen[1]);
  EXPECT_EQ(answers->seen[0].find("Error"), std::string::npos) << answers->seen[0];
  // Printing leaves the editor as it was and ready for the next key.
  EXPECT_EQ(app.state.Changed, 0);
  PostMessageA(Control(kEditingArea), WM_CHAR, 'x', 0);
  Run();
  EXPECT_EQ(app.edit->GetText().substr(0, 1), "x");
}

}  // namespace
