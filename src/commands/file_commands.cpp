#include "commands/file_commands.h"

#include <cerrno>
#include <new>

#include "common/error.h"
#include "project/project_file.h"
#include "text/file_io.h"

namespace quillory {

bool ConfirmProgramName(const ReadmeProject& record, Dialogs& dialogs) {
  if (HasProgramName(record)) return true;
  dialogs.ShowInformation(std::string(kProgramNameRequired));
  return false;
}

bool SaveCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs) {
  if (!ConfirmProgramName(record, dialogs)) return false;
  if (!record.document_path.empty()) {
    WriteProjectDocument(record, record.document_path);
    return true;
  }
  auto chosen = dialogs.SaveFile(FileDialogRequest{std::string(kProjectFilter), 1, {}, {}});
  if (!chosen) return false;
  record.document_path = ApplyExtension(chosen->path, ".qlx");
  window.title = TitleWithDocument(LastPathComponent(record.document_path));
  WriteProjectDocument(record, record.document_path);
  return true;
}

bool OpenCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs) {
  auto chosen = dialogs.OpenFile(FileDialogRequest{std::string(kProjectFilter), 1, {}, {}});
  if (!chosen) return false;
  // Read first, so that a file that cannot be read, or is no document, changes nothing.
  auto bytes = ReadDocumentForWindow(chosen->path);
  ClearAll(record);
  AdoptDocument(record, window, chosen->path, std::move(bytes).value_or(std::string()));
  return true;
}

std::optional<std::string> ReadDocumentForWindow(const std::string& path) {
  try {
    return ReadProjectDocumentFile(path, Readable::kRegularFileOnly);
  } catch (const std::bad_alloc&) {
    throw CannotOpenFile(path, ENOMEM);
  }
}

void AdoptDocument(ReadmeProject& record, WindowState& window, const std::string& path, std::string bytes) {
  record.document_path = path;
  window.title = TitleWithDocument(LastPathComponent(path));
  ReadProjectDocumentBytes(record, std::move(bytes));
  UpdateCharsetChecks(window, record.chr);
}

}  // namespace quillory
