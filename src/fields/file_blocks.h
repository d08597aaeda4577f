#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "text/file_io.h"

namespace quillory {

// Told the bytes read so far and the file's length (0 when unknown); returns whether to go on.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Hands every block of the file at path to add, read once in large blocks; readable says which files it
// takes (see OpenToRead). progress, when given, is called once before the first read, after every block,
// and at least every 50 ms while a pipe or device has no data, so that a file that never ends can be
// stopped. Returns false when progress asked to stop, true at the end of the file. Raises "Cannot open
// file "%s". %s" when the file cannot be opened or read, and what OpenToRead raises.
bool ReadFileBlocks(const std::string& path, const ReadProgress& progress, Readable readable,
                    const std::function<void(const unsigned char* data, std::size_t length)>& add);

}  // namespace quillory
