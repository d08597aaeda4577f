#include "project/project_file.h"

#include <gtest/gtest.h>

#include <string_view>

#include "common/error.h"
#include "project/facts.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FullRecord;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

void ExpectSameStoredValues(const ReadmeProject& a, const ReadmeProject& b) {
  for (const Fact& fact : Facts()) EXPECT_EQ(a.*fact.member, b.*fact.member) << fact.key;
}

ReadmeProject DefaultRecord() {
  ReadmeProject record;
  SetHtmlDefaults(record);
  return record;
}

TEST(ProjectFile, NewDocumentLayout) {
  ReadmeProject record = DefaultRecord();
  record.program_name = "Example";
  std::string expected =
      "[html]\r\nc1=#f5f5f5\r\nc2=#000000\r\nc3=#8f8f8f\r\nc4=#eeeeee\r\nc5=#d4d0c8\r\nc6=#d4d0c8\r\n"
      "chr=iso-8859-1\r\n[readme]\r\nprogram_name=Example\r\n";
  for (const Fact* fact : ReleaseFacts()) {
    // An empty fact stored only when used (sha256) is left out of a new document.
    if (fact->key != "program_name" && fact->storage == Storage::kAlways) {
      expected += std::string(fact->key) + "=\r\n";
    }
  }
  EXPECT_EQ(ProjectDocumentBytes(record, ""), expected);
}

// Facts added after the first documents were written (sha256, ...) leave a document that does not use them
// as it was.
TEST(ProjectFile, FactsStoredOnlyWhenUsed) {
  size_t checked = 0;
  const Fact* before = nullptr;  // the last fact stored always, in storage order
  for (const Fact& fact : Facts()) {
    if (fact.storage == Storage::kAlways) {
      before = &fact;
      continue;
    }
    ++checked;
    SCOPED_TRACE(fact.key);
    const std::string key(fact.key), section(fact.section);
    ReadmeProject record = DefaultRecord();
    record.program_name = "Example";
    record.*fact.member = "ab12";
    // Written afresh: in storage order.
    ASSERT_NE(before, nullptr);
    EXPECT_NE(ProjectDocumentBytes(record, "").find(std::string(before->key) + "=\r\n" + key + "=ab12\r\n"),
              std::string::npos);

    // An older document without the key keeps its bytes while the value stays empty, and gets the key at
    // the end of its section once it is filled.
    const std::string older = "[" + section + "]\r\nzz=x\r\n[other]\r\nk=v\r\n";
    ReadmeProject read = ProjectFromBytes(older);
    const std::string unchanged = ProjectDocumentBytes(read, older);
    EXPECT_EQ(unchanged.find("\n" + key + "="), std::string::npos);
    read.*fact.member = "ab12";
    const std::string filled = ProjectDocumentBytes(read, unchanged);
    EXPECT_LT(filled.find("zz=x\r\n"), filled.find("\n" + key + "=ab12\r\n"));
    EXPECT_LT(filled.find("\n" + key + "=ab12\r\n"), filled.find("[other]"));

    // A document that has the key keeps it, emptied.
    (read.*fact.member).clear();
    const std::string emptied = ProjectDocumentBytes(read, filled);
    EXPECT_NE(emptied.find("\n" + key + "=\r\n"), std::string::npos);
    EXPECT_EQ(ProjectFromBytes(filled).*fact.member, "ab12");
  }
  EXPECT_GT(checked, 0u);
}

TEST(ProjectFile, EveryFieldComesBack) {
  TempDir dir;
  const ReadmeProject saved = FullRecord();
  WriteProjectDocument(saved, dir.File("full.qlx"));
  // Multi-line texts are stored on one line each, with 0xA4 for their line breaks.
  EXPECT_NE(ReadFile(dir.File("full.qlx"))
                .find("changelog=2.0.1: fixes\xA4\xA4\xA4"
                      "2.0: first\r\n"),
            std::string::npos);

  ReadmeProject read = DefaultRecord();
  ReadProjectDocumentBytes(read, ReadFile(dir.File("full.qlx")));
  ExpectSameStoredValues(read, saved);
}

TEST(ProjectFile, ValuesTheReaderChanges) {
  ReadmeProject record = DefaultRecord();
  record.program_name = "  padded  ";
  record.version = "\"quoted\"";
  record.descript_uses = "a¤b";  // a typed ¤ in a multi-line text
  ReadmeProject read = DefaultRecord();
  ReadProjectDocumentBytes(read, ProjectDocumentBytes(record, ""));
  EXPECT_EQ(read.program_name, "padded");
  EXPECT_EQ(read.version, "quoted");
  EXPECT_EQ(read.descript_uses, "a\r\nb");
}

TEST(ProjectFile, ReadingKeepsWhatTheDocumentLacks) {
  ReadmeProject record = DefaultRecord();
  record.c1 = "red";
  record.program_name = "kept";
  ReadProjectDocumentBytes(record, "[README]\r\nVERSION=3\r\n[html]\r\nchr=UTF-8\r\n");
  EXPECT_EQ(record.c1, "red");
  EXPECT_EQ(record.program_name, "kept");
  EXPECT_EQ(record.version, "3");
  EXPECT_EQ(record.chr, "UTF-8");
}

TEST(ProjectFile, SavingOverAnExistingDocumentKeepsForeignLines) {
  TempDir dir;
  const std::string path = dir.File("hand.qlx");
  WriteFile(path, "; my notes\n[Readme]\n  Program_Name = Old\nextra=1\n[mine]\nx=y\n");
  ReadmeProject record = DefaultRecord();
  record.program_name = "New";
  WriteProjectDocument(record, path);
  const std::string bytes = ReadFile(path);
  EXPECT_EQ(bytes.substr(0, 54), "; my notes\n[Readme]\nProgram_Name=New\nextra=1\nversion=\r");
  EXPECT_NE(bytes.find("[mine]\nx=y\n[html]\r\nc1=#f5f5f5\r\n"), std::string::npos);
  ReadmeProject read = DefaultRecord();
  ReadProjectDocumentBytes(read, ReadFile(path));
  EXPECT_EQ(read.program_name, "New");
}

TEST(ProjectFile, ExtensionRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"/d/notes.txt", "/d/notes.qlx"},
      {"/d/notes", "/d/notes.qlx"},
      {"/d/notes.qlx", "/d/notes.qlx"},
      {"/d/release 1.2", "/d/release 1.qlx"},
      {"/d/old.v2/report", "/d/old.v2/report.qlx"},
      {"/d/NOTES.QLX", "/d/NOTES.qlx"},
      {"/d/a.txt.txt", "/d/a.txt.qlx"},
      {"notes", "notes.qlx"},
  };
  for (const auto& [chosen, expected] : cases) EXPECT_EQ(ApplyExtension(chosen, ".qlx"), expected) << chosen;
}

TEST(ProjectFile, ReadingOddInput) {
  TempDir dir;
  ReadmeProject record = DefaultRecord();
  // A folder and binary bytes are refused; a name that names nothing gives nothing; a 0-byte document and
  // binary bytes read as nothing.
  EXPECT_THROW(ReadProjectDocumentFile(dir.path(), Readable::kRegularFileOnly), Error);
  const std::string binary("\x00\x01\xFF\xFE[\x00]=\x80\r\r\n\n", 14);
  WriteFile(dir.File("odd.qlx"), binary);
  EXPECT_THROW(ReadProjectDocumentFile(dir.File("odd.qlx"), Readable::kRegularFileOnly), Error);
  EXPECT_EQ(ReadProjectDocumentFile(dir.File("nothing-here.qlx"), Readable::kRegularFileOnly), std::nullopt);
  record.program_name = "unchanged";
  for (const std::string& bytes : {std::string(), binary}) {
    ReadProjectDocumentBytes(record, bytes);
    EXPECT_EQ(record.program_name, "unchanged");
    EXPECT_EQ(record.c1, std::string(kDefaultC1));
  }

  // 100,000 foreign lines around the keys, a 50 MB value, lone CR line ends.
  std::string big = "[readme]\r";
  for (int i = 0; i < 100000; ++i) big += "foreign" + std::to_string(i) + "=x\r";
  big += "license=" + std::string(50'000'000, 'L') + "\rprogram_name=Big\r";
  WriteFile(dir.File("big.qlx"), big);
  ReadProjectDocumentBytes(record, *ReadProjectDocumentFile(dir.File("big.qlx"), Readable::kRegularFileOnly));
  EXPECT_EQ(record.program_name, "Big");
  EXPECT_EQ(record.license.size(), 50'000'000u);
  WriteProjectDocument(record, dir.File("big.qlx"));
  const std::string rewritten = ReadFile(dir.File("big.qlx"));
  EXPECT_EQ(rewritten.compare(0, big.size(), big), 0);  // every byte kept, the missing keys added after
  ReadmeProject again = DefaultRecord();
  ReadProjectDocumentBytes(again, rewritten);
  EXPECT_EQ(again.license, record.license);
}

// UTF-16 text (ASCII and the few characters used here) with its byte-order mark.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
    out += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return out;
}

// A UTF-16 document is read by its encoding, keeps every character and is saved in its encoding again.
TEST(ProjectFile, Utf16DocumentsKeepEveryCharacterAndTheirEncoding) {
  for (bool big_endian : {false, true}) {
    const std::string document =
        Utf16(u"[readme]\r\nprogram_name=Zs\u00F3fia \u20AC \u03A9\r\nversion=1\r\n", big_endian);
    ReadmeProject record = ProjectFromBytes(document);
    EXPECT_EQ(record.program_name, "Zsófia € Ω");
    EXPECT_EQ(record.encoding, big_endian ? DocumentEncoding::kUtf16Be : DocumentEncoding::kUtf16Le);
    EXPECT_TRUE(IsProjectDocumentText(document));
    record.version = "2";
    record.news = "a\r\n\U0001F600";
    const std::string head =
        Utf16(u"[readme]\r\nprogram_name=Zs\u00F3fia \u20AC \u03A9\r\nversion=2\r\n", big_endian);
    EXPECT_EQ(ProjectDocumentBytes(record, document).substr(0, head.size()), head);
    EXPECT_EQ(ProjectFromBytes(ProjectDocumentBytes(record, document)).news, record.news);
  }
  EXPECT_FALSE(IsProjectDocumentText(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)));
  EXPECT_FALSE(IsProjectDocumentText(Utf16(std::u16string_view(u"[readme]\r\n\0", 11), false)));
  EXPECT_TRUE(IsProjectDocumentText(std::string(64 * 1024, 'x') + '\0'));  // beyond the first 64 KiB
}

}  // namespace
}  // namespace quillory
