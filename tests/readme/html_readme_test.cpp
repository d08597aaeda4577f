#include "readme/html_readme.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "project/facts.h"
#include "support/sample_records.h"

namespace quillory {
namespace {

ReadmeProject NamedRecord() {
  ReadmeProject record;
  SetHtmlDefaults(record);
  record.program_name = "Tool";
  return record;
}

// Every fact filled with a one-line text (its own key).
using testing::KeyedRecord;

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++count;
  return count;
}

TEST(HtmlReadme, LineCounts) {
  ReadmeProject record = NamedRecord();
  EXPECT_EQ(BuildHtmlReadme(record, HtmlVariant::kExport).size(), 78u);
  record.copyright = "Team";
  EXPECT_EQ(BuildHtmlReadme(record, HtmlVariant::kExport).size(), 82u);
  EXPECT_EQ(BuildHtmlReadme(KeyedRecord(), HtmlVariant::kExport).size(), 283u);
  EXPECT_EQ(BuildHtmlReadme(KeyedRecord(), HtmlVariant::kPreview).size(), 283u);
}

TEST(HtmlReadme, VariantsDifferOnlyInTheChangeLogAndToDoHeadings) {
  const TextLines exported = BuildHtmlReadme(KeyedRecord(), HtmlVariant::kExport);
  const TextLines preview = BuildHtmlReadme(KeyedRecord(), HtmlVariant::kPreview);
  std::vector<std::pair<std::string, std::string>> differences;
  for (size_t i = 0; i < exported.size(); ++i) {
    if (exported[i] != preview[i]) differences.emplace_back(exported[i], preview[i]);
  }
  EXPECT_EQ(differences, (std::vector<std::pair<std::string, std::string>>{
                             {"       :: CHANGE LOG ::", ":: CHANGE LOG ::"},
                             {"       :: TODO ::", ":: TODO ::"},
                         }));
}

TEST(HtmlReadme, TextsBecomeOneLineAndBlankValuesGetTheirRows) {
  ReadmeProject record = NamedRecord();
  record.version = " ";
  record.descript_uses = "a\r\nb";
  record.todo = "a\r\n\rb\n";  // a lone CR or LF is no line break
  const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  ASSERT_EQ(page.size(), 78u + 8 + 20);
  EXPECT_EQ(page[76], "       Version: ");
  EXPECT_EQ(page[79], "        ");
  EXPECT_EQ(page[89], "       a<br />b");
  EXPECT_EQ(page[99], "       a<br />\rb\n");
}

TEST(HtmlReadme, EveryInsertedValueIsEscaped) {
  ReadmeProject record = KeyedRecord();
  const std::string raw = "v\"<&>";
  for (const Fact& fact : Facts()) record.*fact.member = raw;
  const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  EXPECT_EQ(page.size(), 283u);
  const std::string bytes = JoinLines(page);
  EXPECT_EQ(CountOf(bytes, raw), 0u);
  // The title, two headings, chr twice, 16 facts (4 of them links), the website and e-mail links, the six
  // texts; the six colours keep only "v".
  EXPECT_EQ(CountOf(bytes, "v&quot;&lt;&amp;&gt;"), 1u + 2 + 2 + 16 + 4 + 2 + 2 + 6);
  EXPECT_EQ(CountOf(bytes, "color: v;"), 6u);
  EXPECT_NE(bytes.find(R"(<a href="mailto:v&quot;&lt;&amp;&gt;">v&quot;&lt;&amp;&gt;</a>)"),
            std::string::npos);
}

TEST(HtmlReadme, PageBytesMatchTheDeclaredCharacterSet) {
  ReadmeProject record = NamedRecord();
  record.copyright = "© 2006 & café ő";
  record.license = "€\r\n<™>\t\x1F\u0081\r日😀";  // a control character, a C1 control
  const std::string refs = "&#26085;&#128512;";
  const struct {
    const char* chr;
    std::string heading, license;
  } cases[] = {
      {"iso-8859-1", "\xA9 2006 &amp; caf\xE9 &#337;",
       "&#8364;<br />&lt;&#8482;&gt;\t&#65533;&#65533;\r" + refs},
      {"Windows-1252", "\xA9 2006 &amp; caf\xE9 &#337;", "\x80<br />&lt;\x99&gt;\t&#65533;&#65533;\r" + refs},
      {"UTF-8", "© 2006 &amp; café ő", "€<br />&lt;™&gt;\t\uFFFD\uFFFD\r日😀"},
      {"iso-8859-2", "&#169; 2006 &amp; caf&#233; &#337;",
       "&#8364;<br />&lt;&#8482;&gt;\t&#65533;&#65533;\r" + refs},
      {"utf8", "&#169; 2006 &amp; caf&#233; &#337;",
       "&#8364;<br />&lt;&#8482;&gt;\t&#65533;&#65533;\r" + refs},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chr);
    record.chr = c.chr;
    const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
    EXPECT_EQ(page[1], "<?xml version=\"1.0\" encoding=\"" + std::string(c.chr) + "\"?>");
    EXPECT_EQ(page[6], "<title>" + c.heading + " Readme</title>");
    EXPECT_EQ(page[60], "<h3>" + c.heading + "</h3>");
    EXPECT_EQ(page[page.size() - 10], "       " + c.license);
  }
}

// A character set that does not write ASCII as ASCII, or in which ASCII text can turn into other
// characters, would let a value become markup ("+ADw-" is "<" in UTF-7): such a page declares and writes
// UTF-8, whatever the spelling of the name; every other name is kept.
TEST(HtmlReadme, CharacterSetsThatAreNotAsciiCompatibleBecomeUtf8) {
  ReadmeProject record = NamedRecord();
  record.license = "+ADw-script+AD4-alert(1)+ADw-/script+AD4- ~{ caf\u00e9 \u65e5";
  const std::string as_utf8 = "       +ADw-script+AD4-alert(1)+ADw-/script+AD4- ~{ caf\u00e9 \u65e5";
  for (const char* chr : {"utf-7",
                          "UTF7",
                          "x-UTF-7",
                          "unicode-1-1-utf-7",
                          "UTF-16",
                          "utf-16le",
                          "UTF_16BE",
                          "utf-32",
                          "UCS-2",
                          "ISO-10646-UCS-4",
                          "csUnicode",
                          "IBM037",
                          "ibm-037",
                          "cp500",
                          "CP1026",
                          "ebcdic-cp-us",
                          "x-EBCDIC-KoreanExtended",
                          "IBM01140",
                          "CCSID1047",
                          "HZ-GB-2312"}) {
    SCOPED_TRACE(chr);
    record.chr = chr;
    const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
    EXPECT_EQ(page[1], "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    EXPECT_EQ(page[5], "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />");
    EXPECT_NE(std::find(page.begin(), page.end(), as_utf8), page.end());
  }
  for (const char* chr : {"iso-8859-1", "shift_jis", "koi8-r", "ibm850", "cp437", "windows-1250", "big5"}) {
    SCOPED_TRACE(chr);
    record.chr = chr;
    EXPECT_EQ(BuildHtmlReadme(record, HtmlVariant::kExport)[1],
              "<?xml version=\"1.0\" encoding=\"" + std::string(chr) + "\"?>");
  }
}

TEST(HtmlReadme, AddressesThatCouldRunScriptAndColoursThatCouldFetchAreDefused) {
  ReadmeProject record = NamedRecord();
  record.down_url = "java\tscript:alert(1)";
  record.down_mirror = "HTTP://m.org/x?a=1&b=2";
  record.surce_url = "data:text/html,<b>";
  record.screenshot_url = "shots/1.png";
  record.website = "host:8080";
  record.email = "me:x";
  record.c1 = "#fff;} body{background:url(http://host/t)} x{";
  record.c2 = "rgb(10%, 2.5, 3) /* */";
  const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  auto has_line = [&](const std::string& line) {
    return std::find(page.begin(), page.end(), line) != page.end();
  };
  EXPECT_EQ(CountOf(JoinLines(page), "<a "), 3u);
  EXPECT_TRUE(has_line(R"(       <a href="HTTP://m.org/x?a=1&amp;b=2">HTTP://m.org/x?a=1&amp;b=2</a>)"));
  EXPECT_TRUE(has_line(R"(       <a href="shots/1.png">shots/1.png</a>)"));
  EXPECT_TRUE(has_line(R"(       <a href="mailto:me:x">me:x</a>)"));
  EXPECT_TRUE(has_line("       java\tscript:alert(1)"));
  EXPECT_TRUE(has_line("       data:text/html,&lt;b&gt;"));
  EXPECT_TRUE(has_line("       host:8080"));
  EXPECT_EQ(page[11], "   background-color: #fff bodybackgroundurl(httphostt) x;");
  EXPECT_EQ(
      page[17],
      "   font-family: Verdana, Arial, Helvetica, sans-serif; color: rgb(10%, 2.5, 3)  ; font-size: 10px;");
}

}  // namespace
}  // namespace quillory
