#include "commands/document_baseline.h"

#include "commands/file_commands.h"
#include "project/facts.h"

namespace quillory {
namespace {

bool SameStoredValues(const ReadmeProject& a, const ReadmeProject& b) {
  for (const Fact& fact : Facts()) {
    if (a.*fact.member != b.*fact.member) return false;
  }
  return true;
}

}  // namespace

void DocumentBaseline::Reset(const ReadmeProject& record) { snapshot_ = record; }

bool DocumentBaseline::IsModified(const ReadmeProject& record) const {
  return !SameStoredValues(record, snapshot_);
}

std::string SaveChangesQuestion(const ReadmeProject& record) {
  if (record.document_path.empty()) return "Save changes to the new project?";
  return "Save changes to " + LastPathComponent(record.document_path) + "?";
}

bool MayDiscardChanges(ReadmeProject& record, WindowState& window, DocumentBaseline& baseline,
                       Dialogs& dialogs) {
  if (!baseline.IsModified(record)) return true;
  switch (dialogs.AskSaveChanges(SaveChangesQuestion(record))) {
    case SaveChangesAnswer::kDiscard:
      return true;
    case SaveChangesAnswer::kCancel:
      return false;
    case SaveChangesAnswer::kSave:
      if (!SaveCommand(record, window, dialogs)) return false;
      baseline.Reset(record);
      return true;
  }
  return false;
}

void ClearAllUndo::ClearAll(ReadmeProject& record) {
  before_ = record;
  quillory::ClearAll(record);
  after_ = record;
}

bool ClearAllUndo::CanUndo(const ReadmeProject& record) const {
  return before_ && record.document_path == after_.document_path && SameStoredValues(record, after_);
}

void ClearAllUndo::Undo(ReadmeProject& record) {
  if (CanUndo(record)) {
    for (const Fact* fact : ReleaseFacts()) record.*fact->member = std::move(*before_.*fact->member);
  }
  before_.reset();
}

}  // namespace quillory
