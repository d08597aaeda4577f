#include "readme/text_readme.h"

#include <string_view>
#include <utility>

#include "project/readme_outline.h"

namespace quillory {
namespace {

constexpr std::string_view kFrameColons = "::::::::::::::::::::::";  // 22 colons

// A rule, the title ":: NAME ::", the rule.
void AppendBlockTitle(TextLines& lines, std::string_view name) {
  std::string title = ":: " + std::string(name) + " ::";
  std::string rule(title.size(), ':');
  lines.push_back(rule);
  lines.push_back(std::move(title));
  lines.push_back(std::move(rule));
}

std::string CopyrightFrame(std::string_view copyright) {
  return std::string(kFrameColons) + " " + std::string(copyright) + " " + std::string(kFrameColons);
}

}  // namespace

TextLines BuildTextReadme(const ReadmeProject& record) {
  TextLines lines;
  bool first_section = true;
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:  // the program name leads the program info
        break;
      case OutlineBlockType::kOpeningFrame:
        lines.insert(lines.end(), {CopyrightFrame(block.value()), "", ""});
        break;
      case OutlineBlockType::kFactList:
      case OutlineBlockType::kText:
        if (!std::exchange(first_section, false)) lines.emplace_back();
        AppendBlockTitle(lines, block.heading);
        lines.emplace_back();
        if (block.type == OutlineBlockType::kText) {
          lines.emplace_back(block.value());
        } else {
          for (const auto& [fact, value] : block.facts) {
            std::string line = PaddedLabel(fact->caption, '.');
            lines.push_back(std::move(line.append(value)));
          }
        }
        break;
      case OutlineBlockType::kClosingFrame:
        lines.insert(lines.end(), {"", "", CopyrightFrame(block.value())});
        break;
    }
  }
  return lines;
}

}  // namespace quillory
