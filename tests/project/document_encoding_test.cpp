// How a project document's encoding is told, kept and changed, and how its values read in each encoding.

#include "project/document_encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "project/facts.h"
#include "project/project_file.h"
#include "project/stored_value.h"
#include "readme/text_readme.h"
#include "support/temp_dir.h"
#include "text/codepage.h"

namespace quillory {
namespace {

using E = DocumentEncoding;

TEST(DocumentEncoding, ToldFromTheBytes) {
  const std::pair<std::string, E> cases[] = {
      {"", E::kWindows1252},
      {"[readme]\r\nauthor=plain ASCII\r\n", E::kWindows1252},
      {"author=caf\xE9", E::kWindows1252},
      {"author=café", E::kUtf8},                  // what editors write today: no mark
      {"author=caf\xC3", E::kWindows1252},        // a sequence cut short
      {"author=café; caf\xE9", E::kWindows1252},  // not all of it well-formed
      {"\xEF\xBB\xBF[readme]", E::kUtf8WithMark},
      {std::string("\xFF\xFE[\0", 4), E::kUtf16Le},
      {std::string("\xFE\xFF\0[", 4), E::kUtf16Be},
  };
  for (const auto& [bytes, encoding] : cases) EXPECT_EQ(DetectDocumentEncoding(bytes), encoding) << bytes;
}

// Values as each encoding stores them: ¤ is the line break of a multi-line value (never the byte A4 inside
// another UTF-8 character), a plain character in a one-line value.
TEST(DocumentEncoding, ValuesReadInEachEncoding) {
  const std::pair<std::string, std::string> cases[] = {
      {"[readme]\r\nauthor=caf\xE9 \xA4\r\nnews=a\xA4"
       "b\xA4\xA4\r\n",
       "café ¤|a\r\nb\r\n\r\n"},
      {"[readme]\r\nauthor=café ¤\r\nnews=ä¤b\r\n", "café ¤|ä\r\nb"},
      // After a mark, stray 8-bit bytes read as Windows-1252 letters (a lone A4 as the line break).
      {"\xEF\xBB\xBF[readme]\r\nauthor=ő caf\xE9\r\nnews=caf\xE9\xA4x\r\n", "ő café|café\r\nx"},
  };
  for (const auto& [document, values] : cases) {
    SCOPED_TRACE(document);
    const ReadmeProject record = ProjectFromBytes(document);
    EXPECT_EQ(record.author + "|" + record.news, values);
  }
}

// Every golden document converted byte by byte from Windows-1252 to UTF-8 (by the C library's iconv) reads
// exactly like the original and renders the same text README, then in UTF-8.
TEST(DocumentEncoding, AnIconvConvertedDocumentReadsLikeTheOriginal) {
  iconv_t to_utf8 = iconv_open("UTF-8", "WINDOWS-1252");
  ASSERT_NE(to_utf8, reinterpret_cast<iconv_t>(-1));
  for (const char* folder : {"full", "name_copyright", "nfo_example", "text_example", "sha256"}) {
    SCOPED_TRACE(folder);
    std::string original = testing::ReadFile(std::string(QUILLORY_TEST_DATA) + "/" + folder + "/project.qlx");
    std::string converted(original.size() * 3, '\0');
    char* in = original.data();
    char* out = converted.data();
    size_t in_left = original.size(), out_left = converted.size();
    ASSERT_NE(iconv(to_utf8, &in, &in_left, &out, &out_left), static_cast<size_t>(-1));
    converted.resize(converted.size() - out_left);

    const ReadmeProject before = ProjectFromBytes(original);
    const ReadmeProject after = ProjectFromBytes(converted);
    EXPECT_EQ(after.encoding, converted == original ? E::kWindows1252 : E::kUtf8);
    for (const Fact& fact : Facts()) EXPECT_EQ(after.*fact.member, before.*fact.member) << fact.key;
    const std::string text = TextReadmeBytes(before);
    EXPECT_EQ(TextReadmeBytes(after),
              converted == original ? text : std::string(kUtf8Bom) + Cp1252ToUtf8(text));
    // A save keeps the converted document in UTF-8 without a mark.
    const std::string saved = ProjectDocumentBytes(after, converted);
    EXPECT_EQ(DetectDocumentEncoding(saved), after.encoding);
    EXPECT_EQ(ProjectFromBytes(saved).descript_uses, before.descript_uses);
  }
  iconv_close(to_utf8);
}

// A Windows-1252 document keeps every byte while its values fit; the first value that does not fit turns the
// whole of it (comments and unknown keys too) into UTF-8 after a mark, and so does one whose bytes would
// read as UTF-8. A UTF-8 document keeps its mark, or its lack of one.
TEST(DocumentEncoding, ADocumentKeepsItsEncodingUntilItCannot) {
  const std::string cp1252 = "; caf\xE9\r\n[readme]\r\nprogram_name=P\r\nold_key=\xA9\r\n";
  const struct {
    std::string existing;
    std::string author;
    E written;
    std::string starts;
  } cases[] = {
      {cp1252, "Kerényi ©", E::kWindows1252, "; caf\xE9\r\n[readme]\r\nprogram_name=P\r\nold_key=\xA9\r\n"},
      {"[readme]\r\nprogram_name=P\r\n", "plain", E::kWindows1252, "[readme]\r\nprogram_name=P\r\n"},
      {cp1252, "Łukasz", E::kUtf8WithMark,
       "\xEF\xBB\xBF; café\r\n[readme]\r\nprogram_name=P\r\nold_key=©\r\n"},
      {"[readme]\r\nprogram_name=P\r\n", "Ã©", E::kUtf8WithMark,
       "\xEF\xBB\xBF[readme]\r\nprogram_name=P\r\n"},
      {"; Pál\r\n[readme]\r\nprogram_name=P\r\n", "x", E::kUtf8, "; Pál\r\n[readme]\r\n"},
      {"\xEF\xBB\xBF[readme]\r\nprogram_name=P\r\n", "x", E::kUtf8WithMark, "\xEF\xBB\xBF[readme]\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.existing + " <- " + c.author);
    ReadmeProject record = ProjectFromBytes(c.existing);
    record.program_name = "P";
    record.author = c.author;
    E written{};
    const std::string bytes = ProjectDocumentBytes(record, c.existing, &written);
    EXPECT_EQ(written, c.written);
    EXPECT_TRUE(bytes.starts_with(c.starts)) << bytes;
    const ReadmeProject again = ProjectFromBytes(bytes);
    EXPECT_EQ(again.author, c.author);
    EXPECT_EQ(again.encoding, c.written);
  }
  // A new document is Windows-1252 while it can be; one saved from a record read elsewhere keeps that
  // record's encoding.
  ReadmeProject record;
  record.program_name = "Ő";
  EXPECT_TRUE(ProjectDocumentBytes(record, "").starts_with("\xEF\xBB\xBF[html]"));
  record.encoding = E::kUtf16Be;
  EXPECT_TRUE(ProjectDocumentBytes(record, "").starts_with(std::string("\xFE\xFF\0[", 4)));
}

// A literal ¤ in a multi-line value would read back as a line break: such a record is named before it is
// saved. In a one-line value ¤ is a character like any other.
TEST(DocumentEncoding, AMultiLineValueCannotHoldTheLineBreakMark) {
  ReadmeProject record;
  record.limitations = "¤";
  EXPECT_EQ(FindUnstorableText(record), nullptr);
  record.license = "ä a\r\nb";  // ä ends in the byte A4
  EXPECT_EQ(FindUnstorableText(record), nullptr);
  record.todo = "1 ¤ 2";
  ASSERT_NE(FindUnstorableText(record), nullptr);
  EXPECT_EQ(FindUnstorableText(record)->key, "todo");
}

}  // namespace
}  // namespace quillory
