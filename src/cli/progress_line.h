#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "text/input_source.h"

namespace quillory::cli {

// Inputs longer than this show their progress while they are read, when standard error is a terminal.
inline constexpr std::uint64_t kProgressThreshold = std::uint64_t{64} << 20;

// One progress line: "  42%  512.3 MB/s  0:03 left" for done of total bytes read in seconds (MB: 10^6
// bytes). Before any time has passed the rate and the time left are "--".
std::string ProgressText(std::uint64_t done, std::uint64_t total, double seconds);

// A progress line that rewrites itself ("\r") on a terminal: the first update at once, then at most ten a
// second, and the one that reaches the total; the line ends with a line feed when the reading is over.
class ProgressLine {
 public:
  // Seconds on a clock that never goes back.
  using Clock = std::function<double()>;
  static double SteadySeconds();

  explicit ProgressLine(std::ostream& terminal, Clock clock = SteadySeconds);
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  // Ends the line (see Finish).
  ~ProgressLine();

  // Shows done of total bytes when it is time to; always returns true (go on).
  bool Update(std::uint64_t done, std::uint64_t total);
  // Ends the line with a line feed, once, when anything was shown.
  void Finish();

 private:
  std::ostream& terminal_;
  Clock clock_;
  double start_ = 0, last_ = 0;
  bool shown_ = false, complete_ = false, finished_ = false;
  size_t width_ = 0;  // of the last line shown, so that a shorter one covers it
};

// The progress a subcommand gives a reading of input: a ProgressLine on io.err when io.err is a terminal,
// quiet is false and input is a regular file longer than kProgressThreshold; nothing otherwise. The line
// ends when the result goes, so a failure's message starts on a line of its own.
class InputProgress {
 public:
  InputProgress(const Streams& io, const InputSource& input, bool quiet);
  // What DigestAll and InputLength are given: empty when nothing is shown.
  ReadProgress Callback();
  void Finish();

 private:
  std::unique_ptr<ProgressLine> line_;
};

}  // namespace quillory::cli
