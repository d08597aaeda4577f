#pragma once

#include "project/readme_project.h"
#include "text/text_lines.h"

namespace quillory {

// The exported page and the preview page differ only in the headings of the change-log and to-do
// sections.
enum class HtmlVariant { kExport, kPreview };

// The XHTML 1.1 README page of the record, line by line, as the bytes to write: every inserted value is
// escaped and encoded for the character set the page declares (chr). Reads the record only; cannot fail.
TextLines BuildHtmlReadme(const ReadmeProject& record, HtmlVariant variant);

// The bytes of that page as written to a file: JoinLines of BuildHtmlReadme, made without the line list.
std::string HtmlReadmeBytes(const ReadmeProject& record, HtmlVariant variant);

}  // namespace quillory
