#include "readme/text_readme.h"

#include <string_view>
#include <utility>

#include "project/facts.h"
#include "project/readme_outline.h"
#include "text/codepage.h"
#include "text/control_characters.h"

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

// What the text README's text holds, looked at before its bytes are written.
struct TextCheck {
  bool fits_cp1252 = true;    // Windows-1252 holds every character (an unwritten control counts as held)
  bool has_controls = false;  // an unwritten control character is there
};

// Looks at utf8 (well-formed UTF-8) for check.
void CheckText(std::string_view utf8, TextCheck& check) {
  for (size_t pos = FindUnwrittenControlOrBeyondLatin1(utf8); pos < utf8.size();
       pos = FindUnwrittenControlOrBeyondLatin1(utf8, pos)) {
    const auto ch = NextUtf8(utf8, pos);
    if (!ch) {
      check.fits_cp1252 = false;
    } else if (IsUnwrittenControl(*ch)) {
      check.has_controls = true;
    } else if (*ch >= 0x100 && !UnicodeToCp1252(*ch)) {
      check.fits_cp1252 = false;
    }
    if (!check.fits_cp1252 && check.has_controls) return;
  }
}

// Appends UTF-8 text to out as Windows-1252 bytes, which hold its every character; a malformed sequence
// (which CheckText does not look for) is written as "?".
void AppendAsCp1252(std::string& out, std::string_view utf8) {
  const size_t before = out.size();
  if (AppendUtf8AsCp1252(out, utf8)) return;
  out.resize(before);
  out += Utf8ToCp1252(utf8);
}

}  // namespace

TextLines BuildTextReadme(const ReadmeProject& record) {
  TextLines lines;
  EmitTextReadme(record, [&](std::string_view text) { lines.emplace_back(text); });
  return lines;
}

void WriteTextReadme(const ReadmeProject& record, ByteSink& sink) {
  TextCheck check;
  const bool in_cp1252 = record.encoding == DocumentEncoding::kWindows1252;
  if (in_cp1252) EmitTextReadme(record, [&](std::string_view text) { CheckText(text, check); });
  const bool cp1252 = in_cp1252 && check.fits_cp1252;
  std::string& out = sink.text();
  if (!sink.hands_on()) {
    size_t size = 4096;
    for (const Fact& fact : Facts()) size += (record.*fact.member).size();
    out.reserve(out.size() + size);
  }
  if (!cp1252) out += kUtf8Bom;
  EmitTextReadme(record, [&](std::string_view text) {
    while (!text.empty()) {
      const size_t length = PieceLength(text, ByteSink::kPieceSize);
      const std::string_view piece = text.substr(0, length);
      if (!cp1252) {
        ForEachWrittenRun(piece, kReplacementCharacter, [&](std::string_view run) { out.append(run); });
      } else if (check.has_controls) {
        ForEachWrittenRun(piece, "?", [&](std::string_view run) { AppendAsCp1252(out, run); });
      } else {
        AppendAsCp1252(out, piece);
      }
      sink.Spill();
      text.remove_prefix(length);
    }
    out += kCrLf;
  });
  sink.Flush();
}

std::string TextReadmeBytes(const ReadmeProject& record) {
  ByteSink sink;
  WriteTextReadme(record, sink);
  return std::move(sink.text());
}

}  // namespace quillory
