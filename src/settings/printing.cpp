#include "settings/printing.h"

#include <algorithm>

#include "settings/page_layout.h"

namespace {

constexpr const char* kErrorTitle = "Error:";
constexpr int kDeviceDialog = 1;

void ShowNoPrinter(App& app) {
  app.platform.dialogs->ShowMessage(kNoPrinterMessage, kErrorTitle, MessageButtons::Ok);
}

// The profile entry reads "name,driver,port"; only the name opens a device
// context.
bool OpenDefaultPrinter(Printer& printer) {
  std::string entry = printer.DefaultPrinterEntry();
  std::string name = entry.substr(0, entry.find(','));
  return !name.empty() && printer.OpenNamedPrinter(name);
}

// Characters with each line break counted once, as the control's offsets
// count them; from the whole text, however long.
long CharacterCount(EditControl& edit) {
  return edit.GetTextLength() - (edit.GetLineCount() - 1);
}

// Wine's control answers every page with 0 and draws nothing; one measuring
// call on a text that has characters tells the two kinds apart.
bool ControlFormatsPages(Printer& printer, const TwipsRect& page, long characters) {
  if (characters == 0) return false;
  long next = printer.FormatControlPage(kEditingArea, page, 0, false);
  printer.FreeControlLayout(kEditingArea);
  return next > 0;
}

// The pages are measured first: a range or uncollated copies need to know
// where each page starts.
void PrintControlPages(Printer& printer, const TwipsRect& page, long characters, const PrintChoice& choice) {
  std::vector<long> starts;
  long start = 0;
  while (true) {
    starts.push_back(start);
    long next = printer.FormatControlPage(kEditingArea, page, start, false);
    // A page that takes no character would be followed by the same page
    // forever.
    if (next < 0 || next >= characters || next <= start) break;
    start = next;
  }
  for (int index : PrintedPageOrder(static_cast<int>(starts.size()), choice)) {
    printer.StartPage();
    printer.FormatControlPage(kEditingArea, page, starts[index], true);
    printer.EndPage();
  }
  printer.FreeControlLayout(kEditingArea);
}

CharLook PrintedLook(const AppState& s, CharLook look) {
  if (look.face.empty()) look.face = ShownFace(s);
  if (look.heightTwips <= 0) look.heightTwips = s.EditorFontSize * 20;
  if (s.BlackWhite == 1) look.color = 0;
  return look;
}

void PrintOwnPages(App& app, Printer& printer, const TwipsRect& page, const PrintChoice& choice) {
  std::string text;
  std::vector<CharLook> looks;
  if (!ReadRichText(app.edit->GetRichText(), text, looks)) {
    // Without its looks the text still prints, in the editor's font.
    text = app.edit->GetText();
    std::string marks;
    for (size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) marks += text[i];
    text = marks;
    looks.assign(text.size(), CharLook());
  }
  for (CharLook& look : looks) look = PrintedLook(app.state, look);
  const auto pages = LayOutPages(text, looks, PrintedLook(app.state, CharLook()), page, printer);
  for (int index : PrintedPageOrder(static_cast<int>(pages.size()), choice)) {
    printer.StartPage();
    for (const PlacedRun& run : pages[index]) printer.DrawRun(run.x, run.y, run.text, run.look);
    printer.EndPage();
  }
}

}  // namespace

std::vector<int> PrintedPageOrder(int pages, const PrintChoice& choice) {
  const int first = choice.allPages ? 0 : std::max(choice.fromPage, 1) - 1;
  const int last = choice.allPages ? pages - 1 : std::min(choice.toPage, pages) - 1;
  const int copies = std::max(choice.copies, 1);
  std::vector<int> order;
  for (int outer = 0; outer < (choice.collate ? copies : 1); ++outer)
    for (int page = first; page <= last; ++page)
      for (int inner = 0; inner < (choice.collate ? 1 : copies); ++inner) order.push_back(page);
  return order;
}

void PrintScript(App& app) {
  Printer& printer = *app.platform.printer;
  PrintChoice choice;
  if (app.state.Device == kDeviceDialog) {
    // Cancelling the dialog is the user's own choice: nothing to say.
    if (!printer.ChoosePrinter(choice)) return;
  } else if (!OpenDefaultPrinter(printer)) {
    ShowNoPrinter(app);
    return;
  }
  if (!printer.StartJob(app.state.FileName)) {
    printer.Close();
    ShowNoPrinter(app);
    return;
  }
  TwipsRect page = PageRectangle(printer.Metrics());
  long characters = CharacterCount(*app.edit);
  // The control's own pages cannot be printed in black alone.
  if (app.state.BlackWhite != 1 && ControlFormatsPages(printer, page, characters))
    PrintControlPages(printer, page, characters, choice);
  else
    PrintOwnPages(app, printer, page, choice);
  printer.EndJob();
  printer.Close();
}
