#include "cli/parse_errors.h"

#include <CLI/CLI.hpp>

#include "cli/suggestion.h"

namespace quillory::cli {
namespace {

// The option of command whose name begins message ("--output: ...", "PROJECT is required"), or nullptr.
const CLI::Option* OptionNamedIn(const CLI::App& command, const std::string& message) {
  const CLI::Option* found = nullptr;
  for (const CLI::Option* option : command.get_options()) {
    const std::string name = option->get_name();
    if (name.empty() || !message.starts_with(name)) continue;
    // The longest name that fits wins ("--set" before "-s").
    if (found == nullptr || name.size() > found->get_name().size()) found = option;
  }
  return found;
}

// How messages name an option: "--output" (its long name) or "PROJECT" (a positional's name).
std::string Spoken(const CLI::Option& option) {
  if (!option.get_lnames().empty()) return "--" + option.get_lnames().front();
  if (!option.get_snames().empty()) return "-" + option.get_snames().front();
  return option.get_name();
}

// Every name an option of command answers to, for "did you mean".
std::vector<std::string> OptionNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
  }
  return names;
}

// The words after a CLI11 message's option name: "NAME excludes OTHER" gives "OTHER".
std::string After(const std::string& message, const std::string& separator) {
  const size_t at = message.find(separator);
  return at == std::string::npos ? std::string() : message.substr(at + separator.size());
}

std::string ExtrasMessage(const CLI::App& command) {
  const std::vector<std::string> extras = command.remaining();
  if (extras.empty()) return "unexpected argument";
  const std::string& first = extras.front();
  if (first.starts_with('-') && first != "-") {
    const std::string name = first.substr(0, first.find('='));
    return "unknown option '" + name + "'" + DidYouMean(name, OptionNames(command));
  }
  return "unexpected argument '" + first + "'";
}

}  // namespace

std::string ParseErrorMessage(const CLI::ParseError& error, const CLI::App& command) {
  const std::string message = error.what();
  const CLI::Option* option = OptionNamedIn(command, message);
  const std::string name = option != nullptr ? Spoken(*option) : std::string();
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) return ExtrasMessage(command);
  if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
    // Words the program did not take come first: "--bogus" alone is an unknown option, not a missing command.
    if (option == nullptr) return command.remaining().empty() ? "no command given" : ExtrasMessage(command);
    return "missing " + name;
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr && option != nullptr) {
    if (message.find("At Most") != std::string::npos) return name + " is given more than once";
    if (option->get_expected_min() == 0) return name + " takes no value";
    return name + " needs a value";
  }
  if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr && option != nullptr) {
    return option->get_expected_min() == 0 ? name + " takes no value" : "a wrong value for " + name;
  }
  if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr && option != nullptr) {
    return name + " and " + After(message, " excludes ") + " cannot be given together";
  }
  if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr && option != nullptr) {
    return name + " needs " + After(message, " requires ");
  }
  if (option != nullptr) return "a wrong use of " + name;
  return "the command line cannot be read";
}

}  // namespace quillory::cli
