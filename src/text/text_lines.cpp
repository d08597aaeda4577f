#include "text/text_lines.h"

#include <algorithm>
#include <cstring>

#include "text/codepage.h"
#include "text/file_io.h"

namespace quillory {

std::string JoinLines(const TextLines& lines, std::string_view prefix) {
  size_t total = prefix.size();
  for (const auto& line : lines) total += line.size() + kCrLf.size();
  std::string out;
  out.reserve(total);
  out += prefix;
  for (const auto& line : lines) {
    out += line;
    out += kCrLf;
  }
  return out;
}

std::optional<std::string> JoinLinesAsCp1252(const TextLines& utf8_lines) {
  size_t total = 0;
  for (const auto& line : utf8_lines) total += line.size() + kCrLf.size();
  std::string out;
  out.reserve(total);
  for (const auto& line : utf8_lines) {
    if (!AppendUtf8AsCp1252(out, line)) return std::nullopt;
    out += kCrLf;
  }
  return out;
}

std::string ReplaceLineBreaks(std::string_view text, std::string_view with) {
  std::string out;
  out.reserve(with.size() <= 1 ? text.size() : text.size() + text.size() / 32);
  // The next CR and the next LF, each found with memchr and looked for again only once passed, so that
  // a long text is scanned at memchr's speed rather than byte by byte.
  const char* const data = text.data();
  const size_t size = text.size();
  auto find_from = [&](char c, size_t from) {
    const void* hit = from < size ? std::memchr(data + from, c, size - from) : nullptr;
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : size;
  };
  size_t next_cr = find_from('\r', 0);
  size_t next_lf = find_from('\n', 0);
  size_t pos = 0;
  while (pos < size) {
    if (next_cr < pos) next_cr = find_from('\r', pos);
    if (next_lf < pos) next_lf = find_from('\n', pos);
    const size_t brk = std::min(next_cr, next_lf);
    out.append(data + pos, brk - pos);
    if (brk == size) break;
    out += with;
    const bool crlf = data[brk] == '\r' && brk + 1 < size && data[brk + 1] == '\n';
    pos = brk + (crlf ? 2 : 1);
  }
  return out;
}

}  // namespace quillory
