#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// The record, the project document and the README files hold Windows-1252 bytes; the NFO holds CP437
// bytes. Both tables cover all 256 byte values, so decoding and encoding again gives the same bytes
// (the five bytes Windows-1252 leaves undefined stand for the C1 controls of the same value).

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

// Windows-1252 bytes as UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 text as Windows-1252 bytes; a character the code page cannot hold (or a malformed sequence)
// becomes `replacement`. `lossless`, when given, tells whether nothing was replaced.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?', bool* lossless = nullptr);

// UTF-16 text (without its byte-order mark) as Windows-1252 bytes; a character the code page cannot hold,
// a lone surrogate or a last odd byte becomes `replacement`.
std::string Utf16ToCp1252(std::string_view bytes, bool big_endian, char replacement = '?');

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
// advances by one byte.
std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos);

// Whether text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace quillory
