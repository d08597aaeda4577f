// Saving and opening a project document whose change log is 64 MiB.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "project/project_file.h"
#include "text/file_io.h"

namespace quillory {
namespace {

constexpr size_t kLogSize = size_t{64} << 20;

ReadmeProject LargeRecord() {
  ReadmeProject record;
  SetHtmlDefaults(record);
  record.program_name = "Large";
  std::string log;
  log.reserve(kLogSize);
  while (log.size() < kLogSize) log += "2026-12-08  fixed one more thing in the tide tables\r\n";
  record.changelog = std::move(log);
  return record;
}

std::string BenchPath() { return (std::filesystem::temp_directory_path() / "quillory_bench.qlx").string(); }

void BM_SaveDocument(benchmark::State& state) {
  const ReadmeProject record = LargeRecord();
  const std::string path = BenchPath();
  for (auto _ : state) WriteProjectDocument(record, path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenDocument(benchmark::State& state) {
  const std::string path = BenchPath();
  WriteProjectDocument(LargeRecord(), path);
  for (auto _ : state) {
    ReadmeProject record;
    ReadProjectDocumentBytes(record, *ReadProjectDocumentFile(path, Readable::kRegularFileOnly));
    benchmark::DoNotOptimize(record.changelog.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
  std::remove(path.c_str());
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quillory

BENCHMARK_MAIN();
