#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

inline constexpr std::string_view kCrLf = "\r\n";

// An ordered list of 8-bit text lines. An entry may itself hold CR LF (a multi-line fact).
using TextLines = std::vector<std::string>;

// The text with every line break (CR LF, a lone CR, a lone LF) replaced by `with`.
std::string ReplaceLineBreaks(std::string_view text, std::string_view with);

// The bytes of a line list as written to a file or shown in a memo: every entry followed by CR LF, the
// last one included, bytes as held, no byte-order mark.
std::string JoinLines(const TextLines& lines);

// Writes the list to path by the rule above, replacing the file atomically. Raises "Cannot create file
// "%s". %s" when the file cannot be created and "Stream write error" when the bytes cannot all be written;
// in both cases an existing file keeps its previous content.
void WriteLinesToFile(const std::string& path, const TextLines& lines);

}  // namespace quillory
