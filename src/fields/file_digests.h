#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fields/digest.h"
#include "text/input_source.h"

namespace quillory {

// What one read of an input gave.
struct DigestResults {
  std::uint64_t length = 0;                        // the bytes read
  std::vector<std::vector<std::uint8_t>> digests;  // one for each algorithm asked for, in that order
};

// Reads input once, in blocks of 1 MiB, and feeds every block to each of algorithms (none is fine: the
// bytes are counted). With several, each digest runs on a thread of its own while the next blocks are
// read; with one, it runs on the calling thread. progress, when given, is called on the calling thread,
// told the bytes every digest has taken so far: once before the first read, whenever the digests have
// taken another block, and at least every 50 ms while a pipe has no data. It returning false raises
// ReadCancelled. Raises InputError when the input cannot be read, and what a digester raises; no thread
// outlives the call either way.
DigestResults DigestAll(InputSource& input, std::span<const DigestAlgorithm* const> algorithms,
                        const ReadProgress& progress = {});

// The field text of one digest of the file at path (see FieldText), opened as readable allows; progress
// and failures as for DigestAll and InputSource::Open.
std::string DigestFieldTextOfFile(const DigestAlgorithm& algorithm, const std::string& path,
                                  const ReadProgress& progress = {}, Readable readable = Readable::kAnyFile);

}  // namespace quillory
