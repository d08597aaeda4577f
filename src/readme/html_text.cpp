#include "readme/html_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/ascii.h"
#include "text/codepage.h"

namespace quillory {
namespace {

constexpr std::string_view kBreakTag = "<br />";

// What each byte becomes in one encoding. Bytes that stay as they are are copied in runs; CR is never one
// of them, since with the following LF it may be a line break.
struct ByteTable {
  std::array<bool, 256> copied{};
  std::array<uint8_t, 256> size{};
  std::array<std::string, 256> replacement;
};

// Whether a page writes U+FFFD for the byte: a control byte other than tab, CR and LF, or one of the five
// bytes Windows-1252 leaves undefined.
bool IsReplaced(unsigned char byte) {
  if (byte < 0x20) return byte != '\t' && byte != '\r' && byte != '\n';
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

std::string CharacterReference(char32_t ch) {
  return "&#" + std::to_string(static_cast<unsigned long>(ch)) + ";";
}

ByteTable MakeByteTable(PageEncoding encoding) {
  constexpr char32_t kReplacement = 0xFFFD;
  ByteTable table;
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const char32_t ch = IsReplaced(byte) ? kReplacement : Cp1252ToUnicode(byte);
    std::string& text = table.replacement[byte];
    bool as_byte = false;
    switch (encoding) {
      case PageEncoding::kLatin1:
        as_byte = ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF);
        break;
      case PageEncoding::kWindows1252:
        as_byte = ch != kReplacement;
        break;
      case PageEncoding::kUtf8:
        AppendUtf8(text, ch);
        break;
      case PageEncoding::kCharacterReferences:
        as_byte = ch < 0x80;
        break;
    }
    if (as_byte) {
      text = static_cast<char>(byte);
    } else if (text.empty()) {
      text = CharacterReference(ch);
    }
    table.copied[byte] = text.size() == 1 && text[0] == static_cast<char>(byte) && byte != '\r';
  }
  table.replacement['&'] = "&amp;";
  table.replacement['<'] = "&lt;";
  table.replacement['>'] = "&gt;";
  table.replacement['"'] = "&quot;";
  for (unsigned char escaped : {'&', '<', '>', '"'}) table.copied[escaped] = false;
  for (int b = 0; b < 256; ++b) table.size[b] = static_cast<uint8_t>(table.replacement[b].size());
  return table;
}

const ByteTable& ByteTableFor(PageEncoding encoding) {
  static const std::array<ByteTable, 4> tables = {
      MakeByteTable(PageEncoding::kLatin1), MakeByteTable(PageEncoding::kWindows1252),
      MakeByteTable(PageEncoding::kUtf8), MakeByteTable(PageEncoding::kCharacterReferences)};
  return tables[static_cast<size_t>(encoding)];
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
  const ByteTable& table = ByteTableFor(encoding);
  // Measure first, so that a long text is written into one allocation.
  size_t size = 0;
  for (size_t pos = 0; pos < value.size(); ++pos) {
    size += table.size[static_cast<unsigned char>(value[pos])];
    if (line_breaks && IsLineBreak(value, pos)) size += kBreakTag.size() - 2;  // CR LF counted already
  }
  out.reserve(out.size() + size);

  size_t pos = 0;
  while (pos < value.size()) {
    const size_t run_start = pos;
    while (pos < value.size() && table.copied[static_cast<unsigned char>(value[pos])]) ++pos;
    out.append(value, run_start, pos - run_start);
    if (pos == value.size()) break;
    if (line_breaks && IsLineBreak(value, pos)) {
      out += kBreakTag;
      pos += 2;
    } else {
      out += table.replacement[static_cast<unsigned char>(value[pos++])];
    }
  }
}

std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks) {
  std::string out;
  AppendPageText(out, value, encoding, line_breaks);
  return out;
}

}  // namespace quillory
