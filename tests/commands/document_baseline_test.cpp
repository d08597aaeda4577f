#include "commands/document_baseline.h"

#include <gtest/gtest.h>

#include "commands/file_commands.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeDialogs;
using testing::ReadFile;
using testing::TempDir;

struct Session {
  ReadmeProject record;
  WindowState window;
  DocumentBaseline baseline;
  FakeDialogs dialogs;
  Session() {
    NewProject(record, window);
    baseline.Reset(record);
  }
  bool MayDiscard() { return MayDiscardChanges(record, window, baseline, dialogs); }
};

TEST(DocumentBaseline, AsksOnlyWhenAStoredValueDiffersAndSaveDecides) {
  Session s;
  EXPECT_TRUE(s.MayDiscard());
  s.record.c3 = "red";  // a colour is stored too
  s.record.c3 = std::string(kDefaultC3);
  EXPECT_TRUE(s.MayDiscard());
  EXPECT_TRUE(s.dialogs.questions.empty());

  s.record.news = "x";
  s.dialogs.save_changes_answers = {SaveChangesAnswer::kCancel, SaveChangesAnswer::kDiscard,
                                    SaveChangesAnswer::kSave};
  EXPECT_FALSE(s.MayDiscard());
  EXPECT_TRUE(s.MayDiscard());
  EXPECT_FALSE(s.MayDiscard());  // Save refused: no program name
  EXPECT_EQ(s.dialogs.informations, std::vector<std::string>{"Program Name is required!"});
  EXPECT_EQ(s.dialogs.questions[0], "Save changes to the new project?");

  TempDir dir;
  s.record.program_name = "Tool";
  s.dialogs.save_changes_answers = {SaveChangesAnswer::kSave, SaveChangesAnswer::kSave};
  EXPECT_FALSE(s.MayDiscard());  // the save dialog cancelled
  s.dialogs.AnswerSave(dir.File("t"));
  EXPECT_TRUE(s.MayDiscard());
  EXPECT_NE(ReadFile(dir.File("t.qlx")).find("program_name=Tool"), std::string::npos);
  EXPECT_FALSE(s.baseline.IsModified(s.record));
  s.record.c1 = "#000";
  s.dialogs.questions.clear();
  EXPECT_TRUE(s.MayDiscard());
  EXPECT_EQ(s.dialogs.questions, std::vector<std::string>{"Save changes to t.qlx?"});
}

TEST(ClearAllUndo, UndoesOnceAndOnlyWhileNothingChanged) {
  ReadmeProject record;
  record.program_name = "Tool";
  record.todo = "a\r\nb";
  ClearAllUndo undo;
  EXPECT_FALSE(undo.CanUndo(record));
  undo.ClearAll(record);
  EXPECT_EQ(record.program_name, "");
  ASSERT_TRUE(undo.CanUndo(record));
  undo.Undo(record);
  EXPECT_EQ(record.program_name, "Tool");
  EXPECT_EQ(record.todo, "a\r\nb");
  EXPECT_FALSE(undo.CanUndo(record));

  undo.ClearAll(record);
  record.chr = "utf-8";  // the next change, a setting included
  EXPECT_FALSE(undo.CanUndo(record));
  undo.Undo(record);
  EXPECT_EQ(record.program_name, "");
  undo.ClearAll(record);
  undo.Forget();
  EXPECT_FALSE(undo.CanUndo(record));
}

}  // namespace
}  // namespace quillory
