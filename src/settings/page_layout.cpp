#include "settings/page_layout.h"

#include <algorithm>

namespace {

constexpr long kTwipsPerInch = 1440;
constexpr long kTabStop = 720;

long ToTwips(long pixels, int perInch) { return perInch > 0 ? pixels * kTwipsPerInch / perInch : 0; }

// One printed line: its runs with x set, y still to come.
struct VisualLine {
  std::vector<PlacedRun> runs;
  long height = 0;
};

class PageFiller {
 public:
  PageFiller(const TwipsRect& page, Printer& measure) : page_(page), measure_(measure) { pages_.emplace_back(); }

  void Line(const std::string& text, const CharLook* looks, const CharLook& markLook) {
    line_ = VisualLine();
    line_.height = measure_.LineHeight(markLook);
    x_ = page_.left;
    size_t i = 0;
    while (i < text.size()) {
      if (text[i] == '\t') {
        x_ = page_.left + ((x_ - page_.left) / kTabStop + 1) * kTabStop;
        ++i;
        continue;
      }
      size_t end = i + 1;
      while (end < text.size() && text[end] != '\t' && looks[end] == looks[i]) ++end;
      i = Place(text.substr(i, end - i), looks[i]) + i;
    }
    Finish();
  }

  std::vector<PageRuns> Pages() { return std::move(pages_); }

 private:
  // Places as much of the run as fits on this line, breaking the line as
  // often as needed; returns the run's length.
  size_t Place(const std::string& run, const CharLook& look) {
    size_t done = 0;
    while (done < run.size()) {
      std::string rest = run.substr(done);
      TextFit fit = measure_.FitText(rest, look, std::max(0L, page_.right - x_));
      // A line's first character goes on it whatever its width, or a page
      // narrower than one character would never be filled.
      if (fit.count == 0 && x_ == page_.left) fit = measure_.FitText(rest.substr(0, 1), look, kUnbounded);
      if (fit.count > 0) {
        line_.runs.push_back({x_, 0, rest.substr(0, fit.count), look});
        line_.height = std::max(line_.height, measure_.LineHeight(look));
        x_ += fit.width;
        done += fit.count;
      }
      if (done < run.size()) {
        Finish();
        line_ = VisualLine();
        line_.height = measure_.LineHeight(look);
        x_ = page_.left;
      }
    }
    return run.size();
  }

  void Finish() {
    if (y_ + line_.height > page_.bottom && pageHasLines_) {
      pages_.emplace_back();
      y_ = page_.top;
    }
    for (PlacedRun& run : line_.runs) {
      run.y = y_;
      pages_.back().push_back(std::move(run));
    }
    y_ += line_.height;
    pageHasLines_ = true;
  }

  static constexpr long kUnbounded = 0x7FFFFFFF;
  const TwipsRect page_;
  Printer& measure_;
  std::vector<PageRuns> pages_;
  VisualLine line_;
  long x_ = 0;
  long y_ = page_.top;
  bool pageHasLines_ = false;
};

}  // namespace

TwipsRect PageRectangle(const PrinterMetrics& m) {
  return {ToTwips(m.physicalOffsetX, m.pixelsPerInchX), ToTwips(m.physicalOffsetY, m.pixelsPerInchY),
          ToTwips(m.horzRes, m.pixelsPerInchX), ToTwips(m.vertRes, m.pixelsPerInchY)};
}

std::vector<PageRuns> LayOutPages(const std::string& text, const std::vector<CharLook>& looks,
                                  const CharLook& plain, const TwipsRect& page, Printer& measure) {
  PageFiller filler(page, measure);
  size_t start = 0;
  while (true) {
    size_t end = text.find('\r', start);
    size_t stop = end == std::string::npos ? text.size() : end;
    // An empty line is as high as its paragraph mark's font; the last line
    // has none, and takes the look of the character before it.
    const CharLook& markLook = stop < looks.size() ? looks[stop] : looks.empty() ? plain : looks.back();
    filler.Line(text.substr(start, stop - start), looks.data() + start, markLook);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return filler.Pages();
}
