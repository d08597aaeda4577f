#include "support/cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <sstream>

#include "cli/cli.h"

namespace quillory::testing {

CliOutcome RunCli(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = cli::Run(args, in, out, err);
  return {status, out.str(), err.str()};
}

int RunCliWithStandardOutput(const std::vector<std::string>& args, int stdout_fd) {
  std::cout.flush();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::dup2(stdout_fd, 1) < 0) ::_exit(100);
    std::istringstream in;
    const int status = cli::Run(args, in, std::cout, std::cerr);
    std::cout.flush();
    ::_exit(status);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace quillory::testing
