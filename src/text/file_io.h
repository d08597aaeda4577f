#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// Reads a whole file. Raises "Cannot open file "%s". %s" when it cannot be opened or read (a folder
// included).
std::string ReadWholeFile(const std::string& path);

// Like ReadWholeFile, but a path that names nothing gives no content instead of an error.
std::optional<std::string> ReadFileIfExists(const std::string& path);

// Whether path names an existing regular file (links followed).
bool IsExistingFile(const std::string& path);

// Where a file replacement failed, with the errno value that says why.
struct WriteFailure {
  enum class Stage { kCreate, kWrite } stage;
  int error_number;
};

// Replaces the file at path with data, atomically: a temporary file in the target's folder receives the
// bytes, is flushed and renamed over the target, so the target is always either the old file or the new
// one, whole. An existing target keeps its permissions. A target whose permission bits allow no writing is
// read-only and refused (EACCES) even for the superuser. When the folder takes no new file but the target
// may be written, the target is written in place, and a write there that fails puts the old bytes back.
// Returns the failure, or nothing on success; no temporary file is left behind either way.
std::optional<WriteFailure> TryReplaceFile(const std::string& path, std::string_view data);

// TryReplaceFile raising "Cannot create file "%s". %s" or "Stream write error".
void ReplaceFileOrThrow(const std::string& path, std::string_view data);

// Creates a new file at path readable by its owner only and writes data, never following a link at the
// name and never replacing anything there. Raises "Cannot create file "%s". %s" or "Stream write error";
// a file cut short is removed.
void WriteNewPrivateFile(const std::string& path, std::string_view data);

}  // namespace quillory
