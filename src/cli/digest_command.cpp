#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/progress_line.h"
#include "fields/file_digests.h"

namespace quillory::cli {
namespace {

struct DigestOptions {
  std::string file;
  bool quiet = false;
};

}  // namespace

void AddDigestCommands(CLI::App& app, const Streams& io) {
  for (const DigestAlgorithm& algorithm : DigestAlgorithms()) {
    const std::string name(algorithm.name), title(algorithm.title);
    auto options = std::make_shared<DigestOptions>();
    CLI::App* sub = NewSubcommand(app, name, name + " [-q] FILE|-",
                                  "Prints the " + title + " digest the " + title + " field would receive");
    sub->add_flag("-q,--quiet", options->quiet, "No progress line, even for a big file on a terminal");
    sub->add_option("FILE", options->file, "The file; - reads standard input")->required();
    sub->callback([options, io, &algorithm] {
      InputSource input = OpenInput(options->file, io.in);
      const DigestAlgorithm* const one[] = {&algorithm};
      InputProgress progress(io, input, options->quiet);
      const DigestResults results = DigestAll(input, one, progress.Callback());
      progress.Finish();
      WriteOutputOrThrow("-", FieldText(algorithm, results.digests.front()) + "\n", io);
    });
  }
}

}  // namespace quillory::cli
