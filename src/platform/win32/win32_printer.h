#pragma once
// The printer through GDI: a printer device context, its job, the rich-edit
// control's own page formatting and plain text output for our own pages.
#include <windows.h>

#include <map>
#include <string>

#include "platform/printer.h"

class Win32Printer : public Printer {
 public:
  // The printer dialog's owner and the editing controls' handles, by number.
  HWND (*owner)() = nullptr;
  HWND (*control)(int number) = nullptr;

  ~Win32Printer() override { Close(); }

  std::string DefaultPrinterEntry() override;
  bool OpenNamedPrinter(const std::string& name) override;
  bool ChoosePrinter(PrintChoice& choice) override;
  void Close() override;
  PrinterMetrics Metrics() override;
  bool StartJob(const std::string& name) override;
  void StartPage() override;
  void EndPage() override;
  void EndJob() override;
  long FormatControlPage(int control, const TwipsRect& page, long start, bool render) override;
  void FreeControlLayout(int control) override;
  long LineHeight(const CharLook& look) override;
  TextFit FitText(const std::string& text, const CharLook& look, long maxWidth) override;
  void DrawRun(long x, long y, const std::string& text, const CharLook& look) override;

 private:
  void Adopt(HDC dc);
  void Select(const CharLook& look);
  int ToPixelsX(long twips) const { return MulDiv(twips, dpiX_, 1440); }
  int ToPixelsY(long twips) const { return MulDiv(twips, dpiY_, 1440); }

  HDC dc_ = nullptr;
  int dpiX_ = 1440, dpiY_ = 1440;
  std::map<std::string, HFONT> fonts_;   // by look, for the life of the context
  std::map<std::string, long> lineHeights_;
  std::string selected_;
};
