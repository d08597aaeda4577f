#include "readme/text_readme.h"

#include <string_view>
#include <utility>

#include "project/release_facts.h"

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
  for (const auto& fact : kProgramInfoFacts) {
    if (IsListed(record, fact)) lines.push_back(PaddedLabel(fact.caption, '.') + record.*fact.member);
  }

  if (!record.website.empty() || !record.email.empty()) {
    lines.emplace_back();
    AppendBlockTitle(lines, "CONTACT");
    lines.emplace_back();
    if (!record.website.empty()) lines.push_back(PaddedLabel("Website", '.') + record.website);
    if (!record.email.empty()) lines.push_back(PaddedLabel("Email", '.') + record.email);
  }

  for (const auto& [name, member] : kReadmeTexts) {
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
