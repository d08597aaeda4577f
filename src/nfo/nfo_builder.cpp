#include "nfo/nfo_builder.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "project/readme_outline.h"
#include "text/nfo_text.h"

namespace quillory {
namespace {

// CP437 box pieces.
constexpr char kTopLeft = '\xDA', kHorizontal = '\xC4', kTopRight = '\xBF', kVertical = '\xB3';
constexpr char kBottomLeft = '\xC0', kBottomRight = '\xD9';
constexpr char kBannerLeft = '\xCC', kBannerRule = '\xCD', kBannerRight = '\xB9';
constexpr size_t kBannerRuleLength = 21;

// The texts whose box titles carry one more trailing space than the others.
constexpr std::string_view kWideTitledTexts[] = {"news", "changelog", "todo"};

// The inner title of a block's box: its heading between two blanks each side (three after, for the
// wide-titled texts).
std::string BoxTitle(const OutlineBlock& block) {
  const bool wide =
      block.type == OutlineBlockType::kText &&
      std::ranges::find(kWideTitledTexts, block.facts.front().fact->key) != std::end(kWideTitledTexts);
  return "  " + std::string(block.heading) + (wide ? "   " : "  ");
}

// Three lines: a box drawn exactly around title.
void AppendBox(TextLines& lines, std::string_view title) {
  const std::string edge(title.size(), kHorizontal);
  lines.push_back(kTopLeft + edge + kTopRight);
  lines.push_back(kVertical + std::string(title) + kVertical);
  lines.push_back(kBottomLeft + edge + kBottomRight);
}

// The copyright in CP437, which spells ©, ® and ™ as "(C)", "(R)" and "(tm)", between two rules.
std::string Banner(std::string_view copyright, LostCharacters* lost) {
  const std::string rule(kBannerRuleLength, kBannerRule);
  return kBannerLeft + rule + " " + NfoText(copyright, lost) + " " + rule + kBannerRight;
}

}  // namespace

TextLines BuildNfoText(const ReadmeProject& record, LostCharacters* lost) {
  TextLines lines;
  bool first_section = true;
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:  // the program name leads the program info
        break;
      case OutlineBlockType::kOpeningFrame:
        lines.insert(lines.end(), {Banner(block.value(), lost), "", ""});
        break;
      case OutlineBlockType::kFactList:
      case OutlineBlockType::kText:
        if (!std::exchange(first_section, false)) lines.emplace_back();
        AppendBox(lines, BoxTitle(block));
        lines.emplace_back();
        if (block.type == OutlineBlockType::kText) {
          lines.push_back(NfoText(block.value(), lost));
        } else {
          for (const auto& [fact, value] : block.facts) {
            std::string line = PaddedLabel(fact->caption, ' ');
            AppendNfoText(line, value, lost);
            lines.push_back(std::move(line));
          }
        }
        break;
      case OutlineBlockType::kClosingFrame:
        lines.insert(lines.end(), {"", "", Banner(block.value(), lost)});
        break;
    }
  }
  return lines;
}

}  // namespace quillory
