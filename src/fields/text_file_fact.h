#pragma once

#include <string>
#include <string_view>

namespace quillory {

// A text file's bytes as a multi-line fact (UTF-8): a file that begins with a UTF-8 byte-order mark
// (dropped), or that is well-formed UTF-8 holding non-ASCII characters, is read as UTF-8 (after a mark, a
// malformed byte as its Windows-1252 character, see RepairedUtf8); any other file as Windows-1252. Every
// lone CR and lone LF becomes CR LF.
std::string TextFileAsFact(std::string_view bytes);

}  // namespace quillory
