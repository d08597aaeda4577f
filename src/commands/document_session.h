#pragma once

#include <functional>
#include <string>

#include "commands/document_baseline.h"
#include "commands/nfo_edits.h"
#include "commands/recent_documents.h"
#include "commands/startup.h"
#include "commands/window_state.h"
#include "ports/association_store.h"
#include "ports/dialogs.h"
#include "ports/views.h"
#include "project/readme_project.h"

namespace quillory {

// The document the window edits: the record, what the window shows beside it (Character Set check marks),
// the unsaved-changes baseline, Clear All's undo, the recent documents and the NFO memo's edits, with the
// File and Edit commands that keep them together. Each command raises what the command under it raises;
// the record then holds whatever that command had done.
class DocumentSession {
 public:
  // set_tooltip_colour is the window's part of the start-up step (may be empty).
  DocumentSession(Dialogs& dialogs, AssociationStore& association, StartupEnvironment environment,
                  std::function<void()> set_tooltip_colour = {});
  // The NFO tab's memo, whose edits the session keeps (NfoEdits); without one, nothing about the NFO is
  // asked or built.
  void AttachNfoMemo(NfoMemoView& memo) { nfo_memo_ = &memo; }

  ReadmeProject& record() { return record_; }
  const ReadmeProject& record() const { return record_; }
  const WindowState& window() const { return window_; }
  const RecentDocuments& recent() const { return recent_; }
  // Whether the record differs from the baseline (the title's modified mark).
  bool IsModified() const { return baseline_.IsModified(record_); }

  // The start-up step (RunStartupStep). What it leaves is the baseline, also when it raised; an adopted
  // document becomes the latest recent one.
  void Start();
  // Whether a command that discards the record may go on: asks whether to save changes when the record
  // differs from the baseline (MayDiscardChanges; a Save there takes the new baseline), then whether to
  // save the NFO when the memo holds unsaved edits (NfoEdits::MayDiscard).
  bool MayDiscard();
  // File > New, after MayDiscard: NewProject; nothing left to undo, the new record is the baseline, the
  // NFO memo is built afresh when next shown.
  void New();
  // File > Open, after MayDiscard: OpenCommand; when a document was adopted, it is handled as New's record.
  void Open();
  // A document named by its path (a file dropped on the window), after MayDiscard: OpenDocumentAt, then
  // as Open.
  void OpenDocument(const std::string& path);
  // File > Open Recent > path: OpenDocument; a document that cannot be opened leaves the recent list.
  void OpenRecent(const std::string& path);
  // File > Open Recent > Clear.
  void ClearRecent() { recent_.Clear(); }
  // Replaces the recent documents by a stored list (RecentDocuments::Assign).
  void SetRecent(const std::vector<std::string>& paths) { recent_.Assign(paths); }
  // File > Save (SaveCommand); a written document is the baseline and the latest recent one.
  void Save();
  // File > Save As (SaveAsCommand); a written project document is handled as Save's, an export changes
  // nothing.
  void SaveAs();
  // Edit > Html > Colors > Default: the six colours and the character set take their defaults
  // (RestoreHtmlDefaults); nothing is read.
  void Default();
  // Edit > Clear All, which UndoClearAll can undo until the next change.
  void ClearAll() { clear_all_undo_.ClearAll(record_); }
  void UndoClearAll() { clear_all_undo_.Undo(record_); }
  bool CanUndoClearAll() const { return clear_all_undo_.CanUndo(record_); }
  // A Character Set command (ChooseCharset).
  void ChooseCharset(CharsetItem item);
  // The NFO tab was shown (NfoEdits::Show), and its Save button (NfoEdits::Save).
  void ShowNfo();
  void SaveNfo();

 private:
  // The record now holds another document (or none): nothing to undo, a new baseline, the memo let go.
  void Replaced();

  Dialogs& dialogs_;
  AssociationStore& association_;
  StartupEnvironment environment_;
  std::function<void()> set_tooltip_colour_;
  NfoMemoView* nfo_memo_ = nullptr;
  ReadmeProject record_;
  WindowState window_;
  DocumentBaseline baseline_;
  ClearAllUndo clear_all_undo_;
  RecentDocuments recent_;
  NfoEdits nfo_;
};

}  // namespace quillory
