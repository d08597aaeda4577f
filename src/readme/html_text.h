#pragma once

#include <string>
#include <string_view>

namespace quillory {

// How the page writes the record's Windows-1252 text so that its bytes match the character set it
// declares.
enum class PageEncoding {
  kRecordBytes,          // iso-8859-1 and windows-1252: the record's bytes as they are
  kUtf8,                 // utf-8: each character as UTF-8
  kCharacterReferences,  // any other name: each non-ASCII character as "&#NNN;"
};

// The encoding for a declared character set name (letter case ignored).
PageEncoding PageEncodingFor(std::string_view charset);

// Appends value to out as page text: "&", "<", ">" and '"' become entity references and non-ASCII bytes
// follow encoding. With line_breaks, every CR LF becomes "<br />" (after the escaping).
void AppendPageText(std::string& out, std::string_view value, PageEncoding encoding,
                    bool line_breaks = false);

// AppendPageText into a new string.
std::string PageText(std::string_view value, PageEncoding encoding, bool line_breaks = false);

}  // namespace quillory
