#include "readme/link_rule.h"

#include <string>

#include "text/ascii.h"

namespace quillory {

bool IsSafeLinkTarget(std::string_view value) {
  std::string target;
  target.reserve(value.size());
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte != 0x7F) target += AsciiLower(c);
  }
  for (std::string_view web : {"http://", "https://", "ftp://"}) {
    if (target.starts_with(web)) return true;
  }
  const size_t end = target.find_first_of(":/?#");
  return end == std::string::npos || target[end] != ':';
}

}  // namespace quillory
