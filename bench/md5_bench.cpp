// Throughput of the MD5 block loop on a buffer held in memory, and the cost of small updates.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "fields/md5.h"
#include "support/md5_of.h"

namespace {

std::vector<unsigned char> PatternBytes(std::size_t length) {
  std::vector<unsigned char> bytes(length);
  std::uint32_t x = 12345;
  for (auto& byte : bytes) {
    x = x * 1664525 + 1013904223;
    byte = static_cast<unsigned char>(x >> 24);
  }
  return bytes;
}

// One digest of a 64 MiB buffer per iteration, added in one call (whole blocks from the caller's memory).
void BM_Md5AddLargeBuffer(benchmark::State& state) {
  const auto bytes = PatternBytes(std::size_t{64} << 20);
  for (auto _ : state) {
    benchmark::DoNotOptimize(quillory::testing::Md5Of(bytes.data(), bytes.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Md5AddLargeBuffer)->Unit(benchmark::kMillisecond);

// The same bytes added in pieces of state.range(0) bytes, which go through the context's buffer.
void BM_Md5AddPieces(benchmark::State& state) {
  const auto bytes = PatternBytes(std::size_t{4} << 20);
  const auto piece = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    quillory::Md5Context context;
    quillory::Md5Start(context);
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
      quillory::Md5Add(context, bytes.data() + at, std::min(piece, bytes.size() - at));
    }
    benchmark::DoNotOptimize(quillory::Md5Finish(context));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Md5AddPieces)->Arg(7)->Arg(64)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
