#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_size.h"
#include "fields/file_digests.h"
#include "fields/md5.h"

namespace quillory::cli {
namespace {

struct StampOptions {
  std::string project;
  std::string file;
};

void RunStamp(const StampOptions& options, const Streams& io) {
  if (options.project == "-") throw UsageError{"stamp changes a file: standard input cannot be changed"};
  RequireChangeableDocument(options.project);
  // One read of the release file; the two digests are computed side by side while it is read.
  const FileDigests digests = Md5AndSha256OfBlocks(OpenBlockReader(options.file, io.in));
  // The facts stamp fills, in the order it prints them.
  const std::pair<std::string_view, std::string ReadmeProject::*> facts[] = {
      {"size", &ReadmeProject::size}, {"md5", &ReadmeProject::md5}, {"sha256", &ReadmeProject::sha256}};
  const std::string values[] = {SizeText(digests.length), Md5FieldText(digests.md5),
                                Sha256ToText(digests.sha256)};
  ChangeDocument(options.project, [&](ReadmeProject& record) {
    for (size_t i = 0; i < std::size(facts); ++i) record.*facts[i].second = values[i];
  });
  std::string report;
  for (size_t i = 0; i < std::size(facts); ++i) report.append(facts[i].first).append("=").append(values[i]) += '\n';
  WriteOutputOrThrow("-", report, io.out);
}

}  // namespace

void AddStampCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<StampOptions>();
  CLI::App* sub = NewSubcommand(app, "stamp", "stamp PROJECT FILE|-",
                                "Sets size, md5 and sha256 of a project document from a release file read once, and "
                                "prints them");
  sub->add_option("project", options->project, "The project document: a regular file or a new name")
      ->required();
  sub->add_option("file", options->file, "The release file; - reads standard input")->required();
  sub->callback([options, io] { RunStamp(*options, io); });
}

}  // namespace quillory::cli
