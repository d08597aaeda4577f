#include "readme/text_readme.h"

#include <string_view>
#include <utility>

namespace quillory {
namespace {

using R = ReadmeProject;

// The dot-leader label lines of the program-info block, after the program name, in output order.
constexpr std::pair<std::string_view, std::string R::*> kInfoLabels[] = {
    {"Version.............: ", &R::version},
    {"Author..............: ", &R::author},
    {"License Type........: ", &R::license_type},
    {"Limitations.........: ", &R::limitations},
    {"Paid................: ", &R::paid},
    {"File Size...........: ", &R::size},
    {"OS..................: ", &R::os},
    {"Release Date........: ", &R::creation},
    {"Languages...........: ", &R::languages},
    {"Download URL........: ", &R::down_url},
    {"Download URL Mirror.: ", &R::down_mirror},
    {"Source URL..........: ", &R::surce_url},
    {"ScreenShot URL......: ", &R::screenshot_url},
    {"MD5 Hash............: ", &R::md5},
};

// The text blocks, in output order.
constexpr std::pair<std::string_view, std::string R::*> kTextBlocks[] = {
    {"DESCRIPTION or/and USES", &R::descript_uses},
    {"REQUIRED", &R::required},
    {"WHAT'S NEW", &R::news},
    {"CHANGE LOG", &R::changelog},
    {"TODO", &R::todo},
    {"LICENSE", &R::license},
};

constexpr std::string_view kFrameColons = "::::::::::::::::::::::";  // 22 colons

// A rule, the title ":: NAME ::", the rule.
void AppendBlockTitle(TextLines& lines, std::string_view name) {
  std::string title = ":: " + std::string(name) + " ::";
  std::string rule(title.size(), ':');
  lines.push_back(rule);
  lines.push_back(std::move(title));
  lines.push_back(std::move(rule));
}

std::string CopyrightFrame(const std::string& copyright) {
  return std::string(kFrameColons) + " " + copyright + " " + std::string(kFrameColons);
}

}  // namespace

TextLines BuildTextReadme(const ReadmeProject& record) {
  TextLines lines;
  const bool framed = !record.copyright.empty();
  if (framed) {
    lines.push_back(CopyrightFrame(record.copyright));
    lines.emplace_back();
    lines.emplace_back();
  }

  AppendBlockTitle(lines, "PROGRAM INFO");
  lines.emplace_back();
  lines.push_back("Program Name........: " + record.program_name);
  for (const auto& [label, member] : kInfoLabels) {
    if (!(record.*member).empty()) lines.push_back(std::string(label) + record.*member);
  }

  if (!record.website.empty() || !record.email.empty()) {
    lines.emplace_back();
    AppendBlockTitle(lines, "CONTACT");
    lines.emplace_back();
    if (!record.website.empty()) lines.push_back("Website.............: " + record.website);
    if (!record.email.empty()) lines.push_back("Email...............: " + record.email);
  }

  for (const auto& [name, member] : kTextBlocks) {
    if ((record.*member).empty()) continue;
    lines.emplace_back();
    AppendBlockTitle(lines, name);
    lines.emplace_back();
    lines.push_back(record.*member);
  }

  if (framed) {
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back(CopyrightFrame(record.copyright));
  }
  return lines;
}

}  // namespace quillory
