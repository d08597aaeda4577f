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

void WriteLinesToFile(const std::string& path, const TextLines& lines) {
  ReplaceFileOrThrow(path, JoinLines(lines));
}

}  // namespace quillory
