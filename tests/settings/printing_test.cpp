#include "settings/printing.h"

#include <map>

#include "settings/page_layout.h"
#include "support/app_fixture.h"

namespace {

constexpr int kPrintItem = 6;
constexpr int kPrintButton = 31;

TEST(PageRectangle, OnePhysicalOffsetInsideThePrintableAreaToItsFarEdges) {
  // Letter paper at 300 dpi with quarter-inch offsets: 0.25 in = 360 twips.
  EXPECT_EQ(PageRectangle({75, 75, 2400, 3150, 300, 300}), (TwipsRect{360, 360, 11520, 15120}));
  // Offsets and resolutions differ per axis.
  EXPECT_EQ(PageRectangle({50, 100, 4800, 6600, 600, 1200}), (TwipsRect{120, 120, 11520, 7920}));
  // A printer without margins starts at the corner.
  EXPECT_EQ(PageRectangle({0, 0, 1700, 2200, 200, 200}), (TwipsRect{0, 0, 12240, 15840}));
}

class Printing : public AppFixture {
 protected:
  const TwipsRect page{360, 360, 11520, 15120};

  void Print(int number = kPrintItem) {
    mem.events.Command(number);
    Run();
  }
  void SetLooks(const std::vector<std::string>& lines, const std::vector<CharLook>& cycle) {
    std::string text;
    std::vector<CharLook> looks;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) text += '\r', looks.push_back(cycle[0]);
      text += lines[i];
      looks.insert(looks.end(), lines[i].size(), cycle[i % cycle.size()]);
    }
    edit().SetRichText(WriteRichText(text, looks), false);
  }
  // The printed lines of a job, each put together from its runs.
  std::vector<std::string> PrintedLines(const MemoryPrinter::Job& job) {
    std::vector<std::string> lines;
    for (const auto& p : job.pages) {
      std::map<long, std::string> byY;
      for (const auto& d : p.drawn) byY[d.y] += d.text;
      for (auto& line : byY) lines.push_back(line.second);
    }
    return lines;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> seen;
    for (const auto& shown : mem.dialogs.shown) seen.push_back(shown.title + "|" + shown.text);
    mem.dialogs.shown.clear();
    return seen;
  }
};

TEST_F(Printing, EveryLineInItsLookInOrderOnPagesInsideTheRectangle) {
  std::vector<std::string> lines;
  for (int i = 0; i < 240; ++i) lines.push_back("Line " + std::to_string(i) + " Scene.Start // note");
  const CharLook red{0x0000C8, 1, 200, "Lucida Console"}, blue{0xC80000, 2 | 4, 200, "Lucida Console"};
  SetLooks(lines, {red, blue});
  Print();
  ASSERT_EQ(mem.printer.jobs.size(), 1u);
  const auto& job = mem.printer.jobs[0];
  EXPECT_EQ(job.name, "Unnamed.script");
  EXPECT_EQ(job.printerName, "PDF");
  EXPECT_TRUE(job.ended);
  EXPECT_EQ(mem.printer.contextsClosed, mem.printer.contextsOpened);
  EXPECT_EQ(mem.printer.dialogsShown, 0);
  // 240 lines 240 twips high in 14,760 twips: 61 lines a page.
  ASSERT_EQ(job.pages.size(), 4u);
  EXPECT_EQ(PrintedLines(job), lines);
  EXPECT_EQ(job.pages[0].drawn[0].x, page.left);
  EXPECT_EQ(job.pages[0].drawn[0].y, page.top);
  EXPECT_EQ(job.pages[1].drawn[0].y, page.top);
  for (const auto& p : job.pages)
    for (const auto& d : p.drawn) {
      EXPECT_GE(d.y, page.top);
      EXPECT_LE(d.y + 240, page.bottom);
      EXPECT_LE(d.x + static_cast<long>(d.text.size()) * 120, page.right);
    }
  EXPECT_EQ(job.pages[0].drawn[1].look, blue);
  EXPECT_EQ(job.pages[0].drawn.back().look, red);

  // Black on white keeps fonts and styles; the toolbar button prints too.
  app.state.BlackWhite = 1;
  Print(kPrintButton);
  ASSERT_EQ(mem.printer.jobs.size(), 2u);
  EXPECT_EQ(PrintedLines(mem.printer.jobs[1]), lines);
  const auto& last = mem.printer.jobs[1].pages[0].drawn.back().look;
  EXPECT_EQ(last.color, 0u);
  EXPECT_EQ(last.effects, red.effects);
  EXPECT_EQ(last.face, red.face);
}

TEST_F(Printing, EmptyShortLongAndWideScripts) {
  SetText("");
  Print();
  ASSERT_EQ(mem.printer.jobs.back().pages.size(), 1u);
  EXPECT_TRUE(mem.printer.jobs.back().pages[0].drawn.empty());

  SetText("a\r\n\r\nb");
  Print();
  EXPECT_EQ(PrintedLines(mem.printer.jobs.back()), (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(mem.printer.jobs.back().pages.size(), 1u);
  // The empty line between them keeps its height.
  const auto& ab = mem.printer.jobs.back().pages[0].drawn;
  EXPECT_EQ(ab[1].y - ab[0].y, 2 * mem.printer.LineHeight(ab[0].look));

  // Far more than 63,999 characters: the last line still prints.
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "Line " + std::to_string(i) + " " + std::string(30, 'x') + "\r\n";
  text += "The end";
  SetText(text);
  Print();
  EXPECT_EQ(PrintedLines(mem.printer.jobs.back()).back(), "The end");

  // A line wider than the page goes on below, nothing lost; a tab goes to the
  // next half inch.
  std::string wide(200, 'w');
  SetText("\tx\r\n" + wide);
  Print();
  const auto& drawn = mem.printer.jobs.back().pages[0].drawn;
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].x, page.left + 720);
  EXPECT_EQ(drawn[1].text + drawn[2].text, wide);
  EXPECT_EQ(drawn[1].text.size(), mem.printer.FitText(wide, drawn[1].look, page.right - page.left).count);
  EXPECT_EQ(drawn[2].x, page.left);
  EXPECT_GT(drawn[2].y, drawn[1].y);
}

TEST_F(Printing, ThePrinterByDeviceAndEveryWayOfNotPrinting) {
  SetText("Scene.Start");
  app.state.FileName = "a.script";
  app.state.Device = 1;
  Print();
  Print();
  EXPECT_EQ(mem.printer.dialogsShown, 2);
  ASSERT_EQ(mem.printer.jobs.size(), 2u);
  EXPECT_EQ(mem.printer.jobs[1].printerName, "Laser");
  EXPECT_EQ(mem.printer.jobs[1].name, "a.script");

  // Cancelled: nothing printed, nothing said.
  mem.printer.dialogChoice = "";
  Print();
  EXPECT_EQ(mem.printer.jobs.size(), 2u);
  EXPECT_TRUE(Messages().empty());

  // No default printer, an entry naming none, a job that will not start:
  // each one says so rather than look like success.
  app.state.Device = 0;
  for (const char* entry : {"", ",winspool,LPT1:", "Gone,winspool,LPT1:"}) {
    mem.printer.defaultEntry = entry;
    Print();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Error:|No printer could be opened."})) << entry;
  }
  mem.printer.defaultEntry = "PDF";
  mem.printer.jobsStart = false;
  Print();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Error:|No printer could be opened."}));
  EXPECT_EQ(mem.printer.jobs.size(), 2u);
  EXPECT_EQ(mem.printer.contextsClosed, mem.printer.contextsOpened);
}

TEST_F(Printing, AControlThatFormatsPagesPrintsThemUntilItStopsMakingProgress) {
  SetText(std::string(60, 'a') + "\r\n" + std::string(90, 'b') + "\r\n" + std::string(98, 'c'));   // 250 characters
  mem.printer.controlCharsPerPage = 100;
  Print();
  const auto& job = mem.printer.jobs.back();
  ASSERT_EQ(job.pages.size(), 3u);
  EXPECT_EQ(job.pages[2].controlStarts, (std::vector<long>{200}));
  EXPECT_TRUE(job.pages[0].drawn.empty());
  EXPECT_GE(mem.printer.layoutsFreed, 2);

  mem.printer.controlStalls = true;
  Print();
  EXPECT_EQ(mem.printer.jobs.back().pages.size(), 1u);

  // Only our own pages can leave out the colours.
  mem.printer.controlStalls = false;
  app.state.BlackWhite = 1;
  Print();
  EXPECT_TRUE(mem.printer.jobs.back().pages[0].controlStarts.empty());
  EXPECT_EQ(PrintedLines(mem.printer.jobs.back()).size(), 3u);
}

// The dialog's copies and page range are honoured, collated or not; a
// range past the end prints what there is of it.
TEST_F(Printing, TheDialogsCopiesAndPageRange) {
  using Order = std::vector<int>;
  PrintChoice choice;
  EXPECT_EQ(PrintedPageOrder(3, choice), (Order{0, 1, 2}));
  choice.copies = 2;
  choice.allPages = false;
  choice.fromPage = 2;
  choice.toPage = 9;
  EXPECT_EQ(PrintedPageOrder(3, choice), (Order{1, 2, 1, 2}));
  choice.collate = false;
  EXPECT_EQ(PrintedPageOrder(3, choice), (Order{1, 1, 2, 2}));
  choice.fromPage = 4;
  EXPECT_TRUE(PrintedPageOrder(3, choice).empty());

  std::vector<std::string> lines;
  for (int i = 0; i < 240; ++i) lines.push_back("Line " + std::to_string(i));
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  SetText(text);
  app.state.Device = 1;
  Print();
  const auto whole = mem.printer.jobs.back().pages;
  ASSERT_GE(whole.size(), 3u);
  mem.printer.dialogAsks.copies = 2;
  mem.printer.dialogAsks.collate = false;
  mem.printer.dialogAsks.allPages = false;
  mem.printer.dialogAsks.fromPage = 2;
  mem.printer.dialogAsks.toPage = 3;
  Print();
  const auto& pages = mem.printer.jobs.back().pages;
  ASSERT_EQ(pages.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(pages[i].drawn.front().text, whole[1 + i / 2].drawn.front().text) << i;

  mem.printer.controlCharsPerPage = 100;   // the control's own pages, measured first
  Print();
  const auto& control = mem.printer.jobs.back().pages;
  ASSERT_EQ(control.size(), 4u);
  EXPECT_EQ(control[1].controlStarts, (std::vector<long>{100}));
  EXPECT_EQ(control[2].controlStarts, (std::vector<long>{200}));
}

}  // namespace

// Ten characters to a line: lines break between words as the control breaks
// them; only a word wider than a line is cut, and blanks hang past the edge.
TEST(PageLayout, LinesBreakBetweenWords) {
  const CharLook plain{0, 0, 200, "Lucida Console"}, dot{0xC8, 0, 200, "Lucida Console"};
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"About the key", {"About the ", "key"}},
      {"abcdefghijklmno", {"abcdefghij", "klmno"}},
      {"x abcdefghijkl", {"x ", "abcdefghij", "kl"}},
      {"ab            cd", {"ab        ", "cd"}},
      {"ab.cd efghijk", {"ab.cd ", "efghijk"}},
  };
  for (const auto& c : cases) {
    std::vector<CharLook> looks(c.text.size(), plain);
    for (size_t i = 0; i < c.text.size(); ++i)
      if (c.text[i] == '.') looks[i] = dot;
    MemoryUi ui;
    MemoryPrinter measure(ui);
    std::map<long, std::string> byY;
    for (const PageRuns& runs : LayOutPages(c.text, looks, plain, {0, 0, 1200, 100000}, measure))
      for (const PlacedRun& run : runs) byY[run.y] += run.text;
    std::vector<std::string> lines;
    for (const auto& line : byY) lines.push_back(line.second);
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}
