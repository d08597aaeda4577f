#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/html_color.h"
#include "fields/web_address.h"
#include "project/document_encoding.h"
#include "project/facts.h"
#include "project/ini_file.h"
#include "project/project_file.h"
#include "text/ascii.h"
#include "text/nfo_text.h"

namespace quillory::cli {
namespace {

struct Problem {
  size_t line;
  std::string message;
};

// The characters of a value that the NFO (code page 437) can only write as "?", each once; ¤ has a message
// of its own.
std::string NfoLosses(std::string_view value) {
  LostCharacters lost;
  NfoText(value, &lost);
  std::vector<char32_t> shown = lost.characters();
  std::erase(shown, U'\u00A4');
  return CharacterList(shown);
}

bool IsHexDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  });
}

// A colour the page's style sheet takes: "#RGB", "#RRGGBB" or a colour name (any letter case).
bool IsColour(std::string_view text) {
  if (text.starts_with('#')) return (text.size() == 4 || text.size() == 7) && IsHexDigits(text.substr(1));
  // The table spells each grey "gray" (but "lightgrey"); style sheets take both spellings of every one.
  std::string name = AsciiLower(text);
  if (const size_t grey = name.find("grey"); grey != std::string::npos) name.replace(grey, 4, "gray");
  if (name == "lightgray") name = "lightgrey";
  const auto& named = NamedColors();
  return std::any_of(named.begin(), named.end(), [&](const NamedColor& c) { return c.name == name; });
}

// LOCAL@DOMAIN with a dot inside the domain and no blank anywhere.
bool IsEmailAddress(std::string_view text) {
  const size_t at = text.find('@');
  if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos)
    return false;
  const std::string_view domain = text.substr(at + 1);
  const size_t dot = domain.find('.');
  return text.find_first_of(" \t<>\"") == std::string_view::npos && dot != std::string_view::npos &&
         dot > 0 && !domain.ends_with('.');
}

// What is wrong with one stored value, one message each.
std::vector<std::string> ValueProblems(const Fact& fact, const std::string& value) {
  std::vector<std::string> problems;
  const std::string key(fact.key);
  if (const std::string lost = NfoLosses(value); !lost.empty()) {
    problems.push_back("'" + key + "' holds " + lost + ", which the NFO (code page 437) writes as \"?\"");
  }
  if (!fact.multi_line() && value.find("\xC2\xA4") != std::string::npos) {
    problems.push_back("'" + key + "' holds \xC2\xA4, which marks a line break in the document's texts");
  }
  switch (fact.kind) {
    case FactKind::kAddress:
      if (!value.empty() &&
          (WebAddressToOpen(value).empty() || value.find_first_of(" \t") != std::string::npos)) {
        problems.push_back("'" + key + "' is not a web address: '" + value + "'");
      }
      break;
    case FactKind::kEmail:
      if (!value.empty() && !IsEmailAddress(value)) {
        problems.push_back("'" + key + "' is not an e-mail address: '" + value + "'");
      }
      break;
    case FactKind::kColour:
      if (!IsColour(value)) problems.push_back("'" + key + "' is not a colour: '" + value + "'");
      break;
    default:
      break;
  }
  return problems;
}

// Every problem of a document's bytes, in the order of its lines.
std::vector<Problem> DocumentProblems(const std::string& bytes) {
  const ReadmeProject record = ProjectFromBytes(bytes);
  const IniDocument document{DecodeDocument(bytes).text};
  std::vector<Problem> problems;
  for (const Fact& fact : Facts()) {
    const std::optional<size_t> line = document.LineNumber(fact.section, fact.key);
    if (!line) continue;  // not in the document: the default, which is sound
    for (std::string& message : ValueProblems(fact, record.*fact.member))
      problems.push_back({*line, std::move(message)});
  }
  if (record.program_name.empty()) {
    const auto line = document.LineNumber(kReadmeSection, "program_name");
    problems.push_back({line.value_or(document.LineNumber(kReadmeSection).value_or(1)),
                        "no program name: no README can be made without one"});
  }
  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return problems;
}

void RunCheck(const std::string& project, const Streams& io) {
  const std::string bytes = ReadDocument(project, io.in);
  const std::vector<Problem> problems = DocumentProblems(bytes);
  const std::string file = project == "-" ? "<stdin>" : project;
  std::string report;
  for (const Problem& problem : problems)
    report += file + ":" + std::to_string(problem.line) + ": " + problem.message + "\n";
  WriteOutputOrThrow("-", report, io);
  if (!problems.empty()) {
    throw Error(std::to_string(problems.size()) + (problems.size() == 1 ? " problem" : " problems"));
  }
}

}  // namespace

void AddCheckCommand(CLI::App& app, const Streams& io) {
  auto project = std::make_shared<std::string>();
  CLI::App* sub =
      NewSubcommand(app, "check", "check PROJECT|-",
                    "Prints the problems of a project document as FILE:LINE: message; fails on any");
  sub->add_option("PROJECT", *project, "The project document; - reads it from standard input")->required();
  sub->callback([project, io] { RunCheck(*project, io); });
}

}  // namespace quillory::cli
