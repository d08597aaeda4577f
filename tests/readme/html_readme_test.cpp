#include "readme/html_readme.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillory {
namespace {

ReadmeProject NamedRecord() {
  ReadmeProject record;
  SetHtmlDefaults(record);
  record.program_name = "Tool";
  return record;
}

// Every fact filled with a one-line text (its own key).
ReadmeProject FullRecord() {
  ReadmeProject record = NamedRecord();
  for (const auto& field : FactFields()) record.*field.member = std::string(field.key);
  return record;
}

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
  EXPECT_EQ(BuildHtmlReadme(FullRecord(), HtmlVariant::kExport).size(), 283u);
  EXPECT_EQ(BuildHtmlReadme(FullRecord(), HtmlVariant::kPreview).size(), 283u);
}

TEST(HtmlReadme, VariantsDifferOnlyInTheChangeLogAndToDoHeadings) {
  const TextLines exported = BuildHtmlReadme(FullRecord(), HtmlVariant::kExport);
  const TextLines preview = BuildHtmlReadme(FullRecord(), HtmlVariant::kPreview);
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
  ReadmeProject record = FullRecord();
  const std::string raw = "v\"<&>";
  for (const auto& field : FactFields()) record.*field.member = raw;
  for (const auto& field : HtmlSettingFields()) record.*field.member = raw;
  const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  EXPECT_EQ(page.size(), 283u);
  const std::string bytes = JoinLines(page);
  EXPECT_EQ(CountOf(bytes, raw), 0u);
  // The title, two headings, chr twice, six colours, 16 facts (4 of them links), the website and e-mail
  // links, the six texts.
  EXPECT_EQ(CountOf(bytes, "v&quot;&lt;&amp;&gt;"), 1u + 2 + 2 + 6 + 16 + 4 + 2 + 2 + 6);
  EXPECT_NE(bytes.find(R"(<a href="mailto:v&quot;&lt;&amp;&gt;">v&quot;&lt;&amp;&gt;</a>)"),
            std::string::npos);
}

TEST(HtmlReadme, PageBytesMatchTheDeclaredCharacterSet) {
  ReadmeProject record = NamedRecord();
  record.copyright = "\xA9 2006 & caf\xE9";
  record.license = "\x80\r\n<\x99>";
  const struct {
    const char* chr;
    std::string heading, license;
  } cases[] = {
      {"iso-8859-1", "\xA9 2006 &amp; caf\xE9", "\x80<br />&lt;\x99&gt;"},
      {"Windows-1252", "\xA9 2006 &amp; caf\xE9", "\x80<br />&lt;\x99&gt;"},
      {"UTF-8", "© 2006 &amp; café", "€<br />&lt;™&gt;"},
      {"iso-8859-2", "&#169; 2006 &amp; caf&#233;", "&#8364;<br />&lt;&#8482;&gt;"},
      {"utf8", "&#169; 2006 &amp; caf&#233;", "&#8364;<br />&lt;&#8482;&gt;"},
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

}  // namespace
}  // namespace quillory
