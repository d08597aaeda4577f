#include "readme/html_readme.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "text/codepage.h"

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

TEST(HtmlReadme, LineCountsAndTheCopyrightLines) {
  ReadmeProject record = NamedRecord();
  TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  ASSERT_EQ(page.size(), 78u);
  EXPECT_EQ(page[6], "<title> Readme</title>");
  EXPECT_EQ(std::count_if(page.begin(), page.end(), [](auto& l) { return l.starts_with("<h3>"); }), 0);

  record.copyright = "Team";
  page = BuildHtmlReadme(record, HtmlVariant::kExport);
  ASSERT_EQ(page.size(), 82u);
  EXPECT_EQ(page[6], "<title>Team Readme</title>");
  EXPECT_EQ(page[60], "<h3>Team</h3>");
  EXPECT_EQ(page[61].substr(0, 7), " <table");
  EXPECT_EQ(TextLines(page.end() - 7, page.end()),
            (TextLines{" </table>", "<br />", "<h3>Team</h3>", "", "</div>", "</body>", "</html>"}));

  EXPECT_EQ(BuildHtmlReadme(FullRecord(), HtmlVariant::kExport).size(), 275u);
  EXPECT_EQ(BuildHtmlReadme(FullRecord(), HtmlVariant::kPreview).size(), 275u);
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
  record.todo = "a\r\n";
  const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  ASSERT_EQ(page.size(), 78u + 8 + 20);
  EXPECT_EQ(page[76], "       Version: ");
  EXPECT_EQ(page[79], "        ");
  EXPECT_EQ(page[89], "       a<br />b");
  EXPECT_EQ(page[99], "       a<br />");
}

TEST(HtmlReadme, EveryInsertedValueIsEscaped) {
  ReadmeProject record = FullRecord();
  const std::string raw = "v\"<&>";
  for (const auto& field : FactFields()) record.*field.member = raw;
  for (const auto& field : HtmlSettingFields()) record.*field.member = raw;
  const TextLines page = BuildHtmlReadme(record, HtmlVariant::kExport);
  EXPECT_EQ(page.size(), 275u);
  const std::string bytes = JoinLines(page);
  EXPECT_EQ(CountOf(bytes, raw), 0u);
  // The title, two headings, chr twice, six colours, 15 facts (4 of them links), the website and e-mail
  // links, the six texts.
  EXPECT_EQ(CountOf(bytes, "v&quot;&lt;&amp;&gt;"), 1u + 2 + 2 + 6 + 15 + 4 + 2 + 2 + 6);
  EXPECT_NE(bytes.find(R"(<a href="mailto:v&quot;&lt;&amp;&gt;">v&quot;&lt;&amp;&gt;</a>)"),
            std::string::npos);
}

TEST(HtmlReadme, PageBytesMatchTheDeclaredCharacterSet) {
  ReadmeProject record = NamedRecord();
  record.copyright = "\xA9 2006";
  record.license = "caf\xE9\r\n\x80";
  std::string bytes = JoinLines(BuildHtmlReadme(record, HtmlVariant::kExport));
  EXPECT_NE(bytes.find("<title>\xA9 2006 Readme</title>"), std::string::npos);
  EXPECT_NE(bytes.find("       caf\xE9<br />\x80\r\n"), std::string::npos);

  record.chr = "UTF-8";
  bytes = JoinLines(BuildHtmlReadme(record, HtmlVariant::kExport));
  EXPECT_TRUE(IsValidUtf8(bytes));
  EXPECT_NE(bytes.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), std::string::npos);
  EXPECT_NE(bytes.find("<title>© 2006 Readme</title>"), std::string::npos);
  EXPECT_NE(bytes.find("       café<br />€\r\n"), std::string::npos);

  record.chr = "iso-8859-2";
  bytes = JoinLines(BuildHtmlReadme(record, HtmlVariant::kExport));
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }));
  EXPECT_NE(bytes.find("<h3>&#169; 2006</h3>"), std::string::npos);
  EXPECT_NE(bytes.find("       caf&#233;<br />&#8364;\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillory
