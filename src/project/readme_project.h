#pragma once

#include <string>
#include <string_view>

#include "project/document_encoding.h"

namespace quillory {

// The facts of one software release, as the main window edits them. Every text is UTF-8; the multi-line
// facts hold CR LF between their lines.
struct ReadmeProject {
  // One-line facts, in the order the project document stores them.
  std::string program_name, version, website, email, copyright, license_type, limitations, author, creation,
      down_url, down_mirror, surce_url, screenshot_url, languages, paid, os, size, md5, sha256;
  // Multi-line facts, in storage order.
  std::string descript_uses, required, news, license, changelog, todo;
  // HTML settings: six colours (held as text, never validated) and the declared character set.
  std::string c1, c2, c3, c4, c5, c6, chr;
  // The current project document (a file-system path), empty when there is none. Not stored.
  std::string document_path;
  // The encoding the document was read in (or last written in); a new record's is Windows-1252. Not stored.
  DocumentEncoding encoding = DocumentEncoding::kWindows1252;
};

// The defaults of the HTML settings (the fact table's initial values).
inline constexpr std::string_view kDefaultC1 = "#f5f5f5";
inline constexpr std::string_view kDefaultC2 = "#000000";
inline constexpr std::string_view kDefaultC3 = "#8f8f8f";
inline constexpr std::string_view kDefaultC4 = "#eeeeee";
inline constexpr std::string_view kDefaultC5 = "#d4d0c8";
inline constexpr std::string_view kDefaultC6 = "#d4d0c8";
inline constexpr std::string_view kDefaultCharset = "iso-8859-1";

// Empties every fact of the release (ReleaseFacts); the HTML settings and the document path stay.
void ClearAllFacts(ReadmeProject& record);
// Sets every HTML setting (HtmlSettings: c1 to c6 and chr) to its default.
void SetHtmlDefaults(ReadmeProject& record);

}  // namespace quillory
