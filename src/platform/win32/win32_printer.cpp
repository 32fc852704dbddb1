#include "platform/win32/win32_printer.h"

#include <commdlg.h>
#include <richedit.h>

#include <vector>

namespace {

constexpr DWORD kPrintDialogFlags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
constexpr DWORD kProfileCapacity = 2048;
constexpr WORD kLastPageOffered = 9999;

std::string LookKey(const CharLook& look) {
  return look.face + '|' + std::to_string(look.heightTwips) + '|' + std::to_string(look.effects);
}

RECT ToRect(const TwipsRect& r) {
  RECT rect;
  SetRect(&rect, static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
          static_cast<int>(r.bottom));
  return rect;
}

}  // namespace

std::string Win32Printer::DefaultPrinterEntry() {
  std::vector<char> entry(kProfileCapacity, '\0');
  GetProfileStringA("windows", "device", "", entry.data(), kProfileCapacity);
  return entry.data();
}

void Win32Printer::Adopt(HDC dc) {
  Close();
  dc_ = dc;
  dpiX_ = GetDeviceCaps(dc, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(dc, LOGPIXELSY);
  if (dpiX_ <= 0) dpiX_ = 1440;
  if (dpiY_ <= 0) dpiY_ = 1440;
}

bool Win32Printer::OpenNamedPrinter(const std::string& name) {
  HDC dc = CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
  if (dc) Adopt(dc);
  return dc != nullptr;
}

bool Win32Printer::ChoosePrinter(PrintChoice& choice) {
  // The record's own size: the 66 bytes of the 32-bit form would cut the
  // 64-bit one short.
  PRINTDLGA pd;
  ZeroMemory(&pd, sizeof(pd));
  pd.lStructSize = sizeof(pd);
  pd.hwndOwner = owner ? owner() : nullptr;
  pd.Flags = kPrintDialogFlags;
  // The pages are counted only once the printer is known: any range may be
  // asked for, and what lies past the end is not there to print.
  pd.nMinPage = 1;
  pd.nMaxPage = kLastPageOffered;
  pd.nFromPage = 1;
  pd.nToPage = 1;
  pd.nCopies = 1;
  BOOL chosen = PrintDlgA(&pd);
  // Without PD_USEDEVMODECOPIESANDCOLLATE the copies are ours to print.
  choice.copies = pd.nCopies > 0 ? pd.nCopies : 1;
  choice.collate = (pd.Flags & PD_COLLATE) != 0;
  choice.allPages = (pd.Flags & PD_PAGENUMS) == 0;
  choice.fromPage = pd.nFromPage;
  choice.toPage = pd.nToPage;
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (!chosen || !pd.hDC) return false;
  Adopt(pd.hDC);
  return true;
}

void Win32Printer::Close() {
  if (!dc_) return;
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  for (auto& font : fonts_) DeleteObject(font.second);
  fonts_.clear();
  lineHeights_.clear();
  selected_.clear();
  DeleteDC(dc_);
  dc_ = nullptr;
}

PrinterMetrics Win32Printer::Metrics() {
  PrinterMetrics m;
  if (!dc_) return m;
  m.physicalOffsetX = GetDeviceCaps(dc_, PHYSICALOFFSETX);
  m.physicalOffsetY = GetDeviceCaps(dc_, PHYSICALOFFSETY);
  m.horzRes = GetDeviceCaps(dc_, HORZRES);
  m.vertRes = GetDeviceCaps(dc_, VERTRES);
  m.pixelsPerInchX = dpiX_;
  m.pixelsPerInchY = dpiY_;
  return m;
}

bool Win32Printer::StartJob(const std::string& name) {
  DOCINFOA doc;
  ZeroMemory(&doc, sizeof(doc));
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = name.c_str();
  return dc_ && StartDocA(dc_, &doc) > 0;
}

void Win32Printer::StartPage() {
  ::StartPage(dc_);
  // A new page starts with the context's default objects.
  selected_.clear();
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

void Win32Printer::EndPage() { ::EndPage(dc_); }

void Win32Printer::EndJob() { EndDoc(dc_); }

long Win32Printer::FormatControlPage(int number, const TwipsRect& page, long start, bool render) {
  HWND hwnd = control ? control(number) : nullptr;
  if (!hwnd || !dc_) return -1;
  FORMATRANGE range;
  ZeroMemory(&range, sizeof(range));
  range.hdc = dc_;
  range.hdcTarget = dc_;
  range.rc = ToRect(page);
  range.rcPage = ToRect(page);
  range.chrg.cpMin = start;
  range.chrg.cpMax = -1;
  return static_cast<long>(SendMessageA(hwnd, EM_FORMATRANGE, render ? TRUE : FALSE, reinterpret_cast<LPARAM>(&range)));
}

void Win32Printer::FreeControlLayout(int number) {
  if (HWND hwnd = control ? control(number) : nullptr) SendMessageA(hwnd, EM_FORMATRANGE, FALSE, 0);
}

void Win32Printer::Select(const CharLook& look) {
  std::string key = LookKey(look);
  if (key == selected_) return;
  HFONT& font = fonts_[key];
  if (!font)
    font = CreateFontA(-ToPixelsY(look.heightTwips), 0, 0, 0, (look.effects & 1) ? FW_BOLD : FW_NORMAL,
                       (look.effects & 2) != 0, (look.effects & 4) != 0, (look.effects & 8) != 0, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       look.face.c_str());
  SelectObject(dc_, font);
  selected_ = key;
}

long Win32Printer::LineHeight(const CharLook& look) {
  std::string key = LookKey(look);
  auto known = lineHeights_.find(key);
  if (known != lineHeights_.end()) return known->second;
  Select(look);
  TEXTMETRICA tm;
  long height = GetTextMetricsA(dc_, &tm) ? MulDiv(tm.tmHeight + tm.tmExternalLeading, 1440, dpiY_)
                                          : look.heightTwips;
  return lineHeights_[key] = height;
}

TextFit Win32Printer::FitText(const std::string& text, const CharLook& look, long maxWidth) {
  TextFit fit;
  if (text.empty()) return fit;
  Select(look);
  std::vector<INT> ends(text.size());
  INT count = 0;
  SIZE size;
  int maxPixels = maxWidth >= 0x7FFFFFFF / 2 ? 0x7FFFFFFF : ToPixelsX(maxWidth);
  if (!GetTextExtentExPointA(dc_, text.c_str(), static_cast<int>(text.size()), maxPixels, &count, ends.data(),
                             &size))
    return fit;
  fit.count = static_cast<size_t>(count);
  fit.width = count > 0 ? MulDiv(ends[count - 1], 1440, dpiX_) : 0;
  return fit;
}

void Win32Printer::DrawRun(long x, long y, const std::string& text, const CharLook& look) {
  Select(look);
  SetTextColor(dc_, look.color & 0xFFFFFF);
  ExtTextOutA(dc_, ToPixelsX(x), ToPixelsY(y), 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}
