#pragma once

#include "project/readme_project.h"
#include "text/byte_sink.h"
#include "text/text_lines.h"

namespace quillory {

// The framed plain-text README of the record, in UTF-8. Reads the record only; cannot fail.
TextLines BuildTextReadme(const ReadmeProject& record);

// Writes the bytes of the text README into sink: Windows-1252 when the record's document is Windows-1252
// and the code page holds every character of the README; otherwise UTF-8 after a byte-order mark. A control
// character other than tab, CR and LF (U+0000 to U+001F, U+007F to U+009F) is written as U+FFFD, or "?" in
// Windows-1252. Fails only as the sink's writer does.
void WriteTextReadme(const ReadmeProject& record, ByteSink& sink);

// The bytes WriteTextReadme writes, as one string. Cannot fail.
std::string TextReadmeBytes(const ReadmeProject& record);

}  // namespace quillory
