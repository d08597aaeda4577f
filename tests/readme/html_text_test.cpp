#include "readme/html_text.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(PageText, EscapesMarkupAndTurnsLineBreaksIntoBreakTags) {
  EXPECT_EQ(PageText(R"(<a href="x">Tom & Jerry</a>)", PageEncoding::kRecordBytes),
            "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&lt;/a&gt;");
  // Line breaks are replaced after escaping, so the tags they give stay tags; a lone CR or LF stays.
  EXPECT_EQ(PageText("a\r\n<b>\r\n", PageEncoding::kRecordBytes, true), "a<br />&lt;b&gt;<br />");
  EXPECT_EQ(PageText("a\rb\nc\r", PageEncoding::kRecordBytes, true), "a\rb\nc\r");
  EXPECT_EQ(PageText("a\r\nb", PageEncoding::kRecordBytes), "a\r\nb");
  EXPECT_EQ(PageText("", PageEncoding::kUtf8, true), "");
}

TEST(PageText, NonAsciiBytesFollowTheDeclaredCharacterSet) {
  const std::string record_text = "\xA9 \x80 caf\xE9 & \x99";  // "© € café & ™" in Windows-1252
  EXPECT_EQ(PageText(record_text, PageEncodingFor("iso-8859-1")), "\xA9 \x80 caf\xE9 &amp; \x99");
  EXPECT_EQ(PageText(record_text, PageEncodingFor("Windows-1252")), "\xA9 \x80 caf\xE9 &amp; \x99");
  EXPECT_EQ(PageText(record_text, PageEncodingFor("UTF-8")), "© € café &amp; ™");
  EXPECT_EQ(PageText(record_text, PageEncodingFor("iso-8859-2")), "&#169; &#8364; caf&#233; &amp; &#8482;");
  EXPECT_EQ(PageEncodingFor("utf8"), PageEncoding::kCharacterReferences);
  EXPECT_EQ(PageEncodingFor(""), PageEncoding::kCharacterReferences);
  EXPECT_EQ(PageEncodingFor("ISO-8859-1"), PageEncoding::kRecordBytes);
}

}  // namespace
}  // namespace quillory
