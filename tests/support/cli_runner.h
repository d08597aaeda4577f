#pragma once

#include <string>
#include <vector>

namespace quillory::testing {

// What one run of quillory-cli gave.
struct CliOutcome {
  int status;
  std::string out;
  std::string err;
};

// Runs quillory-cli in this process with args, standard input holding input.
CliOutcome RunCli(const std::vector<std::string>& args, const std::string& input = "");

// Runs quillory-cli in a forked child whose descriptor 1 is stdout_fd, as a shell redirection would make
// it, with std::cout as its standard output. Returns the child's exit status (-1 when it did not exit).
int RunCliWithStandardOutput(const std::vector<std::string>& args, int stdout_fd);

}  // namespace quillory::testing
