#include <CLI/CLI.hpp>
#include <memory>

#include "cli/assignments.h"
#include "cli/cli.h"
#include "cli/cli_io.h"
#include "project/stored_value.h"

namespace quillory::cli {
namespace {

struct SetOptions {
  std::string project;
  std::vector<std::string> assignments;
};

void RunSet(const SetOptions& options, const Streams& io) {
  if (options.project == "-") throw UsageError{"set changes a file: standard input cannot be changed"};
  if (options.assignments.empty()) throw UsageError{"missing KEY=VALUE"};
  const bool existed = RequireChangeableDocument(options.project);
  const std::vector<Assignment> changes = ParseAssignments(options.assignments, io.in);
  // A multi-line value holding ¤ would read back with a line break in its place.
  ReadmeProject values;
  Apply(changes, values);
  if (const Fact* text = FindUnstorableText(values)) {
    throw Error("the value of '" + std::string(text->key) +
                "' holds the character ¤, which a project document reads back as a line break in a "
                "multi-line value");
  }
  // Applied afresh each time: the change runs again when another writer got to the document first.
  ChangeDocument(options.project, [&](ReadmeProject& record) { Apply(changes, record); });
  if (!existed) Notice(io, "set", "created " + Quoted(options.project));
}

}  // namespace

void AddSetCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<SetOptions>();
  CLI::App* sub =
      NewSubcommand(app, "set", "set PROJECT KEY=VALUE|KEY=@FILE|KEY=@FILE#VERSION|KEY=@-|KEY=@@VALUE ...",
                    "Changes values of a project document (a missing one is created from the defaults)");
  sub->add_option("PROJECT", options->project, "The project document: a project document or a new name")
      ->required();
  sub->add_option(
      "ASSIGNMENTS", options->assignments,
      "KEY=VALUE (UTF-8), KEY=@FILE (a UTF-8 text file), KEY=@FILE#VERSION (that "
      "version's section of a Markdown change log), KEY=@- (standard input, UTF-8), KEY=@@VALUE (a value "
      "that begins with @); a value from a file or standard input loses one final line break");
  sub->callback([options, io] { RunSet(*options, io); });
}

}  // namespace quillory::cli
