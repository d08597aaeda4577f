#include "cli/assignments.h"

#include <sys/stat.h>

#include <cstdio>
#include <utility>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "cli/suggestion.h"
#include "readme/changelog_section.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

// Raises an error naming the key (and where the value came from) unless text is well-formed UTF-8.
void RequireUtf8(const Fact& field, std::string_view text, const std::string& source) {
  if (!IsValidUtf8(text)) {
    throw Error("the value of '" + std::string(field.key) + "' " + (source.empty() ? "" : source + " ") +
                "is not UTF-8 text");
  }
}

// A command-line value (UTF-8) as the record holds it (CR LF line breaks).
std::string ValueFromArgument(const Fact& field, const std::string& utf8) {
  RequireUtf8(field, utf8, {});
  return ReplaceLineBreaks(utf8, kCrLf);
}

// A text file's bytes (UTF-8, a byte-order mark dropped) as the record holds them, less one final line
// break.
std::string ValueFromFile(const Fact& field, std::string_view bytes, const std::string& source) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  RequireUtf8(field, bytes, source);
  std::string value = ReplaceLineBreaks(bytes, kCrLf);
  if (value.ends_with(kCrLf)) value.resize(value.size() - kCrLf.size());
  return value;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

// Reads the input name ("-": in, which gives one value only).
std::string ReadOnce(const std::string& name, std::istream& in, bool& standard_input_taken) {
  if (name == "-" && std::exchange(standard_input_taken, true)) {
    throw UsageError{"standard input can give only one value"};
  }
  return ReadInput(name, in);
}

// The bytes "@NAME" stands for: the file NAME, or the section VERSION of the change log FILE for
// "FILE#VERSION" when no file has the whole name.
// source receives where the bytes came from, as a message names it.
std::string ReadNamedValue(const std::string& name, std::istream& in, bool& standard_input_taken,
                           std::string& source) {
  const size_t hash = name.rfind('#');
  if (hash == std::string::npos || hash == 0 || name == "-" || Exists(name)) {
    source = name == "-" ? "on standard input" : "in " + Quoted(name);
    return ReadOnce(name, in, standard_input_taken);
  }
  const std::string file = name.substr(0, hash), version = name.substr(hash + 1);
  source = "in " + Quoted(file);
  const std::string bytes = ReadOnce(file, in, standard_input_taken);
  std::string_view text = bytes;
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  if (auto section = ChangelogSection(text, version)) return *std::move(section);
  throw Error(Quoted(file) + " has no section for version '" + version + "'" +
              DidYouMean(version, ChangelogVersions(text)));
}

}  // namespace

std::vector<Assignment> ParseAssignments(const std::vector<std::string>& arguments, std::istream& in,
                                         bool standard_input_taken) {
  std::vector<Assignment> assignments;
  for (const std::string& assignment : arguments) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos) throw UsageError{"'" + assignment + "' is not KEY=VALUE"};
    const Fact& field = KnownField(assignment.substr(0, equals));
    const std::string argument = assignment.substr(equals + 1);
    std::string value;
    if (argument.starts_with("@@")) {
      value = ValueFromArgument(field, argument.substr(1));
    } else if (argument.starts_with('@')) {
      std::string source;
      const std::string bytes = ReadNamedValue(argument.substr(1), in, standard_input_taken, source);
      value = ValueFromFile(field, bytes, source);
    } else {
      value = ValueFromArgument(field, argument);
    }
    if (!field.multi_line() && value.find_first_of("\r\n") != std::string::npos) {
      throw UsageError{"'" + std::string(field.key) + "' is a one-line value and cannot hold a line break"};
    }
    assignments.push_back({&field, std::move(value)});
  }
  return assignments;
}

void Apply(const std::vector<Assignment>& assignments, ReadmeProject& record) {
  for (const auto& [fact, value] : assignments) record.*fact->member = value;
}

}  // namespace quillory::cli
