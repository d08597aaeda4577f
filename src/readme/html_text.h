#pragma once

#include <string>
#include <string_view>

namespace quillory {

// How the page writes the record's Windows-1252 text so that its bytes match the character set it
// declares. In every encoding the control bytes other than tab, CR and LF, and the five bytes Windows-1252
// leaves undefined, stand for U+FFFD, since no XML reader accepts them.
enum class PageEncoding {
  kLatin1,               // iso-8859-1: ASCII and 0xA0 to 0xFF as bytes, other characters as "&#NNN;"
  kWindows1252,          // windows-1252: the record's bytes, U+FFFD as "&#65533;"
  kUtf8,                 // utf-8: each character as UTF-8
  kCharacterReferences,  // any other name: each non-ASCII character as "&#NNN;"
};

// The encoding for a declared character set name (letter case ignored).
PageEncoding PageEncodingFor(std::string_view charset);

// Appends value to out as page text: "&", "<", ">" and '"' become entity references and the other
// characters follow encoding. With line_breaks, every CR LF becomes "<br />" (after the escaping).
void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding,
                    bool line_breaks = false);

// AppendPageText into a new string.
std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks = false);

}  // namespace quillory
