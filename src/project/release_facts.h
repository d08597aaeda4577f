#pragma once

#include <string>
#include <string_view>

#include "project/readme_project.h"

namespace quillory {

// A fact as the README layouts list it: its caption and where the record holds it.
struct CaptionedFact {
  std::string_view caption;
  std::string ReadmeProject::*member;
  bool address;  // a web address, which the page turns into a link
};

// The program-info facts in the order every layout lists them, the program name first.
inline constexpr CaptionedFact kProgramInfoFacts[] = {
    {"Program Name", &ReadmeProject::program_name, false},
    {"Version", &ReadmeProject::version, false},
    {"Author", &ReadmeProject::author, false},
    {"License Type", &ReadmeProject::license_type, false},
    {"Limitations", &ReadmeProject::limitations, false},
    {"Paid", &ReadmeProject::paid, false},
    {"File Size", &ReadmeProject::size, false},
    {"OS", &ReadmeProject::os, false},
    {"Release Date", &ReadmeProject::creation, false},
    {"Languages", &ReadmeProject::languages, false},
    {"Download URL", &ReadmeProject::down_url, true},
    {"Download URL Mirror", &ReadmeProject::down_mirror, true},
    {"Source URL", &ReadmeProject::surce_url, true},
    {"ScreenShot URL", &ReadmeProject::screenshot_url, true},
    {"MD5 Hash", &ReadmeProject::md5, false},
    {"SHA-256", &ReadmeProject::sha256, false},
};

// Whether a layout lists the fact: the program name always, every other fact when it is filled.
inline bool IsListed(const ReadmeProject& record, const CaptionedFact& fact) {
  return fact.member == &ReadmeProject::program_name || !(record.*fact.member).empty();
}

// A multi-line text as the README layouts list it: its block name and where the record holds it.
struct NamedText {
  std::string_view name;
  std::string ReadmeProject::*member;
};

// The six texts in the order the README layouts give them.
inline constexpr NamedText kReadmeTexts[] = {
    {"DESCRIPTION or/and USES", &ReadmeProject::descript_uses},
    {"REQUIRED", &ReadmeProject::required},
    {"WHAT'S NEW", &ReadmeProject::news},
    {"CHANGE LOG", &ReadmeProject::changelog},
    {"TODO", &ReadmeProject::todo},
    {"LICENSE", &ReadmeProject::license},
};

// A 22-character label: caption padded with fill to 20 characters, then ": ".
inline std::string PaddedLabel(std::string_view caption, char fill) {
  std::string label(caption);
  if (label.size() < 20) label.append(20 - label.size(), fill);
  return label + ": ";
}

}  // namespace quillory
