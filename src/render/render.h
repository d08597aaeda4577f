#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "project/readme_project.h"
#include "text/byte_sink.h"
#include "text/lost_characters.h"

namespace quillory {

// A document the program makes from a record, known by its name on the command line ("txt"). The formats
// the program itself asks for by name are constants here; any other needs only its row in the table.
struct Format {
  std::string_view name;
  friend constexpr bool operator==(Format, Format) = default;

  static const Format kText;         // the framed plain-text README
  static const Format kHtml;         // the XHTML README page as exported
  static const Format kHtmlPreview;  // the XHTML README page as the Preview Html tab shows it
  static const Format kNfo;          // the CP437 NFO, as the NFO tab starts it
  static const Format kMarkdown;     // the UTF-8 README.md
};
inline constexpr Format Format::kText{"txt"};
inline constexpr Format Format::kHtml{"html"};
inline constexpr Format Format::kHtmlPreview{"html-preview"};
inline constexpr Format Format::kNfo{"nfo"};
inline constexpr Format Format::kMarkdown{"md"};

// A document made from a record: its bytes, and the characters it had to write as "?".
struct RenderedDocument {
  std::string bytes;           // empty when they went to a sink
  std::vector<char32_t> lost;  // distinct, in order of first appearance
  std::string_view charset;    // what lacked them ("CP437"); empty for a format that loses nothing
};

// What the rest of the program needs to know of a format.
struct FormatInfo {
  Format format;                  // with its name on the command line
  std::string_view extension;     // the extension its files get (".txt"); empty: never a file of its own
  std::string_view save_as_type;  // its entry in the Save As type list; empty: Save As does not offer it
  // Writes the document's bytes into the sink, noting in lost what it had to write as "?".
  void (*write)(const ReadmeProject&, ByteSink&, LostCharacters& lost);
  std::string_view lost_charset;  // the character set that loses characters ("CP437"); empty: none
};

// Every format, in the order the command line lists them and Save As offers them.
std::span<const FormatInfo> Formats();

// The entry of format.
const FormatInfo& InfoOf(Format format);

// The format named name on the command line, or nullptr.
const FormatInfo* FindFormat(std::string_view name);

inline constexpr std::string_view kProgramNameRequired = "Program Name is required!";

// Whether the record can be rendered: every format needs a program name.
bool HasProgramName(const ReadmeProject& record);

// The record in format: the bytes exactly as they are written to a file, and what they lost. Raises
// kProgramNameRequired when the record has no program name.
RenderedDocument RenderDocument(const ReadmeProject& record, Format format);

// The record in format, its bytes written into sink (a long document in parts, when the sink hands its
// bytes on) and none kept in the result, which tells what they lost. Raises kProgramNameRequired when the
// record has no program name (before anything is written), and whatever the sink's writer raises.
RenderedDocument RenderDocument(const ReadmeProject& record, Format format, ByteSink& sink);

// The words for what a document lost, for people: `日, 本, 😀 have no CP437 form and were written as "?"`
// (one character: "has", "was"), without " and ... written as "?"" unless written; empty when it lost
// nothing.
std::string LostCharactersText(const RenderedDocument& document, bool written = true);

}  // namespace quillory
