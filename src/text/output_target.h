#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// Where the bytes of a command-line output name go. Standard output, one of the process's own open
// descriptors, a device, FIFO or socket are written as they are; only a regular file (or a missing name)
// is replaced atomically, so that `-o /dev/stdout >> log.txt` appends to the log instead of replacing it.

namespace quillory {

enum class OutputRoute {
  kStandardOutput,  // "-"
  kOwnDescriptor,   // /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N: written through descriptor N
  kDirect,          // an existing file that is no regular file nor folder: opened and written, never cut
  kReplace,         // a regular file or a missing name: the atomic replace of file_io.h
};

struct OutputTarget {
  OutputRoute route;
  int descriptor = -1;  // for kOwnDescriptor
};

// The descriptor of this process that name reaches through /proc/PID/fd (after following the links on the
// way, so /dev/stdout and /dev/fd/N are found too), or nothing when name is no such path.
std::optional<int> OwnDescriptorNamed(const std::string& name);

// How name is written (see OutputRoute).
OutputTarget ResolveOutputTarget(const std::string& name);

// Writes bytes to name by its route: "-" to standard_output, which is also flushed before anything is
// written through a descriptor so that the bytes keep their order. Returns 0, or the errno value of the
// failure (EBADF for a descriptor that is not open for writing, EIO for a failed standard_output).
int WriteOutput(const std::string& name, std::string_view bytes, std::ostream& standard_output);

}  // namespace quillory
