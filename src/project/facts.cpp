#include "project/facts.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quillory {
namespace {

using R = ReadmeProject;
using K = FactKind;
using B = ReadmeBlock;
constexpr auto kUpper = WindowGroup::kUpperBox;
constexpr auto kLower = WindowGroup::kLowerBox;
constexpr WindowPlace kMenu{};

// The one table of stored values. A new fact is one row here (and its member in the record).
// clang-format off
constexpr std::array kFacts = {
    // key            section          member             kind        storage           caption                   heading                    block              order  window place, initial value
    Fact{"c1",             kHtmlSection,   &R::c1,             K::kColour,   Storage::kAlways,   "Body background colour", "",                        B::kNone,          0,  kMenu, kDefaultC1},
    Fact{"c2",             kHtmlSection,   &R::c2,             K::kColour,   Storage::kAlways,   "Table text colour",      "",                        B::kNone,          0,  kMenu, kDefaultC2},
    Fact{"c3",             kHtmlSection,   &R::c3,             K::kColour,   Storage::kAlways,   "Border colour",          "",                        B::kNone,          0,  kMenu, kDefaultC3},
    Fact{"c4",             kHtmlSection,   &R::c4,             K::kColour,   Storage::kAlways,   "Border background colour", "",                      B::kNone,          0,  kMenu, kDefaultC4},
    Fact{"c5",             kHtmlSection,   &R::c5,             K::kColour,   Storage::kAlways,   "Heading row colour",     "",                        B::kNone,          0,  kMenu, kDefaultC5},
    Fact{"c6",             kHtmlSection,   &R::c6,             K::kColour,   Storage::kAlways,   "Copyright heading colour", "",                      B::kNone,          0,  kMenu, kDefaultC6},
    Fact{"chr",            kHtmlSection,   &R::chr,            K::kCharset,  Storage::kAlways,   "Character set",          "",                        B::kNone,          0,  kMenu, kDefaultCharset},
    Fact{"program_name",   kReadmeSection, &R::program_name,   K::kPlain,    Storage::kAlways,   "Program Name",           "",                        B::kProgramInfo,  10,  {kUpper, 0, 0}},
    Fact{"version",        kReadmeSection, &R::version,        K::kPlain,    Storage::kAlways,   "Version",                "",                        B::kProgramInfo,  20,  {kUpper, 1, 0}},
    Fact{"website",        kReadmeSection, &R::website,        K::kAddress,  Storage::kAlways,   "Website",                "",                        B::kContact,      10,  {kUpper, 2, 0}},
    Fact{"email",          kReadmeSection, &R::email,          K::kEmail,    Storage::kAlways,   "Email",                  "",                        B::kContact,      20,  {kUpper, 3, 0}},
    Fact{"copyright",      kReadmeSection, &R::copyright,      K::kPlain,    Storage::kAlways,   "Copyright",              "",                        B::kNone,          0,  {kUpper, 4, 0}},
    Fact{"license_type",   kReadmeSection, &R::license_type,   K::kPlain,    Storage::kAlways,   "License Type",           "",                        B::kProgramInfo,  40,  {kUpper, 5, 0}},
    Fact{"limitations",    kReadmeSection, &R::limitations,    K::kPlain,    Storage::kAlways,   "Limitations",            "",                        B::kProgramInfo,  50,  {kUpper, 6, 0}},
    Fact{"author",         kReadmeSection, &R::author,         K::kPlain,    Storage::kAlways,   "Author",                 "",                        B::kProgramInfo,  30,  {kUpper, 0, 1}},
    Fact{"creation",       kReadmeSection, &R::creation,       K::kPlain,    Storage::kAlways,   "Release Date",           "",                        B::kProgramInfo,  90,  {kUpper, 1, 1}},
    Fact{"down_url",       kReadmeSection, &R::down_url,       K::kAddress,  Storage::kAlways,   "Download URL",           "",                        B::kProgramInfo, 110,  {kUpper, 2, 1}},
    Fact{"down_mirror",    kReadmeSection, &R::down_mirror,    K::kAddress,  Storage::kAlways,   "Download URL Mirror",    "",                        B::kProgramInfo, 120,  {kUpper, 3, 1}},
    Fact{"surce_url",      kReadmeSection, &R::surce_url,      K::kAddress,  Storage::kAlways,   "Source URL",             "",                        B::kProgramInfo, 130,  {kUpper, 4, 1}},
    Fact{"screenshot_url", kReadmeSection, &R::screenshot_url, K::kAddress,  Storage::kAlways,   "ScreenShot URL",         "",                        B::kProgramInfo, 140,  {kUpper, 5, 1}},
    Fact{"languages",      kReadmeSection, &R::languages,      K::kPlain,    Storage::kAlways,   "Languages",              "",                        B::kProgramInfo, 100,  {kUpper, 6, 1}},
    Fact{"paid",           kReadmeSection, &R::paid,           K::kPlain,    Storage::kAlways,   "Paid",                   "",                        B::kProgramInfo,  60,  {kUpper, 7, 0}},
    Fact{"os",             kReadmeSection, &R::os,             K::kPlain,    Storage::kAlways,   "OS",                     "",                        B::kProgramInfo,  80,  {kUpper, 7, 1}},
    Fact{"size",           kReadmeSection, &R::size,           K::kFileSize, Storage::kAlways,   "File Size",              "",                        B::kProgramInfo,  70,  {kUpper, 8, 0}},
    Fact{"md5",            kReadmeSection, &R::md5,            K::kDigest,   Storage::kAlways,   "MD5 Hash",               "",                        B::kProgramInfo, 150,  {kUpper, 8, 1}},
    Fact{"sha256",         kReadmeSection, &R::sha256,         K::kDigest,   Storage::kWhenUsed, "SHA-256",                "",                        B::kProgramInfo, 160,  {kUpper, 9, 0}},
    Fact{"descript_uses",  kReadmeSection, &R::descript_uses,  K::kText,     Storage::kAlways,   "Description or/and Uses", "DESCRIPTION or/and USES", B::kText,          10,  {kLower, 0, 0}},
    Fact{"required",       kReadmeSection, &R::required,       K::kText,     Storage::kAlways,   "Required",               "REQUIRED",                B::kText,          20,  {kLower, 0, 1}},
    Fact{"news",           kReadmeSection, &R::news,           K::kText,     Storage::kAlways,   "What's New",             "WHAT'S NEW",              B::kText,          30,  {kLower, 1, 0}},
    Fact{"license",        kReadmeSection, &R::license,        K::kText,     Storage::kAlways,   "License",                "LICENSE",                 B::kText,          60,  {kLower, 1, 1}},
    Fact{"changelog",      kReadmeSection, &R::changelog,      K::kText,     Storage::kAlways,   "Change Log",             "CHANGE LOG",              B::kText,          40,  {kLower, 2, 0}},
    Fact{"todo",           kReadmeSection, &R::todo,           K::kText,     Storage::kAlways,   "ToDo",                   "TODO",                    B::kText,          50,  {kLower, 2, 1}},
};
// clang-format on

// The facts of each README block in README order, and those of the [readme] section, built once.
struct Derived {
  std::array<std::vector<const Fact*>, 4> blocks;
  std::vector<const Fact*> release;
  std::vector<const Fact*> html;

  Derived() {
    for (const Fact& fact : kFacts) {
      blocks[static_cast<size_t>(fact.block)].push_back(&fact);
      (fact.section == kReadmeSection ? release : html).push_back(&fact);
    }
    for (auto& block : blocks) {
      std::stable_sort(block.begin(), block.end(),
                       [](const Fact* a, const Fact* b) { return a->readme_order < b->readme_order; });
    }
  }
};

const Derived& DerivedTables() {
  static const Derived derived;
  return derived;
}

}  // namespace

std::span<const Fact> Facts() { return kFacts; }

const Fact* FindFact(std::string_view key) {
  for (const Fact& fact : kFacts) {
    if (fact.key == key) return &fact;
  }
  return nullptr;
}

const Fact& FactOf(std::string ReadmeProject::*member) {
  for (const Fact& fact : kFacts) {
    if (fact.member == member) return fact;
  }
  return kFacts.front();  // unreachable for a member of the record
}

std::span<const Fact* const> FactsInBlock(ReadmeBlock block) {
  return DerivedTables().blocks[static_cast<size_t>(block)];
}

std::span<const Fact* const> ReleaseFacts() { return DerivedTables().release; }

std::span<const Fact* const> HtmlSettings() { return DerivedTables().html; }

}  // namespace quillory
