#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/md5.h"

namespace quillory::cli {

void AddMd5Command(CLI::App& app, const Streams& io) {
  auto file = std::make_shared<std::string>();
  CLI::App* sub =
      NewSubcommand(app, "md5", "md5 FILE|-", "Prints the MD5 digest the MD5 field would receive");
  sub->add_option("file", *file, "The file; - reads standard input")->required();
  sub->callback([file, io] {
    Md5Context context;
    Md5Start(context);
    ReadInBlocks(*file, io.in,
                 [&](const unsigned char* data, std::size_t length) { Md5Add(context, data, length); });
    WriteOutputOrThrow("-", Md5FieldText(Md5Finish(context)) + "\n", io.out);
  });
}

}  // namespace quillory::cli
