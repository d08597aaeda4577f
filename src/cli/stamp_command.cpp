#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/progress_line.h"
#include "cli/suggestion.h"
#include "fields/file_digests.h"
#include "fields/file_size.h"
#include "project/facts.h"

namespace quillory::cli {
namespace {

struct StampOptions {
  std::string project;
  std::string file;
  std::string format = "text";
  bool dry_run = false;
  bool quiet = false;
};

// The facts stamp fills, in the order it prints them: the size and every digest, with the digests'
// algorithms in the same order.
struct Stamped {
  std::vector<const Fact*> facts;
  std::vector<const DigestAlgorithm*> algorithms;
};

Stamped StampedFacts() {
  Stamped stamped;
  for (const Fact& fact : Facts()) {
    if (fact.kind == FactKind::kFileSize) stamped.facts.push_back(&fact);
    if (fact.kind != FactKind::kDigest) continue;
    const DigestAlgorithm* algorithm = FindDigestAlgorithm(fact.key);
    if (algorithm == nullptr) throw Error("no digest is called '" + std::string(fact.key) + "'");
    stamped.facts.push_back(&fact);
    stamped.algorithms.push_back(algorithm);
  }
  return stamped;
}

// "size, md5 and sha256".
std::string StampedKeys() {
  const Stamped stamped = StampedFacts();
  std::string keys;
  for (size_t i = 0; i < stamped.facts.size(); ++i) {
    if (i > 0) keys += i + 1 == stamped.facts.size() ? " and " : ", ";
    keys += stamped.facts[i]->key;
  }
  return keys;
}

// The byte count the env and json reports add after the size text, whose coarse unit a script cannot use.
constexpr std::string_view kSizeBytes = "size_bytes";

// text as one word of a POSIX shell: in single quotes, each ' as '\''.
std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// What stamp prints: KEY=VALUE lines (text), the same shell-quoted with size_bytes (env), or one JSON object.
std::string Report(const std::string& format, const std::vector<const Fact*>& facts,
                   const std::vector<std::string>& values, std::uint64_t length) {
  std::string report;
  if (format == "json") {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (size_t i = 0; i < facts.size(); ++i) {
      object[std::string(facts[i]->key)] = values[i];
      if (facts[i]->kind == FactKind::kFileSize) object[std::string(kSizeBytes)] = length;
    }
    return object.dump(2) + "\n";
  }
  for (size_t i = 0; i < facts.size(); ++i) {
    const bool env = format == "env";
    report.append(facts[i]->key).append("=").append(env ? ShellQuoted(values[i]) : values[i]) += '\n';
    if (env && facts[i]->kind == FactKind::kFileSize) {
      report.append(kSizeBytes).append("=").append(ShellQuoted(std::to_string(length))) += '\n';
    }
  }
  return report;
}

void RunStamp(const StampOptions& options, const Streams& io) {
  const std::vector<std::string> formats = {"text", "env", "json"};
  if (std::find(formats.begin(), formats.end(), options.format) == formats.end()) {
    throw UsageError{"unknown report format '" + options.format + "'" + DidYouMean(options.format, formats) +
                     " (formats: text, env, json)"};
  }
  if (options.project == "-") throw UsageError{"stamp changes a file: standard input cannot be changed"};
  const bool existed = RequireChangeableDocument(options.project);
  const Stamped stamped = StampedFacts();
  const std::vector<const Fact*>& facts = stamped.facts;
  const std::vector<const DigestAlgorithm*>& algorithms = stamped.algorithms;
  // One read of the release file; the digests are computed side by side while it is read. A device has
  // no length to stamp (as for size): it is refused without being opened.
  InputSource release = OpenInput(options.file, io.in, Readable::kNoDevice);
  InputProgress progress(io, release, options.quiet);
  const DigestResults results = DigestAll(release, algorithms, progress.Callback());
  progress.Finish();
  std::vector<std::string> values;
  for (size_t i = 0, digest = 0; i < facts.size(); ++i) {
    if (facts[i]->kind == FactKind::kFileSize) {
      values.push_back(SizeText(results.length));
    } else {
      values.push_back(FieldText(*algorithms[digest], results.digests[digest]));
      ++digest;
    }
  }
  if (!options.dry_run) {
    ChangeDocument(options.project, [&](ReadmeProject& record) {
      for (size_t i = 0; i < facts.size(); ++i) record.*facts[i]->member = values[i];
    });
    if (!existed) Notice(io, "stamp", "created " + Quoted(options.project));
  }
  WriteOutputOrThrow("-", Report(options.format, facts, values, results.length), io);
}

}  // namespace

void AddStampCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<StampOptions>();
  CLI::App* sub = NewSubcommand(
      app, "stamp", "stamp [--format text|env|json] [-n] [-q] PROJECT FILE|-",
      "Sets " + StampedKeys() + " of a project document from a release file read once, and prints them");
  sub->add_option("--format", options->format,
                  "text: KEY=VALUE lines (the default); env: shell-quoted KEY='VALUE' lines for eval, with "
                  "size_bytes; json: one JSON object, with size_bytes");
  sub->add_flag("-n,--dry-run", options->dry_run, "Prints the values without changing the document");
  sub->add_flag("-q,--quiet", options->quiet, "No progress line, even for a big file on a terminal");
  sub->add_option("PROJECT", options->project, "The project document: a project document or a new name")
      ->required();
  sub->add_option("FILE", options->file, "The release file; - reads standard input")->required();
  sub->callback([options, io] { RunStamp(*options, io); });
}

}  // namespace quillory::cli
