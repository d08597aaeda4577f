#include "commands/document_session.h"

#include <utility>

#include "commands/file_commands.h"
#include "commands/save_as.h"

namespace quillory {

DocumentSession::DocumentSession(Dialogs& dialogs, AssociationStore& association,
                                 StartupEnvironment environment, std::function<void()> set_tooltip_colour)
    : dialogs_(dialogs),
      association_(association),
      environment_(std::move(environment)),
      set_tooltip_colour_(std::move(set_tooltip_colour)) {}

void DocumentSession::Start() {
  try {
    RunStartupStep(record_, window_, association_, environment_, set_tooltip_colour_);
  } catch (...) {
    baseline_.Reset(record_);
    recent_.Add(record_.document_path);
    throw;
  }
  baseline_.Reset(record_);
  recent_.Add(record_.document_path);
}

bool DocumentSession::MayDiscard() {
  if (!MayDiscardChanges(record_, window_, baseline_, dialogs_)) return false;
  recent_.Add(record_.document_path);  // a Save there may have named the document
  return nfo_memo_ == nullptr || nfo_.MayDiscard(*nfo_memo_, dialogs_);
}

void DocumentSession::Replaced() {
  clear_all_undo_.Forget();
  baseline_.Reset(record_);
  recent_.Add(record_.document_path);
  if (nfo_memo_) nfo_.Forget(*nfo_memo_);
}

void DocumentSession::New() {
  if (!MayDiscard()) return;
  NewProject(record_, window_);
  Replaced();
}

void DocumentSession::Open() {
  if (!MayDiscard() || !OpenCommand(record_, window_, dialogs_)) return;
  Replaced();
}

void DocumentSession::OpenDocument(const std::string& path) {
  if (!MayDiscard()) return;
  OpenDocumentAt(record_, window_, path);
  Replaced();
}

void DocumentSession::OpenRecent(const std::string& path) {
  try {
    OpenDocument(path);
  } catch (...) {
    recent_.Remove(path);
    throw;
  }
}

void DocumentSession::Save() {
  if (!SaveCommand(record_, window_, dialogs_)) return;
  baseline_.Reset(record_);
  recent_.Add(record_.document_path);
}

void DocumentSession::SaveAs() {
  if (!SaveAsCommand(record_, window_, dialogs_)) return;
  baseline_.Reset(record_);
  recent_.Add(record_.document_path);
}

void DocumentSession::Default() { RestoreHtmlDefaults(record_, window_); }

void DocumentSession::ChooseCharset(CharsetItem item) { quillory::ChooseCharset(record_, window_, item); }

void DocumentSession::ShowNfo() {
  if (nfo_memo_) nfo_.Show(record_, *nfo_memo_, dialogs_);
}

void DocumentSession::SaveNfo() {
  if (nfo_memo_) nfo_.Save(*nfo_memo_, dialogs_);
}

}  // namespace quillory
