#include "readme/text_readme.h"

#include <string_view>
#include <utility>

#include "project/facts.h"
#include "project/readme_outline.h"
#include "text/codepage.h"

namespace quillory {
namespace {

constexpr std::string_view kFrameColons = "::::::::::::::::::::::";  // 22 colons

std::string CopyrightFrame(std::string_view copyright) {
  return std::string(kFrameColons) + " " + std::string(copyright) + " " + std::string(kFrameColons);
}

// Gives each line of the README, in order, to line(view): the one layout both the line list and the bytes
// follow. A text's value is handed over as a view into the record, never copied on the way.
template <typename Line>
void EmitTextReadme(const ReadmeProject& record, Line line) {
  bool first_section = true;
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:  // the program name leads the program info
        break;
      case OutlineBlockType::kOpeningFrame:
        line(CopyrightFrame(block.value()));
        line("");
        line("");
        break;
      case OutlineBlockType::kFactList:
      case OutlineBlockType::kText: {
        if (!std::exchange(first_section, false)) line("");
        // A rule, the title ":: NAME ::", the rule.
        const std::string title = ":: " + std::string(block.heading) + " ::";
        const std::string rule(title.size(), ':');
        line(rule);
        line(title);
        line(rule);
        line("");
        if (block.type == OutlineBlockType::kText) {
          line(block.value());
        } else {
          for (const auto& [fact, value] : block.facts) line(PaddedLabel(fact->caption, '.').append(value));
        }
        break;
      }
      case OutlineBlockType::kClosingFrame:
        line("");
        line("");
        line(CopyrightFrame(block.value()));
        break;
    }
  }
}

}  // namespace

TextLines BuildTextReadme(const ReadmeProject& record) {
  TextLines lines;
  EmitTextReadme(record, [&](std::string_view text) { lines.emplace_back(text); });
  return lines;
}

std::string TextReadmeBytes(const ReadmeProject& record) {
  size_t size = 4096;
  for (const Fact& fact : Facts()) size += (record.*fact.member).size();
  std::string bytes;
  bytes.reserve(size);
  if (record.encoding == DocumentEncoding::kWindows1252) {
    bool fits = true;
    EmitTextReadme(record, [&](std::string_view text) {
      if (fits) fits = AppendUtf8AsCp1252(bytes, text);
      bytes += kCrLf;
    });
    if (fits) return bytes;
    bytes.clear();
  }
  bytes += kUtf8Bom;
  EmitTextReadme(record, [&](std::string_view text) {
    bytes += text;
    bytes += kCrLf;
  });
  return bytes;
}

}  // namespace quillory
