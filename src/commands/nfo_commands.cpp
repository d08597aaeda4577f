#include "commands/nfo_commands.h"

#include <string>

#include "commands/date_text.h"
#include "project/project_file.h"
#include "text/codepage.h"
#include "text/file_io.h"

namespace quillory {

void InsertNfoByte(NfoMemoView& memo, unsigned char byte) {
  memo.ReplaceSelection(std::string(1, static_cast<char>(byte)));
}

void InsertRightsPhrase(NfoMemoView& memo) { memo.ReplaceSelection(std::string(kRightsPhrase)); }

void InsertDateText(NfoMemoView& memo, Clock& clock, const CalendarDate& picker_date) {
  memo.ReplaceSelection(std::string(" ").append(Utf8ToCp437(ShortDateText(clock, picker_date))));
}

void InsertTimeText(NfoMemoView& memo, Clock& clock) {
  memo.ReplaceSelection(std::string(" ").append(Utf8ToCp437(CurrentTimeText(clock))));
}

std::optional<std::string> SaveNfoCommand(NfoMemoView& memo, Dialogs& dialogs) {
  auto chosen =
      dialogs.SaveFile(FileDialogRequest{std::string(kNfoFilter), 1, {}, std::string(kNfoSaveTitle)});
  if (!chosen) return std::nullopt;
  std::string bytes = memo.Bytes();
  ReplaceFileOrThrow(ApplyExtension(chosen->path, ".nfo"), bytes);
  return bytes;
}

}  // namespace quillory
