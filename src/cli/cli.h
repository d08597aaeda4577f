#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "project/project_file.h"

namespace quillory::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs quillory-cli with its arguments (the program name left out). Results go to out, messages
// ("quillory-cli: MESSAGE") to err. Returns the exit status: 0 success, 1 failure, 2 usage error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A usage error: the message is printed with the usage text and the exit status is 2.
struct UsageError {
  std::string message;
};

// ProjectFromBytes of the document at path, with path as its document path. A missing or unreadable
// document raises "Cannot open file "%s". %s".
ReadmeProject LoadProject(const std::string& path);

// Writes bytes to standard output, or atomically to output_path when it is not empty.
void Emit(std::ostream& out, const std::string& output_path, const std::string& bytes);

// The subcommands; args are the words after the subcommand's name.
int RenderCommand(const std::vector<std::string>& args, std::ostream& out);
int GetCommand(const std::vector<std::string>& args, std::ostream& out);
int SetCommand(const std::vector<std::string>& args, std::ostream& out);
int Md5Command(const std::vector<std::string>& args, std::ostream& out);
int Sha256Command(const std::vector<std::string>& args, std::ostream& out);
int SizeCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace quillory::cli
