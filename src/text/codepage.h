#pragma once

#include <optional>
#include <string>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillory {

// The record holds UTF-8; documents and READMEs may be Windows-1252, the NFO is CP437. Both tables cover
// all 256 byte values, so decoding and encoding again gives the same bytes (the five bytes Windows-1252
// leaves undefined stand for the C1 controls of the same value).

// The byte-order mark an editor may put before UTF-8 text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The Unicode character of a Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a Unicode character, or nothing when the code page cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t ch);

// The Unicode glyph of a CP437 byte. Bytes below 0x80 are ASCII (control bytes stay control bytes, so CR
// and LF keep breaking lines).
char32_t Cp437ToUnicode(unsigned char byte);
// The CP437 byte of a Unicode character, or nothing when CP437 has no such glyph.
std::optional<unsigned char> UnicodeToCp437(char32_t ch);

// The position of the first byte at or after `from` that is not ASCII (0x80 or above), else text.size().
// Inline: the converters call it between every two characters that are not ASCII.
inline size_t FindNonAscii(std::string_view text, size_t from = 0) {
  const char* const data = text.data();
  const size_t size = text.size();
  size_t pos = from;
#ifdef __SSE2__
  for (; pos + 16 <= size; pos += 16) {
    const int mask = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos)));
    if (mask != 0) return pos + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  while (pos < size && static_cast<unsigned char>(data[pos]) < 0x80) ++pos;
  return pos;
}

// The UTF-8 form of a Windows-1252 byte (one to three bytes).
std::string_view Cp1252ByteAsUtf8(unsigned char byte);

// Windows-1252 bytes as UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 text as Windows-1252 bytes; a character the code page cannot hold (or a malformed sequence)
// becomes `replacement`. `lossless`, when given, tells whether nothing was replaced.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?', bool* lossless = nullptr);
// Appends UTF-8 text to out as Windows-1252 bytes. Returns false at the first character the code page
// cannot hold (or a malformed sequence); out then holds a part of the text.
bool AppendUtf8AsCp1252(std::string& out, std::string_view utf8);
// UTF-8 text as Windows-1252 bytes, or nothing when a character does not fit.
std::optional<std::string> Utf8AsCp1252(std::string_view utf8);
// How many bytes at the start of cp1252 are the Windows-1252 encoding of utf8 (utf8.size() at most), or
// std::string_view::npos when they are not (or a character does not fit). Compares without building.
size_t MatchCp1252Prefix(std::string_view cp1252, std::string_view utf8);

// UTF-8 text with each byte that does not start a well-formed sequence read as its Windows-1252 character,
// so that text partly written by an 8-bit editor keeps its letters.
std::string RepairedUtf8(std::string_view bytes);

// UTF-16 text (without its byte-order mark) as UTF-8; a lone surrogate or a last odd byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool big_endian);
// UTF-8 text as UTF-16 bytes (no byte-order mark); a malformed sequence becomes U+FFFD.
std::string Utf8ToUtf16(std::string_view utf8, bool big_endian);

// CP437 bytes as UTF-8 glyphs, and back ("?" for a glyph CP437 lacks).
std::string Cp437ToUtf8(std::string_view bytes);
std::string Utf8ToCp437(std::string_view utf8, char replacement = '?', bool* lossless = nullptr);

// The CP437 bytes (one to four) an NFO writes for a Windows-1252 byte: ASCII as it is; a character CP437
// has outside its control range as its byte; otherwise the nearest ASCII ("(C)", "EUR", "S" for Š, "\""
// for “), else "?". Never a byte below 0x20 or 0x7F for a byte that was not one already.
std::string_view Cp1252ToCp437(unsigned char byte);
// Windows-1252 text as the CP437 bytes an NFO writes for it, byte by byte as above.
std::string Cp1252ToCp437(std::string_view text);

// Appends the UTF-8 form of ch.
void AppendUtf8(std::string& out, char32_t ch);

// Decodes the UTF-8 character at text[pos], advancing pos. A malformed sequence yields nothing and
// advances by one byte. Inline: every converter calls it for each character that is not ASCII.
inline std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t ch = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, ch = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, ch = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, ch = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    ch = (ch << 6) | (next & 0x3F);
  }
  if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    ++pos;
    return std::nullopt;
  }
  pos += extra + 1;
  return ch;
}

// NextUtf8 with a quick path for the two- and three-byte sequences of most scripts; a malformed sequence
// gives `malformed`. For writers that take every character that is not ASCII one after the other.
inline __attribute__((always_inline)) char32_t NextUtf8Or(std::string_view text, size_t& pos,
                                                          char32_t malformed) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned lead = bytes[pos];
  if (lead >= 0xC2 && lead < 0xE0 && pos + 1 < text.size() && (bytes[pos + 1] & 0xC0) == 0x80) {
    const char32_t ch = ((lead & 0x1F) << 6) | (bytes[pos + 1] & 0x3F);
    pos += 2;
    return ch;
  }
  // E1 to EF but ED: no overlong form and no surrogate can start with these.
  if (lead >= 0xE1 && lead < 0xF0 && lead != 0xED && pos + 2 < text.size() &&
      (bytes[pos + 1] & 0xC0) == 0x80 && (bytes[pos + 2] & 0xC0) == 0x80) {
    const char32_t ch = ((lead & 0x0F) << 12) | ((bytes[pos + 1] & 0x3F) << 6) | (bytes[pos + 2] & 0x3F);
    pos += 3;
    return ch;
  }
  return NextUtf8(text, pos).value_or(malformed);
}

// Whether text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// The same check a character at a time, which IsValidUtf8 falls back on where the processor lacks SSSE3.
bool IsValidUtf8Portable(std::string_view text);

}  // namespace quillory
