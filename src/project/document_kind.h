#pragma once

#include <string_view>

namespace quillory {

// Whether bytes are a Quillory project document, the one rule every reader and writer of documents follows
// before it opens a file as a document or writes a document over it. A document is text (as
// IsProjectDocumentText has it: UTF-16 read by its encoding) and either
// - empty: nothing but blanks (space, tab) and line breaks (CR, LF) after an optional byte-order mark, a
//   file of 0 bytes included, so a new empty file may become a document; or
// - holds an [html] or a [readme] section as IniDocument reads it (names ignore case, blanks trimmed, the
//   section may be empty).
// Anything else (a user's notes, another program's settings, a picture) is not.
bool IsProjectDocumentBytes(std::string_view bytes);

}  // namespace quillory
