#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

inline constexpr std::string_view kCrLf = "\r\n";

// An ordered list of text lines (UTF-8, or the bytes of an output's encoding). An entry may itself hold CR
// LF (a multi-line fact).
using TextLines = std::vector<std::string>;

// The text with every line break (CR LF, a lone CR, a lone LF) replaced by `with`.
std::string ReplaceLineBreaks(std::string_view text, std::string_view with);

// The bytes of a line list as written to a file or shown in a memo: `prefix` (a byte-order mark, say), then
// every entry followed by CR LF, the last one included, bytes as held.
std::string JoinLines(const TextLines& lines, std::string_view prefix = {});

// JoinLines of UTF-8 lines, encoded as Windows-1252 on the way; nothing when a character does not fit.
std::optional<std::string> JoinLinesAsCp1252(const TextLines& utf8_lines);


}  // namespace quillory
