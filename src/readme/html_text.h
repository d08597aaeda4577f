#pragma once

#include <string>
#include <string_view>

#include "text/byte_sink.h"

namespace quillory {

// How the page writes the record's text (UTF-8) so that its bytes match the character set it declares. In
// every encoding the control characters other than tab, CR and LF, the C1 controls (U+0080 to U+009F) and
// U+FFFE and U+FFFF stand for U+FFFD, since no XML reader accepts them.
enum class PageEncoding {
  kLatin1,               // iso-8859-1: ASCII and U+00A0 to U+00FF as bytes, other characters as "&#NNN;"
  kWindows1252,          // windows-1252: what the code page holds as its byte, other characters as "&#NNN;"
  kUtf8,                 // utf-8: each character as itself
  kCharacterReferences,  // any other name: each non-ASCII character as "&#NNN;"
};

// Whether a character set writes ASCII as ASCII bytes and nothing of ASCII text turns into other
// characters: false for UTF-7, UTF-16, UTF-32, UCS-2, UCS-4, HZ and the EBCDIC code pages, in any spelling
// ("UTF-16LE", "utf_32", "IBM037", "cp500", "ebcdic-cp-us"). In such a set a value's text could turn into
// markup (UTF-7 reads the ASCII "+ADw-" as "<"), so the page declares and writes UTF-8 instead.
bool IsAsciiCompatibleCharset(std::string_view charset);

// The character set a page with chr charset declares: charset, or "utf-8" for one that is not
// ASCII-compatible.
std::string_view DeclaredCharset(std::string_view charset);

// The encoding for a declared character set name (letter case ignored); kUtf8 for one that is not
// ASCII-compatible.
PageEncoding PageEncodingFor(std::string_view charset);

// Appends value (UTF-8) to out as page text: "&", "<", ">" and '"' become entity references and the other
// characters follow encoding. With line_breaks, every CR LF becomes "<br />" (after the escaping).
void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding,
                    bool line_breaks = false);

// AppendPageText into the sink's text, handing it on part by part, so that a long value is never held
// whole as page text. Fails only as the sink's writer does.
void AppendPageText(ByteSink& sink, std::string_view value, PageEncoding encoding, bool line_breaks = false);

// AppendPageText into a new string.
std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks = false);

}  // namespace quillory
