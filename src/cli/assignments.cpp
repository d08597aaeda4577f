#include "cli/assignments.h"

#include <sys/stat.h>

#include <cstdio>
#include <utility>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "cli/suggestion.h"
#include "fields/text_file_fact.h"
#include "readme/changelog_section.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

// Raises a usage error naming the key and the first character of the UTF-8 text that Windows-1252
// cannot hold, if there is one.
void RequireCp1252(const Fact& field, std::string_view utf8) {
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const auto ch = NextUtf8(utf8, pos);
    if (ch && !UnicodeToCp1252(*ch)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*ch));
      throw UsageError{"the value of '" + std::string(field.key) + "' holds '" +
                       std::string(utf8.substr(start, pos - start)) + "' (" + code +
                       "), which Windows-1252 cannot hold"};
    }
    if (!ch) break;
  }
}

// A command-line value (UTF-8) as the record holds it (Windows-1252, CR LF line breaks).
std::string ValueFromArgument(const Fact& field, const std::string& utf8) {
  if (!IsValidUtf8(utf8)) throw UsageError{"the value of '" + std::string(field.key) + "' is not UTF-8 text"};
  RequireCp1252(field, utf8);
  return ReplaceLineBreaks(Utf8ToCp1252(utf8), kCrLf);
}

// A text file's bytes as the record holds them, converted as the window's load-text-file button does,
// less one final line break.
std::string ValueFromFile(const Fact& field, const std::string& bytes) {
  const std::string_view body = std::string_view(bytes).starts_with(kUtf8Bom)
                                    ? std::string_view(bytes).substr(kUtf8Bom.size())
                                    : std::string_view(bytes);
  if (body.size() < bytes.size() || IsValidUtf8(body)) RequireCp1252(field, body);
  std::string value = TextFileAsFact(bytes);
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
std::string ReadNamedValue(const std::string& name, std::istream& in, bool& standard_input_taken) {
  const size_t hash = name.rfind('#');
  if (hash == std::string::npos || hash == 0 || name == "-" || Exists(name)) {
    return ReadOnce(name, in, standard_input_taken);
  }
  const std::string file = name.substr(0, hash), version = name.substr(hash + 1);
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
      value = ValueFromFile(field, ReadNamedValue(argument.substr(1), in, standard_input_taken));
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
