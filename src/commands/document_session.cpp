#include "commands/document_session.h"

#include <utility>

#include "commands/file_commands.h"
#include "commands/save_as.h"
#include "text/file_io.h"

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
    throw;
  }
  baseline_.Reset(record_);
}

bool DocumentSession::MayDiscard() { return MayDiscardChanges(record_, window_, baseline_, dialogs_); }

void DocumentSession::New() {
  if (!MayDiscard()) return;
  NewProject(record_, window_);
  clear_all_undo_.Forget();
  baseline_.Reset(record_);
}

void DocumentSession::Open() {
  if (!MayDiscard() || !OpenCommand(record_, window_, dialogs_)) return;
  clear_all_undo_.Forget();
  baseline_.Reset(record_);
}

void DocumentSession::Save() {
  if (SaveCommand(record_, window_, dialogs_)) baseline_.Reset(record_);
}

void DocumentSession::SaveAs() {
  if (SaveAsCommand(record_, window_, dialogs_)) baseline_.Reset(record_);
}

void DocumentSession::Default() {
  const bool rereads = !environment_.arguments.empty() && IsExistingFile(environment_.arguments.front());
  if (!rereads) {
    RunStartupStep(record_, window_, association_, environment_, set_tooltip_colour_);
    return;
  }
  if (!MayDiscard()) return;
  clear_all_undo_.Forget();
  Start();
}

void DocumentSession::ChooseCharset(CharsetItem item) { quillory::ChooseCharset(record_, window_, item); }

}  // namespace quillory
