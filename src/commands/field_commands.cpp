#include "commands/field_commands.h"

#include <cerrno>
#include <new>

#include "commands/date_text.h"
#include "common/error.h"
#include "fields/text_file_fact.h"
#include "fields/web_address.h"
#include "text/file_io.h"
#include "text/input_source.h"

namespace quillory {

void LoadTextFileCommand(ReadmeProject& record, Dialogs& dialogs, std::string ReadmeProject::*text) {
  auto chosen = dialogs.OpenFile(FileDialogRequest{std::string(kTextFilesFilter), 1, {}, {}});
  if (!chosen) return;
  InputSource file = InputSource::Open(chosen->path, Readable::kRegularFileOnly);
  if (file.length() > kMemoCapacity) throw Error("Text exceeds memo capacity");
  std::string bytes;
  try {
    bytes = file.ReadAll(kMemoCapacity);
  } catch (const std::bad_alloc&) {
    throw CannotOpenFile(chosen->path, ENOMEM);
  }
  record.*text = TextFileAsFact(bytes);
}

void ClearTextFieldCommand(ReadmeProject& record, std::string ReadmeProject::*text) {
  (record.*text).clear();
}

void AppendToCopyrightCommand(ReadmeProject& record, CopyrightAddition addition) {
  switch (addition) {
    case CopyrightAddition::kCopyrightSign:
      record.copyright += "©";
      break;
    case CopyrightAddition::kRegisteredSign:
      record.copyright += "®";
      break;
    case CopyrightAddition::kTradeMarkSign:
      record.copyright += "™";
      break;
    case CopyrightAddition::kAllRightsReserved:
      record.copyright += " All Rights Reserved";
      break;
  }
}

void VisitAddressCommand(const std::string& field_text, Shell& shell) {
  if (field_text.empty()) return;
  const std::string address = WebAddressToOpen(field_text);
  if (!address.empty()) shell.OpenUrl(address);
}

void SetReleaseDateCommand(ReadmeProject& record, Clock& clock, const CalendarDate& date, bool with_time) {
  std::string text = ShortDateText(clock, date);
  if (with_time) text.append(" ").append(CurrentTimeText(clock));
  record.creation = std::move(text);
}

std::string AboutText() {
  return std::string(kAppTitle) +
         "\n\nWrites the README, XHTML page, NFO and Markdown README of a software release from one "
         "description.\n\nCopyright 2026 Quillory developers.\nLicensed under the GNU General Public "
         "License, version 3 or (at your option) any later version. It comes with ABSOLUTELY NO "
         "WARRANTY.\n\n" +
         std::string(kProjectAddress);
}

void AboutCommand(Dialogs& dialogs) { dialogs.ShowAbout(AboutText()); }

}  // namespace quillory
