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

  // Lines break between words, as the editing control breaks them: a word
  // that does not fit after others starts the next line, blanks after a word
  // hang past the edge, and only a word wider than a whole line is cut.
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
      size_t wordEnd = i;
      while (wordEnd < text.size() && text[wordEnd] != ' ' && text[wordEnd] != '\t') ++wordEnd;
      size_t blanksEnd = wordEnd;
      while (blanksEnd < text.size() && text[blanksEnd] == ' ') ++blanksEnd;
      if (wordEnd > i && x_ > page_.left && x_ + Width(text, looks, i, wordEnd) > page_.right)
        NextLine(looks[i]);
      for (size_t from = i, to = i; from < wordEnd; from = to) {
        to = RunEnd(looks, from, wordEnd);
        Place(text.substr(from, to - from), looks[from]);
      }
      for (size_t from = wordEnd, to = wordEnd; from < blanksEnd; from = to) {
        to = RunEnd(looks, from, blanksEnd);
        PlaceHanging(text.substr(from, to - from), looks[from]);
      }
      i = blanksEnd;
    }
    Finish();
  }

  std::vector<PageRuns> Pages() { return std::move(pages_); }

 private:
  static size_t RunEnd(const CharLook* looks, size_t from, size_t end) {
    size_t to = from + 1;
    while (to < end && looks[to] == looks[from]) ++to;
    return to;
  }

  long Width(const std::string& text, const CharLook* looks, size_t from, size_t end) {
    long width = 0;
    for (size_t to = from; from < end; from = to) {
      to = RunEnd(looks, from, end);
      width += measure_.FitText(text.substr(from, to - from), looks[from], kUnbounded).width;
    }
    return width;
  }

  // Pieces of one look that touch on a line are drawn as one run.
  void Put(const std::string& text, const CharLook& look, long width) {
    if (!line_.runs.empty() && line_.runs.back().look == look && x_ == runEnd_) line_.runs.back().text += text;
    else line_.runs.push_back({x_, 0, text, look});
    line_.height = std::max(line_.height, measure_.LineHeight(look));
    x_ += width;
    runEnd_ = x_;
  }

  void NextLine(const CharLook& look) {
    Finish();
    line_ = VisualLine();
    line_.height = measure_.LineHeight(look);
    x_ = page_.left;
  }

  // Places as much of the run as fits on this line, breaking the line as
  // often as needed.
  void Place(const std::string& run, const CharLook& look) {
    size_t done = 0;
    while (done < run.size()) {
      std::string rest = run.substr(done);
      TextFit fit = measure_.FitText(rest, look, std::max(0L, page_.right - x_));
      // A line's first character goes on it whatever its width, or a page
      // narrower than one character would never be filled.
      if (fit.count == 0 && x_ == page_.left) fit = measure_.FitText(rest.substr(0, 1), look, kUnbounded);
      if (fit.count > 0) {
        Put(rest.substr(0, fit.count), look, fit.width);
        done += fit.count;
      }
      if (done < run.size()) NextLine(look);
    }
  }

  // Blanks that do not fit are not carried to the next line: they would
  // only push its first word to the right.
  void PlaceHanging(const std::string& blanks, const CharLook& look) {
    TextFit fit = measure_.FitText(blanks, look, std::max(0L, page_.right - x_));
    if (fit.count > 0) Put(blanks.substr(0, fit.count), look, fit.width);
    if (fit.count < blanks.size()) x_ = std::max(x_, page_.right);
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
  long runEnd_ = -1;   // where the last placed piece ended
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
