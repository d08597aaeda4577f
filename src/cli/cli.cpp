#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <new>
#include <sstream>

#include "cli/cli_io.h"
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
  const std::vector<std::pair<std::string, std::string>>& usages() const { return usages_; }

 private:
  std::vector<std::pair<std::string, std::string>> usages_;
};

std::string WithFinalLineFeed(std::string text) {
  if (!text.ends_with('\n')) text += '\n';
  return text;
}

std::string VersionText() { return std::string(kProgram) + " " + std::string(kVersion); }

// The whole command line, with every subcommand.
std::unique_ptr<CLI::App> MakeApp(const Streams& io) {
  auto app = std::make_unique<CLI::App>("Renders and edits Quillory project documents (.qlx).",
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
  AddDigestCommands(*app, io);
  AddSizeCommand(*app, io);
  return app;
}

const UsageFormatter& FormatterOf(const CLI::App& app) {
  return static_cast<const UsageFormatter&>(*const_cast<CLI::App&>(app).get_formatter());
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
  const auto app = MakeApp({no_input, no_output});
  std::vector<std::string> names;
  for (const CLI::App* sub : app->get_subcommands([](const CLI::App*) { return true; })) {
    names.push_back(sub->get_name());
  }
  return names;
}

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  const Streams io{in, out};
  const auto app = MakeApp(io);
  // The subcommand the command line chose so far, for the messages.
  auto command = [&]() -> std::string {
    const auto chosen = app->get_subcommands();
    return chosen.empty() ? std::string() : chosen.front()->get_name();
  };
  auto prefix = [&] {
    const std::string name = command();
    return std::string(kProgram) + ": " + (name.empty() ? "" : name + ": ");
  };
  auto usage_error = [&](const std::string& message) {
    err << prefix() << message << "\n" << FormatterOf(*app).Usage(command());
    return kExitUsage;
  };
  try {
    if (args.empty()) throw UsageError{"no command given"};
    if (!args[0].starts_with('-')) {
      const auto& known = FormatterOf(*app).usages();
      const bool found =
          std::any_of(known.begin(), known.end(), [&](const auto& u) { return u.first == args[0]; });
      if (!found) throw UsageError{"unknown command '" + args[0] + "'"};
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app->parse(reversed);
    return kExitOk;
  } catch (const CLI::CallForHelp&) {
    out << WithFinalLineFeed(app->help());
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << WithFinalLineFeed(app->help("", CLI::AppFormatMode::All));
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& parse) {
    return usage_error(parse.what());
  } catch (const UsageError& usage) {
    return usage_error(usage.message);
  } catch (const InputError& input) {
    err << prefix() << CliWording(input).what() << "\n";
    return kExitFailure;
  } catch (const Error& error) {
    err << prefix() << error.what() << "\n";
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    err << prefix() << "out of memory\n";
    return kExitFailure;
  } catch (const std::exception& unexpected) {
    err << prefix() << unexpected.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace quillory::cli
