#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "cli/assignments.h"
#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/suggestion.h"
#include "render/render.h"

namespace quillory::cli {
namespace {

struct RenderOptions {
  std::string formats;
  std::string project;
  std::string output = "-";
  std::vector<std::string> values;  // --set KEY=VALUE, for this run only
  bool check = false;
  bool strict = false;
};

// The formats that have files of their own, which "all" names.
std::vector<const FormatInfo*> FileFormats() {
  std::vector<const FormatInfo*> formats;
  for (const FormatInfo& info : Formats()) {
    if (!info.extension.empty()) formats.push_back(&info);
  }
  return formats;
}

std::vector<std::string> FormatNameList() {
  std::vector<std::string> names;
  for (const FormatInfo& info : Formats()) names.emplace_back(info.format.name);
  names.emplace_back("all");
  return names;
}

std::string FormatNames() {
  std::string names;
  for (const std::string& name : FormatNameList()) names.append(names.empty() ? "" : ", ").append(name);
  return names;
}

// The formats of "all" or of a comma-separated list, each once, in the order given.
std::vector<const FormatInfo*> ParseFormats(const std::string& list) {
  if (list == "all") return FileFormats();
  std::vector<const FormatInfo*> formats;
  for (const auto& name : CLI::detail::split(list, ',')) {
    const FormatInfo* format = FindFormat(name);
    if (format == nullptr) {
      throw UsageError{"unknown format '" + name + "'" + DidYouMean(name, FormatNameList()) +
                       " (formats: " + FormatNames() + ")"};
    }
    if (std::find(formats.begin(), formats.end(), format) == formats.end()) formats.push_back(format);
  }
  if (formats.empty()) throw UsageError{"no format given (formats: " + FormatNames() + ")"};
  return formats;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The bytes a file holds now, or nothing when there is no file. Raises InputError.
std::optional<std::string> CurrentBytes(const std::string& path) {
  std::optional<InputSource> input = InputSource::OpenIfExists(path, Readable::kRegularFileOnly);
  if (!input) return std::nullopt;
  return input->ReadAll();
}

// Names each file whose bytes differ from those given, then raises the count; writes nothing.
void CheckOutputs(const std::vector<OutputFile>& files, const Streams& io) {
  size_t stale = 0;
  for (const OutputFile& file : files) {
    const std::optional<std::string> current = CurrentBytes(file.path);
    if (current && *current == file.bytes) continue;
    Notice(io, "render", Quoted(file.path) + (current ? " is out of date" : " is missing"));
    ++stale;
  }
  if (stale > 0) {
    throw Error(std::to_string(stale) + " of " + std::to_string(files.size()) +
                (files.size() == 1 ? " README is" : " READMEs are") + " not current");
  }
}

// Whether the formats are written into a folder as README<extension> files: several formats, or a folder
// as the output (an existing one, or a name that ends in "/").
bool IntoFolder(const RenderOptions& options, size_t format_count) {
  return options.formats == "all" || format_count > 1 ||
         (options.output != "-" && (IsFolder(options.output) || options.output.ends_with('/')));
}

// Where format is written.
std::string OutputPath(const RenderOptions& options, const FormatInfo& format) {
  if (!IntoFolder(options, ParseFormats(options.formats).size())) return options.output;
  return (std::filesystem::path(options.output) / ("README" + std::string(format.extension))).string();
}

// Every document made whole, with where it goes (for --check), after a notice of what each lost.
std::vector<OutputFile> RenderedFiles(const ReadmeProject& record,
                                      const std::vector<const FormatInfo*>& formats,
                                      const RenderOptions& options, const Streams& io) {
  std::vector<OutputFile> files;
  for (const FormatInfo* format : formats) {
    RenderedDocument document = RenderDocument(record, format->format);
    if (!document.lost.empty()) {
      Notice(io, "render " + std::string(format->format.name), LostCharactersText(document, !options.strict));
    }
    files.push_back({OutputPath(options, *format), std::move(document.bytes)});
  }
  return files;
}

void RunRender(const RenderOptions& options, const Streams& io) {
  const auto formats = ParseFormats(options.formats);
  // Several formats, or a folder as the output (an existing one, or a name that ends in "/"):
  // README<extension> files in that folder.
  const bool into_folder = IntoFolder(options, formats.size());
  if (into_folder) {
    if (options.output == "-") throw UsageError{"several formats are written into a folder: give -o FOLDER"};
    for (const FormatInfo* format : formats) {
      if (format->extension.empty()) {
        throw UsageError{"'" + std::string(format->format.name) +
                         "' has no file of its own: render it alone"};
      }
    }
  }
  if (options.check && options.output == "-")
    throw UsageError{"--check compares files: give -o FILE or FOLDER"};
  const std::vector<Assignment> values = ParseAssignments(options.values, io.in, options.project == "-");
  ReadmeProject record = LoadProject(options.project, io.in);
  Apply(values, record);
  if (!HasProgramName(record)) {
    throw Error("cannot render " + Quoted(options.project) + ": " + std::string(kProgramNameRequired));
  }
  if (options.check) return CheckOutputs(RenderedFiles(record, formats, options, io), io);
  // With --strict, nothing is written when an output would lose characters: the formats that can lose
  // any are made once beforehand, their bytes let go.
  if (options.strict) {
    bool lost = false;
    for (const FormatInfo* format : formats) {
      if (format->lost_charset.empty()) continue;
      ByteSink discard([](std::string_view) {});
      const RenderedDocument document = RenderDocument(record, format->format, discard);
      if (document.lost.empty()) continue;
      lost = true;
      Notice(io, "render " + std::string(format->format.name), LostCharactersText(document, false));
    }
    if (lost) throw Error("nothing written (--strict)");
  }
  // Each document is made while it is written, so that a long one is never held whole; a failure writes
  // nothing.
  std::vector<RenderedDocument> documents(formats.size());
  auto producer = [&](size_t i) {
    return [&, i](const PieceWriter& write) {
      // A failed write stops the making of the document: nothing more of it can be written.
      struct Stopped {};
      int error = 0;
      ByteSink sink([&](std::string_view piece) {
        if ((error = write(piece)) != 0) throw Stopped{};
      });
      try {
        documents[i] = RenderDocument(record, formats[i]->format, sink);
      } catch (const Stopped&) {
      }
      return error;
    };
  };
  if (!into_folder) {
    WriteOutputOrThrow(options.output, producer(0), io);
  } else {
    // All the files or none: a failure leaves the README files that were there as they were.
    std::vector<FileToWrite> set;
    for (size_t i = 0; i < formats.size(); ++i)
      set.push_back({OutputPath(options, *formats[i]), {}, producer(i)});
    WriteFileSetOrThrow(options.output, set);
  }
  for (size_t i = 0; i < formats.size(); ++i) {
    if (documents[i].lost.empty()) continue;
    Notice(io, "render " + std::string(formats[i]->format.name), LostCharactersText(documents[i], true));
  }
}

}  // namespace

void AddRenderCommand(CLI::App& app, const Streams& io) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* sub = NewSubcommand(
      app, "render",
      "render FORMAT[,FORMAT...]|all PROJECT|- [-o FILE|FOLDER|-] [--set KEY=VALUE ...] [--check] [--strict]",
      "Writes the README documents of a project document");
  sub->add_option("FORMATS", options->formats,
                  "One format, several separated by commas, or all: " + FormatNames())
      ->required();
  sub->add_option("PROJECT", options->project, "The project document; - reads it from standard input")
      ->required();
  sub->add_option("-o,--output", options->output,
                  "Where to write: a file (replaced atomically), - for standard output (the default), or a "
                  "folder (an existing one, or a name ending in /; always for several formats) that receives "
                  "README.txt, README.html, ...");
  sub->add_option("--set", options->values,
                  "KEY=VALUE for this run only, as set takes it (KEY=@FILE, KEY=@FILE#VERSION, KEY=@-); the "
                  "document is not changed. Repeatable")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  sub->add_flag("--check", options->check,
                "Writes nothing; names each README that would change and fails when one would");
  sub->add_flag("--strict", options->strict,
                "Fail (exit status 1, nothing written) when an output would write characters as \"?\"");
  sub->callback([options, io] { RunRender(*options, io); });
}

}  // namespace quillory::cli
