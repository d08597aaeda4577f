#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillory {

// The facts of one software release, as the main window edits them. Every text is Windows-1252 bytes;
// the multi-line facts hold CR LF between their lines.
struct ReadmeProject {
  // One-line facts, in the order the project document stores them.
  std::string program_name, version, website, email, copyright, license_type, limitations, author,
      creation, down_url, down_mirror, surce_url, screenshot_url, languages, paid, os, size, md5, sha256;
  // Multi-line facts, in storage order.
  std::string descript_uses, required, news, license, changelog, todo;
  // HTML settings: six colours (held as text, never validated) and the declared character set.
  std::string c1, c2, c3, c4, c5, c6, chr;
  // The current project document (a file-system path), empty when there is none. Not stored.
  std::string document_path;
};

// A stored value of the record: its key in the project document and where the record holds it.
struct FieldInfo {
  std::string_view key;
  std::string ReadmeProject::*member;
  bool multi_line;
};

inline constexpr size_t kFactCount = 25;
inline constexpr size_t kHtmlSettingCount = 7;

// The 25 facts (19 one-line, then 6 multi-line) in storage order.
const std::array<FieldInfo, kFactCount>& FactFields();
// c1 to c6 and chr, in storage order.
const std::array<FieldInfo, kHtmlSettingCount>& HtmlSettingFields();
// The fact or HTML setting stored under key (exact, lower case), or nullptr.
const FieldInfo* FindField(std::string_view key);

// The defaults of the HTML settings.
inline constexpr std::string_view kDefaultC1 = "#f5f5f5";
inline constexpr std::string_view kDefaultC2 = "#000000";
inline constexpr std::string_view kDefaultC3 = "#8f8f8f";
inline constexpr std::string_view kDefaultC4 = "#eeeeee";
inline constexpr std::string_view kDefaultC5 = "#d4d0c8";
inline constexpr std::string_view kDefaultC6 = "#d4d0c8";
inline constexpr std::string_view kDefaultCharset = "iso-8859-1";

// Empties all 25 facts; the HTML settings and the document path stay.
void ClearAllFacts(ReadmeProject& record);
// Sets c1 to c6 and chr to their defaults.
void SetHtmlDefaults(ReadmeProject& record);

}  // namespace quillory
