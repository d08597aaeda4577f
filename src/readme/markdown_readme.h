#pragma once

#include <string>
#include <string_view>

#include "project/readme_project.h"

namespace quillory {

// The README.md of the record: UTF-8 without a byte-order mark, LF line ends, CommonMark that reads well
// both as plain text and rendered. One-line values always render as their own characters; the texts are
// the author's Markdown with raw HTML escaped and their line breaks kept; the licence is a code block.
std::string BuildMarkdownReadme(const ReadmeProject& record);

// Whether value (UTF-8) becomes a link: an http, https or ftp address with no blank, control character,
// "<", ">" or character reference, so that an autolink shows exactly its characters.
bool IsMarkdownLinkable(std::string_view value);

}  // namespace quillory
