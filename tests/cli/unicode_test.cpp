// quillory-cli with text in every script: values in and out as UTF-8, what cannot be stored is refused, and
// what an output cannot hold is reported.

#include <gtest/gtest.h>

#include "project/facts.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kWorld = QUILLORY_TEST_DATA "/world/";

// Every value of the many-script document, given to set as get prints it, makes a document that renders
// every golden file of that document again.
TEST(CliUnicode, TheManyScriptDocumentRoundTripsThroughGetAndSet) {
  TempDir dir;
  const std::string copy = dir.File("copy.qlx");
  for (const Fact& fact : Facts()) {
    const std::string key(fact.key);
    const auto got = RunCli({"get", kWorld + "project.qlx", key});
    ASSERT_EQ(got.status, 0) << key;
    ASSERT_EQ(RunCli({"set", copy, key + "=" + got.out.substr(0, got.out.size() - 1)}).status, 0) << key;
  }
  EXPECT_TRUE(ReadFile(copy).starts_with("\xEF\xBB\xBF"));  // new, and Windows-1252 lacks its letters
  for (const char* format : {"txt", "html", "nfo", "md"}) {
    EXPECT_EQ(RunCli({"render", format, copy}).out, ReadFile(kWorld + "readme." + format)) << format;
  }
}

TEST(CliUnicode, WhatCannotBeStoredIsRefusedNamingTheKey) {
  TempDir dir;
  const std::string project = dir.File("p.qlx");
  const std::string document = "[readme]\r\nprogram_name=P\r\n";
  WriteFile(project, document);
  WriteFile(dir.File("cp1252.txt"), "caf\xE9");
  const struct {
    std::string assignment;
    std::string message;
  } refused[] = {
      {"author=Ren\xE9", "quillory-cli: set: the value of 'author' is not UTF-8 text\n"},
      {"news=@" + dir.File("cp1252.txt"),
       "quillory-cli: set: the value of 'news' in '" + dir.File("cp1252.txt") + "' is not UTF-8 text\n"},
      {"todo=1 ¤ 2",
       "quillory-cli: set: the value of 'todo' holds the character ¤, which a project document reads back as "
       "a "
       "line break in a multi-line value\n"},
  };
  for (const auto& c : refused) {
    const auto r = RunCli({"set", project, "version=2", c.assignment});
    EXPECT_EQ(r.status, 1) << c.assignment;
    EXPECT_EQ(r.err, c.message);
  }
  EXPECT_EQ(ReadFile(project), document);
  // In a one-line value ¤ is a character; a file may start with a UTF-8 mark.
  WriteFile(dir.File("bom.txt"), "\xEF\xBB\xBFŁódź\n");
  ASSERT_EQ(RunCli({"set", project, "limitations=1 ¤ 2", "news=@" + dir.File("bom.txt")}).status, 0);
  EXPECT_EQ(RunCli({"get", project, "limitations"}).out, "1 ¤ 2\n");
  EXPECT_EQ(RunCli({"get", project, "news"}).out, "Łódź\n");
}

// An output that writes characters as "?" says which, once an output; --strict then fails and writes
// nothing at all.
TEST(CliUnicode, LostCharactersAreReportedAndStrictRefusesThem) {
  TempDir dir;
  const std::string project = dir.File("p.qlx");
  WriteFile(project, "[readme]\r\nprogram_name=日本 😀 Łódź\r\nauthor=日\r\n");
  auto r = RunCli({"render", "nfo", project});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "quillory-cli: render nfo: 日, 本, 😀 have no CP437 form and were written as \"?\"\n");
  EXPECT_NE(r.out.find("Program Name        : ?? ? L\xA2"
                       "dz\r\n"),
            std::string::npos);

  r = RunCli({"render", "txt,nfo,md", project, "-o", dir.File("out"), "--strict"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "quillory-cli: render nfo: 日, 本, 😀 have no CP437 form\n"
            "quillory-cli: render: nothing written (--strict)\n");
  EXPECT_EQ(testing::ListFolder(dir.path()), "p.qlx");

  WriteFile(project, "[readme]\r\nprogram_name=Łódź\r\n");
  r = RunCli({"render", "nfo", project, "--strict"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace quillory
