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
// for a new file; a UTF-16 document is rewritten whole as 8-bit text, by DocumentAs8Bit): every key's line
// is replaced where it stands or added to its section, and every other byte of `existing` stays as it was.
// A fact stored only when used (Storage::kWhenUsed) is written only when it is filled or `existing` has
// its key.
std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing);

// Writes the record as a project document to path, replacing the file once and atomically, while holding
// the document's lock (see UpdateProjectDocument). Raises "Unable to write to %s" (the path) when that
// fails, "'%s' is locked by another program" when the lock stays held (kDocumentLockWait), or the message
// of a link that is not followed (naming the link); the previous file is then left as it was.
void WriteProjectDocument(const ReadmeProject& record, const std::string& path);

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

// A document's bytes as 8-bit text: a UTF-16 document (after its byte-order mark, either byte order) as
// Windows-1252 bytes, with "?" for a character that code page lacks; any other bytes as they are.
std::string DocumentAs8Bit(std::string bytes);

// Whether a document's bytes are text: no NUL byte among its first 64 KiB, a UTF-16 document read by its
// encoding.
bool IsProjectDocumentText(std::string_view bytes);

// The bytes of the project document at path as the window opens it (readable says which files it takes),
// or nothing when the path names nothing. Raises "Cannot open file "%s". %s" (also beyond 1 GiB), ""%s" is
// not a regular file" or ""%s" is not a Quillory project document" for a file that is not text.
std::optional<std::string> ReadProjectDocumentFile(const std::string& path, Readable readable);

// Reads the project document bytes into record (DocumentAs8Bit first): HTML settings and facts missing
// from it keep their current values.
void ReadProjectDocumentBytes(ReadmeProject& record, std::string bytes);

// Reads the project document at path as above. A path that names nothing reads as an empty document;
// one that exists but cannot be read raises "Cannot open file "%s". %s" and changes nothing.
void ReadProjectDocument(ReadmeProject& record, const std::string& path);

// The record a document's bytes give on their own: the HTML defaults, then the bytes read over them.
ReadmeProject ProjectFromBytes(std::string bytes);

}  // namespace quillory
