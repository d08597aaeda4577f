#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_digests.h"
#include "fields/file_size.h"
#include "project/facts.h"

namespace quillory::cli {
namespace {

struct StampOptions {
  std::string project;
  std::string file;
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

void RunStamp(const StampOptions& options, const Streams& io) {
  if (options.project == "-") throw UsageError{"stamp changes a file: standard input cannot be changed"};
  RequireChangeableDocument(options.project);
  const Stamped stamped = StampedFacts();
  const std::vector<const Fact*>& facts = stamped.facts;
  const std::vector<const DigestAlgorithm*>& algorithms = stamped.algorithms;
  // One read of the release file; the digests are computed side by side while it is read.
  InputSource release = OpenInput(options.file, io.in);
  const DigestResults results = DigestAll(release, algorithms);
  std::vector<std::string> values;
  for (size_t i = 0, digest = 0; i < facts.size(); ++i) {
    if (facts[i]->kind == FactKind::kFileSize) {
      values.push_back(SizeText(results.length));
    } else {
      values.push_back(FieldText(*algorithms[digest], results.digests[digest]));
      ++digest;
    }
  }
  ChangeDocument(options.project, [&](ReadmeProject& record) {
    for (size_t i = 0; i < facts.size(); ++i) record.*facts[i]->member = values[i];
  });
  std::string report;
  for (size_t i = 0; i < facts.size(); ++i)
    report.append(facts[i]->key).append("=").append(values[i]) += '\n';
  WriteOutputOrThrow("-", report, io.out);
}

}  // namespace

void AddStampCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<StampOptions>();
  CLI::App* sub = NewSubcommand(
      app, "stamp", "stamp PROJECT FILE|-",
      "Sets " + StampedKeys() + " of a project document from a release file read once, and prints them");
  sub->add_option("project", options->project, "The project document: a regular file or a new name")
      ->required();
  sub->add_option("file", options->file, "The release file; - reads standard input")->required();
  sub->callback([options, io] { RunStamp(*options, io); });
}

}  // namespace quillory::cli
