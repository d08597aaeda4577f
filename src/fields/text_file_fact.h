#pragma once

#include <string>
#include <string_view>

namespace quillory {

// A text file's bytes as a multi-line fact: a file that is UTF-8 holding non-ASCII characters, or that
// begins with a UTF-8 byte-order mark (dropped), is converted to Windows-1252 ("?" for a character it
// cannot hold); any other file is taken byte for byte. Every lone CR and lone LF becomes CR LF.
std::string TextFileAsFact(std::string_view bytes);

}  // namespace quillory
