#include "commands/file_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "commands/save_as.h"
#include "common/error.h"
#include "project/project_file.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeDialogs;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct Session {
  ReadmeProject record;
  WindowState window;
  FakeDialogs dialogs;
  Session() { NewProject(record, window); }
};

TEST(SaveCommand, RefusesAnEmptyProgramName) {
  Session s;
  s.record.version = "1";
  SaveCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.dialogs.informations, std::vector<std::string>{"Program Name is required!"});
  EXPECT_TRUE(s.dialogs.save_requests.empty());
  EXPECT_EQ(WindowTitle(s.record), "Quillory v0.1");
}

TEST(SaveCommand, FirstSaveAsksAndAdoptsTheName) {
  TempDir dir;
  Session s;
  s.record.program_name = "Tool";
  s.dialogs.save_answers.push_back(std::nullopt);  // cancelled first
  SaveCommand(s.record, s.window, s.dialogs);
  EXPECT_TRUE(s.record.document_path.empty());

  s.dialogs.AnswerSave(dir.File("notes.txt"));
  SaveCommand(s.record, s.window, s.dialogs);
  ASSERT_EQ(s.dialogs.save_requests.size(), 2u);
  EXPECT_EQ(s.dialogs.save_requests[1].filter, "Quillory file (*.qlx)|*.qlx");
  EXPECT_EQ(s.dialogs.save_requests[1].file_name, "");
  EXPECT_EQ(s.dialogs.save_requests[1].title, "");
  EXPECT_EQ(s.record.document_path, dir.File("notes.qlx"));
  EXPECT_EQ(WindowTitle(s.record), "notes.qlx - Quillory v0.1");
  EXPECT_NE(ReadFile(dir.File("notes.qlx")).find("program_name=Tool\r\n"), std::string::npos);

  // With a document: no dialog, title unchanged, and a deleted file is created again.
  std::filesystem::remove(dir.File("notes.qlx"));
  s.record.version = "2";
  SaveCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.dialogs.save_requests.size(), 2u);
  EXPECT_EQ(WindowTitle(s.record), "notes.qlx - Quillory v0.1");
  EXPECT_NE(ReadFile(dir.File("notes.qlx")).find("version=2\r\n"), std::string::npos);
}

TEST(SaveCommand, FailureKeepsTheNewNameAndReportsThePath) {
  TempDir dir;
  Session s;
  s.record.program_name = "Tool";
  s.dialogs.AnswerSave(dir.File("gone/a.qlx"));
  try {
    SaveCommand(s.record, s.window, s.dialogs);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.File("gone/a.qlx"));
  }
  EXPECT_EQ(s.record.document_path, dir.File("gone/a.qlx"));
  EXPECT_EQ(WindowTitle(s.record), "a.qlx - Quillory v0.1");
}

TEST(OpenCommand, ReplacesTheFactsAndKeepsMissingSettings) {
  TempDir dir;
  Session s;
  s.record.c1 = "red";
  s.record.author = "someone";
  s.dialogs.open_answers.push_back(std::nullopt);
  OpenCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.record.author, "someone");

  WriteFile(dir.File("doc.txt"), "[readme]\r\nprogram_name=Opened\r\n[html]\r\nchr=iso-8859-2\r\n");
  s.dialogs.AnswerOpen(dir.File("doc.txt"));
  OpenCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.dialogs.open_requests.back().filter, "Quillory file (*.qlx)|*.qlx");
  EXPECT_EQ(s.record.program_name, "Opened");
  EXPECT_EQ(s.record.author, "");
  EXPECT_EQ(s.record.c1, "red");
  EXPECT_EQ(s.record.document_path, dir.File("doc.txt"));
  EXPECT_EQ(WindowTitle(s.record), "doc.txt - Quillory v0.1");
  EXPECT_TRUE(s.window.IsChecked(CharsetItem::kIso88592));
}

TEST(OpenCommand, MissingAndUnreadableFiles) {
  TempDir dir;
  Session s;
  s.record.program_name = "before";
  // A typed name that does not exist: empty facts, adopted path, and a later Save creates it.
  s.dialogs.AnswerOpen(dir.File("new.qlx"));
  OpenCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.record.program_name, "");
  EXPECT_EQ(WindowTitle(s.record), "new.qlx - Quillory v0.1");
  s.record.program_name = "Later";
  SaveCommand(s.record, s.window, s.dialogs);
  EXPECT_NE(ReadFile(dir.File("new.qlx")).find("program_name=Later"), std::string::npos);

  // A folder cannot be read: an error, and nothing changes.
  s.dialogs.AnswerOpen(dir.path());
  EXPECT_THROW(OpenCommand(s.record, s.window, s.dialogs), Error);
  EXPECT_EQ(s.record.program_name, "Later");
  EXPECT_EQ(s.record.document_path, dir.File("new.qlx"));
}

TEST(WindowState, NewAndClearAll) {
  Session s;
  s.record.program_name = "x";
  s.record.license_type = "GPL";
  s.record.c5 = "red";
  s.record.document_path = "/d/a.qlx";
  ChooseCharset(s.record, s.window, CharsetItem::kUtf8);
  ClearAll(s.record);
  EXPECT_EQ(s.record.program_name, "");
  EXPECT_EQ(s.record.license_type, "");
  EXPECT_EQ(s.record.c5, "red");
  EXPECT_EQ(s.record.chr, "utf-8");
  EXPECT_EQ(s.record.document_path, "/d/a.qlx");
  EXPECT_EQ(WindowTitle(s.record), "a.qlx - Quillory v0.1");

  NewProject(s.record, s.window);
  EXPECT_EQ(s.record.c5, "#d4d0c8");
  EXPECT_EQ(s.record.c6, "#d4d0c8");
  EXPECT_EQ(s.record.chr, "iso-8859-1");
  EXPECT_TRUE(s.window.IsChecked(CharsetItem::kIso88591));
  EXPECT_FALSE(s.window.IsChecked(CharsetItem::kUtf8));
  EXPECT_EQ(s.record.document_path, "");
  EXPECT_EQ(WindowTitle(s.record), "Quillory v0.1");
}

// Open refuses what is no project document (not text, no [html] or [readme] section, or no regular file)
// at once, and changes nothing.
TEST(OpenCommand, RefusesFilesThatAreNoDocuments) {
  TempDir dir;
  Session s;
  s.record.program_name = "kept";
  const std::string picture = dir.File("picture.qlx");
  WriteFile(picture, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  const std::string notes = dir.File("notes.txt");
  WriteFile(notes, "Buy milk\r\n[todo]\r\nhtml=later\r\n");
  const std::string fifo = dir.File("fifo.qlx");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {
      {picture, "\"" + picture + "\" is not a Quillory project document"},
      {notes, "\"" + notes + "\" is not a Quillory project document"},
      {fifo, "\"" + fifo + "\" is not a regular file"},
      {"/dev/zero", "\"/dev/zero\" is not a regular file"},
  };
  for (const auto& [path, message] : cases) {
    s.dialogs.AnswerOpen(path);
    try {
      OpenCommand(s.record, s.window, s.dialogs);
      ADD_FAILURE() << "no error for " << path;
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), message);
    }
    EXPECT_EQ(s.record.program_name, "kept");
    EXPECT_EQ(WindowTitle(s.record), "Quillory v0.1");
  }
  SaveCommand(s.record, s.window, s.dialogs);  // no document: nothing is written over the picture
  EXPECT_EQ(ReadFile(picture).size(), 16u);
}

// A save writes over a project document (keeping its other lines) or an empty file; any other file is
// refused by Save with the document's name, and replaced whole where the user chose it in a save dialog.
TEST(SaveCommand, WritesOnlyOverProjectDocumentsOrWhereTheUserChoseToReplace) {
  enum class Via { kDocument, kSaveDialog, kSaveAs };
  const struct {
    Via via;
    std::string existing;
    bool refused;
    bool kept;  // the existing file's line "mine" is still there
  } cases[] = {
      {Via::kDocument, "[readme]\r\nmine\r\n", false, true},
      {Via::kDocument, "", false, false},
      {Via::kDocument, "mine\r\n", true, true},
      {Via::kSaveDialog, "[HTML]\r\nmine\r\n", false, true},
      {Via::kSaveDialog, "mine\r\n", false, false},
      {Via::kSaveAs, "mine\r\n", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.existing + " via " + std::to_string(static_cast<int>(c.via)));
    TempDir dir;
    const std::string path = dir.File("doc.qlx");
    WriteFile(path, c.existing);
    Session s;
    s.record.program_name = "Tool";
    if (c.via == Via::kDocument) s.record.document_path = path;
    s.dialogs.AnswerSave(dir.File("doc"));
    std::string message;
    try {
      c.via == Via::kSaveAs ? SaveAsCommand(s.record, s.window, s.dialogs)
                            : SaveCommand(s.record, s.window, s.dialogs);
    } catch (const Error& error) {
      message = error.what();
    }
    EXPECT_EQ(message, c.refused ? "\"" + path + "\" is not a Quillory project document" : "");
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes.find("mine") != std::string::npos, c.kept) << bytes;
    EXPECT_EQ(bytes.find("program_name=Tool") != std::string::npos, !c.refused) << bytes;
  }
}

}  // namespace
}  // namespace quillory
