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
  ForEachLine(
      text,
      [&](std::string_view line) {
        out += line;
        return true;
      },
      [&] {
        out += with;
        return true;
      });
  return out;
}

}  // namespace quillory
