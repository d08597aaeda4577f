#pragma once

#include <string_view>

namespace quillory {

// Whether a page may write value as a link target: read with the ASCII blanks and control characters
// removed (as browsers drop them), it starts with "http://", "https://" or "ftp://" in any letter case, or
// it names no scheme (no ":" before its first "/", "?" or "#"). Any other value ("javascript:", "data:",
// "host:8080") is to be written as plain text. Cannot fail.
bool IsSafeLinkTarget(std::string_view value);

}  // namespace quillory
