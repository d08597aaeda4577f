#pragma once

namespace quillory::testing {

// Whether the tests run under AddressSanitizer, which changes what a memory or time limit means.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
inline constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace quillory::testing
