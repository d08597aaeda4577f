// Rendering a release whose licence text is 16 or 64 MiB (the argument): the XHTML page in each of its three
// encodings, and the NFO text. Each iteration builds the lines and joins them into the bytes a file
// receives; the throughput counts the licence's bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "nfo/nfo_builder.h"
#include "project/facts.h"
#include "readme/html_readme.h"
#include "text/file_io.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

// A licence-like text with line breaks, markup characters and a few non-ASCII letters.
std::string LicenceText(size_t size) {
  const std::string paragraph =
      "This program is free software: you can redistribute it and/or modify it under the terms of the\r\n"
      "licence \"as published\" by its authors <https://example.org/licenses/> & any later version.\r\n"
      "Copyright \xA9 2006 <name of author>. Gr\xFC\xDF"
      "e, caf\xE9.\r\n\r\n";
  std::string text;
  text.reserve(size + paragraph.size());
  while (text.size() < size) text += paragraph;
  text.resize(size);
  return text;
}

// Every fact filled, the licence holding licence_mib MiB.
ReadmeProject LargeRecord(int64_t licence_mib) {
  ReadmeProject record;
  SetHtmlDefaults(record);
  for (const Fact* fact : ReleaseFacts()) record.*fact->member = std::string(fact->key);
  record.copyright = "Example Team \xA9 2006";
  record.license = LicenceText(static_cast<size_t>(licence_mib) << 20);
  return record;
}

void HtmlPage(benchmark::State& state, const char* charset) {
  ReadmeProject record = LargeRecord(state.range(0));
  record.chr = charset;
  size_t page_size = 0;
  for (auto _ : state) {
    const std::string bytes = JoinLines(BuildHtmlReadme(record, HtmlVariant::kExport));
    page_size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * record.license.size()));
  state.counters["page_MiB"] = static_cast<double>(page_size) / (1 << 20);
}
BENCHMARK_CAPTURE(HtmlPage, iso_8859_1, "iso-8859-1")->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HtmlPage, utf_8, "utf-8")->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HtmlPage, iso_8859_2, "iso-8859-2")->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

void NfoText(benchmark::State& state) {
  const ReadmeProject record = LargeRecord(state.range(0));
  for (auto _ : state) {
    const std::string bytes = JoinLines(BuildNfoText(record));
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * record.license.size()));
}
BENCHMARK(NfoText)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

// The export as the program does it: build, then replace the file atomically (flushed to disk).
void HtmlPageToFile(benchmark::State& state) {
  const ReadmeProject record = LargeRecord(state.range(0));
  const std::string path = (std::filesystem::temp_directory_path() / "quillory_render_bench.html").string();
  for (auto _ : state) ReplaceFileOrThrow(path, JoinLines(BuildHtmlReadme(record, HtmlVariant::kExport)));
  std::filesystem::remove(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * record.license.size()));
}
BENCHMARK(HtmlPageToFile)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillory
