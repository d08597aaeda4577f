#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "text/file_io.h"
#include "text/write_path.h"

// Where the bytes of a command-line output name go. Standard output and the process's own open
// descriptors are written as they are, so that `-o /dev/stdout >> log.txt` appends to the log instead of
// replacing it; any other name is written by TryReplaceFile (text/file_io.h): a regular file or a missing
// name is replaced atomically, a device or FIFO written into, a socket connected to and sent the bytes.

namespace quillory {

// The descriptor of this process that name reaches (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N,
// /proc/PID/fd/N, or any link to them that may be followed), or nothing when name is no such path.
std::optional<int> OwnDescriptorNamed(const std::string& name);

// Writes bytes to name as said above: "-" to standard_output, which is also flushed before anything is
// written through a descriptor so that the bytes keep their order. Returns the failure (EBADF for a
// descriptor that is not open for writing, EIO for a failed standard_output), its path the name or the
// refused link.
std::optional<WriteFailure> TryWriteOutput(const std::string& name, std::string_view bytes,
                                           std::ostream& standard_output);

// TryWriteOutput of the bytes produce makes, written as they are made (see TryReplaceFileWith).
std::optional<WriteFailure> TryWriteOutputWith(const std::string& name, const ByteProducer& produce,
                                               std::ostream& standard_output);

// TryWriteOutput giving only the errno value of the failure, or 0.
int WriteOutput(const std::string& name, std::string_view bytes, std::ostream& standard_output);

}  // namespace quillory
