#include "cli/cli.h"

#include <cerrno>
#include <functional>
#include <map>
#include <new>

#include "common/error.h"
#include "project/project_file.h"
#include "text/file_io.h"

namespace quillory::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: quillory-cli render txt|html|html-preview|nfo PROJECT.qlx [-o FILE]\n"
    "       quillory-cli get PROJECT.qlx KEY\n"
    "       quillory-cli set PROJECT.qlx KEY=VALUE [KEY=VALUE ...]\n"
    "       quillory-cli md5 FILE\n"
    "       quillory-cli size FILE\n"
    "       quillory-cli --help | --version\n";

using Command = std::function<int(const std::vector<std::string>&, std::ostream&)>;

const std::map<std::string, Command>& Commands() {
  // One line a command, so that adding one touches one line.
  // clang-format off
  static const std::map<std::string, Command> commands = {
      {"render", RenderCommand},
      {"get", GetCommand},
      {"set", SetCommand},
      {"md5", Md5Command},
      {"size", SizeCommand},
  };
  // clang-format on
  return commands;
}

}  // namespace

ReadmeProject LoadProject(const std::string& path) {
  try {
    ReadmeProject record = ProjectFromBytes(ReadWholeFile(path));
    record.document_path = path;
    return record;
  } catch (const std::bad_alloc&) {
    throw CannotOpenFile(path, ENOMEM);
  }
}

void Emit(std::ostream& out, const std::string& output_path, const std::string& bytes) {
  if (!output_path.empty()) {
    ReplaceFileOrThrow(output_path, bytes);
    return;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) throw Error("Stream write error");
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.empty()) throw UsageError{"no command given"};
    if (args[0] == "--help" || args[0] == "-h") {
      out << "quillory-cli renders and edits Quillory project documents.\n\n" << kUsage;
      return kExitOk;
    }
    if (args[0] == "--version") {
      out << "quillory-cli " << kVersion << "\n";
      return kExitOk;
    }
    auto command = Commands().find(args[0]);
    if (command == Commands().end()) throw UsageError{"unknown command '" + args[0] + "'"};
    return command->second(std::vector<std::string>(args.begin() + 1, args.end()), out);
  } catch (const UsageError& usage) {
    err << "quillory-cli: " << usage.message << "\n" << kUsage;
    return kExitUsage;
  } catch (const Error& error) {
    err << "quillory-cli: " << error.what() << "\n";
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    err << "quillory-cli: not enough memory\n";
    return kExitFailure;
  }
}

}  // namespace quillory::cli
