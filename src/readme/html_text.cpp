#include "readme/html_text.h"

#include <array>
#include <charconv>

#include "text/ascii.h"
#include "text/codepage.h"

namespace quillory {
namespace {

constexpr std::string_view kBreakTag = "<br />";
constexpr char32_t kReplacement = 0xFFFD;

// What each ASCII byte becomes: an empty entry is copied as it is. CR is never copied in a run, since with
// the following LF it may be a line break.
const std::array<std::string_view, 128>& AsciiForms() {
  static const std::array<std::string_view, 128> forms = [] {
    std::array<std::string_view, 128> table{};
    for (int b = 0; b < 0x20; ++b) {
      if (b != '\t' && b != '\r' && b != '\n') table[b] = "-";  // not copied: written as U+FFFD
    }
    table['\r'] = "\r";
    table['&'] = "&amp;";
    table['<'] = "&lt;";
    table['>'] = "&gt;";
    table['"'] = "&quot;";
    return table;
  }();
  return forms;
}

// Whether the page writes U+FFFD for ch.
bool IsReplaced(char32_t ch) {
  return (ch < 0x20 && ch != '\t' && ch != '\r' && ch != '\n') || (ch >= 0x80 && ch < 0xA0) || ch == 0xFFFE ||
         ch == 0xFFFF;
}

void AppendReference(std::string& out, char32_t ch) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned long>(ch)).ptr;
  out += "&#";
  out.append(digits, end);
  out += ';';
}

// Appends a character that is not ASCII (or a replaced control) as encoding writes it; `bytes` are its
// UTF-8 bytes in the value.
void AppendCharacter(std::string& out, char32_t ch, std::string_view bytes, PageEncoding encoding) {
  if (IsReplaced(ch)) {
    if (encoding == PageEncoding::kUtf8) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendReference(out, kReplacement);
    }
    return;
  }
  switch (encoding) {
    case PageEncoding::kUtf8:
      out += bytes;
      return;
    case PageEncoding::kLatin1:
      if (ch <= 0xFF) {
        out += static_cast<char>(ch);
        return;
      }
      break;
    case PageEncoding::kWindows1252:
      if (const auto byte = UnicodeToCp1252(ch)) {
        out += static_cast<char>(*byte);
        return;
      }
      break;
    case PageEncoding::kCharacterReferences:
      break;
  }
  AppendReference(out, ch);
}

bool IsLineBreak(std::string_view value, size_t pos) {
  return value[pos] == '\r' && pos + 1 < value.size() && value[pos + 1] == '\n';
}

}  // namespace

PageEncoding PageEncodingFor(std::string_view charset) {
  if (EqualsIgnoringAsciiCase(charset, "utf-8")) return PageEncoding::kUtf8;
  if (EqualsIgnoringAsciiCase(charset, "iso-8859-1")) return PageEncoding::kLatin1;
  if (EqualsIgnoringAsciiCase(charset, "windows-1252")) return PageEncoding::kWindows1252;
  return PageEncoding::kCharacterReferences;
}

void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding, bool line_breaks) {
  const auto& ascii = AsciiForms();
  out.reserve(out.size() + value.size() + value.size() / 8);
  const size_t size = value.size();
  size_t pos = 0;
  while (pos < size) {
    const size_t run_start = pos;
    while (pos < size) {
      const auto byte = static_cast<unsigned char>(value[pos]);
      if (byte >= 0x80 || !ascii[byte].empty()) break;
      ++pos;
    }
    out.append(value, run_start, pos - run_start);
    if (pos == size) break;
    const auto byte = static_cast<unsigned char>(value[pos]);
    if (byte < 0x80) {
      if (line_breaks && IsLineBreak(value, pos)) {
        out += kBreakTag;
        pos += 2;
      } else if (byte < 0x20 && byte != '\r') {
        AppendCharacter(out, byte, {}, encoding);
        ++pos;
      } else {
        out += ascii[byte];
        ++pos;
      }
      continue;
    }
    const size_t start = pos;
    // A malformed sequence counts as U+FFFF, which is replaced like the controls.
    const char32_t ch = NextUtf8(value, pos).value_or(0xFFFF);
    AppendCharacter(out, ch, value.substr(start, pos - start), encoding);
  }
}

std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks) {
  std::string out;
  AppendPageText(out, value, encoding, line_breaks);
  return out;
}

}  // namespace quillory
