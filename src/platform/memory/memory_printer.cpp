#include "platform/memory/memory_printer.h"

#include <algorithm>
#include <stdexcept>

bool MemoryPrinter::OpenNamedPrinter(const std::string& name) {
  if (!printers.count(name)) return false;
  if (!open_.empty()) Close();
  open_ = name;
  ++contextsOpened;
  return true;
}

bool MemoryPrinter::ChoosePrinter(PrintChoice& choice) {
  ++dialogsShown;
  choice = dialogAsks;
  return !dialogChoice.empty() && OpenNamedPrinter(dialogChoice);
}

void MemoryPrinter::Close() {
  if (open_.empty()) return;
  open_.clear();
  ++contextsClosed;
}

bool MemoryPrinter::StartJob(const std::string& name) {
  if (open_.empty() || !jobsStart) return false;
  jobs.push_back({name, open_, {}, false});
  return true;
}

// Drawing without a started page is a fault of the caller; it fails loudly
// rather than landing on some other page.
void MemoryPrinter::StartPage() {
  if (jobs.empty() || jobs.back().ended) throw std::logic_error("page outside a job");
  jobs.back().pages.emplace_back();
}

void MemoryPrinter::EndJob() {
  if (!jobs.empty()) jobs.back().ended = true;
}

long MemoryPrinter::FormatControlPage(int control, const TwipsRect&, long start, bool render) {
  if (render) {
    if (jobs.empty() || jobs.back().pages.empty()) throw std::logic_error("control page outside a page");
    jobs.back().pages.back().controlStarts.push_back(start);
  }
  if (controlCharsPerPage == 0) return 0;
  if (controlStalls) return start;
  long length = ui_.editors.at(control)->Length();
  return std::min(start + controlCharsPerPage, length);
}

TextFit MemoryPrinter::FitText(const std::string& text, const CharLook& look, long maxWidth) {
  long width = std::max(1L, static_cast<long>(look.heightTwips) * 3 / 5);
  size_t count = std::min(text.size(), static_cast<size_t>(std::max(0L, maxWidth) / width));
  return {count, static_cast<long>(count) * width};
}

void MemoryPrinter::DrawRun(long x, long y, const std::string& text, const CharLook& look) {
  if (jobs.empty() || jobs.back().pages.empty()) throw std::logic_error("drawing outside a page");
  jobs.back().pages.back().drawn.push_back({x, y, text, look});
}
