#pragma once

#include "project/readme_project.h"
#include "text/text_lines.h"

namespace quillory {

// The framed plain-text README of the record, in UTF-8. Reads the record only; cannot fail.
TextLines BuildTextReadme(const ReadmeProject& record);

// The bytes of the text README: Windows-1252 when the record's document is Windows-1252 and the code page
// holds every character of the README; otherwise UTF-8 after a byte-order mark. Cannot fail.
std::string TextReadmeBytes(const ReadmeProject& record);

}  // namespace quillory
