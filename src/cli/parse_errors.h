#pragma once

#include <string>

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace quillory::cli {

// The program's own words for a command-line error that the parser raised for command (the subcommand
// chosen, or the program itself), naming the option or argument at fault: "missing PROJECT", "--output
// needs a value", "--output is given more than once", "unknown option '--raw'; did you mean '--raw'?",
// "unexpected argument 'x'", "--raw and --json cannot be given together".
std::string ParseErrorMessage(const CLI::ParseError& error, const CLI::App& command);

}  // namespace quillory::cli
