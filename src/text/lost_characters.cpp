#include "text/lost_characters.h"

#include <unicode/uchar.h>

#include <cstdio>

#include "text/codepage.h"

namespace quillory {

std::string CharacterList(const std::vector<char32_t>& characters) {
  std::string list;
  for (char32_t ch : characters) {
    if (!list.empty()) list += ", ";
    // A character that shows nothing (a control, a blank, a joiner) is named by its code.
    if (u_isgraph(static_cast<UChar32>(ch))) {
      AppendUtf8(list, ch);
    } else {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
      list += code;
    }
  }
  return list;
}

}  // namespace quillory
