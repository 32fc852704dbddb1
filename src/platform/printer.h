#pragma once
// A printer's device context and the job sent to it. Positions and lengths
// are twips (1/1440 inch) from the printable area's top-left corner, y
// growing downwards; a realisation converts to device pixels.
#include <cstddef>
#include <string>

#include "editor/rich_text.h"

// GetDeviceCaps values, in device pixels.
struct PrinterMetrics {
  int physicalOffsetX = 0, physicalOffsetY = 0;   // PHYSICALOFFSETX/Y
  int horzRes = 0, vertRes = 0;                   // HORZRES, VERTRES
  int pixelsPerInchX = 0, pixelsPerInchY = 0;     // LOGPIXELSX/Y
};

struct TwipsRect {
  long left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TwipsRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct TextFit {
  size_t count = 0;   // characters from the start that fit
  long width = 0;     // their width
};

// What the printer dialog asked for beside the printer.
struct PrintChoice {
  int copies = 1;
  bool collate = true;          // whole copies one after the other
  bool allPages = true;
  int fromPage = 1, toPage = 1;  // 1-based, inclusive, when not allPages
};

class Printer {
 public:
  virtual ~Printer() = default;

  // The "device" entry of the "Windows" section of the system profile
  // (name,driver,port), "" when there is none.
  virtual std::string DefaultPrinterEntry() = 0;
  // Each opens a device context, closing any earlier one; false when none.
  virtual bool OpenNamedPrinter(const std::string& name) = 0;  // CreateDCA("WINSPOOL", name)
  // The printer dialog; false when cancelled.
  virtual bool ChoosePrinter(PrintChoice& choice) = 0;
  virtual void Close() = 0;                               // DeleteDC
  virtual PrinterMetrics Metrics() = 0;

  virtual bool StartJob(const std::string& name) = 0;     // StartDocA
  virtual void StartPage() = 0;
  virtual void EndPage() = 0;
  virtual void EndJob() = 0;                              // EndDoc

  // EM_FORMATRANGE of an editing control (by number) into `page`, from the
  // character `start` to the end: draws the page when `render`, else only
  // measures. The first character that did not fit, or -1.
  virtual long FormatControlPage(int control, const TwipsRect& page, long start, bool render) = 0;
  virtual void FreeControlLayout(int control) = 0;        // EM_FORMATRANGE 0, NULL

  // Our own page renderer, for controls that do not format pages.
  virtual long LineHeight(const CharLook& look) = 0;
  virtual TextFit FitText(const std::string& text, const CharLook& look, long maxWidth) = 0;
  virtual void DrawRun(long x, long y, const std::string& text, const CharLook& look) = 0;  // y: line top
};
