#pragma once

#include <functional>

#include "commands/document_baseline.h"
#include "commands/startup.h"
#include "commands/window_state.h"
#include "ports/association_store.h"
#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// The document the window edits: the record, what the window shows beside it (title, Character Set check
// marks), the unsaved-changes baseline and Clear All's undo, with the File and Edit commands that keep
// them together. Each command raises what the command under it raises; the record then holds whatever that
// command had done.
class DocumentSession {
 public:
  // set_tooltip_colour is the window's part of the start-up step (may be empty).
  DocumentSession(Dialogs& dialogs, AssociationStore& association, StartupEnvironment environment,
                  std::function<void()> set_tooltip_colour = {});

  ReadmeProject& record() { return record_; }
  const ReadmeProject& record() const { return record_; }
  const WindowState& window() const { return window_; }

  // The start-up step (RunStartupStep). What it leaves is the baseline, also when it raised.
  void Start();
  // Whether a command that discards the record may go on: asks whether to save changes when the record
  // differs from the baseline (MayDiscardChanges); a Save there takes the new baseline.
  bool MayDiscard();
  // File > New, after MayDiscard: NewProject; nothing left to undo, the new record is the baseline.
  void New();
  // File > Open, after MayDiscard: OpenCommand; when a document was adopted, nothing is left to undo and
  // it is the baseline.
  void Open();
  // File > Save (SaveCommand); a written document is the baseline.
  void Save();
  // File > Save As (SaveAsCommand); a written project document is the baseline, an export changes nothing.
  void SaveAs();
  // Edit > Html > Colors > Default: the start-up step again. When it re-reads the start-up document (the
  // first argument names an existing file), MayDiscard is asked first, nothing is left to undo and what
  // the step leaves is the baseline, also when it raised.
  void Default();
  // Edit > Clear All, which UndoClearAll can undo until the next change.
  void ClearAll() { clear_all_undo_.ClearAll(record_); }
  void UndoClearAll() { clear_all_undo_.Undo(record_); }
  bool CanUndoClearAll() const { return clear_all_undo_.CanUndo(record_); }
  // A Character Set command (ChooseCharset).
  void ChooseCharset(CharsetItem item);

 private:
  Dialogs& dialogs_;
  AssociationStore& association_;
  StartupEnvironment environment_;
  std::function<void()> set_tooltip_colour_;
  ReadmeProject record_;
  WindowState window_;
  DocumentBaseline baseline_;
  ClearAllUndo clear_all_undo_;
};

}  // namespace quillory
