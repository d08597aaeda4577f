// The handlers of the export and preview commands, the NFO tools and the Editor's field commands.
#include <QCheckBox>
#include <QDateEdit>
#include <QTabWidget>

#include "app/digest_progress.h"
#include "app/nfo_memo.h"
#include "app/preview_text.h"
#include "app/tform1.h"
#include "app/web_preview.h"
#include "commands/nfo_stamps.h"
#include "commands/preview.h"
#include "commands/save_as.h"
#include "fields/digest_commands.h"
#include "fields/field_commands.h"
#include "fields/html_commands.h"
#include "nfo/nfo_tools.h"

namespace quillory {
namespace {
CalendarDate DateOf(const QDateEdit& picker) {
  const QDate date = picker.date();
  return CalendarDate{date.year(), date.month(), date.day()};
}
}  // namespace

void TForm1::Save1Click() {
  Run([this] {
    if (SaveAsCommand(record_, window_, *ports_.dialogs)) baseline_.Reset(record_);
  });
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
  Run([this] {
    SetReleaseDateCommand(record_, *ports_.clock, DateOf(*date_picker_), time_box_->isChecked());
  });
}

// The "..." buttons beside File Size, MD5 Hash and SHA-256.
void TForm1::Button18Click() {
  Run([this] { FillSizeCommand(record_, *ports_.dialogs); });
}
void TForm1::Button19Click() {
  RunDigest(QStringLiteral("Computing the MD5 digest..."),
            [this](const ReadProgress& progress) { FillMd5Command(record_, *ports_.dialogs, progress); });
}
void TForm1::Button58Click() {
  RunDigest(QStringLiteral("Computing the SHA-256 digest..."),
            [this](const ReadProgress& progress) { FillSha256Command(record_, *ports_.dialogs, progress); });
}

void TForm1::RunDigest(const QString& label, const std::function<void(const ReadProgress&)>& command) {
  Run([&] {
    DigestProgress progress(this, label);
    digest_ = &progress;
    struct Done {
      DigestProgress*& running;
      ~Done() { running = nullptr; }
    } done{digest_};
    command([&](auto done_bytes, auto total) { return progress.Update(done_bytes, total); });
  });
}

// The NFO toolbar.
void TForm1::InsertPalette(size_t position) {
  Run([this, position] { InsertPaletteByte(*nfo_memo_, position); });
}
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
