#include "cli/cli.h"
#include "common/error.h"
#include "render/render.h"

namespace quillory::cli {

int RenderCommand(const std::vector<std::string>& args, std::ostream& out) {
  std::vector<std::string> positional;
  std::string output_path;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 >= args.size()) throw UsageError{"-o needs a file name"};
      output_path = args[++i];
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) throw UsageError{"render takes a format and a project document"};
  const FormatInfo* format = FindFormat(positional[0]);
  if (format == nullptr) throw UsageError{"unknown format '" + positional[0] + "'"};
  const ReadmeProject record = LoadProject(positional[1]);
  Emit(out, output_path, RenderDocument(record, format->format));
  return kExitOk;
}

}  // namespace quillory::cli
