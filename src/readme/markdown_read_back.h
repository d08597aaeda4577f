#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// Markdown as libcmark-gfm's CommonMark writer wrote it, read once more as GitHub reads it: without the
// blanks at its line ends outside code blocks and without the empty lines around it, ending with one
// line break ("" when nothing is left), when it shows nothing but what a README may (no raw HTML, no
// image, no link that IsMarkdownLinkTarget refuses) and ends so that a heading after it starts a section
// of its own; nullopt otherwise. Scans the lines first (ScanBackMarkdown) and parses the whole only when
// the scan cannot tell. Throws Error when libcmark-gfm lacks one of its extensions.
std::optional<std::string> ReadBackMarkdown(std::string_view written);

// ReadBackMarkdown by a full parse alone. Throws Error when libcmark-gfm lacks one of its extensions.
std::optional<std::string> ParseBackMarkdown(std::string_view written);

// ReadBackMarkdown by one pass over the lines, for what the writer and MarkdownAuthorText write: the
// same text when every "<", "![", "[", "]", code span and fence is one whose reading is certain and
// safe; nullopt when it is not (the document may still be safe: ParseBackMarkdown tells).
std::optional<std::string> ScanBackMarkdown(std::string_view written);

}  // namespace quillory
