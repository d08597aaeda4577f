#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "project/readme_project.h"
#include "text/file_io.h"

namespace quillory {

// The extension rule: the chosen name loses the extension of its last path component (from its last "."
// to the end, when that component holds a "."), then receives `extension` (".qlx", ".txt", ...). Folder
// names are never changed.
std::string ApplyExtension(std::string_view chosen, std::string_view extension);

// The bytes of the project document for record, written over `existing` (the file's current bytes, empty
// for a new file): every key's line is replaced where it stands or added to its section, and every other
// byte of `existing` stays as it was. A fact stored only when used (Storage::kWhenUsed) is written only when
// it is filled or `existing` has its key. The document keeps its encoding (DetectDocumentEncoding; a new
// file takes the record's): a Windows-1252 document stays so while every value fits, and the first write of
// a character it lacks turns the whole document into UTF-8 after a byte-order mark (as does a write whose
// Windows-1252 bytes would read as UTF-8, such as "Ã©", so that it reads back as written). `written`, when
// given, receives the encoding of the bytes returned. The record must hold no text FindUnstorableText names.
std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing,
                                 DocumentEncoding* written = nullptr);

// Writes the record as a project document to path, replacing the file once and atomically, while holding
// the document's lock (see UpdateProjectDocument). Returns the encoding written. Raises "Unable to write to
// %s" (the path) when that fails, "'%s' is locked by another program" when the lock stays held
// (kDocumentLockWait), or the message of a link that is not followed (naming the link); the previous file is
// then left as it was.
DocumentEncoding WriteProjectDocument(const ReadmeProject& record, const std::string& path);

// A failed write of a document: what() is "Unable to write to PATH", error_number the system's reason.
class DocumentWriteError : public Error {
 public:
  DocumentWriteError(const std::string& message, int error_number)
      : Error(message), error_number(error_number) {}
  int error_number;
};

// Changes the document at path: reads it into a record (a missing name starts from the defaults, as
// ProjectFromBytes does), applies change and writes the document as WriteProjectDocument does. The
// read-change-write holds an exclusive advisory lock on the document, so that changes made at the same
// time by other processes all survive. The document must be a regular file or a missing name. Raises
// ""%s" is not a regular file", "Cannot open file "%s". %s", DocumentWriteError, "'%s' is locked by another
// program" when the lock stays held (kDocumentLockWait), or the message of a link that is not followed
// (naming the link); the document is then left as it was.
void UpdateProjectDocument(const std::string& path, const std::function<void(ReadmeProject&)>& change);

// How long a write of a document waits for its lock when another program holds it (a reader's shared lock
// too) before it fails with "'PATH' is locked by another program".
inline constexpr std::chrono::seconds kDocumentLockWait{10};

// Sets that wait for every later write of this process (tests shorten it).
void SetDocumentLockWait(std::chrono::milliseconds wait);

// Whether a document's bytes are text: no NUL byte among its first 64 KiB, a UTF-16 document read by its
// encoding.
bool IsProjectDocumentText(std::string_view bytes);

// The bytes of the project document at path as the window opens it (readable says which files it takes),
// or nothing when the path names nothing. Raises "Cannot open file "%s". %s" (also beyond 1 GiB), ""%s" is
// not a regular file" or ""%s" is not a Quillory project document" for a file that is not text.
std::optional<std::string> ReadProjectDocumentFile(const std::string& path, Readable readable);

// Reads the project document bytes into record, decoded by their encoding (DecodeDocument), which the
// record remembers: HTML settings and facts missing from it keep their current values.
void ReadProjectDocumentBytes(ReadmeProject& record, std::string bytes);

// The record a document's bytes give on their own: the HTML defaults, then the bytes read over them.
ReadmeProject ProjectFromBytes(std::string bytes);

}  // namespace quillory
