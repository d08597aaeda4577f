#include "cli/progress_line.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace quillory::cli {
namespace {

constexpr double kInterval = 0.1;  // seconds between two updates at most ten a second

std::string Duration(double seconds) {
  const auto total = static_cast<unsigned long long>(seconds + 0.5);
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof text, "%llu:%02llu", total / 60, total % 60);
  }
  return text;
}

}  // namespace

std::string ProgressText(std::uint64_t done, std::uint64_t total, double seconds) {
  const unsigned percent = total == 0 || done >= total
                               ? 100u
                               : static_cast<unsigned>(static_cast<long double>(done) * 100 / total);
  char text[96];
  if (seconds <= 0 || done == 0) {
    std::snprintf(text, sizeof text, "%3u%%  --.- MB/s  --:-- left", percent);
    return text;
  }
  const double rate = static_cast<double>(done) / seconds;
  const double left = done >= total ? 0 : static_cast<double>(total - done) / rate;
  std::snprintf(text, sizeof text, "%3u%%  %.1f MB/s  %s left", percent, rate / 1e6, Duration(left).c_str());
  return text;
}

double ProgressLine::SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ProgressLine::ProgressLine(std::ostream& terminal, Clock clock)
    : terminal_(terminal), clock_(std::move(clock)) {}

ProgressLine::~ProgressLine() { Finish(); }

bool ProgressLine::Update(std::uint64_t done, std::uint64_t total) {
  if (finished_) return true;
  const double now = clock_();
  const bool reaches_total = done >= total && !complete_;
  if (!shown_) {
    start_ = now;
  } else if (!reaches_total && now - last_ < kInterval) {
    return true;
  }
  complete_ = complete_ || done >= total;
  last_ = now;
  std::string text = ProgressText(done, total, now - start_);
  const size_t width = text.size();
  if (width < width_) text.append(width_ - width, ' ');
  width_ = width;
  terminal_ << '\r' << text << std::flush;
  shown_ = true;
  return true;
}

void ProgressLine::Finish() {
  if (finished_) return;
  finished_ = true;
  if (shown_) terminal_ << '\n' << std::flush;
}

InputProgress::InputProgress(const Streams& io, const InputSource& input, bool quiet) {
  if (io.err_is_terminal && !quiet && input.is_regular() && input.length() > kProgressThreshold) {
    line_ = std::make_unique<ProgressLine>(io.err);
  }
}

ReadProgress InputProgress::Callback() {
  if (!line_) return {};
  return [line = line_.get()](std::uint64_t done, std::uint64_t total) { return line->Update(done, total); };
}

void InputProgress::Finish() {
  if (line_) line_->Finish();
}

}  // namespace quillory::cli
