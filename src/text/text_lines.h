#pragma once

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

inline constexpr std::string_view kCrLf = "\r\n";

// An ordered list of text lines (UTF-8, or the bytes of an output's encoding). An entry may itself hold CR
// LF (a multi-line fact).
using TextLines = std::vector<std::string>;

// Calls line(segment) for each stretch of text between line breaks (CR LF, lone CR, lone LF), and brk()
// between them; either returns false to stop. The breaks are found with memchr, so a long text is scanned
// at its speed.
template <typename Line, typename Break>
inline void ForEachLine(std::string_view text, Line line, Break brk) {
  const char* const data = text.data();
  const size_t size = text.size();
  auto find_from = [&](char c, size_t from) {
    const void* hit = from < size ? std::memchr(data + from, c, size - from) : nullptr;
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : size;
  };
  size_t next_cr = find_from('\r', 0);
  size_t next_lf = find_from('\n', 0);
  size_t pos = 0;
  while (true) {
    if (next_cr < pos) next_cr = find_from('\r', pos);
    if (next_lf < pos) next_lf = find_from('\n', pos);
    const size_t end = std::min(next_cr, next_lf);
    if (!line(text.substr(pos, end - pos)) || end == size || !brk()) return;
    pos = end + ((data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1);
  }
}

// The text with every line break (CR LF, a lone CR, a lone LF) replaced by `with`.
std::string ReplaceLineBreaks(std::string_view text, std::string_view with);

// The bytes of a line list as written to a file or shown in a memo: `prefix` (a byte-order mark, say), then
// every entry followed by CR LF, the last one included, bytes as held.
std::string JoinLines(const TextLines& lines, std::string_view prefix = {});

// JoinLines of UTF-8 lines, encoded as Windows-1252 on the way; nothing when a character does not fit.
std::optional<std::string> JoinLinesAsCp1252(const TextLines& utf8_lines);

}  // namespace quillory
