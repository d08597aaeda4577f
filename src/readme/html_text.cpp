#include "readme/html_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/ascii.h"
#include "text/codepage.h"

namespace quillory {
namespace {

constexpr std::string_view kBreakTag = "<br />";
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The most bytes a page writes for one byte of text ("&#65533;" for a control byte), and for one character
// ("&#1114111;").
constexpr size_t kMostPerByte = 8;
constexpr size_t kMostPerCharacter = 10;

// Whether the page writes U+FFFD for ch: a control character other than tab, CR and LF, a C1 control, or
// one of the two noncharacters U+FFFE and U+FFFF (a malformed sequence counts as U+FFFF).
bool IsReplaced(char32_t ch) {
  return (ch < 0x20 && ch != '\t' && ch != '\r' && ch != '\n') || (ch >= 0x80 && ch < 0xA0) || ch == 0xFFFE ||
         ch == 0xFFFF;
}

// The reference of a character of the Basic Multilingual Plane: "&#NNN;" in at most 8 bytes.
struct BmpReference {
  char text[8];
  uint8_t size;
};

// Built on first use: a page in a script its character set lacks is mostly references.
const std::vector<BmpReference>& BmpReferences() {
  static const std::vector<BmpReference> references = [] {
    std::vector<BmpReference> table(0x10000);
    for (char32_t ch = 0; ch < 0x10000; ++ch) {
      const std::string text = "&#" + std::to_string(static_cast<unsigned>(ch)) + ";";
      std::memcpy(table[ch].text, text.data(), text.size());
      table[ch].size = static_cast<uint8_t>(text.size());
    }
    return table;
  }();
  return references;
}

// Writes "&#NNN;" for ch at `at` (kMostPerCharacter bytes of room), the references of the Basic
// Multilingual Plane taken from bmp; returns where it ends.
inline char* PutReference(char* at, char32_t ch, const BmpReference* bmp) {
  if (ch < 0x10000) {
    const BmpReference& reference = bmp[ch];
    std::memcpy(at, reference.text, sizeof reference.text);
    return at + reference.size;
  }
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + ch % 10);
    ch /= 10;
  } while (ch != 0);
  *at++ = '&';
  *at++ = '#';
  while (count > 0) *at++ = digits[--count];
  *at++ = ';';
  return at;
}

char* Put(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

// Writes a character that is not ASCII, or a control character, as Encoding has it; `bytes` are its UTF-8
// bytes in the text. Returns where it ends.
template <PageEncoding Encoding>
inline char* PutCharacter(char* at, char32_t ch, std::string_view bytes, const BmpReference* bmp) {
  if (IsReplaced(ch)) {
    return Encoding == PageEncoding::kUtf8 ? Put(at, kReplacementUtf8) : PutReference(at, kReplacement, bmp);
  }
  if constexpr (Encoding == PageEncoding::kUtf8) {
    return Put(at, bytes);
  } else if constexpr (Encoding == PageEncoding::kLatin1) {
    if (ch <= 0xFF) {
      *at = static_cast<char>(ch);
      return at + 1;
    }
  } else if constexpr (Encoding == PageEncoding::kWindows1252) {
    if (const auto byte = UnicodeToCp1252(ch)) {
      *at = static_cast<char>(*byte);
      return at + 1;
    }
  }
  return PutReference(at, ch, bmp);
}

// The position of the first byte at or after pos that a page may not copy as it is in a run: a byte that is
// not ASCII, a control byte, "&", "<", ">" or '"'; else end. Tab and LF stop the scan too, though they are
// copied.
size_t FindSpecial(const char* data, size_t pos, size_t end) {
#ifdef __SSE2__
  const __m128i space = _mm_set1_epi8(0x20), amp = _mm_set1_epi8('&'), lt = _mm_set1_epi8('<'),
                gt = _mm_set1_epi8('>'), quot = _mm_set1_epi8('"');
  for (; pos + 16 <= end; pos += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    // Compared as signed bytes, those of 0x80 and above are below the blank too.
    const __m128i special =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(bytes, space), _mm_cmpeq_epi8(bytes, amp)),
                     _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, lt), _mm_cmpeq_epi8(bytes, gt)),
                                  _mm_cmpeq_epi8(bytes, quot)));
    const int mask = _mm_movemask_epi8(special);
    if (mask != 0) return pos + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; pos < end; ++pos) {
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte < 0x20 || byte >= 0x80 || byte == '&' || byte == '<' || byte == '>' || byte == '"') break;
  }
  return pos;
}

// A run of copied bytes this long goes to the page directly rather than through the buffer.
constexpr size_t kDirectRun = 256;

// Appends text[begin, end) to out as page text in Encoding, through buffer (room for kMostPerByte bytes a
// byte of the part, and kMostPerCharacter more). The part should end neither inside a character nor between
// a CR and its LF; a malformed sequence that reaches past its end is taken whole. Returns where it stopped.
template <PageEncoding Encoding>
size_t AppendPart(std::string& out, std::string_view text, size_t begin, size_t end, bool line_breaks,
                  char* buffer) {
  const char* const data = text.data();
  const BmpReference* const bmp = Encoding == PageEncoding::kUtf8 ? nullptr : BmpReferences().data();
  char* at = buffer;
  size_t run_start = begin;
  size_t pos = begin;
  auto put_run = [&](size_t run_end) {
    const size_t length = run_end - run_start;
    if (length >= kDirectRun) {
      out.append(buffer, static_cast<size_t>(at - buffer));
      at = buffer;
      out.append(data + run_start, length);
    } else {
      at = Put(at, text.substr(run_start, length));
    }
  };
  while (pos < end) {
    pos = FindSpecial(data, pos, end);
    if (pos >= end) break;
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte == '\t' || byte == '\n') {
      ++pos;  // copied with the run
      continue;
    }
    put_run(pos);
    switch (byte) {
      case '&':
        at = Put(at, "&amp;");
        ++pos;
        break;
      case '<':
        at = Put(at, "&lt;");
        ++pos;
        break;
      case '>':
        at = Put(at, "&gt;");
        ++pos;
        break;
      case '"':
        at = Put(at, "&quot;");
        ++pos;
        break;
      case '\r':
        if (line_breaks && pos + 1 < end && data[pos + 1] == '\n') {
          at = Put(at, kBreakTag);
          pos += 2;
        } else {
          *at++ = '\r';
          ++pos;
        }
        break;
      default:
        if (byte < 0x80) {
          at = PutCharacter<Encoding>(at, byte, {}, bmp);  // a control character
          ++pos;
        } else {
          // Characters that are not ASCII come in runs (a word of another script): taken one after the
          // other without scanning for the next special byte in between.
          do {
            const size_t start = pos;
            // A malformed sequence counts as U+FFFF, which is replaced like the controls.
            const char32_t ch = NextUtf8Or(text, pos, 0xFFFF);
            at = PutCharacter<Encoding>(at, ch, text.substr(start, pos - start), bmp);
          } while (pos < end && static_cast<unsigned char>(data[pos]) >= 0x80);
        }
        break;
    }
    run_start = pos;
  }
  if (run_start < end) put_run(end);
  out.append(buffer, static_cast<size_t>(at - buffer));
  return std::max(pos, end);
}

// The number of bytes of text that are not ASCII.
size_t CountNonAscii(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += static_cast<unsigned char>(c) >> 7;
  return count;
}

// With a sink that hands its bytes on, out is its text and is handed on after each part.
template <PageEncoding Encoding>
void AppendAs(std::string& out, std::string_view text, bool line_breaks, ByteSink* sink = nullptr) {
  // Room for what the text most likely becomes, so that a long text is written into one block: a character
  // that is not ASCII takes at most four bytes a byte of it as a reference ("&#128;" for U+0080); the
  // escaped ASCII characters are rare. Only the part written is ever touched.
  const size_t non_ascii = Encoding == PageEncoding::kUtf8 ? 0 : CountNonAscii(text);
  if (!sink || !sink->hands_on())
    out.reserve(out.size() + text.size() + 3 * non_ascii + text.size() / 16 + 16);
  // The text goes through a buffer in parts of at most kPart bytes.
  constexpr size_t kPart = 64 * 1024;
  const size_t part = std::min(text.size(), kPart);
  const size_t room = part * kMostPerByte + kMostPerCharacter;
  char small[1024];
  std::unique_ptr<char[]> large;
  char* buffer = small;
  if (room > sizeof small) {
    large.reset(new char[room]);
    buffer = large.get();
  }
  for (size_t begin = 0; begin < text.size();) {
    size_t end = std::min(text.size(), begin + kPart);
    if (end < text.size()) {
      // Back to the start of a character (a malformed run of continuation bytes may be cut anywhere), and
      // never between CR and LF.
      for (int back = 0;
           back < 3 && end > begin + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++back) {
        --end;
      }
      if (text[end] == '\n' && text[end - 1] == '\r' && end > begin + 1) --end;
    }
    begin = AppendPart<Encoding>(out, text, begin, end, line_breaks, buffer);
    if (sink) sink->Spill();
  }
}

}  // namespace

bool IsAsciiCompatibleCharset(std::string_view charset) {
  // The name's letters and digits, lower case: "UTF-16LE", "utf_16le" and "utf16le" are one name.
  std::string name;
  for (char c : charset) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) name += c;
    if (c >= 'A' && c <= 'Z') name += static_cast<char>(c - 'A' + 'a');
  }
  // Encodings that write ASCII as other bytes (UTF-16, UTF-32, UCS, EBCDIC) or let ASCII text shift into
  // other characters (UTF-7's "+...-", HZ's "~{").
  for (std::string_view part : {"utf7", "utf16", "utf32", "ucs2", "ucs4", "unicode", "ebcdic", "hzgb"}) {
    if (name.find(part) != std::string::npos) return false;
  }
  if (name == "hz") return false;
  // The EBCDIC code pages by number: "IBM037", "cp500", "CCSID1047", "csIBM273"...
  for (std::string_view prefix : {"csibm", "ibm", "cp", "ccsid", "xibm"}) {
    if (!name.starts_with(prefix)) continue;
    std::string_view number = std::string_view(name).substr(prefix.size());
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    for (std::string_view ebcdic :
         {"37",   "273",  "277",  "278",  "280",  "284",  "285",  "290",  "297",  "420",  "423",  "424",
          "500",  "833",  "834",  "835",  "836",  "837",  "838",  "870",  "871",  "875",  "880",  "905",
          "918",  "924",  "930",  "931",  "933",  "935",  "937",  "939",  "1025", "1026", "1027", "1047",
          "1097", "1112", "1122", "1123", "1130", "1132", "1137", "1140", "1141", "1142", "1143", "1144",
          "1145", "1146", "1147", "1148", "1149", "1153", "1154", "1155", "1156", "1157", "1158", "1159",
          "1160", "1164", "1364", "1371", "1388", "1390", "1399"}) {
      if (number == ebcdic) return false;
    }
  }
  return true;
}

std::string_view DeclaredCharset(std::string_view charset) {
  return IsAsciiCompatibleCharset(charset) ? charset : "utf-8";
}

PageEncoding PageEncodingFor(std::string_view charset) {
  if (!IsAsciiCompatibleCharset(charset)) return PageEncoding::kUtf8;
  if (EqualsIgnoringAsciiCase(charset, "utf-8")) return PageEncoding::kUtf8;
  if (EqualsIgnoringAsciiCase(charset, "iso-8859-1")) return PageEncoding::kLatin1;
  if (EqualsIgnoringAsciiCase(charset, "windows-1252")) return PageEncoding::kWindows1252;
  return PageEncoding::kCharacterReferences;
}

void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding, bool line_breaks) {
  switch (encoding) {
    case PageEncoding::kLatin1:
      return AppendAs<PageEncoding::kLatin1>(out, value, line_breaks);
    case PageEncoding::kWindows1252:
      return AppendAs<PageEncoding::kWindows1252>(out, value, line_breaks);
    case PageEncoding::kUtf8:
      return AppendAs<PageEncoding::kUtf8>(out, value, line_breaks);
    case PageEncoding::kCharacterReferences:
      return AppendAs<PageEncoding::kCharacterReferences>(out, value, line_breaks);
  }
}

void AppendPageText(ByteSink& sink, std::string_view value, PageEncoding encoding, bool line_breaks) {
  std::string& out = sink.text();
  switch (encoding) {
    case PageEncoding::kLatin1:
      return AppendAs<PageEncoding::kLatin1>(out, value, line_breaks, &sink);
    case PageEncoding::kWindows1252:
      return AppendAs<PageEncoding::kWindows1252>(out, value, line_breaks, &sink);
    case PageEncoding::kUtf8:
      return AppendAs<PageEncoding::kUtf8>(out, value, line_breaks, &sink);
    case PageEncoding::kCharacterReferences:
      return AppendAs<PageEncoding::kCharacterReferences>(out, value, line_breaks, &sink);
  }
}

std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks) {
  std::string out;
  AppendPageText(out, value, encoding, line_breaks);
  return out;
}

}  // namespace quillory
