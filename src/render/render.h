#pragma once

#include <span>
#include <string>
#include <string_view>

#include "project/readme_project.h"

namespace quillory {

// Every document the program makes from a record.
enum class Format {
  kText,         // the framed plain-text README
  kHtml,         // the XHTML README page as exported
  kHtmlPreview,  // the XHTML README page as the Preview Html tab shows it
  kNfo,          // the CP437 NFO, as the NFO tab starts it
  kMarkdown,     // the UTF-8 README.md
};

// What the rest of the program needs to know of a format.
struct FormatInfo {
  Format format;
  std::string_view name;           // its name on the command line ("txt")
  std::string_view extension;      // the extension its files get (".txt"); empty: never a file of its own
  std::string_view save_as_type;   // its entry in the Save As type list; empty: Save As does not offer it
  std::string (*build)(const ReadmeProject&);
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

// The bytes of the record in format, exactly as they are written to a file. Raises kProgramNameRequired
// when the record has no program name.
std::string RenderDocument(const ReadmeProject& record, Format format);

}  // namespace quillory
