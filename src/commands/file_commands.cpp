#include "commands/file_commands.h"

#include <cerrno>
#include <new>

#include "common/error.h"
#include "project/document_kind.h"
#include "project/project_file.h"
#include "project/stored_value.h"
#include "text/file_io.h"

namespace quillory {
namespace {

// Whether path names a readable regular file that is not a project document. Nothing there, or a file
// that cannot be read, is left to the write, which reports it.
bool HoldsOtherThanDocument(const std::string& path) {
  try {
    const std::optional<std::string> bytes = ReadFileIfExists(path, Readable::kRegularFileOnly);
    return bytes && !IsProjectDocumentBytes(*bytes);
  } catch (const Error&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

bool ConfirmProgramName(const ReadmeProject& record, Dialogs& dialogs) {
  if (HasProgramName(record)) return true;
  dialogs.ShowInformation(std::string(kProgramNameRequired));
  return false;
}

void RequireStorableTexts(const ReadmeProject& record) {
  if (const Fact* text = FindUnstorableText(record)) {
    throw Error("The text \"" + std::string(text->caption) +
                "\" holds the character ¤, which a saved project reads back as a line break. Replace it, "
                "then save again");
  }
}

DocumentEncoding WriteChosenDocument(const ReadmeProject& record, const std::string& path) {
  if (!HoldsOtherThanDocument(path)) return WriteProjectDocument(record, path);
  DocumentEncoding written = record.encoding;
  const auto failure = TryReplaceFile(path, ProjectDocumentBytes(record, std::string(), &written));
  if (failure && failure->stage == WriteFailure::Stage::kLink) throw UnsafeLink(failure->path);
  if (failure) throw Error(FormatMessage("Unable to write to %s", {path}));
  return written;
}

bool SaveCommand(ReadmeProject& record, WindowState&, Dialogs& dialogs) {
  if (!ConfirmProgramName(record, dialogs)) return false;
  RequireStorableTexts(record);
  if (!record.document_path.empty()) {
    if (HoldsOtherThanDocument(record.document_path)) throw NotAProjectDocument(record.document_path);
    record.encoding = WriteProjectDocument(record, record.document_path);
    return true;
  }
  auto chosen = dialogs.SaveFile(FileDialogRequest{std::string(kProjectFilter), 1, {}, {}});
  if (!chosen) return false;
  record.document_path = ApplyExtension(chosen->path, ".qlx");
  record.encoding = WriteChosenDocument(record, record.document_path);
  return true;
}

std::optional<std::string> OpenCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs) {
  auto chosen = dialogs.OpenFile(FileDialogRequest{std::string(kProjectFilter), 1, {}, {}});
  if (!chosen) return std::nullopt;
  // Read first, so that a file that cannot be read, or is no document, changes nothing.
  auto bytes = ReadDocumentForWindow(chosen->path);
  ClearAll(record);
  AdoptDocument(record, window, chosen->path, std::move(bytes).value_or(std::string()));
  return chosen->path;
}

void OpenDocumentAt(ReadmeProject& record, WindowState& window, const std::string& path) {
  std::string bytes = ReadExistingDocument(path);
  ClearAll(record);
  AdoptDocument(record, window, path, std::move(bytes));
}

std::optional<std::string> ReadDocumentForWindow(const std::string& path) {
  std::optional<std::string> bytes;
  try {
    bytes = ReadProjectDocumentFile(path, Readable::kRegularFileOnly);
  } catch (const std::bad_alloc&) {
    throw CannotOpenFile(path, ENOMEM);
  }
  if (bytes && !IsProjectDocumentBytes(*bytes)) throw NotAProjectDocument(path);
  return bytes;
}

std::string ReadExistingDocument(const std::string& path) {
  std::optional<std::string> bytes = ReadDocumentForWindow(path);
  if (!bytes) throw CannotOpenFile(path, ENOENT);
  return std::move(*bytes);
}

void AdoptDocument(ReadmeProject& record, WindowState& window, const std::string& path, std::string bytes) {
  record.document_path = path;
  ReadProjectDocumentBytes(record, std::move(bytes));
  UpdateCharsetChecks(window, record.chr);
}

}  // namespace quillory
