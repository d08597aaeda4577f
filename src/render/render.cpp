#include "render/render.h"

#include <array>
#include <utility>

#include "common/error.h"
#include "nfo/nfo_builder.h"
#include "readme/html_readme.h"
#include "readme/markdown_readme.h"
#include "readme/text_readme.h"

namespace quillory {
namespace {

void Text(const ReadmeProject& record, ByteSink& sink, LostCharacters&) { WriteTextReadme(record, sink); }

void Html(const ReadmeProject& record, ByteSink& sink, LostCharacters&) {
  WriteHtmlReadme(record, HtmlVariant::kExport, sink);
}

void HtmlPreview(const ReadmeProject& record, ByteSink& sink, LostCharacters&) {
  WriteHtmlReadme(record, HtmlVariant::kPreview, sink);
}

void Nfo(const ReadmeProject& record, ByteSink& sink, LostCharacters& lost) {
  WriteNfoText(record, sink, &lost);
}

void Markdown(const ReadmeProject& record, ByteSink& sink, LostCharacters&) {
  WriteMarkdownReadme(record, sink);
}

// The one place where a format meets its builder: adding a format is one row here.
constexpr std::array kFormats = {
    FormatInfo{Format::kText, ".txt", "Text File (*.txt)", Text, ""},
    FormatInfo{Format::kHtml, ".html", "(X)HTML 1.1 Document (*.html)", Html, ""},
    FormatInfo{Format::kHtmlPreview, "", "", HtmlPreview, ""},
    FormatInfo{Format::kNfo, ".nfo", "", Nfo, "CP437"},
    FormatInfo{Format::kMarkdown, ".md", "Markdown File (*.md)", Markdown, ""},
};

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
  ByteSink sink;
  RenderedDocument document = RenderDocument(record, format, sink);
  document.bytes = std::move(sink.text());
  return document;
}

RenderedDocument RenderDocument(const ReadmeProject& record, Format format, ByteSink& sink) {
  if (!HasProgramName(record)) throw Error(std::string(kProgramNameRequired));
  const FormatInfo& info = InfoOf(format);
  LostCharacters lost;
  info.write(record, sink, lost);
  sink.Flush();
  return {std::string(), lost.characters(), info.lost_charset};
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
