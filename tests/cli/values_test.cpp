// What quillory-cli takes as a document and as a value: only project documents are read or written, values
// for one run, a change log's section, and round trips that leave a document as it was.

#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kDocument = "[readme]\r\nprogram_name=Tool\r\nversion=1.0\r\n";

TEST(CliDocuments, OnlyProjectDocumentsAreReadOrWritten) {
  TempDir dir;
  const std::string project = dir.File("p.qlx"), tarball = dir.File("app.tar.gz");
  WriteFile(project, kDocument);
  WriteFile(tarball, std::string("\x1F\x8B\x08\0\0\0\0\0", 8) + "payload");
  WriteFile(dir.File("CHANGELOG.md"), "# Changes\n\n## 1.0\n- first\n");
  WriteFile(dir.File("other.ini"), "[general]\nprogram_name=Other\n");
  const struct {
    std::vector<std::string> args;
    std::string refused;
  } cases[] = {
      {{"stamp", tarball, project}, tarball},  // swapped arguments
      {{"stamp", "--dry-run", dir.File("other.ini"), tarball}, dir.File("other.ini")},
      {{"set", dir.File("CHANGELOG.md"), "version=9"}, dir.File("CHANGELOG.md")},
      {{"get", dir.File("CHANGELOG.md"), "version"}, dir.File("CHANGELOG.md")},
      {{"render", "txt", dir.File("other.ini")}, dir.File("other.ini")},
      {{"check", tarball}, tarball},
  };
  for (const auto& c : cases) {
    const testing::CliOutcome r = RunCli(c.args);
    EXPECT_EQ(r.status, 1) << c.args[0];
    EXPECT_EQ(r.err,
              "quillory-cli: " + c.args[0] + ": '" + c.refused + "' is not a Quillory project document\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(ReadFile(tarball), std::string("\x1F\x8B\x08\0\0\0\0\0", 8) + "payload");
  EXPECT_EQ(ReadFile(dir.File("CHANGELOG.md")), "# Changes\n\n## 1.0\n- first\n");
  EXPECT_EQ(ReadFile(project), kDocument);
  // An empty file, blanks and line breaks, and a section of either name in any letter case are documents.
  for (const std::string& bytes : {std::string(), std::string(" \r\n\t\n"), std::string("[HTML]\n"),
                                   std::string("\xEF\xBB\xBF[ Readme ]\r\n")}) {
    WriteFile(dir.File("q.qlx"), bytes);
    EXPECT_EQ(RunCli({"set", dir.File("q.qlx"), "version=2"}).status, 0) << bytes;
    EXPECT_EQ(RunCli({"get", dir.File("q.qlx"), "version"}).out, "2\n") << bytes;
  }
}

TEST(CliDocuments, SetAndStampSayWhenTheyCreateADocument) {
  TempDir dir;
  WriteFile(dir.File("app.bin"), "abc");
  const std::string created = "quillory-cli: set: created '" + dir.File("new.qlx") + "'\n";
  EXPECT_EQ(RunCli({"set", dir.File("new.qlx"), "version=1"}).err, created);
  EXPECT_EQ(RunCli({"set", dir.File("new.qlx"), "version=2"}).err, "");
  EXPECT_EQ(RunCli({"stamp", dir.File("s.qlx"), dir.File("app.bin")}).err,
            "quillory-cli: stamp: created '" + dir.File("s.qlx") + "'\n");
  EXPECT_EQ(RunCli({"stamp", "-n", dir.File("dry.qlx"), dir.File("app.bin")}).err, "");
  EXPECT_EQ(testing::ListFolder(dir.path()), "app.bin new.qlx s.qlx");
}

TEST(CliValues, RenderSetGivesValuesForOneRunOnly) {
  TempDir dir;
  const std::string project = dir.File("p.qlx");
  WriteFile(project, kDocument);
  WriteFile(dir.File("news.txt"), "Faster\r\n");
  const std::string expected =
      RunCli({"render", "md", "-"}, "[readme]\r\nprogram_name=Tool\r\nversion=2.0\r\nnews=Faster\r\n").out;
  ASSERT_NE(expected, "");
  const testing::CliOutcome r =
      RunCli({"render", "md", project, "--set", "version=2.0", "--set", "news=@" + dir.File("news.txt")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(RunCli({"render", "md", project, "--set", "news=@-", "--set", "version=2.0"}, "Faster\n").out,
            expected);
  EXPECT_EQ(ReadFile(project), kDocument);
  // Standard input gives the document or one value, not both; a wrong value is a usage error.
  EXPECT_EQ(RunCli({"render", "md", "-", "--set", "news=@-"}, kDocument).status, 2);
  EXPECT_EQ(RunCli({"render", "md", project, "--set", "version=1\n2"}).status, 2);
  EXPECT_EQ(RunCli({"render", "md", project, "--set", "flavour=x"}).status, 2);
}

TEST(CliValues, AChangeLogSectionAsAValue) {
  TempDir dir;
  const std::string project = dir.File("p.qlx");
  WriteFile(project, kDocument);
  WriteFile(
      dir.File("CHANGELOG.md"),
      "\xEF\xBB\xBF# Changelog\n\n## [1.2.0] - 2026-12-01\n\n- Faster\n- Smaller\n\n## [1.1.0]\n- First\n");
  WriteFile(dir.File("x.md#1.0"), "the file of that name\n");
  const struct {
    std::string argument;
    int status;
    std::string value;  // what get prints, or the message
  } cases[] = {
      {"@CHANGELOG.md#1.2.0", 0, "- Faster\n- Smaller\n"},
      {"@x.md#1.0", 0, "the file of that name\n"},
      {"@CHANGELOG.md#1.2", 1,
       "quillory-cli: set: 'DIR/CHANGELOG.md' has no section for version '1.2'; "
       "did you mean '1.2.0'?\n"},
      {"@missing.md#1.0", 1, "quillory-cli: set: cannot open 'DIR/missing.md': No such file or directory\n"},
  };
  for (const auto& c : cases) {
    std::string argument = c.argument;
    argument.insert(1, dir.path() + "/");
    const testing::CliOutcome r = RunCli({"set", project, "changelog=" + argument});
    EXPECT_EQ(r.status, c.status) << c.argument;
    std::string expected = c.value;
    if (const size_t at = expected.find("DIR"); at != std::string::npos) expected.replace(at, 3, dir.path());
    EXPECT_EQ(c.status == 0 ? RunCli({"get", project, "changelog"}).out : r.err, expected) << c.argument;
  }
}

// A value read from a file or standard input loses one final line break, of any kind, and only one.
TEST(CliValues, OneFinalLineBreakOfAFileGoes) {
  TempDir dir;
  const std::string project = dir.File("p.qlx");
  WriteFile(project, kDocument);
  const struct {
    const char* key;
    std::string file;
    std::string stored;  // as get --raw prints it
  } cases[] = {
      {"version", "2.0\n", "2.0\n"},
      {"version", "2.0\r\n", "2.0\n"},
      {"version", "2.0", "2.0\n"},
      {"news", "a\nb\n", "a\r\nb\n"},
      {"news", "a\r\nb\r\n\r\n", "a\r\nb\r\n\n"},
      {"news", "a\r", "a\n"},
  };
  for (const auto& c : cases) {
    WriteFile(dir.File("value.txt"), c.file);
    ASSERT_EQ(RunCli({"set", project, std::string(c.key) + "=@" + dir.File("value.txt")}).status, 0);
    EXPECT_EQ(RunCli({"get", "--raw", project, c.key}).out, c.stored) << c.file;
    ASSERT_EQ(RunCli({"set", project, std::string(c.key) + "=@-"}, c.file).status, 0);
    EXPECT_EQ(RunCli({"get", "--raw", project, c.key}).out, c.stored) << c.file;
  }
}

// Control characters other than tab, CR and LF (an escape sequence, DEL, a C1 control) never reach a text
// README or get's output as themselves, where printing them would drive a terminal: U+FFFD, or "?" in a
// Windows-1252 README. get --raw keeps the stored bytes, so that get --raw | set KEY=@- changes nothing.
TEST(CliValues, ControlCharactersAreNotWrittenAsThemselves) {
  TempDir dir;
  const std::string utf8 = dir.File("utf8.qlx"), cp1252 = dir.File("cp1252.qlx");
  const std::string utf8_bytes =
      "\xEF\xBB\xBF[readme]\r\nprogram_name=T\x1B]0;x\x07\r\nnews=a\x1B[2Jb\x7F\xC2\x9B\xC2\xA0"
      "c\td\xC2\xA4"
      "e\r\n";
  const std::string cp1252_bytes =
      "[readme]\r\nprogram_name=T\r\nnews=a\x1B[2Jb\x7F\x81\xA0"
      "c\x9B"
      "d\xA4"
      "e\r\n";
  WriteFile(utf8, utf8_bytes);
  WriteFile(cp1252, cp1252_bytes);
  const std::string fffd = "\xEF\xBF\xBD";
  const struct {
    std::vector<std::string> args;
    std::string expected;  // the output, or a part of it (render)
  } cases[] = {
      {{"get", utf8, "program_name", "news"},
       "T" + fffd + "]0;x" + fffd + "\na" + fffd + "[2Jb" + fffd + fffd + "\xC2\xA0" + "c\td\ne\n"},
      {{"get", "--raw", utf8, "news"},
       "a\x1B[2Jb\x7F\xC2\x9B\xC2\xA0"
       "c\td\r\ne\n"},
      {{"render", "txt", utf8}, "a" + fffd + "[2Jb" + fffd + fffd + "\xC2\xA0" + "c\td\r\ne\r\n"},
      {{"get", cp1252, "news"}, "a" + fffd + "[2Jb" + fffd + fffd + "\xC2\xA0" + "c\xE2\x80\xBA" + "d\ne\n"},
      {{"get", "--raw", cp1252, "news"},
       "a\x1B[2Jb\x7F\x81\xA0"
       "c\x9B"
       "d\r\ne\n"},
      {{"render", "txt", cp1252},
       "\r\na?[2Jb??\xA0"
       "c\x9B"
       "d\r\ne\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args[2]);
    const testing::CliOutcome r = RunCli(c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    if (c.args[0] == "get") {
      EXPECT_EQ(r.out, c.expected);
    } else {
      EXPECT_NE(r.out.find(c.expected), std::string::npos) << r.out;
      EXPECT_EQ(r.out.find('\x1B'), std::string::npos);
      EXPECT_EQ(r.out.starts_with("\xEF\xBB\xBF"), c.args[2] == utf8);
    }
  }
  ASSERT_EQ(RunCli({"set", utf8, "version=1"}).status, 0);  // a saved document holds every key
  const std::string saved = ReadFile(utf8);
  const std::string raw = RunCli({"get", "--raw", utf8, "news"}).out;
  EXPECT_EQ(RunCli({"set", utf8, "news=@-"}, raw).status, 0);
  EXPECT_EQ(ReadFile(utf8), saved);
}

}  // namespace
}  // namespace quillory
