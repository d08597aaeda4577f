#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/sha256.h"
#include "fields/sha256_context.h"

namespace quillory::cli {

void AddSha256Command(CLI::App& app, const Streams& io) {
  auto file = std::make_shared<std::string>();
  CLI::App* sub = NewSubcommand(app, "sha256", "sha256 FILE|-",
                                "Prints the SHA-256 digest the SHA-256 field would receive");
  sub->add_option("file", *file, "The file; - reads standard input")->required();
  sub->callback([file, io] {
    Sha256Context context;
    ReadInBlocks(*file, io.in,
                 [&](const unsigned char* data, std::size_t length) { context.Add(data, length); });
    WriteOutputOrThrow("-", Sha256ToText(context.Finish()) + "\n", io.out);
  });
}

}  // namespace quillory::cli
