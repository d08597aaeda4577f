#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // A reader that closes the pipe early (`| head`) ends the program quietly, with the status 141 (128 +
  // SIGPIPE) a shell shows, even when the program was started with SIGPIPE ignored.
  std::signal(SIGPIPE, SIG_DFL);
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return quillory::cli::Run(args, std::cin, std::cout, std::cerr);
}
