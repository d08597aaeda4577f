// The handlers of the export and preview commands, the NFO tools and the Editor's field commands.
#include <QCheckBox>
#include <QDateEdit>
#include <QTabWidget>

#include "app/digest_progress.h"
#include "app/nfo_memo.h"
#include "app/preview_text.h"
#include "app/tform1.h"
#include "app/web_preview.h"
#include "fields/digest_commands.h"
#include "fields/field_commands.h"
#include "fields/html_commands.h"
#include "commands/nfo_stamps.h"
#include "nfo/nfo_tools.h"
#include "commands/preview.h"
#include "commands/save_as.h"

namespace quillory {
namespace {
CalendarDate DateOf(const QDateEdit& picker) {
  const QDate date = picker.date();
  return CalendarDate{date.year(), date.month(), date.day()};
}
}  // namespace

void TForm1::Save1Click() {
  Run([this] { SaveAsCommand(record_, window_, *ports_.dialogs); });
}

void TForm1::PageControl1Change() {
  Run([this] {
    PreviewViews views{*preview_text_, *web_preview_, *nfo_memo_};
    ShowTabCommand(record_, static_cast<Tab>(page_control_->currentIndex()), views, ports_.temporary_page);
  });
}

// Edit > Html > Colors.
void TForm1::Body1Click() {
  Run([this] { ChooseHtmlColor(record_, *ports_.dialogs, HtmlColorSlot::kBody); });
}
void TForm1::DFont1Click() {
  Run([this] { ChooseHtmlColor(record_, *ports_.dialogs, HtmlColorSlot::kTdFont); });
}
void TForm1::Border1Click() {
  Run([this] { ChooseHtmlColor(record_, *ports_.dialogs, HtmlColorSlot::kBorder); });
}
void TForm1::BorderBg1Click() {
  Run([this] { ChooseHtmlColor(record_, *ports_.dialogs, HtmlColorSlot::kBorderBackground); });
}
void TForm1::Bold1Click() {
  Run([this] { ChooseHtmlColor(record_, *ports_.dialogs, HtmlColorSlot::kStrong); });
}
void TForm1::H31Click() {
  Run([this] { ChooseHtmlColor(record_, *ports_.dialogs, HtmlColorSlot::kH3); });
}

void TForm1::About2Click() {
  Run([this] { AboutCommand(*ports_.dialogs); });
}

// Load ("...") and clear ("-") the text areas.
void TForm1::Button1Click() {
  Run([this] { LoadTextFileCommand(record_, *ports_.dialogs, TextField::kDescription); });
}
void TForm1::Button2Click() {
  Run([this] { LoadTextFileCommand(record_, *ports_.dialogs, TextField::kRequired); });
}
void TForm1::Button3Click() {
  Run([this] { LoadTextFileCommand(record_, *ports_.dialogs, TextField::kNews); });
}
void TForm1::Button4Click() {
  Run([this] { LoadTextFileCommand(record_, *ports_.dialogs, TextField::kLicense); });
}
void TForm1::Button55Click() {
  Run([this] { LoadTextFileCommand(record_, *ports_.dialogs, TextField::kChangeLog); });
}
void TForm1::Button57Click() {
  Run([this] { LoadTextFileCommand(record_, *ports_.dialogs, TextField::kToDo); });
}
void TForm1::Button8Click() {
  Run([this] { ClearTextFieldCommand(record_, TextField::kDescription); });
}
void TForm1::Button9Click() {
  Run([this] { ClearTextFieldCommand(record_, TextField::kRequired); });
}
void TForm1::Button10Click() {
  Run([this] { ClearTextFieldCommand(record_, TextField::kNews); });
}
void TForm1::Button11Click() {
  Run([this] { ClearTextFieldCommand(record_, TextField::kLicense); });
}
void TForm1::Button54Click() {
  Run([this] { ClearTextFieldCommand(record_, TextField::kChangeLog); });
}
void TForm1::Button56Click() {
  Run([this] { ClearTextFieldCommand(record_, TextField::kToDo); });
}

// The copyright buttons.
void TForm1::Button12Click() {
  Run([this] { AppendToCopyrightCommand(record_, CopyrightAddition::kCopyrightSign); });
}
void TForm1::Button13Click() {
  Run([this] { AppendToCopyrightCommand(record_, CopyrightAddition::kRegisteredSign); });
}
void TForm1::Button14Click() {
  Run([this] { AppendToCopyrightCommand(record_, CopyrightAddition::kTradeMarkSign); });
}
void TForm1::Button15Click() {
  Run([this] { AppendToCopyrightCommand(record_, CopyrightAddition::kAllRightsReserved); });
}

// Visit an address, by its button or by Enter in its field.
void TForm1::Button5Click() {
  Run([this] { VisitAddressCommand(record_.website, *ports_.shell); });
}
void TForm1::Button6Click() {
  Run([this] { VisitAddressCommand(record_.down_url, *ports_.shell); });
}
void TForm1::Button7Click() {
  Run([this] { VisitAddressCommand(record_.down_mirror, *ports_.shell); });
}
void TForm1::Button16Click() {
  Run([this] { VisitAddressCommand(record_.surce_url, *ports_.shell); });
}
void TForm1::Button17Click() {
  Run([this] { VisitAddressCommand(record_.screenshot_url, *ports_.shell); });
}
void TForm1::Edit4KeyDown() { Button5Click(); }
void TForm1::Edit8KeyDown() { Button6Click(); }
void TForm1::Edit9KeyDown() { Button7Click(); }
void TForm1::Edit12KeyDown() { Button16Click(); }
void TForm1::Edit13KeyDown() { Button17Click(); }

void TForm1::DateTimePicker1Change() {
  Run([this] { SetReleaseDateCommand(record_, *ports_.clock, DateOf(*date_picker_), time_box_->isChecked()); });
}

// The "..." buttons beside File Size, MD5 Hash and SHA-256.
void TForm1::Button18Click() {
  Run([this] { FillSizeCommand(record_, *ports_.dialogs); });
}
void TForm1::Button19Click() {
  Run([this] {
    DigestProgress progress(this);
    FillMd5Command(record_, *ports_.dialogs, [&](auto done, auto total) { return progress.Update(done, total); });
  });
}
void TForm1::Button58Click() {
  Run([this] {
    DigestProgress progress(this);
    FillSha256Command(record_, *ports_.dialogs,
                      [&](auto done, auto total) { return progress.Update(done, total); });
  });
}

// The NFO toolbar.
void TForm1::InsertPalette(const char* button_name) {
  Run([this, button_name] { InsertPaletteByte(*nfo_memo_, PalettePosition(button_name)); });
}
void TForm1::Button31Click() { InsertPalette("Button31"); }
void TForm1::Button30Click() { InsertPalette("Button30"); }
void TForm1::Button29Click() { InsertPalette("Button29"); }
void TForm1::Button26Click() { InsertPalette("Button26"); }
void TForm1::Button28Click() { InsertPalette("Button28"); }
void TForm1::Button27Click() { InsertPalette("Button27"); }
void TForm1::Button25Click() { InsertPalette("Button25"); }
void TForm1::Button24Click() { InsertPalette("Button24"); }
void TForm1::Button23Click() { InsertPalette("Button23"); }
void TForm1::Button53Click() { InsertPalette("Button53"); }
void TForm1::Button52Click() { InsertPalette("Button52"); }
void TForm1::Button51Click() { InsertPalette("Button51"); }
void TForm1::Button50Click() { InsertPalette("Button50"); }
void TForm1::Button49Click() { InsertPalette("Button49"); }
void TForm1::Button48Click() { InsertPalette("Button48"); }
void TForm1::Button47Click() { InsertPalette("Button47"); }
void TForm1::Button46Click() { InsertPalette("Button46"); }
void TForm1::Button45Click() { InsertPalette("Button45"); }
void TForm1::Button44Click() { InsertPalette("Button44"); }
void TForm1::Button43Click() { InsertPalette("Button43"); }
void TForm1::Button42Click() { InsertPalette("Button42"); }
void TForm1::Button41Click() { InsertPalette("Button41"); }
void TForm1::Button40Click() { InsertPalette("Button40"); }
void TForm1::Button22Click() { InsertPalette("Button22"); }
void TForm1::Button21Click() { InsertPalette("Button21"); }
void TForm1::Button37Click() { InsertPalette("Button37"); }
void TForm1::Button36Click() { InsertPalette("Button36"); }
void TForm1::Button35Click() { InsertPalette("Button35"); }
void TForm1::Button34Click() { InsertPalette("Button34"); }
void TForm1::Button33Click() { InsertPalette("Button33"); }
void TForm1::Button38Click() {
  Run([this] { InsertRightsPhrase(*nfo_memo_); });
}
void TForm1::Button32Click() {
  Run([this] { InsertDateText(*nfo_memo_, *ports_.clock, DateOf(*date_picker_)); });
}
void TForm1::Button20Click() {
  Run([this] { InsertTimeText(*nfo_memo_, *ports_.clock); });
}
void TForm1::Button39Click() {
  Run([this] { SaveNfoCommand(*nfo_memo_, *ports_.dialogs); });
}

}  // namespace quillory
