#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillory::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// Standard output was closed by its reader (EPIPE): the status a process killed by SIGPIPE shows a shell.
inline constexpr int kExitBrokenPipe = 141;

// The streams a run reads and writes, and what they are connected to.
struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;  // messages, notices and progress lines
  // The descriptor behind out (1 for std::cout), written directly so that a failure has its real cause;
  // -1 for a stream of the caller's.
  int out_descriptor = -1;
  // Whether err shows on a terminal, where reading a big file shows its progress.
  bool err_is_terminal = false;
};

// Runs quillory-cli with its arguments (the program name left out). Results go to io.out, messages
// ("quillory-cli: COMMAND: MESSAGE") to io.err. Returns the exit status: 0 success, 1 failure, 2 usage error,
// 141 (quietly) when standard output was closed by its reader.
int Run(const std::vector<std::string>& args, const Streams& io);

// Run with standard input in, results to out and messages to err; std::cin, std::cout and std::cerr are
// recognised as the process's own descriptors 0, 1 and 2.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The names of the subcommands, in the order --help lists them.
std::vector<std::string> SubcommandNames();

// A usage error: the message is printed with the usage of the subcommand and the exit status is 2.
struct UsageError {
  std::string message;
};

// Each subcommand adds itself to app: its options, its usage line and the callback that runs it. A
// callback raises UsageError for a wrong command line and Error (worded "cannot open 'NAME': REASON",
// naming the file) for a failure.
void AddRenderCommand(CLI::App& app, const Streams& io);
void AddGetCommand(CLI::App& app, const Streams& io);
void AddSetCommand(CLI::App& app, const Streams& io);
void AddStampCommand(CLI::App& app, const Streams& io);
void AddCheckCommand(CLI::App& app, const Streams& io);
void AddKeysCommand(CLI::App& app, const Streams& io);
// One subcommand for each digest of fields/digest.h, named after it ("md5", "sha256").
void AddDigestCommands(CLI::App& app, const Streams& io);
void AddSizeCommand(CLI::App& app, const Streams& io);

// Adds the subcommand name to app, with its usage (the words after "quillory-cli", shown by --help and
// after a usage error) and a one-line description.
CLI::App* NewSubcommand(CLI::App& app, const std::string& name, const std::string& usage,
                        const std::string& description);

}  // namespace quillory::cli
