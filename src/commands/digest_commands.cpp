#include "commands/digest_commands.h"

#include <optional>

#include "fields/file_digests.h"
#include "fields/file_size.h"

namespace quillory {
namespace {

// The open-file dialog of both buttons: no title, no filter, no initial folder, no proposed name.
std::optional<std::string> PickProgramFile(Dialogs& dialogs) {
  std::optional<FileDialogResult> chosen = dialogs.OpenFile(FileDialogRequest{});
  if (!chosen) return std::nullopt;
  return std::move(chosen->path);
}

}  // namespace

void FillMd5Command(ReadmeProject& record, Dialogs& dialogs, const ReadProgress& progress) {
  const std::optional<std::string> path = PickProgramFile(dialogs);
  if (!path) return;
  try {
    record.md5 =
        DigestFieldTextOfFile(*FindDigestAlgorithm("md5"), *path, progress, Readable::kRegularFileOnly);
  } catch (const ReadCancelled&) {
    // The user stopped it: the field keeps its text and no message is due.
  }
}

void FillSha256Command(ReadmeProject& record, Dialogs& dialogs, const ReadProgress& progress) {
  const std::optional<std::string> path = PickProgramFile(dialogs);
  if (!path) return;
  try {
    record.sha256 =
        DigestFieldTextOfFile(*FindDigestAlgorithm("sha256"), *path, progress, Readable::kRegularFileOnly);
  } catch (const ReadCancelled&) {
    // As for MD5: the field keeps its text.
  }
}

void FillSizeCommand(ReadmeProject& record, Dialogs& dialogs) {
  const std::optional<std::string> path = PickProgramFile(dialogs);
  if (!path) return;
  record.size = SizeText(FileLengthForSize(*path, Readable::kRegularFileOnly));
}

}  // namespace quillory
