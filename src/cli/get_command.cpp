#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "project/stored_value.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

struct GetOptions {
  std::string project;
  std::vector<std::string> keys;
  bool raw = false;
  bool json = false;
};

// A value as get prints it: the record holds CR LF line breaks; a terminal and a pipeline want LF.
std::string PrintedValue(const std::string& stored) { return ReplaceLineBreaks(stored, "\n"); }

void RunGet(const GetOptions& options, const Streams& io) {
  std::vector<const Fact*> facts;
  for (const std::string& key : options.keys) facts.push_back(&KnownField(key));
  if (facts.empty()) {
    if (!options.json) throw UsageError{"missing KEY"};
    facts = KeysInListOrder();
  }
  const ReadmeProject record = LoadProject(options.project, io.in);
  if (options.json) {
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (const Fact* fact : facts) values[std::string(fact->key)] = PrintedValue(record.*fact->member);
    WriteOutputOrThrow("-", values.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n", io);
    return;
  }
  std::string text;
  for (const Fact* fact : facts) {
    const std::string& stored = record.*fact->member;
    text += options.raw ? ValueInDocumentEncoding(stored + "\n", record.encoding) : PrintedValue(stored) + "\n";
  }
  WriteOutputOrThrow("-", text, io);
}

}  // namespace

void AddGetCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<GetOptions>();
  CLI::App* sub = NewSubcommand(app, "get", "get [--raw|--json] PROJECT|- [KEY...]",
                                "Prints values of a project document, each followed by a line feed");
  CLI::Option* raw = sub->add_flag(
      "--raw", options->raw, "The values in their document's encoding (Windows-1252, UTF-8 or UTF-16) with CR LF line breaks, "
      "instead of UTF-8 with LF");
  sub->add_flag("--json", options->json,
                "One JSON object of the values (UTF-8, LF line breaks); every key when none is given")
      ->excludes(raw);
  sub->add_option("PROJECT", options->project, "The project document; - reads it from standard input")
      ->required();
  sub->add_option("KEY", options->keys,
                  "The keys of the values: program_name, version, news, c1, ... (see keys)");
  sub->callback([options, io] { RunGet(*options, io); });
}

}  // namespace quillory::cli
