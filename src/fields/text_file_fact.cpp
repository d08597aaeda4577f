#include "fields/text_file_fact.h"

#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

bool HasNonAscii(std::string_view bytes) {
  for (unsigned char c : bytes) {
    if (c >= 0x80) return true;
  }
  return false;
}

}  // namespace

std::string TextFileAsFact(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    return ReplaceLineBreaks(Utf8ToCp1252(bytes), kCrLf);
  }
  if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return ReplaceLineBreaks(Utf8ToCp1252(bytes), kCrLf);
  return ReplaceLineBreaks(bytes, kCrLf);
}

}  // namespace quillory
