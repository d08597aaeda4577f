#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ports/dialogs.h"
#include "ports/views.h"
#include "project/readme_project.h"

namespace quillory {

inline constexpr std::string_view kSaveNfoQuestion = "Save the NFO?";
inline constexpr std::string_view kReplaceNfoQuestion =
    "The description changed since the NFO was built, and the NFO was edited since. Replace the edited NFO "
    "with one built from the description?";

// The NFO memo's hand edits, kept until the user lets them go. The memo is built from the record when the
// NFO tab is shown, but only when the record's NFO differs from the one it was last built from; edits made
// in the memo since are replaced only when the user agrees, and are asked about (like the document) before
// a command or the close would lose them unsaved.
class NfoEdits {
 public:
  // The NFO tab was shown: builds the memo from the record (empty without a program name) the first time,
  // and afterwards when the record's NFO differs from the one the memo was last built from. When the memo
  // was also edited since that build, asks kReplaceNfoQuestion first: No keeps the memo, and the record's
  // NFO of now counts as built, so the same question is not asked again until the record changes again.
  // A built NFO that had to write characters as "?" says which in an information box.
  void Show(const ReadmeProject& record, NfoMemoView& memo, Dialogs& dialogs);
  // Whether the memo holds edits that were neither built nor saved to a file.
  bool HasUnsavedEdits(NfoMemoView& memo) const;
  // Asked before the memo's edits would be lost: with unsaved edits asks kSaveNfoQuestion (Save, Discard,
  // Cancel); Save runs Save. Returns whether the command may go on; a cancelled save dialog or Cancel
  // return false. A failed write raises its error.
  bool MayDiscard(NfoMemoView& memo, Dialogs& dialogs);
  // The NFO tab's Save (SaveNfoCommand): what it wrote counts as saved. Returns whether it wrote.
  bool Save(NfoMemoView& memo, Dialogs& dialogs);
  // The record was replaced (New, Open) and the user let the memo's edits go: the memo's text stays until
  // the NFO tab is shown next, which builds it again without asking.
  void Forget(NfoMemoView& memo);

 private:
  std::optional<std::string> source_;  // the record's NFO the memo was last built from; nothing: never
  std::string built_;                  // the memo's bytes right after that build
  std::optional<std::string> saved_;   // the memo's bytes last saved to a file
};

}  // namespace quillory
