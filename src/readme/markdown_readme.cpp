#include "readme/markdown_readme.h"

#include <string_view>
#include <utility>

#include "project/readme_outline.h"
#include "readme/markdown_text.h"

namespace quillory {
namespace {

// value without the blanks and control characters around it.
std::string_view TrimmedAddress(std::string_view value) {
  auto is_space = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!value.empty() && is_space(value.front())) value.remove_prefix(1);
  while (!value.empty() && is_space(value.back())) value.remove_suffix(1);
  return value;
}

// The heading level of a section; the texts' own headings go below it.
constexpr int kSectionLevel = 2;

// A one-line fact's value as inline Markdown: a digest as a code span, an address as a link when the
// link rule allows it, an e-mail address as a mailto link, anything else as its own characters (control
// characters as U+FFFD; around an address, they go with the blanks).
std::string FactText(const Fact& fact, std::string_view value) {
  switch (fact.kind) {
    case FactKind::kDigest:
      return MarkdownCodeSpan(MarkdownSourceText(value));
    case FactKind::kAddress:
      return MarkdownAddress(MarkdownSourceText(TrimmedAddress(value)));
    case FactKind::kEmail:
      return MarkdownMailto(MarkdownSourceText(TrimmedAddress(value)));
    default:
      return MarkdownInlineText(MarkdownSourceText(value));
  }
}

// Appends a section's heading.
void AppendHeading(ByteSink& sink, std::string_view caption) {
  sink.text()
      .append("\n")
      .append(kSectionLevel, '#')
      .append(" ")
      .append(MarkdownInlineText(caption, true))
      .append("\n");
}

// Appends a section: its heading, then body after a blank line unless body is empty (a text with
// nothing to show).
void AppendSection(ByteSink& sink, std::string_view caption, std::string_view body) {
  AppendHeading(sink, caption);
  if (body.empty()) return;
  sink.text() += "\n";
  sink.Append(body);
}

// Appends the section of a text (UTF-8, LF): the licence as a code block holding it exactly, the others as
// the author's Markdown, ending inside the section and written as it is made.
void AppendTextSection(ByteSink& sink, std::string_view caption, const Fact& text, const std::string& value) {
  if (text.key == "license") return AppendSection(sink, caption, MarkdownCodeBlock(value));
  AppendHeading(sink, caption);
  bool empty = true;
  WriteMarkdownAuthorText(value, kSectionLevel, [&](std::string_view part) {
    if (std::exchange(empty, false)) sink.text() += "\n";
    sink.Append(part);
  });
}

}  // namespace

std::string BuildMarkdownReadme(const ReadmeProject& record) {
  ByteSink sink;
  WriteMarkdownReadme(record, sink);
  return std::move(sink.text());
}

void WriteMarkdownReadme(const ReadmeProject& record, ByteSink& sink) {
  std::string& out = sink.text();
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:
        out += "#";
        for (const ShownFact& part : block.facts) {
          if (const std::string text = MarkdownInlineText(MarkdownSourceText(part.value), true);
              !text.empty())
            out += " " + text;
        }
        out += "\n";
        break;
      case OutlineBlockType::kOpeningFrame:
        if (const std::string text = MarkdownParagraphText(MarkdownSourceText(block.value()));
            !text.empty()) {
          out += "\n" + text + "\n";
        }
        break;
      case OutlineBlockType::kFactList: {
        std::string items;
        for (const auto& [fact, value] : block.facts) {
          // A value with nothing to show leaves no blank at the end of its line.
          const std::string text = FactText(*fact, value);
          items.append("- **")
              .append(MarkdownInlineText(fact->caption))
              .append(text.empty() ? ":**" : ":** ");
          items.append(text).append("\n");
        }
        AppendSection(sink, block.caption, items);
        break;
      }
      case OutlineBlockType::kText:
        // The text with LF line breaks stands in memory beside the record's; what it becomes is written
        // as it is made.
        AppendTextSection(sink, block.caption, *block.facts.front().fact, MarkdownSourceText(block.value()));
        break;
      case OutlineBlockType::kClosingFrame:  // the copyright stands once, under the title
        break;
    }
  }
  sink.Flush();
}

}  // namespace quillory
