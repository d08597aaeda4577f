// The bad-input corpus of tests/data/bad: what each document reads as, what quillory-cli makes of it, and
// the exact outcome of each wrong command line.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_io.h"
#include "project/facts.h"
#include "project/project_file.h"
#include "readme/text_readme.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kBad = QUILLORY_TEST_DATA "/bad/";

using CliResult = testing::CliOutcome;
using testing::RunCli;

// The record of a document that holds only these values: HTML defaults, every other fact empty.
ReadmeProject RecordWith(const std::vector<std::pair<std::string, std::string>>& values) {
  ReadmeProject record;
  SetHtmlDefaults(record);
  for (const auto& [key, value] : values) record.*FindFact(key)->member = value;
  return record;
}

void ExpectRecord(const ReadmeProject& got, const ReadmeProject& expected, const std::string& name) {
  for (const Fact& fact : Facts())
    EXPECT_EQ(got.*fact.member, expected.*fact.member) << name << " " << fact.key;
}

TEST(BadInput, EachDocumentReadsAsItsOwnRulesSay) {
  using namespace std::string_literals;
  const struct {
    const char* file;
    bool document;  // whether the command line takes it as a project document (text, with a section)
    std::vector<std::pair<std::string, std::string>> values;
  } cases[] = {
      {"empty.qlx", true, {}},
      {"binary.qlx", false, {}},
      // A NUL is an ordinary byte to the reader: it stays in the value, spoils a key's name and keeps a line
      // from being a section line (so c1 falls into [readme], where it means nothing). Bytes with a NUL are
      // no text, so the command line refuses them.
      {"nul_bytes.qlx", false, {{"program_name", "Nul\0Tool"s}, {"author", "\0"s}}},
      {"lone_cr.qlx",
       true,
       {{"chr", "utf-8"}, {"program_name", "Lone CR"}, {"version", "1.0"}, {"news", "a\r\nb"}}},
      {"bom.qlx", true, {{"program_name", "With BOM"}}},
      // "[html" opens no section: c1 and version are keys of [readme].
      {"section_without_bracket.qlx", true, {{"program_name", "Kept"}, {"version", "1"}}},
      // One pair of quotes goes, and only a pair: a lone quote or two different ones stay.
      {"only_quotes.qlx",
       true,
       {{"program_name", "\""},
        {"author", "'"},
        {"license_type", "\"'"},
        {"todo", "\"\""},
        {"os", " "},
        {"c1", "\""}}},
  };
  for (const auto& c : cases) {
    const std::string path = kBad + c.file;
    ReadmeProject expected = RecordWith(c.values);
    expected.encoding = DetectDocumentEncoding(ReadFile(path));
    ExpectRecord(ProjectFromBytes(ReadFile(path)), expected, c.file);

    const CliResult render = RunCli({"render", "txt", path});
    if (!c.document) {
      EXPECT_EQ(render.status, 1) << c.file;
      EXPECT_EQ(render.err, "quillory-cli: render: '" + path + "' is not a Quillory project document\n");
      EXPECT_EQ(render.out, "") << c.file;
    } else if (expected.program_name.empty()) {
      EXPECT_EQ(render.status, 1) << c.file;
      EXPECT_EQ(render.err, "quillory-cli: render: cannot render '" + path + "': Program Name is required!\n")
          << c.file;
      EXPECT_EQ(render.out, "") << c.file;
    } else {
      EXPECT_EQ(render.status, 0) << c.file << render.err;
      EXPECT_EQ(render.out, TextReadmeBytes(expected)) << c.file;
    }
  }
}

TEST(BadInput, SavingOverAnOddDocumentKeepsItsOddBytes) {
  TempDir dir;
  auto save_version = [&](const char* file) {
    const std::string path = dir.File(file);
    WriteFile(path, ReadFile(kBad + file));
    EXPECT_EQ(RunCli({"set", path, "version=9"}).status, 0) << file;
    EXPECT_EQ(RunCli({"get", path, "version"}).out, "9\n") << file;
    return ReadFile(path);
  };
  // Every byte stays, the keys the document lacks come after them.
  EXPECT_TRUE(save_version("bom.qlx").starts_with(ReadFile(kBad + std::string("bom.qlx"))));
  // Bytes that are no text are no document: nothing is written over them.
  for (const char* file : {"binary.qlx", "nul_bytes.qlx"}) {
    const std::string path = dir.File(file);
    WriteFile(path, ReadFile(kBad + file));
    const CliResult set = RunCli({"set", path, "version=9"});
    EXPECT_EQ(set.status, 1) << file;
    EXPECT_EQ(set.err, "quillory-cli: set: '" + path + "' is not a Quillory project document\n");
    EXPECT_EQ(ReadFile(path), ReadFile(kBad + file)) << file;
  }
  // A key that is there is replaced where it stands, with the line end it had; the empty last line stays
  // last.
  const std::string lone_cr = save_version("lone_cr.qlx");
  EXPECT_NE(lone_cr.find("[readme]\rprogram_name=Lone CR\rversion=9\rnews=a\xA4"
                         "b\r"),
            std::string::npos);
  EXPECT_TRUE(lone_cr.ends_with("todo=\r\n\r"));
}

// 200,000,000 bytes in one value: read whole, not cut at 2047 characters.
TEST(BadInput, AValueOf200MillionBytes) {
  TempDir dir;
  const std::string path = dir.File("huge.qlx");
  constexpr size_t kLength = 200'000'000;
  {
    std::string document = "[readme]\r\nprogram_name=Huge\r\nlicense=";
    document.append(kLength, 'L');
    document += "\xA4tail\r\n";
    WriteFile(path, document);
  }
  const ReadmeProject record = cli::LoadProject(path);
  EXPECT_EQ(record.program_name, "Huge");
  ASSERT_EQ(record.license.size(), kLength + 6);
  EXPECT_EQ(record.license.find_first_not_of('L'), kLength);
  EXPECT_TRUE(record.license.ends_with("L\r\ntail"));
}

// 1,000,000 lines: the key on the last one is found, and a save keeps every line before it.
TEST(BadInput, ADocumentOfAMillionLines) {
  TempDir dir;
  const std::string path = dir.File("million.qlx");
  std::string document = "[readme]\r\n";
  for (int line = 1; line < 999'999; ++line) {
    document += line % 2 == 0 ? "; note " + std::to_string(line) + "\r\n"
                              : "foreign" + std::to_string(line) + "=x\r\n";
  }
  document += "program_name=Million\r\n";
  WriteFile(path, document);

  EXPECT_EQ(RunCli({"get", path, "program_name"}).out, "Million\n");
  ASSERT_EQ(RunCli({"set", path, "version=9"}).status, 0);
  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved.compare(0, document.size(), document), 0);
  EXPECT_EQ(RunCli({"get", path, "version"}).out, "9\n");
}

// The command lines of cli_command_lines.txt: blocks of the exit status, the first line of standard error
// and the arguments, separated by empty lines.
struct CommandLine {
  int status;
  std::string first_error_line;
  std::vector<std::string> args;
};

std::string Unescape(const std::string& text, const std::string& dir) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 3, "DIR") == 0) {
      out += dir;
      i += 2;
    } else if (text.compare(i, 2, "\\n") == 0) {
      out += '\n';
      ++i;
    } else if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<CommandLine> CommandLines(const std::string& dir) {
  std::istringstream in(ReadFile(kBad + "cli_command_lines.txt"));
  std::vector<CommandLine> lines;
  std::vector<std::string> block;
  auto flush = [&] {
    if (block.size() >= 3) lines.push_back({std::stoi(block[0]), block[1], {block.begin() + 2, block.end()}});
    block.clear();
  };
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) {
      flush();
    } else {
      block.push_back(Unescape(line, dir));
    }
  }
  flush();
  return lines;
}

TEST(BadInput, WrongCommandLines) {
  TempDir dir;
  const std::string document = "[readme]\r\nprogram_name=P\r\n";
  WriteFile(dir.File("p.qlx"), document);
  const auto lines = CommandLines(dir.path());
  ASSERT_EQ(lines.size(), 20u);
  for (const auto& line : lines) {
    const CliResult result = RunCli(line.args);
    const std::string what = line.args.front() + " " + line.args.back();
    EXPECT_EQ(result.status, line.status) << what;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), line.first_error_line) << what;
    EXPECT_EQ(result.out, "") << what;
  }
  EXPECT_EQ(ReadFile(dir.File("p.qlx")), document);  // none of them touched the document
  EXPECT_EQ(testing::ListFolder(dir.path()), "p.qlx");
}

}  // namespace
}  // namespace quillory
