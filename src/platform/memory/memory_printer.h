#pragma once
// A printer in memory: answers as the test sets it and records every job,
// its pages and what was drawn on each. Text is measured as a fixed-width
// font: each character 3/5 of the font's height wide, lines 6/5 high.
#include <set>
#include <string>
#include <vector>

#include "platform/memory/memory_ui.h"
#include "platform/printer.h"

class MemoryPrinter : public Printer {
 public:
  struct Drawn {
    long x = 0, y = 0;
    std::string text;
    CharLook look;
  };
  struct Page {
    std::vector<Drawn> drawn;
    std::vector<long> controlStarts;   // FormatControlPage(render) calls
  };
  struct Job {
    std::string name;
    std::string printerName;
    std::vector<Page> pages;
    bool ended = false;
  };

  explicit MemoryPrinter(MemoryUi& ui) : ui_(ui) {}

  // What the test sets.
  std::string defaultEntry = "PDF,winspool,CUPS:PDF";
  std::set<std::string> printers = {"PDF", "Laser"};
  std::string dialogChoice = "Laser";   // "" cancels the dialog
  PrintChoice dialogAsks;               // copies and pages asked for there
  bool jobsStart = true;
  PrinterMetrics metrics{75, 75, 2400, 3150, 300, 300};   // letter paper at 300 dpi
  // Characters the control lays out per page; 0 for a control that formats
  // nothing and answers 0, as Wine's does.
  long controlCharsPerPage = 0;
  bool controlStalls = false;   // answers every page with its own start

  // What happened.
  int dialogsShown = 0;
  int contextsOpened = 0, contextsClosed = 0;
  int layoutsFreed = 0;
  std::vector<Job> jobs;

  std::string DefaultPrinterEntry() override { return defaultEntry; }
  bool OpenNamedPrinter(const std::string& name) override;
  bool ChoosePrinter(PrintChoice& choice) override;
  void Close() override;
  PrinterMetrics Metrics() override { return metrics; }
  bool StartJob(const std::string& name) override;
  void StartPage() override;
  void EndPage() override {}
  void EndJob() override;
  long FormatControlPage(int control, const TwipsRect& page, long start, bool render) override;
  void FreeControlLayout(int) override { ++layoutsFreed; }
  long LineHeight(const CharLook& look) override { return look.heightTwips * 6 / 5; }
  TextFit FitText(const std::string& text, const CharLook& look, long maxWidth) override;
  void DrawRun(long x, long y, const std::string& text, const CharLook& look) override;

 private:
  MemoryUi& ui_;
  std::string open_;   // the printer of the open device context
};
