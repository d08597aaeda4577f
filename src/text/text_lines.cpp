#include "text/text_lines.h"

#include "text/file_io.h"

namespace quillory {

std::string JoinLines(const TextLines& lines) {
  size_t total = 0;
  for (const auto& line : lines) total += line.size() + kCrLf.size();
  std::string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += kCrLf;
  }
  return out;
}

std::string ReplaceLineBreaks(std::string_view text, std::string_view with) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  while (!text.empty()) {
    const size_t brk = text.find_first_of("\r\n");
    out.append(text.substr(0, brk));
    if (brk == std::string_view::npos) break;
    out += with;
    const bool crlf = text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n';
    text.remove_prefix(brk + (crlf ? 2 : 1));
  }
  return out;
}

void WriteLinesToFile(const std::string& path, const TextLines& lines) {
  ReplaceFileOrThrow(path, JoinLines(lines));
}

}  // namespace quillory
