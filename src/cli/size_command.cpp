#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "fields/file_size.h"

namespace quillory::cli {
namespace {

// The length of a regular file without reading it; of a FIFO, pipe or standard input, the count of the
// bytes read from it. A device has no length to give.
std::uint64_t InputLength(const std::string& name, std::istream& in) {
  if (name != "-") {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) throw FileFailure("open", name, errno);
    if (S_ISDIR(info.st_mode)) throw FileFailure("open", name, EISDIR);
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) throw Error(Quoted(name) + " is not a regular file");
    if (S_ISREG(info.st_mode)) return static_cast<std::uint64_t>(info.st_size);
  }
  return ReadInBlocks(name, in, [](const unsigned char*, std::size_t) {});
}

}  // namespace

void AddSizeCommand(CLI::App& app, const Streams& io) {
  auto file = std::make_shared<std::string>();
  CLI::App* sub =
      NewSubcommand(app, "size", "size FILE|-", "Prints the size text the size field would receive");
  sub->add_option("file", *file, "The file; - counts the bytes of standard input")->required();
  sub->callback([file, io] { WriteOutputOrThrow("-", SizeText(InputLength(*file, io.in)) + "\n", io.out); });
}

}  // namespace quillory::cli
