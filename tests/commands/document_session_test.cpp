#include "commands/document_session.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeAssociationStore;
using testing::FakeDialogs;
using testing::TempDir;
using testing::WriteFile;
using Answer = SaveChangesAnswer;

// What a case does to the record between the start and its command.
enum class Before { kNothing, kClearAll, kTypeVersion };

// The command of a case, with what its dialogs answer.
enum class Command {
  kNew,
  kOpenOther,      // other.qlx (program name "Other")
  kOpenCancelled,  // the open dialog cancelled
  kOpenPicture,    // picture.qlx, which is no project document
  kSaveDocument,
  kSaveAsProject,  // DIR/copy.qlx
  kSaveAsExport,   // the first export type
  kDefault,
  kDefaultOverPicture,  // the start-up document replaced by a picture first
  kUndoClearAll,
  kCharsetUtf8,
};

void RunCommand(Command command, DocumentSession& s, FakeDialogs& dialogs, const TempDir& dir) {
  switch (command) {
    case Command::kNew:
      return s.New();
    case Command::kOpenOther:
      dialogs.AnswerOpen(dir.File("other.qlx"));
      return s.Open();
    case Command::kOpenCancelled:
      return s.Open();
    case Command::kOpenPicture:
      dialogs.AnswerOpen(dir.File("picture.qlx"));
      return s.Open();
    case Command::kSaveDocument:
      return s.Save();
    case Command::kSaveAsProject:
      dialogs.AnswerSave(dir.File("copy"), 1);
      return s.SaveAs();
    case Command::kSaveAsExport:
      dialogs.AnswerSave(dir.File("readme"), 2);
      return s.SaveAs();
    case Command::kDefaultOverPicture:
      WriteFile(dir.File("start.qlx"), std::string("\x89PNG\0", 5));
      return s.Default();
    case Command::kDefault:
      return s.Default();
    case Command::kUndoClearAll:
      return s.UndoClearAll();
    case Command::kCharsetUtf8:
      return s.ChooseCharset(CharsetItem::kUtf8);
  }
}

struct Case {
  const char* name;
  bool started_with_document;  // the command line named start.qlx (program name "Tool")
  Before before;
  std::vector<Answer> answers;  // to the save-changes question
  Command command;
  bool raises;
  size_t questions;          // asked by the command
  bool may_undo;             // Clear All can be undone afterwards
  bool unsaved;              // the record differs from the baseline afterwards
  std::string document;      // the title's document ("DIR/" for the folder), or empty for none
  std::string program_name;  // the record's afterwards
};

TEST(DocumentSession, EachCommandKeepsTheBaselineTheUndoAndTheTitleTogether) {
  using enum Before;
  using enum Command;
  using enum Answer;
  // clang-format off
  const Case cases[] = {
      {"New asks, then starts afresh",           true,  kClearAll,    {kDiscard}, kNew,           false, 1, false, false, "",          ""},
      {"New cancelled keeps everything",         true,  kClearAll,    {kCancel},  kNew,           false, 1, true,  true,  "start.qlx", ""},
      {"New after saving the change",            true,  kTypeVersion, {kSave},    kNew,           false, 1, false, false, "",          ""},
      {"Open adopts the document",               true,  kClearAll,    {kDiscard}, kOpenOther,     false, 1, false, false, "other.qlx", "Other"},
      {"Open with its dialog cancelled",         true,  kClearAll,    {kDiscard}, kOpenCancelled, false, 1, true,  true,  "start.qlx", ""},
      {"Open of what is no document",            true,  kTypeVersion, {kDiscard}, kOpenPicture,   true,  1, false, true,  "start.qlx", "Tool"},
      {"Save writes the document",               true,  kTypeVersion, {},         kSaveDocument,  false, 0, false, false, "start.qlx", "Tool"},
      {"Save refused without a program name",    true,  kClearAll,    {},         kSaveDocument,  false, 0, true,  true,  "start.qlx", ""},
      {"Save As a project",                      true,  kTypeVersion, {},         kSaveAsProject, false, 0, false, false, "DIR/copy.qlx", "Tool"},
      {"Save As an export leaves it unsaved",    true,  kTypeVersion, {},         kSaveAsExport,  false, 0, false, true,  "start.qlx", "Tool"},
      {"Default re-reads the start-up document", true,  kClearAll,    {kDiscard}, kDefault,       false, 1, false, false, "start.qlx", "Tool"},
      {"Default cancelled",                      true,  kClearAll,    {kCancel},  kDefault,       false, 1, true,  true,  "start.qlx", ""},
      {"Default over what is no longer a document", true, kClearAll,  {kDiscard}, kDefaultOverPicture, true, 1, false, false, "start.qlx", ""},
      {"Default without a start-up document",    false, kTypeVersion, {kCancel},  kDefault,       false, 0, false, true,  "",          ""},
      {"Undo Clear All",                         true,  kClearAll,    {},         kUndoClearAll,  false, 0, false, false, "start.qlx", "Tool"},
      {"A Character Set is a change",            true,  kNothing,     {},         kCharsetUtf8,   false, 0, false, true,  "start.qlx", "Tool"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir.File("start.qlx"), "[html]\r\nc1=navy\r\n[readme]\r\nprogram_name=Tool\r\n");
    WriteFile(dir.File("other.qlx"), "[readme]\r\nprogram_name=Other\r\n");
    WriteFile(dir.File("picture.qlx"), std::string("\x89PNG\r\n\x1A\n\0\0", 10));
    FakeDialogs dialogs;
    FakeAssociationStore store;
    std::vector<std::string> arguments;
    if (c.started_with_document) arguments.push_back(dir.File("start.qlx"));
    DocumentSession s(dialogs, store, {"/opt/q/quillory", arguments});
    s.Start();
    if (c.before == kClearAll) s.ClearAll();
    if (c.before == kTypeVersion) s.record().version = "2";

    dialogs.save_changes_answers.assign(c.answers.begin(), c.answers.end());
    bool raised = false;
    try {
      RunCommand(c.command, s, dialogs, dir);
    } catch (const Error&) {
      raised = true;
    }
    EXPECT_EQ(raised, c.raises);
    EXPECT_EQ(dialogs.questions.size(), c.questions);
    EXPECT_EQ(s.CanUndoClearAll(), c.may_undo);
    EXPECT_EQ(s.record().program_name, c.program_name);
    std::string document = c.document;
    if (document.starts_with("DIR/")) document.replace(0, 3, dir.path());
    EXPECT_EQ(s.window().title, document.empty() ? "Quillory v0.1" : "Quillory v0.1 - " + document);
    dialogs.questions.clear();
    dialogs.save_changes_answers.clear();
    EXPECT_TRUE(s.MayDiscard());  // unscripted: Discard
    EXPECT_EQ(dialogs.questions.size(), c.unsaved ? 1u : 0u);
  }
}

TEST(DocumentSession, WhatTheStartLeavesIsTheBaselineAlsoWhenTheAssociationFails) {
  TempDir dir;
  WriteFile(dir.File("start.qlx"), "[readme]\r\nprogram_name=Tool\r\n");
  FakeDialogs dialogs;
  FakeAssociationStore store;
  store.refuse_writes = true;
  DocumentSession s(dialogs, store, {"/opt/q/quillory", {dir.File("start.qlx")}});
  EXPECT_THROW(s.Start(), Error);
  EXPECT_EQ(s.record().program_name, "Tool");
  EXPECT_TRUE(s.MayDiscard());
  EXPECT_TRUE(dialogs.questions.empty());
}

}  // namespace
}  // namespace quillory
