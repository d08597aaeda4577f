#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

struct GetOptions {
  std::string project;
  std::string key;
  bool raw = false;
};

void RunGet(const GetOptions& options, const Streams& io) {
  const Fact& field = KnownField(options.key);
  const ReadmeProject record = LoadProject(options.project, io.in);
  const std::string& stored = record.*field.member;
  // The stored bytes are Windows-1252 with CR LF line breaks; a terminal and a pipeline want UTF-8 and LF.
  const std::string text = options.raw ? stored : ReplaceLineBreaks(Cp1252ToUtf8(stored), "\n");
  WriteOutputOrThrow("-", text + "\n", io.out);
}

}  // namespace

const Fact& KnownField(const std::string& key) {
  if (const Fact* fact = FindFact(key)) return *fact;
  std::string keys;
  for (const auto facts : {ReleaseFacts(), HtmlSettings()}) {
    for (const Fact* fact : facts) keys.append(keys.empty() ? "" : ", ").append(fact->key);
  }
  throw UsageError{"unknown key '" + key + "' (keys: " + keys + ")"};
}

void AddGetCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<GetOptions>();
  CLI::App* sub =
      NewSubcommand(app, "get", "get [--raw] PROJECT|- KEY", "Prints a value of a project document");
  sub->add_flag("--raw", options->raw,
                "The stored bytes (Windows-1252, CR LF line breaks) instead of UTF-8 with LF");
  sub->add_option("project", options->project, "The project document; - reads it from standard input")
      ->required();
  sub->add_option("key", options->key, "The key of the value: program_name, version, news, c1, ...")
      ->required();
  sub->callback([options, io] { RunGet(*options, io); });
}

}  // namespace quillory::cli
