#include "settings/printing.h"

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

void PrintControlPages(Printer& printer, const TwipsRect& page, long characters) {
  long start = 0;
  while (true) {
    printer.StartPage();
    long next = printer.FormatControlPage(kEditingArea, page, start, true);
    printer.EndPage();
    // A page that takes no character would be followed by the same page
    // forever.
    if (next < 0 || next >= characters || next <= start) break;
    start = next;
  }
  printer.FreeControlLayout(kEditingArea);
}

CharLook PrintedLook(const AppState& s, CharLook look) {
  if (look.face.empty()) look.face = s.EditorFontName;
  if (look.heightTwips <= 0) look.heightTwips = s.EditorFontSize * 20;
  if (s.BlackWhite == 1) look.color = 0;
  return look;
}

void PrintOwnPages(App& app, Printer& printer, const TwipsRect& page) {
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
  for (const PageRuns& runs : LayOutPages(text, looks, PrintedLook(app.state, CharLook()), page, printer)) {
    printer.StartPage();
    for (const PlacedRun& run : runs) printer.DrawRun(run.x, run.y, run.text, run.look);
    printer.EndPage();
  }
}

}  // namespace

void PrintScript(App& app) {
  Printer& printer = *app.platform.printer;
  if (app.state.Device == kDeviceDialog) {
    // Cancelling the dialog is the user's own choice: nothing to say.
    if (!printer.ChoosePrinter()) return;
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
    PrintControlPages(printer, page, characters);
  else
    PrintOwnPages(app, printer, page);
  printer.EndJob();
  printer.Close();
}
