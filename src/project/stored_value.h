#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/document_encoding.h"
#include "project/facts.h"
#include "project/readme_project.h"

namespace quillory {

// How a value is stored in a project document's text and read back. A multi-line value is stored on its
// key's one line with the character ¤ for each line break: byte A4 in a Windows-1252 document, U+00A4
// (bytes C2 A4) in the UTF forms, never a lone byte A4 there (it occurs inside other characters).

// The text a stored value is in: Windows-1252 bytes, or UTF-8 (a UTF-16 document's text is decoded to
// UTF-8 before it is read).
enum class StoredText {
  kWindows1252,
  kUtf8,           // well-formed UTF-8
  kUtf8Malformed,  // UTF-8 that holds malformed sequences: each such byte reads as its Windows-1252 character
};

// The text of a document's decoded bytes.
StoredText StoredTextOf(const DocumentText& document);

// A stored value (as IniDocument reads it) as the record holds it: UTF-8, and for a multi-line value CR LF
// for each ¤. Cannot fail.
std::string RecordValue(std::string_view stored, bool multi_line, StoredText text);

// A record value (UTF-8) as stored in a document whose text is Windows-1252 (as_utf8 false) or UTF-8: a
// multi-line value with ¤ for each line break (CR LF, lone CR or LF) and inside double quotes where the
// reader would otherwise change it (surrounding blanks, enclosing quotes); a one-line value with a blank for
// each line break. Nothing when Windows-1252 cannot hold one of its characters.
std::optional<std::string> StoredValue(std::string_view utf8, bool multi_line, bool as_utf8);

// Whether stored is exactly what StoredValue gives for utf8, compared without building it; false as well
// when Windows-1252 cannot hold a character.
bool StoredValueMatches(std::string_view stored, std::string_view utf8, bool multi_line, bool as_utf8);

// The first multi-line fact of the record that holds the character ¤, which its document would read back as
// a line break; nullptr when there is none. Such a record is not to be saved.
const Fact* FindUnstorableText(const ReadmeProject& record);

// A record value (UTF-8) in the encoding of the record's document, line breaks as they are: Windows-1252
// ("?" for a character it lacks), UTF-8, or UTF-16 without a mark.
std::string ValueInDocumentEncoding(std::string_view utf8, DocumentEncoding encoding);

}  // namespace quillory
