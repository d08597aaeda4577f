#include "cli/cli.h"
#include "fields/file_size.h"
#include "fields/md5.h"
#include "fields/sha256.h"

namespace quillory::cli {

int Md5Command(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError{"md5 takes one file"};
  Emit(out, {}, Md5FieldText(Md5OfFile(args[0])) + "\n");
  return kExitOk;
}

int Sha256Command(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError{"sha256 takes one file"};
  Emit(out, {}, Sha256ToText(Sha256OfFile(args[0])) + "\n");
  return kExitOk;
}

int SizeCommand(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError{"size takes one file"};
  Emit(out, {}, SizeText(FileLengthForSize(args[0])) + "\n");
  return kExitOk;
}

}  // namespace quillory::cli
