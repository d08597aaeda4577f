#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/error.h"
#include "text/input_source.h"
#include "text/write_path.h"

namespace quillory {

// Reads a whole file: InputSource::Open, then ReadAll, with their errors (InputError).
std::string ReadWholeFile(const std::string& path, Readable readable = Readable::kAnyFile,
                          size_t limit = kMaxReadSize);

// Like ReadWholeFile, but a path that names nothing gives no content instead of an error.
std::optional<std::string> ReadFileIfExists(const std::string& path, Readable readable = Readable::kAnyFile,
                                            size_t limit = kMaxReadSize);

// Whether path names an existing regular file (links followed).
bool IsExistingFile(const std::string& path);

// Replaces the file at path with data, atomically: a temporary file in the target's folder receives the
// bytes, is flushed and moved over the target, so the target is always either the old file or the new
// one, whole. The path is found as text/write_path.h says: links on every component are followed, except
// one in a sticky, world-writable folder that belongs neither to this process's user nor to the folder's
// owner (kLink, naming the link); a dangling link gets its target created. The new file takes the old
// one's owner, group, mode and extended attributes (its access control list among them). A target whose
// permission bits allow no writing is read-only and refused (EACCES) even for the superuser. A device,
// FIFO or socket at the name is written into (a socket through connect). A target with other hard links,
// in a folder that takes no new file or lets this user write it but not replace it, or whose owner, group
// or attributes a new file cannot take, is written in place: its final length is reserved before any byte
// changes, and a write there that fails puts the old bytes back. Returns the failure, or nothing on
// success; no temporary file is left behind either way (see text/temporary_file.h for a killed process).
std::optional<WriteFailure> TryReplaceFile(const std::string& path, std::string_view data);

// Bytes made while they are written: a producer calls write with each piece, in order, and returns the
// first errno value write returned, or 0 once every piece went well. It may throw; the write then fails with
// that exception, leaving the file as it was (no temporary file stays).
using PieceWriter = std::function<int(std::string_view piece)>;
using ByteProducer = std::function<int(const PieceWriter& write)>;

// TryReplaceFile of the bytes produce makes, written as they are made so that they are never all held at
// once (except where the file is rewritten in place, whose new length must be known first).
std::optional<WriteFailure> TryReplaceFileWith(const std::string& path, const ByteProducer& produce);

// Like TryReplaceFile, but only for a name that holds no file yet: when one appears there meanwhile, the
// failure is EEXIST at the kCreate stage and that file is left as it is.
std::optional<WriteFailure> TryCreateFile(const std::string& path, std::string_view data);

// One file of a set: where, and its bytes (which must outlive the call), or what makes them while they
// are written (see ByteProducer; bytes is then unused).
struct FileToWrite {
  std::string path;
  std::string_view bytes;
  ByteProducer produce = {};
};

// Replaces a set of files all together or not at all: every file is written to a temporary file (or made
// ready for a write in place) first, and only then are all put in place; when one cannot be, those put in
// place before it get their old files back, and the temporary files are removed. Each file is replaced as
// TryReplaceFile does, except that a device, FIFO or socket at a name is replaced (moved over), never
// written into or waited on. Returns the first failure, its path naming the file (or the refused link).
// Files are given back their old files by exchanging renames; on a file system without those (NFS, for
// one) the files put in place before a failure stay new. Only a process killed in the instant the
// written files are put in place can leave some old and some new.
std::optional<WriteFailure> ReplaceFileSet(std::span<const FileToWrite> files);

// Makes the folder path and the folders above it that are missing, walking the path as TryReplaceFile does
// (a refused link is kLink). Returns the failure (ENOTDIR when something else is there), or nothing.
std::optional<WriteFailure> CreateFolders(const std::string& path);

// The message of a failure of TryReplaceFile or TryCreateFile at path: "Cannot create file "%s". %s",
// "Stream write error", or for a refused link UnsafeLink naming the link.
Error WriteFailureMessage(const std::string& path, const WriteFailure& failure);

// TryReplaceFile raising the message of its failure.
void ReplaceFileOrThrow(const std::string& path, std::string_view data);

// Creates a new file at path readable by its owner only and writes data, never following a link at the
// name and never replacing anything there (links on the way are walked as TryReplaceFile does). Raises
// "Cannot create file "%s". %s" or "Stream write error"; a file cut short is removed.
void WriteNewPrivateFile(const std::string& path, std::string_view data);

}  // namespace quillory
