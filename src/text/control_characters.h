#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillory {

// The control characters a text output does not write as themselves (a terminal would act on them):
// U+0000 to U+001F other than tab, CR and LF, U+007F, and the C1 controls U+0080 to U+009F.
constexpr bool IsUnwrittenControl(char32_t ch) {
  return (ch < 0x20 && ch != '\t' && ch != '\r' && ch != '\n') || (ch >= 0x7F && ch < 0xA0);
}

inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The position of the first unwritten control character in UTF-8 text at or after from (a C1 control is
// the two bytes C2 80 to C2 9F), or text.size().
std::size_t FindUnwrittenControl(std::string_view utf8, std::size_t from = 0);
// FindUnwrittenControl, or the first character above U+00FF if that comes sooner: what a check for
// Windows-1252 has to look at (every other character is in it).
std::size_t FindUnwrittenControlOrBeyondLatin1(std::string_view utf8, std::size_t from = 0);

// The size of the UTF-8 form of the control character at pos (1 or 2), as FindUnwrittenControl found it.
inline std::size_t UnwrittenControlSize(std::string_view utf8, std::size_t pos) {
  return static_cast<unsigned char>(utf8[pos]) == 0xC2 ? 2 : 1;
}

// Calls run(piece) for each stretch of UTF-8 text without unwritten control characters, and run(replacement)
// in place of each such character, in order.
template <typename Run>
void ForEachWrittenRun(std::string_view utf8, std::string_view replacement, Run run) {
  std::size_t pos = 0;
  for (;;) {
    const std::size_t control = FindUnwrittenControl(utf8, pos);
    if (control > pos) run(utf8.substr(pos, control - pos));
    if (control == utf8.size()) return;
    run(replacement);
    pos = control + UnwrittenControlSize(utf8, control);
  }
}

// Appends UTF-8 text to out with each unwritten control character as replacement (U+FFFD by default).
void AppendWithoutControls(std::string& out, std::string_view utf8,
                           std::string_view replacement = kReplacementCharacter);

}  // namespace quillory
