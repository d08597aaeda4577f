// The handlers: each runs one command of the core.
#include <QCheckBox>
#include <QDateEdit>
#include <QTabWidget>

#include "app/digest_progress.h"
#include "app/nfo_memo.h"
#include "app/preview_text.h"
#include "app/tform1.h"
#include "app/web_preview.h"
#include "commands/digest_commands.h"
#include "commands/html_commands.h"
#include "commands/nfo_commands.h"
#include "commands/preview.h"
#include "commands/startup.h"

namespace quillory {
namespace {
CalendarDate DateOf(const QDateEdit& picker) {
  const QDate date = picker.date();
  return CalendarDate{date.year(), date.month(), date.day()};
}
}  // namespace

void TForm1::PageControl1Change() {
  Run([this] {
    const auto tab = static_cast<Tab>(page_control_->currentIndex());
    if (tab == Tab::kNfo) return session_.ShowNfo();
    PreviewViews views{*preview_text_, *web_preview_};
    ShowTabCommand(session_.record(), tab, views, ports_.temporary_page);
  });
}

// File.
void TForm1::New1Click() {
  Run([this] { session_.New(); });
}
void TForm1::Open1Click() {
  Run([this] { session_.Open(); });
}
void TForm1::Save2Click() {
  Run([this] { session_.Save(); });
}
void TForm1::Save1Click() {
  Run([this] { session_.SaveAs(); });
}
void TForm1::Exit1Click() {
  Run([this] {
    if (session_.MayDiscard()) ports_.exit_program();
  });
}
void TForm1::OpenRecentClick(std::string path) {
  Run([this, &path] { session_.OpenRecent(path); });
}
void TForm1::ClearRecentClick() {
  Run([this] { session_.ClearRecent(); });
}
void TForm1::DropDocument(const std::string& path) {
  Run([this, &path] { session_.OpenDocument(path); });
}

// Edit.
void TForm1::Clearall1Click() {
  Run([this] { session_.ClearAll(); });
}
void TForm1::UndoClearall1Click() {
  Run([this] { session_.UndoClearAll(); });
}
void TForm1::CharsetClick(CharsetItem item) {
  Run([this, item] { session_.ChooseCharset(item); });
}
void TForm1::ColorClick(std::string ReadmeProject::*colour) {
  Run([this, colour] { ChooseHtmlColor(session_.record(), *ports_.dialogs, colour); });
}
void TForm1::Default1Click() {
  Run([this] { session_.Default(); });
}

// Help.
void TForm1::About2Click() {
  Run([this] { AboutCommand(*ports_.dialogs); });
}
void TForm1::ClearRegistry1Click() {
  Run([this] { RemoveFileAssociationCommand(*ports_.association, *ports_.dialogs); });
}

// Editor tab.
void TForm1::LoadTextClick(std::string ReadmeProject::*text) {
  Run([this, text] { LoadTextFileCommand(session_.record(), *ports_.dialogs, text); });
}
void TForm1::ClearTextClick(std::string ReadmeProject::*text) {
  Run([this, text] { ClearTextFieldCommand(session_.record(), text); });
}
void TForm1::VisitClick(std::string ReadmeProject::*address) {
  Run([this, address] { VisitAddressCommand(session_.record().*address, *ports_.shell); });
}
void TForm1::CopyrightClick(CopyrightAddition addition) {
  Run([this, addition] { AppendToCopyrightCommand(session_.record(), addition); });
}
void TForm1::DateTimePicker1Change() {
  Run([this] {
    SetReleaseDateCommand(session_.record(), *ports_.clock, DateOf(*date_picker_), time_box_->isChecked());
  });
}
void TForm1::Button18Click() {
  Run([this] { FillSizeCommand(session_.record(), *ports_.dialogs); });
}
void TForm1::Button19Click() {
  RunDigest(QStringLiteral("Computing the MD5 digest..."), [this](const ReadProgress& progress) {
    FillMd5Command(session_.record(), *ports_.dialogs, progress);
  });
}
void TForm1::Button58Click() {
  RunDigest(QStringLiteral("Computing the SHA-256 digest..."), [this](const ReadProgress& progress) {
    FillSha256Command(session_.record(), *ports_.dialogs, progress);
  });
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

// NFO tab.
void TForm1::CharacterClick(unsigned char byte) {
  Run([this, byte] { InsertNfoByte(*nfo_memo_, byte); });
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
  Run([this] { session_.SaveNfo(); });
}

}  // namespace quillory
