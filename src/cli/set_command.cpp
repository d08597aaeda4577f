#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "project/stored_value.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

struct SetOptions {
  std::string project;
  std::vector<std::string> assignments;
};

// Raises an error naming the key unless text is well-formed UTF-8.
void RequireUtf8(const Fact& field, std::string_view text, const std::string& source = {}) {
  if (!IsValidUtf8(text)) {
    throw Error("the value of '" + std::string(field.key) + "' " +
                (source.empty() ? "" : "in " + source + " ") + "is not UTF-8 text");
  }
}

// A command-line value (UTF-8) as the record holds it (CR LF line breaks).
std::string ValueFromArgument(const Fact& field, const std::string& utf8) {
  RequireUtf8(field, utf8);
  return ReplaceLineBreaks(utf8, kCrLf);
}

// A text file's bytes (UTF-8, a byte-order mark dropped) as the record holds them. A one-line key loses one
// final line break, so that `version=@VERSION` takes a file that ends in one.
std::string ValueFromFile(const Fact& field, const std::string& name, std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  RequireUtf8(field, bytes, Quoted(name));
  std::string value = ReplaceLineBreaks(bytes, kCrLf);
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
      value = ValueFromFile(field, name, ReadInput(name, io.in));
    } else {
      value = ValueFromArgument(field, argument);
    }
    if (!field.multi_line() && value.find_first_of("\r\n") != std::string::npos) {
      throw UsageError{"'" + std::string(field.key) + "' is a one-line value and cannot hold a line break"};
    }
    changes.emplace_back(&field, std::move(value));
  }
  // A multi-line value holding ¤ would read back with a line break in its place.
  ReadmeProject values;
  for (const auto& [field, value] : changes) values.*field->member = value;
  if (const Fact* text = FindUnstorableText(values)) {
    throw Error("the value of '" + std::string(text->key) +
                "' holds the character ¤, which a project document reads back as a line break in a "
                "multi-line value");
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
  sub->add_option("assignments", options->assignments,
                  "KEY=VALUE (UTF-8), KEY=@FILE (a UTF-8 text file), KEY=@- (standard input, UTF-8), "
                  "KEY=@@VALUE (a value that begins with @)")
      ->required();
  sub->callback([options, io] { RunSet(*options, io); });
}

}  // namespace quillory::cli
