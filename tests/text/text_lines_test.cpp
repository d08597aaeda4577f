#include "text/text_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace quillory {
namespace {

TEST(ReplaceLineBreaks, EveryKindOfBreakOnceAndNothingElse) {
  EXPECT_EQ(ReplaceLineBreaks("", "|"), "");
  EXPECT_EQ(ReplaceLineBreaks("no break", "|"), "no break");
  EXPECT_EQ(ReplaceLineBreaks("a\r\nb\rc\nd", "|"), "a|b|c|d");
  EXPECT_EQ(ReplaceLineBreaks("\r\r\n\n\n\r", "<>"), "<><><><><>");
  EXPECT_EQ(ReplaceLineBreaks("x\r", "\r\n"), "x\r\n");
  // A long text with breaks far apart and close together, against a byte-by-byte rewrite.
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += std::string(static_cast<size_t>(i % 300), 'a') + (i % 3 ? "\r\n" : "\n\r");
  std::string expected;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      expected += '\xA4';
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      expected += text[i];
    }
  }
  EXPECT_EQ(ReplaceLineBreaks(text, "\xA4"), expected);
}

}  // namespace
}  // namespace quillory
