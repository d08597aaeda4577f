#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "project/stored_value.h"
#include "text/byte_sink.h"
#include "text/control_characters.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

struct GetOptions {
  std::string project;
  std::vector<std::string> keys;
  bool raw = false;
  bool json = false;
};

// A value as get prints it: the record holds CR LF line breaks; a terminal and a pipeline want LF. A control
// character other than tab and the line breaks is printed as U+FFFD, so that printing a value cannot send
// a terminal its escape sequences.
std::string PrintedValue(std::string_view stored) {
  std::string printed;
  AppendWithoutControls(printed, ReplaceLineBreaks(stored, "\n"));
  return printed;
}

// Prints the values one after another, each followed by a line feed, a piece of a long value at a time, so
// that no second copy of the record's text is made. raw: in the document's encoding, with CR LF.
void PrintValues(const ReadmeProject& record, const std::vector<const Fact*>& facts, bool raw,
                 const Streams& io) {
  ByteSink sink([&](std::string_view piece) { WriteOutputOrThrow("-", piece, io); });
  for (const Fact* fact : facts) {
    std::string_view value = record.*fact->member;
    while (!value.empty()) {
      const size_t length = PieceLength(value, ByteSink::kPieceSize);
      const std::string_view piece = value.substr(0, length);
      sink.text() += raw ? ValueInDocumentEncoding(piece, record.encoding) : PrintedValue(piece);
      sink.Spill();
      value.remove_prefix(length);
    }
    sink.text() += raw ? ValueInDocumentEncoding("\n", record.encoding) : "\n";
  }
  sink.Flush();
}

void RunGet(const GetOptions& options, const Streams& io) {
  std::vector<const Fact*> facts;
  for (const std::string& key : options.keys) facts.push_back(&KnownField(key));
  if (facts.empty()) {
    if (!options.json) throw UsageError{"missing KEY"};
    facts = KeysInListOrder();
  }
  const ReadmeProject record = LoadProject(options.project, io.in);
  if (options.json) {
    // JSON writes control characters as escapes ("\u001b"), which no terminal acts on: values stay exact.
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (const Fact* fact : facts)
      values[std::string(fact->key)] = ReplaceLineBreaks(record.*fact->member, "\n");
    WriteOutputOrThrow("-", values.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n", io);
    return;
  }
  PrintValues(record, facts, options.raw, io);
}

}  // namespace

void AddGetCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<GetOptions>();
  CLI::App* sub = NewSubcommand(app, "get", "get [--raw|--json] PROJECT|- [KEY...]",
                                "Prints values of a project document, each followed by a line feed");
  CLI::Option* raw = sub->add_flag(
      "--raw", options->raw,
      "The values in their document's encoding (Windows-1252, UTF-8 or UTF-16) with CR LF line breaks, "
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
