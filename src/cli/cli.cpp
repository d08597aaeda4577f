#include "cli/cli.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <iostream>
#include <memory>
#include <new>
#include <sstream>

#include "cli/cli_io.h"
#include "cli/parse_errors.h"
#include "cli/suggestion.h"
#include "common/error.h"

namespace quillory::cli {
namespace {

constexpr std::string_view kProgram = "quillory-cli";

// CLI11's help with our own usage lines: one per subcommand, and all of them for the program.
class UsageFormatter : public CLI::Formatter {
 public:
  void AddUsage(const std::string& name, const std::string& usage) {
    usages_.emplace_back(name, std::string(kProgram) + " " + usage);
  }
  // "usage: LINE" for the subcommand name, or every line for the program (empty name).
  std::string Usage(const std::string& name) const {
    std::string text;
    for (const auto& [command, line] : usages_) {
      if (!name.empty() && command != name) continue;
      text += (text.empty() ? "usage: " : "       ") + line + "\n";
    }
    if (name.empty()) text += "       " + std::string(kProgram) + " [COMMAND] --help | -V | --version\n";
    return text;
  }
  std::string make_usage(const CLI::App* app, std::string) const override {
    return Usage(app->get_parent() == nullptr ? std::string() : app->get_name());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& usage : usages_) names.push_back(usage.first);
    return names;
  }

 private:
  std::vector<std::pair<std::string, std::string>> usages_;
};

std::string WithFinalLineFeed(std::string text) {
  if (!text.ends_with('\n')) text += '\n';
  return text;
}

std::string VersionText() { return std::string(kProgram) + " " + std::string(kVersion); }

const UsageFormatter& FormatterOf(const CLI::App& app) {
  return static_cast<const UsageFormatter&>(*const_cast<CLI::App&>(app).get_formatter());
}

// Raises the usage error of a command name the program does not have, with the likeliest one meant.
[[noreturn]] void UnknownCommand(const CLI::App& app, const std::string& name) {
  throw UsageError{"unknown command '" + name + "'" + DidYouMean(name, FormatterOf(app).Names())};
}

// The help of one command, or of the program (an empty name).
std::string HelpText(CLI::App& app, const std::string& name) {
  CLI::App* target = &app;
  if (!name.empty()) {
    const auto names = FormatterOf(app).Names();
    if (std::find(names.begin(), names.end(), name) == names.end()) UnknownCommand(app, name);
    target = app.get_subcommand(name);
  }
  return WithFinalLineFeed(
      app.get_formatter()->make_help(target, target->get_name(), CLI::AppFormatMode::Normal));
}

void AddHelpCommand(CLI::App& app, const Streams& io) {
  auto command = std::make_shared<std::string>();
  CLI::App* sub =
      NewSubcommand(app, "help", "help [COMMAND]", "Prints the help of a command, or of the program");
  sub->add_option("COMMAND", *command, "The command");
  sub->callback([&app, command, io] { WriteOutputOrThrow("-", HelpText(app, *command), io); });
}

// The whole command line, with every subcommand.
std::unique_ptr<CLI::App> MakeApp(const Streams& io) {
  auto app = std::make_unique<CLI::App>("Renders, checks and edits Quillory project documents (.qlx).",
                                        std::string(kProgram));
  app->formatter(std::make_shared<UsageFormatter>());
  app->set_version_flag("-V,--version", VersionText());
  app->require_subcommand(1);
  app->footer("Exit status: 0 success, 1 failure, 2 usage error. '-' is standard input or output.");
  // One line a subcommand, in the order --help lists them.
  AddRenderCommand(*app, io);
  AddGetCommand(*app, io);
  AddSetCommand(*app, io);
  AddStampCommand(*app, io);
  AddCheckCommand(*app, io);
  AddKeysCommand(*app, io);
  AddDigestCommands(*app, io);
  AddSizeCommand(*app, io);
  AddHelpCommand(*app, io);
  return app;
}

}  // namespace

CLI::App* NewSubcommand(CLI::App& app, const std::string& name, const std::string& usage,
                        const std::string& description) {
  static_cast<UsageFormatter&>(*app.get_formatter()).AddUsage(name, usage);
  CLI::App* sub = app.add_subcommand(name, description);
  sub->set_version_flag("-V,--version", VersionText());
  return sub;
}

std::vector<std::string> SubcommandNames() {
  std::istringstream no_input;
  std::ostringstream no_output;
  const auto app = MakeApp({no_input, no_output, no_output});
  return FormatterOf(*app).Names();
}

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  return Run(args, Streams{in, out, err, &out == &std::cout ? STDOUT_FILENO : -1,
                           &err == &std::cerr && ::isatty(STDERR_FILENO) == 1});
}

int Run(const std::vector<std::string>& args, const Streams& io) {
  const auto app = MakeApp(io);
  // The subcommand the command line chose so far, for the messages.
  auto chosen = [&]() -> const CLI::App& {
    const auto subcommands = app->get_subcommands();
    return subcommands.empty() ? *app : *subcommands.front();
  };
  auto prefix = [&] {
    const CLI::App& command = chosen();
    return std::string(kProgram) + ": " + (&command == app.get() ? "" : command.get_name() + ": ");
  };
  auto usage_error = [&](const std::string& message) {
    const CLI::App& command = chosen();
    io.err << prefix() << message << "\n"
           << FormatterOf(*app).Usage(&command == app.get() ? std::string() : command.get_name());
    return kExitUsage;
  };
  try {
    if (args.empty()) throw UsageError{"no command given"};
    if (!args[0].starts_with('-')) {
      const auto names = FormatterOf(*app).Names();
      if (std::find(names.begin(), names.end(), args[0]) == names.end()) UnknownCommand(*app, args[0]);
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app->parse(reversed);
    return kExitOk;
  } catch (const CLI::CallForHelp&) {
    io.out << WithFinalLineFeed(app->help());
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    io.out << WithFinalLineFeed(app->help("", CLI::AppFormatMode::All));
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    io.out << version.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& parse) {
    return usage_error(ParseErrorMessage(parse, chosen()));
  } catch (const UsageError& usage) {
    return usage_error(usage.message);
  } catch (const BrokenPipe&) {
    return kExitBrokenPipe;  // the reader has all it wanted: nothing to say
  } catch (const InputError& input) {
    io.err << prefix() << CliWording(input).what() << "\n";
    return kExitFailure;
  } catch (const Error& error) {
    io.err << prefix() << error.what() << "\n";
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    io.err << prefix() << "out of memory\n";
    return kExitFailure;
  } catch (const std::exception& unexpected) {
    io.err << prefix() << unexpected.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace quillory::cli
