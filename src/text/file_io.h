#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"
#include "text/input_source.h"

namespace quillory {

// Reads a whole file: InputSource::Open, then ReadAll, with their errors (InputError).
std::string ReadWholeFile(const std::string& path, Readable readable = Readable::kAnyFile,
                          size_t limit = kMaxReadSize);

// Like ReadWholeFile, but a path that names nothing gives no content instead of an error.
std::optional<std::string> ReadFileIfExists(const std::string& path, Readable readable = Readable::kAnyFile,
                                            size_t limit = kMaxReadSize);

// Whether path names an existing regular file (links followed).
bool IsExistingFile(const std::string& path);

// Where a file replacement failed, with the errno value that says why.
struct WriteFailure {
  // kLink: a link in a shared folder that is not followed (error_number is EACCES).
  enum class Stage { kCreate, kWrite, kLink } stage;
  int error_number;
};

// Replaces the file at path with data, atomically: a temporary file in the target's folder receives the
// bytes, is flushed and renamed over the target, so the target is always either the old file or the new
// one, whole. Links at the name are followed to their target, which a dangling link gets created; in a
// sticky, world-writable folder a link that belongs neither to this process's user nor to the folder's
// owner is not followed (kLink), as the kernel's protected_symlinks rule has it. An existing target keeps
// its permissions and its user extended attributes. A target whose permission bits allow no writing is
// read-only and refused (EACCES) even for the superuser. A target with other hard links, or in a folder that
// takes no new file, is written in place: its final length is reserved before any byte changes, and a
// write there that fails puts the old bytes back. Returns the failure, or nothing on success; no temporary
// file is left behind either way.
std::optional<WriteFailure> TryReplaceFile(const std::string& path, std::string_view data);

// Like TryReplaceFile, but only for a name that holds no file yet: when one appears there meanwhile, the
// failure is EEXIST at the kCreate stage and that file is left as it is.
std::optional<WriteFailure> TryCreateFile(const std::string& path, std::string_view data);

// The message of a failure of TryReplaceFile or TryCreateFile at path: "Cannot create file "%s". %s" or
// "Stream write error".
Error WriteFailureMessage(const std::string& path, const WriteFailure& failure);

// TryReplaceFile raising the message of its failure.
void ReplaceFileOrThrow(const std::string& path, std::string_view data);

// Creates a new file at path readable by its owner only and writes data, never following a link at the
// name and never replacing anything there. Raises "Cannot create file "%s". %s" or "Stream write error";
// a file cut short is removed.
void WriteNewPrivateFile(const std::string& path, std::string_view data);

}  // namespace quillory
