#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// Sections of a Markdown change log, one per release heading. Headings are ATX ("## 1.2.0") or setext (a
// line underlined with "=" or "-"); lines inside fenced code blocks are never headings.

// The body under the first heading that names version: its text is the version itself, "[VERSION]" (also
// as a link, "[VERSION](...)"), or either with a leading "v", and may go on after a blank (" - 2026-12-01").
// A leading "v" of version is ignored too, so "v1.2" finds "## [1.2]". The body runs up to the next heading
// of the same or a higher level (or the end); its first and last blank lines are dropped, the line breaks
// between its lines kept as they are, no line break after the last. Nothing when no heading names version.
std::optional<std::string> ChangelogSection(std::string_view markdown, std::string_view version);

// The version each heading names (its first word, without brackets, link target or a leading "v"), in the
// order of the text; headings without text are left out.
std::vector<std::string> ChangelogVersions(std::string_view markdown);

}  // namespace quillory
