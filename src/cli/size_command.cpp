#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_size.h"

namespace quillory::cli {

void AddSizeCommand(CLI::App& app, const Streams& io) {
  auto file = std::make_shared<std::string>();
  CLI::App* sub =
      NewSubcommand(app, "size", "size [-q] FILE|-", "Prints the size text the size field would receive");
  // Accepted as md5 and sha256 accept it: a size is known without reading, so there is no progress to hide.
  sub->add_flag("-q,--quiet")->description("No progress line");
  sub->add_option("FILE", *file, "The file; - counts the bytes of standard input")->required();
  sub->callback([file, io] {
    // A device has no length and is not even opened; a FIFO, pipe or standard input is counted.
    InputSource input = OpenInput(*file, io.in, Readable::kNoDevice);
    WriteOutputOrThrow("-", SizeText(InputLength(input)) + "\n", io);
  });
}

}  // namespace quillory::cli
