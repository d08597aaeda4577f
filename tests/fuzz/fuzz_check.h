#pragma once

#include <cstdio>
#include <cstdlib>

// Ends the run when an invariant does not hold, so that libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition, what)                                                      \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, (what)); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
