#pragma once

#include <string>
#include <string_view>

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

// The encoding for a declared character set name (letter case ignored).
PageEncoding PageEncodingFor(std::string_view charset);

// Appends value (UTF-8) to out as page text: "&", "<", ">" and '"' become entity references and the other
// characters follow encoding. With line_breaks, every CR LF becomes "<br />" (after the escaping).
void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding,
                    bool line_breaks = false);

// AppendPageText into a new string.
std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks = false);

}  // namespace quillory
