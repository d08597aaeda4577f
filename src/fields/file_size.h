#pragma once

#include <cstdint>
#include <string>

#include "text/input_source.h"

namespace quillory {

// A length in a coarse unit: the whole number of bytes below 1024 ("1023 Byte"), else the length divided
// by 1024, 1024^2 or 1024^3 and truncated ("1 Kb", "1023 Kb", "1 Mb", "5 Gb"). A length of exactly one
// unit is shown in that unit: 1024 bytes is "1 Kb", 1048576 bytes "1 Mb", 1073741824 bytes "1 Gb".
std::string SizeText(std::uint64_t length);

// The length of an input: of a regular file the bytes left in it, without reading them; of anything else
// (a FIFO, pipe, socket, stream, or a device given as standard input) the count of the bytes read from it to
// its end (progress as for DigestAll). Raises InputError (kRead) when it cannot be read.
std::uint64_t InputLength(InputSource& input, const ReadProgress& progress = {});

// The length of a file, which is opened for reading only, so a file the user may not write still has a
// size (see InputLength; readable says which files it takes, as for InputSource::Open). Raises "I/O error
// %d" with the system's error number when it cannot be opened or read (a folder included), and ""%s" is
// not a regular file" for a device, and with kRegularFileOnly for anything else but a regular file (at
// once, without waiting for a FIFO's writer).
std::uint64_t FileLengthForSize(const std::string& path, Readable readable = Readable::kNoDevice);

}  // namespace quillory
