#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "fields/text_file_fact.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

struct SetOptions {
  std::string project;
  std::vector<std::string> assignments;
};

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

// A text file's bytes as the record holds them, converted as the window's load-text-file button does. A
// one-line key loses one final line break, so that `version=@VERSION` takes a file that ends in one.
std::string ValueFromFile(const Fact& field, const std::string& bytes) {
  const std::string_view body = std::string_view(bytes).starts_with(kUtf8Bom)
                                    ? std::string_view(bytes).substr(kUtf8Bom.size())
                                    : std::string_view(bytes);
  if (body.size() < bytes.size() || IsValidUtf8(body)) RequireCp1252(field, body);
  std::string value = TextFileAsFact(bytes);
  if (!field.multi_line() && value.ends_with(kCrLf)) value.resize(value.size() - kCrLf.size());
  return value;
}

void RunSet(const SetOptions& options, const Streams& io) {
  if (options.project == "-") throw UsageError{"set changes a file: standard input cannot be changed"};
  RequireChangeableDocument(options.project);
  std::vector<std::pair<const Fact*, std::string>> changes;
  bool read_standard_input = false;
  for (const std::string& assignment : options.assignments) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos) throw UsageError{"'" + assignment + "' is not KEY=VALUE"};
    const Fact& field = KnownField(assignment.substr(0, equals));
    const std::string argument = assignment.substr(equals + 1);
    std::string value;
    if (argument.starts_with("@@")) {
      value = ValueFromArgument(field, argument.substr(1));
    } else if (argument.starts_with('@')) {
      const std::string name = argument.substr(1);
      if (name == "-" && std::exchange(read_standard_input, true)) {
        throw UsageError{"standard input can give only one value"};
      }
      value = ValueFromFile(field, ReadInput(name, io.in));
    } else {
      value = ValueFromArgument(field, argument);
    }
    if (!field.multi_line() && value.find_first_of("\r\n") != std::string::npos) {
      throw UsageError{"'" + std::string(field.key) + "' is a one-line value and cannot hold a line break"};
    }
    changes.emplace_back(&field, std::move(value));
  }
  // Copied, not moved: the change runs again when another writer got to the document first.
  ChangeDocument(options.project, [&](ReadmeProject& record) {
    for (const auto& [field, value] : changes) record.*field->member = value;
  });
}

}  // namespace

void AddSetCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<SetOptions>();
  CLI::App* sub =
      NewSubcommand(app, "set", "set PROJECT KEY=VALUE|KEY=@FILE|KEY=@-|KEY=@@VALUE ...",
                    "Changes values of a project document (a missing one starts from the defaults)");
  sub->add_option("project", options->project, "The project document: a regular file or a new name")
      ->required();
  sub->add_option(
         "assignments", options->assignments,
         "KEY=VALUE (UTF-8), KEY=@FILE (a text file, UTF-8 or Windows-1252), KEY=@- (standard input), "
         "KEY=@@VALUE (a value that begins with @)")
      ->required();
  sub->callback([options, io] { RunSet(*options, io); });
}

}  // namespace quillory::cli
