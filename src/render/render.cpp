#include "render/render.h"

#include <array>

#include "common/error.h"
#include "nfo/nfo_builder.h"
#include "readme/html_readme.h"
#include "readme/markdown_readme.h"
#include "readme/text_readme.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

// The one place where a format meets its builder: adding a format is one row here.
// clang-format off
constexpr std::array kFormats = {
    FormatInfo{Format::kText, ".txt", "Text File (*.txt)",
               [](const ReadmeProject& r) { return JoinLines(BuildTextReadme(r)); }},
    FormatInfo{Format::kHtml, ".html", "(X)HTML 1.1 Document (*.html)",
               [](const ReadmeProject& r) { return JoinLines(BuildHtmlReadme(r, HtmlVariant::kExport)); }},
    FormatInfo{Format::kHtmlPreview, "", "",
               [](const ReadmeProject& r) { return JoinLines(BuildHtmlReadme(r, HtmlVariant::kPreview)); }},
    FormatInfo{Format::kNfo, ".nfo", "",
               [](const ReadmeProject& r) { return JoinLines(BuildNfoText(r)); }},
    FormatInfo{Format::kMarkdown, ".md", "Markdown File (*.md)", BuildMarkdownReadme},
};
// clang-format on

}  // namespace

std::span<const FormatInfo> Formats() { return kFormats; }

const FormatInfo& InfoOf(Format format) {
  for (const FormatInfo& info : kFormats) {
    if (info.format == format) return info;
  }
  throw Error("Unknown document format");
}

const FormatInfo* FindFormat(std::string_view name) {
  for (const FormatInfo& info : kFormats) {
    if (info.format.name == name) return &info;
  }
  return nullptr;
}

bool HasProgramName(const ReadmeProject& record) { return !record.program_name.empty(); }

std::string RenderDocument(const ReadmeProject& record, Format format) {
  if (!HasProgramName(record)) throw Error(std::string(kProgramNameRequired));
  return InfoOf(format).build(record);
}

}  // namespace quillory
