#include "readme/html_text.h"

#include <algorithm>
#include <array>

#include "text/codepage.h"

namespace quillory {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

// For each byte, whether it is copied as it is. The others are the four escaped characters, CR (which may
// start a line break) and, unless the record's bytes are kept, every non-ASCII byte.
using CopyTable = std::array<bool, 256>;

constexpr CopyTable MakeCopyTable(bool keep_high_bytes) {
  CopyTable table{};
  for (int b = 0; b < 256; ++b) table[b] = b < 0x80 || keep_high_bytes;
  for (unsigned char special : {'&', '<', '>', '"', '\r'}) table[special] = false;
  return table;
}

constexpr CopyTable kCopyAscii = MakeCopyTable(false);
constexpr CopyTable kCopyAll = MakeCopyTable(true);

void AppendSpecial(std::string& out, std::string_view value, size_t& pos, PageEncoding encoding,
                   bool line_breaks) {
  const auto byte = static_cast<unsigned char>(value[pos++]);
  switch (byte) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\r':
      if (line_breaks && pos < value.size() && value[pos] == '\n') {
        out += "<br />";
        ++pos;
      } else {
        out += '\r';
      }
      return;
  }
  const char32_t ch = Cp1252ToUnicode(byte);
  if (encoding == PageEncoding::kUtf8) {
    AppendUtf8(out, ch);
  } else {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(ch));
    out += ';';
  }
}

}  // namespace

PageEncoding PageEncodingFor(std::string_view charset) {
  if (EqualsIgnoringCase(charset, "utf-8")) return PageEncoding::kUtf8;
  if (EqualsIgnoringCase(charset, "iso-8859-1") || EqualsIgnoringCase(charset, "windows-1252")) {
    return PageEncoding::kRecordBytes;
  }
  return PageEncoding::kCharacterReferences;
}

void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding, bool line_breaks) {
  const CopyTable& copy = encoding == PageEncoding::kRecordBytes ? kCopyAll : kCopyAscii;
  size_t pos = 0;
  while (pos < value.size()) {
    // Copy the longest run that needs no change in one piece.
    const size_t run_start = pos;
    while (pos < value.size() && copy[static_cast<unsigned char>(value[pos])]) ++pos;
    out.append(value, run_start, pos - run_start);
    if (pos < value.size()) AppendSpecial(out, value, pos, encoding, line_breaks);
  }
}

std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks) {
  std::string out;
  AppendPageText(out, value, encoding, line_breaks);
  return out;
}

}  // namespace quillory
