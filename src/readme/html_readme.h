#pragma once

#include "project/readme_project.h"
#include "text/byte_sink.h"
#include "text/text_lines.h"

namespace quillory {

// The exported page and the preview page differ only in the headings of the change-log and to-do
// sections.
enum class HtmlVariant { kExport, kPreview };

// The XHTML 1.1 README page of the record, line by line, as the bytes to write: every inserted value is
// escaped and encoded for the character set the page declares (chr). Reads the record only; cannot fail.
TextLines BuildHtmlReadme(const ReadmeProject& record, HtmlVariant variant);

// Writes the bytes of that page into sink: JoinLines of BuildHtmlReadme, made without the line list. Fails
// only as the sink's writer does.
void WriteHtmlReadme(const ReadmeProject& record, HtmlVariant variant, ByteSink& sink);

// The bytes WriteHtmlReadme writes, as one string.
std::string HtmlReadmeBytes(const ReadmeProject& record, HtmlVariant variant);

}  // namespace quillory
