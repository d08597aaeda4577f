#include "commands/nfo_edits.h"

#include "commands/nfo_commands.h"
#include "render/render.h"

namespace quillory {

void NfoEdits::Show(const ReadmeProject& record, NfoMemoView& memo, Dialogs& dialogs) {
  RenderedDocument nfo = HasProgramName(record) ? RenderDocument(record, Format::kNfo) : RenderedDocument{};
  if (source_ == nfo.bytes) return;
  const bool edited = source_ && memo.Bytes() != built_;
  if (edited && !dialogs.Confirm(std::string(kReplaceNfoQuestion))) {
    source_ = std::move(nfo.bytes);  // asked about this record's NFO; the edits stay edits
    return;
  }
  memo.SetBytes(nfo.bytes);
  source_ = std::move(nfo.bytes);
  built_ = memo.Bytes();  // as the memo holds them, which may differ from the NFO in its line breaks
  if (!nfo.lost.empty()) dialogs.ShowInformation(LostCharactersText(nfo) + " in the NFO.");
}

bool NfoEdits::HasUnsavedEdits(NfoMemoView& memo) const {
  const std::string bytes = memo.Bytes();
  if (!source_) return !bytes.empty() && bytes != saved_;
  return bytes != built_ && bytes != saved_;
}

bool NfoEdits::MayDiscard(NfoMemoView& memo, Dialogs& dialogs) {
  if (!HasUnsavedEdits(memo)) return true;
  switch (dialogs.AskSaveChanges(std::string(kSaveNfoQuestion))) {
    case SaveChangesAnswer::kDiscard:
      return true;
    case SaveChangesAnswer::kCancel:
      return false;
    case SaveChangesAnswer::kSave:
      return Save(memo, dialogs);
  }
  return false;
}

bool NfoEdits::Save(NfoMemoView& memo, Dialogs& dialogs) {
  std::optional<std::string> written = SaveNfoCommand(memo, dialogs);
  if (!written) return false;
  saved_ = std::move(written);
  return true;
}

void NfoEdits::Forget(NfoMemoView& memo) {
  source_.reset();
  built_ = memo.Bytes();
  saved_ = built_;
}

}  // namespace quillory
