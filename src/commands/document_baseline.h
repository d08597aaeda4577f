#pragma once

#include <optional>
#include <string>

#include "commands/window_state.h"
#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// What the record held when its document was last opened, saved or started with: the stored values (24
// facts, six colours, chr) of that moment, to tell whether anything would be lost.
class DocumentBaseline {
 public:
  // Takes the record's stored values as they are now.
  void Reset(const ReadmeProject& record);
  // Whether one of the record's stored values differs from the baseline.
  bool IsModified(const ReadmeProject& record) const;

 private:
  ReadmeProject snapshot_;
};

// "Save changes to NAME?" with the document's file name, or "Save changes to the new project?".
std::string SaveChangesQuestion(const ReadmeProject& record);

// Asked before a command discards the record: returns whether it may go on. Nothing is asked when the
// record equals the baseline. Save runs File > Save (the baseline follows a written document); a
// cancelled or refused Save, like Cancel, returns false. A failed write raises its error.
bool MayDiscardChanges(ReadmeProject& record, WindowState& window, DocumentBaseline& baseline,
                       Dialogs& dialogs);

// Clear All that can be undone once, until the next change.
class ClearAllUndo {
 public:
  // Clear All, keeping the facts it empties.
  void ClearAll(ReadmeProject& record);
  // Whether there is a Clear All to undo and the record is still as it left it.
  bool CanUndo(const ReadmeProject& record) const;
  // Puts the kept facts back when CanUndo; otherwise does nothing. Either way nothing is left to undo.
  void Undo(ReadmeProject& record);
  // Drops what was kept (a New or Open replaced the record).
  void Forget() { before_.reset(); }

 private:
  std::optional<ReadmeProject> before_;
  ReadmeProject after_;
};

}  // namespace quillory
