#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_size.h"
#include "fields/md5.h"

namespace quillory::cli {
namespace {

struct StampOptions {
  std::string project;
  std::string file;
};

// One fact that stamp fills from the release file: it is shown every block of the one read, then gives
// the fact's text.
struct StampedFact {
  std::string_view key;
  std::string ReadmeProject::*member;
  BlockSink add;
  std::function<std::string()> finish;
};

// The facts stamp fills, in the order it prints them. Another digest is one more entry.
std::vector<StampedFact> StampedFacts() {
  auto length = std::make_shared<std::uint64_t>(0);
  auto md5 = std::make_shared<Md5Context>();
  Md5Start(*md5);
  return {
      {"size", &ReadmeProject::size, [length](const unsigned char*, std::size_t n) { *length += n; },
       [length] { return SizeText(*length); }},
      {"md5", &ReadmeProject::md5, [md5](const unsigned char* data, std::size_t n) { Md5Add(*md5, data, n); },
       [md5] { return Md5FieldText(Md5Finish(*md5)); }},
  };
}

void RunStamp(const StampOptions& options, const Streams& io) {
  if (options.project == "-") throw UsageError{"stamp changes a file: standard input cannot be changed"};
  RequireChangeableDocument(options.project);
  std::vector<StampedFact> facts = StampedFacts();
  ReadInBlocks(options.file, io.in, [&facts](const unsigned char* data, std::size_t length) {
    for (const StampedFact& fact : facts) fact.add(data, length);
  });
  std::vector<std::string> values;
  for (const StampedFact& fact : facts) values.push_back(fact.finish());
  ChangeDocument(options.project, [&](ReadmeProject& record) {
    for (size_t i = 0; i < facts.size(); ++i) record.*facts[i].member = values[i];
  });
  std::string report;
  for (size_t i = 0; i < facts.size(); ++i) report.append(facts[i].key).append("=").append(values[i]) += '\n';
  WriteOutputOrThrow("-", report, io.out);
}

}  // namespace

void AddStampCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<StampOptions>();
  CLI::App* sub = NewSubcommand(app, "stamp", "stamp PROJECT FILE|-",
                                "Sets size and md5 of a project document from a release file read once, and "
                                "prints them");
  sub->add_option("project", options->project, "The project document: a regular file or a new name")
      ->required();
  sub->add_option("file", options->file, "The release file; - reads standard input")->required();
  sub->callback([options, io] { RunStamp(*options, io); });
}

}  // namespace quillory::cli
