#include "readme/markdown_readme.h"

#include <string_view>

#include "project/readme_outline.h"
#include "readme/markdown_text.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

// The heading level of a section; the texts' own headings go below it.
constexpr int kSectionLevel = 2;

// A one-line fact's value as inline Markdown: a digest as a code span, an address as a link when the
// link rule allows it, an e-mail address as a mailto link, anything else as its own characters.
std::string FactText(const Fact& fact, std::string_view value) {
  switch (fact.kind) {
    case FactKind::kDigest:
      return MarkdownCodeSpan(value);
    case FactKind::kAddress:
      return MarkdownAddress(value);
    case FactKind::kEmail:
      return MarkdownMailto(value);
    default:
      return MarkdownInlineText(value);
  }
}

// A text (UTF-8, LF) as the body of its section: the licence as a code block holding it exactly, the
// others as the author's Markdown, ending inside the section.
std::string SectionText(const Fact& text, const std::string& value) {
  if (text.key == "license") return MarkdownCodeBlock(value);
  return MarkdownAuthorText(value, kSectionLevel);
}

// Appends a section: its heading, then body after a blank line unless body is empty (a text with
// nothing to show).
void AppendSection(std::string& out, std::string_view caption, const std::string& body) {
  out.append("\n")
      .append(kSectionLevel, '#')
      .append(" ")
      .append(MarkdownInlineText(caption, true))
      .append("\n");
  if (!body.empty()) out.append("\n").append(body);
}

}  // namespace

std::string BuildMarkdownReadme(const ReadmeProject& record) {
  std::string out;
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:
        out += "#";
        for (const ShownFact& part : block.facts) {
          if (const std::string text = MarkdownInlineText(part.value, true); !text.empty()) out += " " + text;
        }
        out += "\n";
        break;
      case OutlineBlockType::kOpeningFrame:
        if (const std::string text = MarkdownParagraphText(block.value()); !text.empty()) {
          out += "\n" + text + "\n";
        }
        break;
      case OutlineBlockType::kFactList: {
        std::string items;
        for (const auto& [fact, value] : block.facts) {
          items += "- **" + MarkdownInlineText(fact->caption) + ":** " + FactText(*fact, value) + "\n";
        }
        AppendSection(out, block.caption, items);
        break;
      }
      case OutlineBlockType::kText:
        AppendSection(out, block.caption,
                      SectionText(*block.facts.front().fact, ReplaceLineBreaks(block.value(), "\n")));
        break;
      case OutlineBlockType::kClosingFrame:  // the copyright stands once, under the title
        break;
    }
  }
  return out;
}

}  // namespace quillory
