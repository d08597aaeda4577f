#include "project/ini_file.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

struct ReadCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(IniDocument, ReadsByThePlatformRules) {
  const ReadCase cases[] = {
      {"plain", "[readme]\r\nversion=1.2\r\n", "readme", "version", "1.2"},
      {"letter case of names", "[README]\r\nProgram_Name=X\r\n", "readme", "program_name", "X"},
      {"blanks around everything", "  [ html ] \r\n\t c1 \t=\t #fff \r\n", "html", "c1", "#fff"},
      {"empty value is not missing", "[a]\r\nk=\r\n", "a", "k", ""},
      {"missing key", "[a]\r\nk=1\r\n", "a", "other", std::nullopt},
      {"missing section", "[a]\r\nk=1\r\n", "b", "k", std::nullopt},
      {"double quotes", "[a]\r\nk=\"x y\"\r\n", "a", "k", "x y"},
      {"single quotes", "[a]\r\nk='x'\r\n", "a", "k", "x"},
      {"quotes after trimming", "[a]\r\nk=  \" x \"  \r\n", "a", "k", " x "},
      {"mismatched quotes stay", "[a]\r\nk=\"x'\r\n", "a", "k", "\"x'"},
      {"only one pair goes", "[a]\r\nk=\"\"x\"\"\r\n", "a", "k", "\"x\""},
      {"a lone quote stays", "[a]\r\nk=\"\r\n", "a", "k", "\""},
      {"two quotes are empty", "[a]\r\nk=\"\"\r\n", "a", "k", ""},
      {"comment line", "[a]\r\n;k=1\r\nk=2\r\n", "a", "k", "2"},
      {"indented comment", "[a]\r\n  ;k=1\r\n", "a", "k", std::nullopt},
      {"hash is no comment", "[a]\r\n#k=1\r\n", "a", "#k", "1"},
      {"semicolon inside a value", "[a]\r\nk=1;2\r\n", "a", "k", "1;2"},
      {"equals inside a value", "[a]\r\nk=a=b\r\n", "a", "k", "a=b"},
      {"before the first section", "k=1\r\n[a]\r\n", "a", "k", std::nullopt},
      {"first key wins", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
      {"first section wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "a", "j", std::nullopt},
      {"lone LF", "[a]\nk=1\nj=2", "a", "j", "2"},
      {"lone CR", "[a]\rk=1\rj=2\r", "a", "j", "2"},
      {"byte-order mark", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "1"},
      {"section line without ]", "[a]\r\n[b\r\nk=1\r\n", "a", "k", "1"},
      {"NUL bytes kept", std::string("[a]\r\nk=x\0y\r\n", 12), "a", "k", std::string("x\0y", 3)},
      {"empty document", "", "a", "k", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniDocument(c.content).Read(c.section, c.key), c.expected) << c.name;
  }
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(IniDocument, WritesInPlaceAndKeepsEveryOtherByte) {
  const WriteCase cases[] = {
      {"new file", "", "html", "c1", "#fff", "[html]\r\nc1=#fff\r\n"},
      {"replace keeps spelling and line end", "[a]\nFoo = old \n;x\n", "a", "foo", "new",
       "[a]\nFoo=new\n;x\n"},
      {"new key after the last key line", "[a]\r\nk=1\r\n\r\n;c\r\n[b]\r\n", "a", "j", "2",
       "[a]\r\nk=1\r\nj=2\r\n\r\n;c\r\n[b]\r\n"},
      {"new key in a section without keys", "[a]\r\n;c\r\n[b]\r\n", "a", "j", "2",
       "[a]\r\nj=2\r\n;c\r\n[b]\r\n"},
      {"new section after a missing line break", "[a]\r\nk=1", "b", "j", "2", "[a]\r\nk=1\r\n[b]\r\nj=2\r\n"},
      {"new key after a last line without break", "[a]\r\nk=1", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
      {"first of duplicates", "[a]\r\nk=1\r\n[a]\r\nk=2\r\n", "A", "K", "3", "[a]\r\nk=3\r\n[a]\r\nk=2\r\n"},
      {"byte-order mark kept", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "2", "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
      {"foreign lines before the first section", "junk\r\n[a]\r\n", "a", "k", "1", "junk\r\n[a]\r\nk=1\r\n"},
      // Lines no read or write comes back to (blank lines, comments, later duplicates) are copied as they
      // stand around those that change; a new key still follows the very last key line of its section.
      {"after the last of duplicates", "[a]\r\nk=1\r\n\r\nk=2\r\n;c\r\nk=3\n\n[b]\r\n", "a", "j", "4",
       "[a]\r\nk=1\r\n\r\nk=2\r\n;c\r\nk=3\nj=4\r\n\n[b]\r\n"},
      {"between blank lines", "\r\n\r\n[a]\r\n\r\nk=1\r\n\r\n\r\n[a]\r\nk=5\r\n\r\n", "a", "k", "2",
       "\r\n\r\n[a]\r\n\r\nk=2\r\n\r\n\r\n[a]\r\nk=5\r\n\r\n"},
  };
  for (const auto& c : cases) {
    IniDocument document(c.before);
    document.Write(c.section, c.key, c.value);
    EXPECT_EQ(document.Serialize(), c.after) << c.name;
    EXPECT_EQ(document.Read(c.section, c.key), c.value) << c.name;
  }
}

TEST(IniDocument, SeveralNewKeysKeepTheirOrder) {
  IniDocument document("[a]\r\nx=0\r\n;tail\r\n");
  document.Write("a", "k1", "1");
  document.Write("a", "k2", "2");
  document.Write("b", "j1", "1");
  document.Write("b", "j2", "2");
  document.Write("a", "k1", "one");
  document.Write("b", "j1", "uno");
  EXPECT_EQ(document.Serialize(), "[a]\r\nx=0\r\nk1=one\r\nk2=2\r\n;tail\r\n[b]\r\nj1=uno\r\nj2=2\r\n");
}

TEST(IniDocument, RewritingAKeyToItsOwnTextAndViewsOfValues) {
  IniDocument document("[a]\r\n k = 1 \r\nm=2\r\nq=\"x\"\r\n");
  document.Write("a", "k", "1");  // same value, but the line is not spelled "k=1"
  document.Write("a", "m", "3");
  document.Write("a", "m", "2");  // back to the line as it stands
  document.Write("a", "q", "\"x\"");
  EXPECT_EQ(document.Serialize(), "[a]\r\nk=1\r\nm=2\r\nq=\"x\"\r\n");
  EXPECT_EQ(document.ReadView("a", "q"), "x");
  EXPECT_EQ(document.ReadView("A", " M "), "2");
  EXPECT_EQ(document.ReadView("a", "missing"), std::nullopt);
}

// The line of a key or section as an editor numbers it: every kind of line break counts, a byte-order mark
// does not, and the first of duplicates is the one read.
TEST(IniDocument, NumbersTheLinesOfKeysAndSections) {
  IniDocument document(
      "\xEF\xBB\xBF; note\r\n[readme]\rversion=1\nVERSION=2\r\n\r\n[Html]\r\nc1=red\r\n\n\nc1=x\r\nc2=y\r\n");
  document.Write("readme", "author", "new");
  const struct {
    const char* section;
    const char* key;
    std::optional<size_t> line;
  } cases[] = {
      {"readme", "", 2},
      {"readme", "version", 3},
      {"html", "", 6},
      {"HTML", "C1", 7},
      {"html", "c2", 11},
      {"readme", "author", std::nullopt},  // written, not read
      {"readme", "news", std::nullopt},
      {"other", "", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(document.LineNumber(c.section, c.key), c.line) << c.section << c.key;
}

}  // namespace
}  // namespace quillory
