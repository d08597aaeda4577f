#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "project/facts.h"
#include "readme/html_readme.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

// Debian's xhtml-relaxng package: the strict modules, without the legacy and frame modules of xhtml.rng.
constexpr const char* kSchema = "/usr/share/xml/xhtml-relaxng/xhtml-strict.rng";

// Validates page (without its first line, the comment, which an XML declaration may not follow) against
// the schema. Returns whether it validates; what xmllint said goes to report.
bool Validates(const TextLines& page, const testing::TempDir& dir, std::string& report) {
  const std::string page_file = dir.File("page.xhtml");
  const std::string report_file = dir.File("report.txt");
  testing::WriteFile(page_file, JoinLines(TextLines(page.begin() + 1, page.end())));
  const std::string command = std::string("xmllint --noout --nonet --relaxng ") + kSchema + " '" + page_file +
                              "' > '" + report_file + "' 2>&1";
  const int status = std::system(command.c_str());
  report = testing::ReadFile(report_file);
  return status == 0;
}

TEST(HtmlValidation, ExportedPagesAreValidXhtmlInEveryCharacterSet) {
  if (std::system("xmllint --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
  if (!std::filesystem::exists(kSchema)) GTEST_SKIP() << "the xhtml-relaxng schema is not installed";

  ReadmeProject record;
  SetHtmlDefaults(record);
  for (const Fact* fact : ReleaseFacts()) {
    record.*fact->member = "\"Tom\" & <Jerry> \xA9 \x80 caf\xE9 \x01\x1B\x81" +
                           std::string(fact->multi_line() ? "\r\nline 2\r\n" : "");
  }
  record.down_url = "javascript:alert(\"x\")";
  record.c1 = "#fff;} body{background:url(http://host/t)} x{";
  record.license = "GNU GPL <https://www.gnu.org/licenses/>\r\n\r\n<name of author>";
  testing::TempDir dir;
  std::string report;
  for (const char* charset : {"iso-8859-1", "utf-8", "iso-8859-2", "windows-1252"}) {
    SCOPED_TRACE(charset);
    record.chr = charset;
    for (HtmlVariant variant : {HtmlVariant::kExport, HtmlVariant::kPreview}) {
      EXPECT_TRUE(Validates(BuildHtmlReadme(record, variant), dir, report)) << report;
    }
  }

  // The check has teeth: a raw "&" in the page is refused.
  TextLines broken = BuildHtmlReadme(record, HtmlVariant::kExport);
  broken[60] += " & ";
  EXPECT_FALSE(Validates(broken, dir, report));
}

}  // namespace
}  // namespace quillory
