#include "project/project_file.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <new>
#include <thread>
#include <vector>

#include "common/error.h"
#include "project/facts.h"
#include "project/ini_file.h"
#include "project/stored_value.h"
#include "text/codepage.h"
#include "text/file_io.h"

namespace quillory {
namespace {

// A document's text, parsed once to read a record from and to write a record into.
class OpenDocument {
 public:
  // `bytes` empty: a new document, whose encoding the record it is written from decides.
  explicit OpenDocument(std::string bytes) : fresh_(bytes.empty()), text_(DecodeDocument(std::move(bytes))) {
    Parse();
  }

  // Reads every fact the document holds into record, and its encoding.
  void ReadInto(ReadmeProject& record) const {
    record.encoding = text_.encoding;
    const StoredText stored = StoredTextOf(text_);
    for (const Fact& fact : Facts()) {
      const auto value = ini_->ReadView(fact.section, fact.key);
      if (value) record.*fact.member = RecordValue(*value, fact.multi_line(), stored);
    }
  }

  // Writes record into the document (see ProjectDocumentBytes) and returns its bytes; the document is spent.
  std::string Write(const ReadmeProject& record, DocumentEncoding* written) {
    Store(record);
    return Bytes(written);
  }

  // Writes record into the document; the record is not needed afterwards, so that a caller can let it go
  // before the bytes are made.
  void Store(const ReadmeProject& record) {
    if (fresh_) {
      text_.encoding = record.encoding;
      if (text_.encoding == DocumentEncoding::kUtf8WithMark) Reparse(std::string(kUtf8Bom));
    }
    const auto facts = Facts();
    std::vector<std::optional<std::string>> values(facts.size());
    if (!StoreAll(record, values)) {
      // A character Windows-1252 lacks: the whole document becomes UTF-8, every byte it had converted.
      text_.encoding = DocumentEncoding::kUtf8WithMark;
      Reparse(std::string(kUtf8Bom) + Cp1252ToUtf8(ini_->Serialize()));
      StoreAll(record, values);
    }
    for (size_t i = 0; i < facts.size(); ++i) {
      if (values[i]) ini_->Write(facts[i].section, facts[i].key, std::move(*values[i]));
    }
  }

  // The document's bytes after Store; the document is spent.
  std::string Bytes(DocumentEncoding* written) {
    std::string bytes = ini_->Serialize();
    ini_.reset();  // its text is no longer needed
    if (text_.encoding == DocumentEncoding::kWindows1252 &&
        DetectDocumentEncoding(bytes) != DocumentEncoding::kWindows1252) {
      // Windows-1252 bytes that happen to be well-formed UTF-8 ("Ã©") would read back as other text: the
      // document is written as UTF-8 after a mark instead.
      bytes = std::string(kUtf8Bom) + Cp1252ToUtf8(bytes);
      text_.encoding = DocumentEncoding::kUtf8WithMark;
    }
    if (written) *written = text_.encoding;
    return EncodeDocument(std::move(bytes), text_.encoding);
  }

 private:
  void Parse() { ini_.emplace(std::move(text_.text)); }
  void Reparse(std::string text) {
    text_.text = std::move(text);
    text_.well_formed = true;
    Parse();
  }

  // The stored form of each fact the document is to be given, in values (nothing where the line stands as
  // it must already). Returns false when Windows-1252 cannot hold a value.
  bool StoreAll(const ReadmeProject& record, std::vector<std::optional<std::string>>& values) const {
    const bool as_utf8 = IsUnicodeEncoding(text_.encoding);
    const auto facts = Facts();
    for (size_t i = 0; i < facts.size(); ++i) {
      const Fact& fact = facts[i];
      const std::string& value = record.*fact.member;
      values[i].reset();
      // A fact added after the first documents were written leaves a document that does not use it as it
      // was.
      if (value.empty() && fact.storage == Storage::kWhenUsed && !ini_->ReadView(fact.section, fact.key)) {
        continue;
      }
      // A line that reads so already stays as it stands, without building its value anew.
      const auto line = ini_->ExactLineValue(fact.section, fact.key);
      if (line && StoredValueMatches(*line, value, fact.multi_line(), as_utf8)) continue;
      values[i] = StoredValue(value, fact.multi_line(), as_utf8);
      if (!values[i]) return false;
    }
    return true;
  }

  const bool fresh_;
  DocumentText text_;
  std::optional<IniDocument> ini_;
};

// A write of a document that failed, with the message it gives.
struct WriteFailed {
  Error message;
  int error_number = 0;  // the reason of a failed write; 0 for a link that is not followed
};

Error UnableToWrite(const std::string& path) { return Error(FormatMessage("Unable to write to %s", {path})); }

WriteFailed WriteFailedAt(const std::string& path, const WriteFailure& failure) {
  if (failure.stage == WriteFailure::Stage::kLink)
    return {UnsafeLink(failure.path.empty() ? path : failure.path)};
  return {UnableToWrite(path), failure.error_number};
}

std::atomic<std::chrono::milliseconds::rep> lock_wait{std::chrono::milliseconds(kDocumentLockWait).count()};

// Takes the exclusive lock on the file open at fd, waiting for other holders until deadline. Returns 0,
// EWOULDBLOCK when the lock was still held elsewhere at the deadline, or the errno value of a file system
// that has no locks.
int LockBefore(int fd, std::chrono::steady_clock::time_point deadline) {
  using namespace std::chrono;
  milliseconds pause(1);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return errno;
    const auto now = steady_clock::now();
    if (now >= deadline) return EWOULDBLOCK;
    std::this_thread::sleep_for(std::min<steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, milliseconds(50));
  }
}

// The read-change-write of the document at path under an exclusive advisory lock (flock) on it: produce
// is given the document's bytes (nullptr for a missing name), which it may take, and returns the new ones.
// The lock is on the file the path names when it is taken; since a save replaces that file by a new one, the
// path is checked to name the locked file still, and the whole step starts again when it does not. Every
// writer replaces the file only while it holds the lock on the file the path names, so writers take turns; a
// lock held elsewhere (a reader's shared lock too) is waited for up to the lock wait in all. A missing name
// is created only where no file has appeared meanwhile. A path through a refused link is refused before
// anything is read. Raises WriteFailed for a failed write or a lock that stays held, and the errors of
// reading and of produce.
void WithLockedDocument(const std::string& path,
                        const std::function<std::string(std::string* existing)>& produce) {
  {
    WritePlace place;
    auto failure = FindWritePlace(path, place);
    if (failure && failure->stage == WriteFailure::Stage::kLink) throw WriteFailedAt(path, *failure);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(lock_wait.load());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::optional<InputSource> file = InputSource::OpenIfExists(path, Readable::kRegularFileOnly);
    if (!file) {
      auto failure = TryCreateFile(path, produce(nullptr));
      if (!failure) return;
      if (failure->stage == WriteFailure::Stage::kCreate && failure->error_number == EEXIST) continue;
      throw WriteFailedAt(path, *failure);
    }
    const int locked = LockBefore(file->descriptor(), deadline);
    if (locked == EWOULDBLOCK) {
      throw WriteFailed{Error(FormatMessage("'%s' is locked by another program", {path}))};
    }
    // A file system without locks (ENOLCK, EOPNOTSUPP) is saved unlocked, as before locks existed.
    struct stat now {};
    struct stat held {};
    if (::stat(path.c_str(), &now) != 0 || ::fstat(file->descriptor(), &held) != 0 ||
        now.st_dev != held.st_dev || now.st_ino != held.st_ino) {
      if (locked == 0) continue;
    }
    std::string existing = file->ReadAll();
    const std::string bytes = produce(&existing);  // which may take existing's bytes
    existing = std::string();
    if (auto failure = TryReplaceFile(path, bytes)) throw WriteFailedAt(path, *failure);
    return;
  }
  throw UnableToWrite(path);  // the name kept changing to other files
}

}  // namespace

void SetDocumentLockWait(std::chrono::milliseconds wait) { lock_wait = wait.count(); }

std::string ApplyExtension(std::string_view chosen, std::string_view extension) {
  std::string path(chosen);
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  path += extension;
  return path;
}

std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing,
                                 DocumentEncoding* written) {
  return OpenDocument(std::move(existing)).Write(record, written);
}

DocumentEncoding WriteProjectDocument(const ReadmeProject& record, const std::string& path) {
  DocumentEncoding written = record.encoding;
  try {
    WithLockedDocument(path, [&](std::string* existing) {
      return ProjectDocumentBytes(record, existing ? std::move(*existing) : std::string(), &written);
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
    WithLockedDocument(path, [&](std::string* existing) {
      // Parsed once, both to read the record and to write it back. The document's bytes, the record and
      // the new bytes are never all held at once: the record goes before the new bytes are made.
      OpenDocument document(existing ? std::move(*existing) : std::string());
      {
        ReadmeProject record;
        SetHtmlDefaults(record);
        document.ReadInto(record);
        change(record);
        document.Store(record);
      }
      return document.Bytes(nullptr);
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
  // Only the byte-order mark matters here: a UTF-16 document holds NUL bytes in its ASCII characters.
  const bool little_endian = bytes.starts_with("\xFF\xFE"), big_endian = bytes.starts_with("\xFE\xFF");
  if (little_endian || big_endian) {
    const std::string head = Utf16ToUtf8(bytes.substr(2, 2 * kChecked), big_endian);
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
  OpenDocument(std::move(bytes)).ReadInto(record);
}

ReadmeProject ProjectFromBytes(std::string bytes) {
  ReadmeProject record;
  SetHtmlDefaults(record);
  ReadProjectDocumentBytes(record, std::move(bytes));
  return record;
}

}  // namespace quillory
