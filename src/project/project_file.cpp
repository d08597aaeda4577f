#include "project/project_file.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <vector>

#include "common/error.h"
#include "project/facts.h"
#include "project/ini_file.h"
#include "project/stored_value.h"
#include "text/codepage.h"
#include "text/file_io.h"

namespace quillory {
namespace {

// A write of a document that failed, with the message it gives.
struct WriteFailed {
  Error message;
  int error_number = 0;  // the reason of a failed write; 0 for a link that is not followed
};

Error UnableToWrite(const std::string& path) { return Error(FormatMessage("Unable to write to %s", {path})); }

WriteFailed WriteFailedAt(const std::string& path, const WriteFailure& failure) {
  if (failure.stage == WriteFailure::Stage::kLink) return {UnsafeLink(path)};
  return {UnableToWrite(path), failure.error_number};
}

// The read-change-write of the document at path under an exclusive advisory lock (flock) on it: produce
// is given the document's bytes (nullptr for a missing name) and returns the new ones. The lock is on the
// file the path names when it is taken; since a save replaces that file by a new one, the path is checked
// to name the locked file still, and the whole step starts again when it does not. Every writer replaces
// the file only while it holds the lock on the file the path names, so writers take turns. A missing
// name is created only where no file has appeared meanwhile. Raises WriteFailed for a failed write, and
// the errors of reading and of produce.
void WithLockedDocument(const std::string& path,
                        const std::function<std::string(const std::string* existing)>& produce) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::optional<InputSource> file = InputSource::OpenIfExists(path, Readable::kRegularFileOnly);
    if (!file) {
      auto failure = TryCreateFile(path, produce(nullptr));
      if (!failure) return;
      if (failure->stage == WriteFailure::Stage::kCreate && failure->error_number == EEXIST) continue;
      throw WriteFailedAt(path, *failure);
    }
    int locked;
    while ((locked = ::flock(file->descriptor(), LOCK_EX)) != 0 && errno == EINTR) {
    }
    // A file system without locks (ENOLCK, EOPNOTSUPP) is saved unlocked, as before locks existed.
    struct stat now {};
    struct stat held {};
    if (::stat(path.c_str(), &now) != 0 || ::fstat(file->descriptor(), &held) != 0 ||
        now.st_dev != held.st_dev || now.st_ino != held.st_ino) {
      if (locked == 0) continue;
    }
    const std::string existing = file->ReadAll();
    if (auto failure = TryReplaceFile(path, produce(&existing))) throw WriteFailedAt(path, *failure);
    return;
  }
  throw UnableToWrite(path);  // the name kept changing to other files
}

}  // namespace

std::string ApplyExtension(std::string_view chosen, std::string_view extension) {
  std::string path(chosen);
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  path += extension;
  return path;
}

std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing, DocumentEncoding* written) {
  DocumentText text = existing.empty() ? DocumentText{{}, record.encoding, true} : DecodeDocument(std::move(existing));
  const auto facts = Facts();
  std::vector<std::optional<std::string>> values(facts.size());
  auto store_all = [&](bool as_utf8) {
    for (size_t i = 0; i < facts.size(); ++i) {
      values[i] = StoredValue(record.*facts[i].member, facts[i].multi_line(), as_utf8);
      if (!values[i]) return false;
    }
    return true;
  };
  if (!store_all(IsUnicodeEncoding(text.encoding))) {
    // A character Windows-1252 lacks: the whole document becomes UTF-8, every byte it had converted.
    text.text = std::string(kUtf8Bom) + Cp1252ToUtf8(text.text);
    text.encoding = DocumentEncoding::kUtf8WithMark;
    store_all(true);
  } else if (text.encoding == DocumentEncoding::kUtf8WithMark && text.text.empty()) {
    text.text = kUtf8Bom;  // a new document that keeps the mark of the one it was read from
  }
  IniDocument document{std::move(text.text)};
  for (size_t i = 0; i < facts.size(); ++i) {
    const Fact& fact = facts[i];
    // A fact added after the first documents were written leaves a document that does not use it as it was.
    if ((record.*fact.member).empty() && fact.storage == Storage::kWhenUsed &&
        !document.ReadView(fact.section, fact.key)) {
      continue;
    }
    document.Write(fact.section, fact.key, std::move(*values[i]));
  }
  if (written) *written = text.encoding;
  return EncodeDocument(document.Serialize(), text.encoding);
}

DocumentEncoding WriteProjectDocument(const ReadmeProject& record, const std::string& path) {
  DocumentEncoding written = record.encoding;
  try {
    WithLockedDocument(path, [&](const std::string* existing) {
      return ProjectDocumentBytes(record, existing ? *existing : std::string(), &written);
    });
    return written;
  } catch (const WriteFailed& failed) {
    throw failed.message;
  } catch (const Error&) {
    throw UnableToWrite(path);  // the document as it stands cannot be read
  } catch (const std::bad_alloc&) {
    throw UnableToWrite(path);
  }
}

void UpdateProjectDocument(const std::string& path, const std::function<void(ReadmeProject&)>& change) {
  try {
    WithLockedDocument(path, [&](const std::string* existing) {
      ReadmeProject record = ProjectFromBytes(existing ? *existing : std::string());
      change(record);
      return ProjectDocumentBytes(record, existing ? *existing : std::string());
    });
  } catch (const WriteFailed& failed) {
    if (failed.error_number == 0) throw failed.message;
    throw DocumentWriteError(failed.message.what(), failed.error_number);
  } catch (const std::bad_alloc&) {
    throw CannotOpenFile(path, ENOMEM);
  }
}

bool IsProjectDocumentText(std::string_view bytes) {
  constexpr size_t kChecked = 64 * 1024;
  const DocumentEncoding encoding = DetectDocumentEncoding(bytes);
  if (encoding == DocumentEncoding::kUtf16Le || encoding == DocumentEncoding::kUtf16Be) {
    const std::string head = Utf16ToUtf8(bytes.substr(2, 2 * kChecked), encoding == DocumentEncoding::kUtf16Be);
    return head.find('\0') == std::string::npos;
  }
  return bytes.substr(0, kChecked).find('\0') == std::string_view::npos;
}

std::optional<std::string> ReadProjectDocumentFile(const std::string& path, Readable readable) {
  std::optional<std::string> bytes = ReadFileIfExists(path, readable);
  if (bytes && !IsProjectDocumentText(*bytes)) throw NotAProjectDocument(path);
  return bytes;
}

void ReadProjectDocumentBytes(ReadmeProject& record, std::string bytes) {
  DocumentText text = DecodeDocument(std::move(bytes));
  const StoredText stored = StoredTextOf(text);
  record.encoding = text.encoding;
  const IniDocument document{std::move(text.text)};
  for (const Fact& fact : Facts()) {
    const auto value = document.ReadView(fact.section, fact.key);
    if (!value) continue;
    record.*fact.member = RecordValue(*value, fact.multi_line(), stored);
  }
}

void ReadProjectDocument(ReadmeProject& record, const std::string& path) {
  auto bytes = ReadFileIfExists(path);
  ReadProjectDocumentBytes(record, std::move(bytes).value_or(std::string()));
}

ReadmeProject ProjectFromBytes(std::string bytes) {
  ReadmeProject record;
  SetHtmlDefaults(record);
  ReadProjectDocumentBytes(record, std::move(bytes));
  return record;
}

}  // namespace quillory
