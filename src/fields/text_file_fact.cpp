#include "fields/text_file_fact.h"

#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory {

std::string TextFileAsFact(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    return ReplaceLineBreaks(IsValidUtf8(bytes) ? std::string(bytes) : RepairedUtf8(bytes), kCrLf);
  }
  if (FindNonAscii(bytes) < bytes.size() && IsValidUtf8(bytes)) return ReplaceLineBreaks(bytes, kCrLf);
  return ReplaceLineBreaks(Cp1252ToUtf8(bytes), kCrLf);
}

}  // namespace quillory
