#pragma once

#include <string>

#include "project/readme_project.h"
#include "text/byte_sink.h"

namespace quillory {

// The README.md of the record: UTF-8 without a byte-order mark, LF line ends, Markdown that reads well
// both as plain text and rendered by GitHub. One-line values render as their own characters, addresses
// as links where the link rule allows; the texts are the author's Markdown made safe (MarkdownAuthorText),
// each ending inside its own section; the licence is a code block holding it exactly.
// Throws Error only when libcmark-gfm lacks one of its extensions.
std::string BuildMarkdownReadme(const ReadmeProject& record);
// Writes BuildMarkdownReadme's bytes into sink, a long text handed on as it is made.
void WriteMarkdownReadme(const ReadmeProject& record, ByteSink& sink);

}  // namespace quillory
