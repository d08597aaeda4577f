#include "project/project_file.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <new>
#include <thread>

#include "common/error.h"
#include "project/facts.h"
#include "project/ini_file.h"
#include "text/codepage.h"
#include "text/file_io.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

// A 0xA4 byte stands for a line break in stored multi-line values.
constexpr char kStoredLineBreak = '\xA4';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A multi-line value as stored: each CR LF (and any lone CR or LF) becomes 0xA4. A value that the reader
// would otherwise change (surrounding blanks, or wholly enclosed in a pair of quotes) is stored inside
// double quotes, which the reader removes again; an indented licence heading keeps its indentation.
std::string StoredMultiLineValue(std::string_view text) {
  std::string out = ReplaceLineBreaks(text, std::string_view(&kStoredLineBreak, 1));
  const bool padded = !out.empty() && (IsBlank(out.front()) || IsBlank(out.back()));
  const bool quoted =
      out.size() >= 2 && (out.front() == '"' || out.front() == '\'') && out.back() == out.front();
  if (padded || quoted) {
    out.insert(out.begin(), '"');
    out.push_back('"');
  }
  return out;
}

// A one-line value as stored. It cannot hold a line break; one that somehow does is never allowed to
// start a line of its own.
std::string StoredOneLineValue(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string RestoredMultiLineValue(std::string_view stored) {
  std::string out;
  out.reserve(stored.size() +
              static_cast<size_t>(std::count(stored.begin(), stored.end(), kStoredLineBreak)));
  while (!stored.empty()) {
    const size_t brk = stored.find(kStoredLineBreak);
    out.append(stored.substr(0, brk));
    if (brk == std::string_view::npos) break;
    out += "\r\n";
    stored.remove_prefix(brk + 1);
  }
  return out;
}

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
// is given the document's bytes (nullptr for a missing name) and returns the new ones. The lock is on the
// file the path names when it is taken; since a save replaces that file by a new one, the path is checked
// to name the locked file still, and the whole step starts again when it does not. Every writer replaces
// the file only while it holds the lock on the file the path names, so writers take turns; a lock held
// elsewhere (a reader's shared lock too) is waited for up to the lock wait in all. A missing name is
// created only where no file has appeared meanwhile. A path through a refused link is refused before
// anything is read. Raises WriteFailed for a failed write or a lock that stays held, and the errors of
// reading and of produce.
void WithLockedDocument(const std::string& path,
                        const std::function<std::string(const std::string* existing)>& produce) {
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
    const std::string existing = file->ReadAll();
    if (auto failure = TryReplaceFile(path, produce(&existing))) throw WriteFailedAt(path, *failure);
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

std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing) {
  IniDocument document{DocumentAs8Bit(std::move(existing))};
  for (const Fact& fact : Facts()) {
    const std::string& value = record.*fact.member;
    // A fact added after the first documents were written leaves a document that does not use it as it was.
    if (value.empty() && fact.storage == Storage::kWhenUsed && !document.ReadView(fact.section, fact.key)) {
      continue;
    }
    document.Write(fact.section, fact.key,
                   fact.multi_line() ? StoredMultiLineValue(value) : StoredOneLineValue(value));
  }
  return document.Serialize();
}

void WriteProjectDocument(const ReadmeProject& record, const std::string& path) {
  try {
    WithLockedDocument(path, [&](const std::string* existing) {
      return ProjectDocumentBytes(record, existing ? *existing : std::string());
    });
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

std::string DocumentAs8Bit(std::string bytes) {
  const bool little_endian = bytes.starts_with("\xFF\xFE");
  if (!little_endian && !bytes.starts_with("\xFE\xFF")) return bytes;
  std::string text = Utf16ToCp1252(std::string_view(bytes).substr(2), !little_endian);
  // Text that itself starts with the two bytes of a mark would be taken for UTF-16 when read again; its
  // first line lies before any section, where nothing is read.
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) text[0] = '?';
  return text;
}

bool IsProjectDocumentText(std::string_view bytes) {
  constexpr size_t kChecked = 64 * 1024;
  const std::string head = DocumentAs8Bit(std::string(bytes.substr(0, 2 + 2 * kChecked)));
  return std::string_view(head).substr(0, kChecked).find('\0') == std::string_view::npos;
}

std::optional<std::string> ReadProjectDocumentFile(const std::string& path, Readable readable) {
  std::optional<std::string> bytes = ReadFileIfExists(path, readable);
  if (bytes && !IsProjectDocumentText(*bytes)) throw NotAProjectDocument(path);
  return bytes;
}

void ReadProjectDocumentBytes(ReadmeProject& record, std::string bytes) {
  const IniDocument document{DocumentAs8Bit(std::move(bytes))};
  for (const Fact& fact : Facts()) {
    const auto value = document.ReadView(fact.section, fact.key);
    if (!value) continue;
    record.*fact.member = fact.multi_line() ? RestoredMultiLineValue(*value) : std::string(*value);
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
