#include "readme/text_readme.h"

#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
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

// The position of the first byte at or after pos that starts a character beyond U+00FF (a byte C4 or
// above), or text.size(). Every character below it is held by Windows-1252 or is a control.
size_t FindBeyondLatin1(std::string_view text, size_t pos) {
  const char* const data = text.data();
  const size_t size = text.size();
#ifdef __SSE2__
  const __m128i c4 = _mm_set1_epi8('\xC4');
  for (; pos + 16 <= size; pos += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, c4), bytes));
    if (mask != 0) return pos + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  while (pos < size && static_cast<unsigned char>(data[pos]) < 0xC4) ++pos;
  return pos;
}

// Whether Windows-1252 holds every character of utf8 (well-formed UTF-8); an unwritten control character
// counts as held (it is written as "?").
bool FitsCp1252(std::string_view utf8) {
  for (size_t pos = FindBeyondLatin1(utf8, 0); pos < utf8.size(); pos = FindBeyondLatin1(utf8, pos)) {
    const auto ch = NextUtf8(utf8, pos);
    if (!ch || !UnicodeToCp1252(*ch)) return false;
  }
  return true;
}

}  // namespace

TextLines BuildTextReadme(const ReadmeProject& record) {
  TextLines lines;
  EmitTextReadme(record, [&](std::string_view text) { lines.emplace_back(text); });
  return lines;
}

void WriteTextReadme(const ReadmeProject& record, ByteSink& sink) {
  bool cp1252 = record.encoding == DocumentEncoding::kWindows1252;
  if (cp1252) {
    EmitTextReadme(record, [&](std::string_view text) { cp1252 = cp1252 && FitsCp1252(text); });
  }
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
      if (cp1252) {
        ForEachWrittenRun(piece, "?", [&](std::string_view run) {
          // A malformed sequence, which FitsCp1252 does not look for, is written as "?".
          const size_t before = out.size();
          if (AppendUtf8AsCp1252(out, run)) return;
          out.resize(before);
          out += Utf8ToCp1252(run);
        });
      } else {
        ForEachWrittenRun(piece, kReplacementCharacter, [&](std::string_view run) { out.append(run); });
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
