#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "render/render.h"

namespace quillory::cli {
namespace {

struct RenderOptions {
  std::string formats;
  std::string project;
  std::string output = "-";
};

// The formats that have files of their own, which "all" names.
std::vector<const FormatInfo*> FileFormats() {
  std::vector<const FormatInfo*> formats;
  for (const FormatInfo& info : Formats()) {
    if (!info.extension.empty()) formats.push_back(&info);
  }
  return formats;
}

std::string FormatNames() {
  std::string names;
  for (const FormatInfo& info : Formats()) names.append(names.empty() ? "" : ", ").append(info.format.name);
  return names + ", all";
}

// The formats of "all" or of a comma-separated list, each once, in the order given.
std::vector<const FormatInfo*> ParseFormats(const std::string& list) {
  if (list == "all") return FileFormats();
  std::vector<const FormatInfo*> formats;
  for (const auto& name : CLI::detail::split(list, ',')) {
    const FormatInfo* format = FindFormat(name);
    if (format == nullptr) throw UsageError{"unknown format '" + name + "' (formats: " + FormatNames() + ")"};
    if (std::find(formats.begin(), formats.end(), format) == formats.end()) formats.push_back(format);
  }
  if (formats.empty()) throw UsageError{"no format given (formats: " + FormatNames() + ")"};
  return formats;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void RunRender(const RenderOptions& options, const Streams& io) {
  const auto formats = ParseFormats(options.formats);
  // Several formats, or an existing folder as the output: README<extension> files in that folder.
  const bool into_folder =
      options.formats == "all" || formats.size() > 1 || (options.output != "-" && IsFolder(options.output));
  if (into_folder) {
    if (options.output == "-") throw UsageError{"several formats are written into a folder: give -o FOLDER"};
    for (const FormatInfo* format : formats) {
      if (format->extension.empty()) {
        throw UsageError{"'" + std::string(format->format.name) + "' has no file of its own: render it alone"};
      }
    }
  }
  const ReadmeProject record = LoadProject(options.project, io.in);
  if (!HasProgramName(record)) {
    throw Error("cannot render " + Quoted(options.project) + ": " + std::string(kProgramNameRequired));
  }
  // Every document is made before the first is written, so that a failure writes nothing.
  std::vector<std::string> documents;
  for (const FormatInfo* format : formats) documents.push_back(RenderDocument(record, format->format));
  if (!into_folder) {
    WriteOutputOrThrow(options.output, documents.front(), io.out);
    return;
  }
  std::error_code error;
  std::filesystem::create_directories(options.output, error);
  if (error) throw FileFailure("create the folder", options.output, error.value());
  for (size_t i = 0; i < formats.size(); ++i) {
    const std::string path =
        (std::filesystem::path(options.output) / ("README" + std::string(formats[i]->extension))).string();
    WriteOutputOrThrow(path, documents[i], io.out);
  }
}

}  // namespace

void AddRenderCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* sub = NewSubcommand(app, "render", "render FORMAT[,FORMAT...]|all PROJECT|- [-o FILE|FOLDER|-]",
                                "Writes the README documents of a project document");
  sub->add_option("formats", options->formats,
                  "One format, several separated by commas, or all: " + FormatNames())
      ->required();
  sub->add_option("project", options->project, "The project document; - reads it from standard input")
      ->required();
  sub->add_option("-o,--output", options->output,
                  "Where to write: a file (replaced atomically), - for standard output (the default), or "
                  "for several formats a folder that receives README.txt, README.html, ...");
  sub->callback([options, io] { RunRender(*options, io); });
}

}  // namespace quillory::cli
