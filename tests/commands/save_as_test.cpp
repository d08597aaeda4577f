#include "commands/save_as.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "commands/file_commands.h"
#include "common/error.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeDialogs;
using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;

struct Session {
  ReadmeProject record;
  WindowState window;
  FakeDialogs dialogs;
  Session() {
    NewProject(record, window);
    record.program_name = "Tool 1.5";
  }
};

TEST(SaveAs, TheDialogAndTheEmptyProgramName) {
  Session s;
  s.record.program_name = "Café 日本";
  SaveAsCommand(s.record, s.window, s.dialogs);  // cancelled
  ASSERT_EQ(s.dialogs.save_requests.size(), 1u);
  const FileDialogRequest& request = s.dialogs.save_requests[0];
  EXPECT_EQ(request.filter,
            "Quillory file (*.qlx)|*.qlx|Text File (*.txt)|*.txt|(X)HTML 1.1 Document (*.html)|*.html"
            "|Markdown File (*.md)|*.md");
  EXPECT_EQ(request.filter_index, 1);
  EXPECT_EQ(request.file_name, "Café 日本 Readme");
  EXPECT_EQ(request.title, "Save As *.qlx or Export *.txt, *.html, *.md");

  s.record.program_name.clear();
  SaveAsCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.dialogs.save_requests.size(), 1u);
  EXPECT_EQ(s.dialogs.informations, std::vector<std::string>{"Program Name is required!"});
}

TEST(SaveAs, TargetNamesFollowTheChosenType) {
  TempDir dir;
  ::mkdir(dir.File("old.html").c_str(), 0755);
  Session s;
  const std::pair<std::string, int> answers[] = {
      {"Tool 1.5 Readme", 2}, {"notes.html", 2},      {"a.txt.txt", 2},
      {"NOTES.TXT", 2},       {"old.html/report", 3}, {"readme.txt", 4},
  };
  for (const auto& [name, index] : answers) {
    s.dialogs.AnswerSave(dir.File(name), index);
    SaveAsCommand(s.record, s.window, s.dialogs);
  }
  EXPECT_EQ(ListFolder(dir.path()), "NOTES.txt Tool 1.txt a.txt.txt notes.txt old.html readme.md");
  EXPECT_TRUE(ReadFile(dir.File("readme.md")).starts_with("# Tool 1.5\n\n## Program Info\n"));
  EXPECT_EQ(ListFolder(dir.File("old.html")), "report.html");
  EXPECT_TRUE(ReadFile(dir.File("old.html/report.html")).starts_with("<!-- Created Quillory v0.1 -->\r\n"));
  EXPECT_TRUE(ReadFile(dir.File("notes.txt")).starts_with("::::::::::::::::::\r\n:: PROGRAM INFO ::\r\n"));
  EXPECT_EQ(WindowTitle(s.record), "Quillory v0.1");  // exports adopt nothing
  EXPECT_EQ(s.record.document_path, "");
}

TEST(SaveAs, TheProjectTypeAdoptsTheNameAndSaveFollowsIt) {
  TempDir dir;
  Session s;
  s.dialogs.AnswerSave(dir.File("first"));
  SaveCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(WindowTitle(s.record), "first.qlx - Quillory v0.1");

  s.dialogs.AnswerSave(dir.File("Tool 1.5 Readme"), 1);
  SaveAsCommand(s.record, s.window, s.dialogs);
  EXPECT_EQ(s.record.document_path, dir.File("Tool 1.qlx"));
  EXPECT_EQ(WindowTitle(s.record), "Tool 1.qlx - Quillory v0.1");  // the file name, as after Open

  // An export afterwards leaves the document; Save still writes it.
  s.dialogs.AnswerSave(dir.File("export"), 3);
  SaveAsCommand(s.record, s.window, s.dialogs);
  s.record.version = "9";
  SaveCommand(s.record, s.window, s.dialogs);
  EXPECT_NE(ReadFile(dir.File("Tool 1.qlx")).find("version=9\r\n"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("first.qlx")).find("version=9"), std::string::npos);
  EXPECT_EQ(ListFolder(dir.path()), "Tool 1.qlx export.html first.qlx");

  // A text holding ¤ is exported as it is, but not saved: the document and its name stay.
  s.record.news = "a ¤ b";
  s.dialogs.AnswerSave(dir.File("export"), 2);
  SaveAsCommand(s.record, s.window, s.dialogs);
  EXPECT_NE(ReadFile(dir.File("export.txt")).find("a \xA4 b"), std::string::npos);
  s.dialogs.AnswerSave(dir.File("other"), 1);
  EXPECT_THROW(SaveAsCommand(s.record, s.window, s.dialogs), Error);
  EXPECT_EQ(s.record.document_path, dir.File("Tool 1.qlx"));
  EXPECT_EQ(ListFolder(dir.path()), "Tool 1.qlx export.html export.txt first.qlx");
}

}  // namespace
}  // namespace quillory
