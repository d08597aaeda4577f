#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_digests.h"

namespace quillory::cli {

void AddDigestCommands(CLI::App& app, const Streams& io) {
  for (const DigestAlgorithm& algorithm : DigestAlgorithms()) {
    const std::string name(algorithm.name), title(algorithm.title);
    auto file = std::make_shared<std::string>();
    CLI::App* sub = NewSubcommand(app, name, name + " FILE|-",
                                  "Prints the " + title + " digest the " + title + " field would receive");
    sub->add_option("file", *file, "The file; - reads standard input")->required();
    sub->callback([file, io, &algorithm] {
      InputSource input = OpenInput(*file, io.in);
      const DigestAlgorithm* const one[] = {&algorithm};
      WriteOutputOrThrow("-", FieldText(algorithm, DigestAll(input, one).digests.front()) + "\n", io.out);
    });
  }
}

}  // namespace quillory::cli
