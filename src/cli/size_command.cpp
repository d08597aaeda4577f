#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_size.h"

namespace quillory::cli {

void AddSizeCommand(CLI::App& app, const Streams& io) {
  auto file = std::make_shared<std::string>();
  CLI::App* sub =
      NewSubcommand(app, "size", "size FILE|-", "Prints the size text the size field would receive");
  sub->add_option("file", *file, "The file; - counts the bytes of standard input")->required();
  sub->callback([file, io] {
    // A device has no length and is not even opened; a FIFO, pipe or standard input is counted.
    InputSource input = OpenInput(*file, io.in, Readable::kNoDevice);
    WriteOutputOrThrow("-", SizeText(InputLength(input)) + "\n", io.out);
  });
}

}  // namespace quillory::cli
