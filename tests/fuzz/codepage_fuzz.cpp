// The code-page tables: any bytes read as Windows-1252 or CP437, turned into UTF-8 and back, give the same
// bytes; any input read as UTF-8 and encoded to either code page comes back as the same UTF-8 whenever
// nothing had to be replaced.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "text/codepage.h"

namespace {

template <typename ToUtf8, typename FromUtf8>
void CheckCodePage(const std::string& input, ToUtf8 to_utf8, FromUtf8 from_utf8, const char* name) {
  const std::string utf8 = to_utf8(input);
  FUZZ_CHECK(quillory::IsValidUtf8(utf8), name);
  bool lossless = false;
  FUZZ_CHECK(from_utf8(utf8, '?', &lossless) == input, name);
  FUZZ_CHECK(lossless, name);

  const std::string encoded = from_utf8(input, '?', &lossless);
  if (lossless) {
    FUZZ_CHECK(quillory::IsValidUtf8(input), name);
    FUZZ_CHECK(to_utf8(encoded) == input, name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckCodePage(input, quillory::Cp1252ToUtf8, quillory::Utf8ToCp1252, "Windows-1252");
  CheckCodePage(input, quillory::Cp437ToUtf8, quillory::Utf8ToCp437, "CP437");

  // Decoding UTF-8 one character at a time always moves on and agrees with the whole-text check.
  bool valid = true;
  for (size_t pos = 0; pos < input.size();) {
    const size_t before = pos;
    if (!quillory::NextUtf8(input, pos)) valid = false;
    FUZZ_CHECK(pos > before && pos <= input.size(), "NextUtf8 did not move on");
  }
  FUZZ_CHECK(valid == quillory::IsValidUtf8(input), "IsValidUtf8");
  return 0;
}
