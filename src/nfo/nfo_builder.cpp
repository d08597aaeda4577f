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
template <typename Line>
void AppendBox(Line& line, std::string_view title) {
  const std::string edge(title.size(), kHorizontal);
  line(kTopLeft + edge + kTopRight);
  line(kVertical + std::string(title) + kVertical);
  line(kBottomLeft + edge + kBottomRight);
}

// The copyright in CP437, which spells ©, ® and ™ as "(C)", "(R)" and "(tm)", between two rules.
std::string Banner(std::string_view copyright, LostCharacters* lost) {
  const std::string rule(kBannerRuleLength, kBannerRule);
  return kBannerLeft + rule + " " + NfoText(copyright, lost) + " " + rule + kBannerRight;
}

// Gives each line of the NFO, in order: line(bytes) for a line made already, text(utf8) for a text's line,
// which is to be written by AppendNfoText. The one layout both the line list and the bytes follow.
template <typename Line, typename Text>
void EmitNfo(const ReadmeProject& record, LostCharacters* lost, Line line, Text text) {
  bool first_section = true;
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:  // the program name leads the program info
        break;
      case OutlineBlockType::kOpeningFrame:
        line(Banner(block.value(), lost));
        line("");
        line("");
        break;
      case OutlineBlockType::kFactList:
      case OutlineBlockType::kText:
        if (!std::exchange(first_section, false)) line("");
        AppendBox(line, BoxTitle(block));
        line("");
        if (block.type == OutlineBlockType::kText) {
          text(block.value());
        } else {
          for (const auto& [fact, value] : block.facts) {
            std::string fact_line = PaddedLabel(fact->caption, ' ');
            AppendNfoText(fact_line, value, lost);
            line(std::move(fact_line));
          }
        }
        break;
      case OutlineBlockType::kClosingFrame:
        line("");
        line("");
        line(Banner(block.value(), lost));
        break;
    }
  }
}

// The length of the first piece of utf8 to transliterate on its own: about `most` bytes, ending after an
// ASCII byte where one is near (a run of characters read in context never spans one), else at a
// character's start; the whole text when it is no longer than most.
size_t NfoPieceLength(std::string_view utf8, size_t most) {
  if (utf8.size() <= most) return utf8.size();
  for (size_t end = most; end > most / 2; --end) {
    if (static_cast<unsigned char>(utf8[end - 1]) < 0x80) return end;
  }
  return PieceLength(utf8, most);
}

}  // namespace

TextLines BuildNfoText(const ReadmeProject& record, LostCharacters* lost) {
  TextLines lines;
  EmitNfo(
      record, lost, [&](std::string line) { lines.push_back(std::move(line)); },
      [&](std::string_view text) { lines.push_back(NfoText(text, lost)); });
  return lines;
}

void WriteNfoText(const ReadmeProject& record, ByteSink& sink, LostCharacters* lost) {
  std::string& out = sink.text();
  EmitNfo(
      record, lost,
      [&](std::string_view line) {
        out += line;
        out += kCrLf;
      },
      [&](std::string_view text) {
        while (!text.empty()) {
          const size_t length = NfoPieceLength(text, ByteSink::kPieceSize);
          AppendNfoText(out, text.substr(0, length), lost);
          sink.Spill();
          text.remove_prefix(length);
        }
        out += kCrLf;
      });
  sink.Flush();
}

}  // namespace quillory
