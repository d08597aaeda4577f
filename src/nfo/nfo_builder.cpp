#include "nfo/nfo_builder.h"

#include <string_view>
#include <utility>

#include "project/release_facts.h"
#include "text/codepage.h"

namespace quillory {
namespace {

using R = ReadmeProject;

// CP437 box pieces.
constexpr char kTopLeft = '\xDA', kHorizontal = '\xC4', kTopRight = '\xBF', kVertical = '\xB3';
constexpr char kBottomLeft = '\xC0', kBottomRight = '\xD9';
constexpr char kBannerLeft = '\xCC', kBannerRule = '\xCD', kBannerRight = '\xB9';
constexpr size_t kBannerRuleLength = 21;

// The six texts in output order, with the inner titles of their boxes (three of which carry one more
// trailing space than the others).
constexpr std::pair<std::string_view, std::string R::*> kTextBoxes[] = {
    {"  DESCRIPTION or/and USES  ", &R::descript_uses},
    {"  REQUIRED  ", &R::required},
    {"  WHAT'S NEW   ", &R::news},
    {"  CHANGE LOG   ", &R::changelog},
    {"  TODO   ", &R::todo},
    {"  LICENSE  ", &R::license},
};

// Three lines: a box drawn exactly around title.
void AppendBox(TextLines& lines, std::string_view title) {
  const std::string edge(title.size(), kHorizontal);
  lines.push_back(kTopLeft + edge + kTopRight);
  lines.push_back(kVertical + std::string(title) + kVertical);
  lines.push_back(kBottomLeft + edge + kBottomRight);
}

void AppendFact(TextLines& lines, std::string_view caption, const std::string& value) {
  lines.push_back(PaddedLabel(caption, ' ') + Cp1252ToCp437(value));
}

// The copyright in CP437, which spells ©, ® and ™ as "(C)", "(R)" and "(tm)", between two rules.
std::string Banner(std::string_view copyright) {
  const std::string rule(kBannerRuleLength, kBannerRule);
  return kBannerLeft + rule + " " + Cp1252ToCp437(copyright) + " " + rule + kBannerRight;
}

}  // namespace

TextLines BuildNfoText(const ReadmeProject& record) {
  TextLines lines;
  const bool framed = !record.copyright.empty();
  if (framed) lines.insert(lines.end(), {Banner(record.copyright), "", ""});

  AppendBox(lines, "  PROGRAM INFO  ");
  lines.emplace_back();
  for (const auto& fact : kProgramInfoFacts) {
    if (IsListed(record, fact)) AppendFact(lines, fact.caption, record.*fact.member);
  }

  if (!record.website.empty() || !record.email.empty()) {
    lines.emplace_back();
    AppendBox(lines, "  CONTACT  ");
    lines.emplace_back();
    if (!record.website.empty()) AppendFact(lines, "Website", record.website);
    if (!record.email.empty()) AppendFact(lines, "Email", record.email);
  }

  for (const auto& [title, member] : kTextBoxes) {
    if ((record.*member).empty()) continue;
    lines.emplace_back();
    AppendBox(lines, title);
    lines.emplace_back();
    lines.push_back(Cp1252ToCp437(record.*member));
  }

  if (framed) lines.insert(lines.end(), {"", "", Banner(record.copyright)});
  return lines;
}

}  // namespace quillory
