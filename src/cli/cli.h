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

// Runs quillory-cli with its arguments (the program name left out), reading standard input from in.
// Results go to out, messages ("quillory-cli: COMMAND: MESSAGE") to err. Returns the exit status: 0
// success, 1 failure, 2 usage error.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The names of the subcommands, in the order --help lists them.
std::vector<std::string> SubcommandNames();

// A usage error: the message is printed with the usage of the subcommand and the exit status is 2.
struct UsageError {
  std::string message;
};

// The streams a subcommand reads and writes.
struct Streams {
  std::istream& in;
  std::ostream& out;
};

// Each subcommand adds itself to app: its options, its usage line and the callback that runs it. A
// callback raises UsageError for a wrong command line and Error (worded "cannot open 'NAME': REASON",
// naming the file) for a failure.
void AddRenderCommand(CLI::App& app, const Streams& io);
void AddGetCommand(CLI::App& app, const Streams& io);
void AddSetCommand(CLI::App& app, const Streams& io);
void AddStampCommand(CLI::App& app, const Streams& io);
// One subcommand for each digest of fields/digest.h, named after it ("md5", "sha256").
void AddDigestCommands(CLI::App& app, const Streams& io);
void AddSizeCommand(CLI::App& app, const Streams& io);

}  // namespace quillory::cli

namespace quillory::cli {

// Adds the subcommand name to app, with its usage (the words after "quillory-cli", shown by --help and
// after a usage error) and a one-line description.
CLI::App* NewSubcommand(CLI::App& app, const std::string& name, const std::string& usage,
                        const std::string& description);

}  // namespace quillory::cli
