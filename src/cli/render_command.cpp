#include <functional>
#include <map>

#include "cli/cli.h"
#include "common/error.h"
#include "nfo/nfo_builder.h"
#include "project/file_commands.h"
#include "readme/html_readme.h"
#include "readme/text_readme.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

using Renderer = std::function<std::string(const ReadmeProject&)>;

// Each format gives the bytes the desktop program would write for it.
const std::map<std::string, Renderer>& Renderers() {
  static const std::map<std::string, Renderer> renderers = {
      {"txt", [](const ReadmeProject& r) { return JoinLines(BuildTextReadme(r)); }},
      {"html", [](const ReadmeProject& r) { return JoinLines(BuildHtmlReadme(r, HtmlVariant::kExport)); }},
      {"html-preview",
       [](const ReadmeProject& r) { return JoinLines(BuildHtmlReadme(r, HtmlVariant::kPreview)); }},
      {"nfo", [](const ReadmeProject& r) { return JoinLines(BuildNfoText(r)); }},
  };
  return renderers;
}

}  // namespace

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
  auto renderer = Renderers().find(positional[0]);
  if (renderer == Renderers().end()) throw UsageError{"unknown format '" + positional[0] + "'"};
  const ReadmeProject record = LoadProject(positional[1]);
  if (record.program_name.empty()) throw Error(std::string(kProgramNameRequired));
  Emit(out, output_path, renderer->second(record));
  return kExitOk;
}

}  // namespace quillory::cli
