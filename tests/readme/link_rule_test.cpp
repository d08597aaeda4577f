#include "readme/link_rule.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(LinkRule, OnlyWebAddressesAndAddressesWithoutASchemeAreLinks) {
  for (const char* value : {"http://x.org/a:b", "HTTPS://x", "FtP://x", " \thttp://x", "h\nttps://x",
                            "get.php?t=a:b", "/a:b", "#top:1", "dir/f:1", "x", ""}) {
    EXPECT_TRUE(IsSafeLinkTarget(value)) << value;
  }
  for (const char* value : {"javascript:alert(1)", "JaVa\tScRipt:x", " java\x01script:x", "data:text/html,x",
                            "host:8080", "http:x", "https:/x", "file:///etc/passwd", "\x7Fvbscript:x"}) {
    EXPECT_FALSE(IsSafeLinkTarget(value)) << value;
  }
}

}  // namespace
}  // namespace quillory
