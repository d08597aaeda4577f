#include "render/render.h"

#include <array>

#include "common/error.h"
#include "nfo/nfo_builder.h"
#include "readme/html_readme.h"
#include "readme/markdown_readme.h"
#include "readme/text_readme.h"
#include "text/lost_characters.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

RenderedDocument Whole(std::string bytes) { return {std::move(bytes), {}, {}}; }

RenderedDocument Nfo(const ReadmeProject& record) {
  LostCharacters lost;
  std::string bytes = JoinLines(BuildNfoText(record, &lost));
  return {std::move(bytes), lost.characters(), "CP437"};
}

// The one place where a format meets its builder: adding a format is one row here.
// clang-format off
constexpr std::array kFormats = {
    FormatInfo{Format::kText, ".txt", "Text File (*.txt)",
               [](const ReadmeProject& r) { return Whole(TextReadmeBytes(r)); }},
    FormatInfo{Format::kHtml, ".html", "(X)HTML 1.1 Document (*.html)",
               [](const ReadmeProject& r) { return Whole(HtmlReadmeBytes(r, HtmlVariant::kExport)); }},
    FormatInfo{Format::kHtmlPreview, "", "",
               [](const ReadmeProject& r) { return Whole(HtmlReadmeBytes(r, HtmlVariant::kPreview)); }},
    FormatInfo{Format::kNfo, ".nfo", "", Nfo},
    FormatInfo{Format::kMarkdown, ".md", "Markdown File (*.md)",
               [](const ReadmeProject& r) { return Whole(BuildMarkdownReadme(r)); }},
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

RenderedDocument RenderDocument(const ReadmeProject& record, Format format) {
  if (!HasProgramName(record)) throw Error(std::string(kProgramNameRequired));
  return InfoOf(format).build(record);
}

std::string LostCharactersText(const RenderedDocument& document, bool written) {
  if (document.lost.empty()) return {};
  const bool one = document.lost.size() == 1;
  std::string text = CharacterList(document.lost) + (one ? " has no " : " have no ") +
                     std::string(document.charset) + " form";
  if (written) text += one ? " and was written as \"?\"" : " and were written as \"?\"";
  return text;
}

}  // namespace quillory
