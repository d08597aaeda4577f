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
  kOpenDropped,         // other.qlx by its path
  kOpenRecentPicture,   // picture.qlx from the recent documents
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
    case Command::kOpenDropped:
      return s.OpenDocument(dir.File("other.qlx"));
    case Command::kOpenRecentPicture:  // a stored list keeps eight paths, each once
      s.SetRecent({dir.File("picture.qlx"), dir.File("start.qlx"), dir.File("picture.qlx"), "/1", "/2", "/3",
                   "/4", "/5", "/6", "/7"});
      return s.OpenRecent(dir.File("picture.qlx"));
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
  size_t questions;                 // asked by the command
  bool may_undo;                    // Clear All can be undone afterwards
  bool unsaved;                     // the record differs from the baseline afterwards
  std::string document;             // the title's document, or empty for none
  std::string program_name;         // the record's afterwards
  std::vector<std::string> recent;  // the recent documents afterwards, by file name
};

TEST(DocumentSession, EachCommandKeepsTheBaselineTheUndoTheTitleAndTheRecentListTogether) {
  using enum Before;
  using enum Command;
  using enum Answer;
  // clang-format off
  const Case cases[] = {
      {"New asks, then starts afresh",           true,  kClearAll,    {kDiscard}, kNew,           false, 1, false, false, "",          "",      {"start.qlx"}},
      {"New cancelled keeps everything",         true,  kClearAll,    {kCancel},  kNew,           false, 1, true,  true,  "start.qlx", "",      {"start.qlx"}},
      {"New after saving the change",            true,  kTypeVersion, {kSave},    kNew,           false, 1, false, false, "",          "",      {"start.qlx"}},
      {"Open adopts the document",               true,  kClearAll,    {kDiscard}, kOpenOther,     false, 1, false, false, "other.qlx", "Other", {"other.qlx", "start.qlx"}},
      {"Open with its dialog cancelled",         true,  kClearAll,    {kDiscard}, kOpenCancelled, false, 1, true,  true,  "start.qlx", "",      {"start.qlx"}},
      {"Open of what is no document",            true,  kTypeVersion, {kDiscard}, kOpenPicture,   true,  1, false, true,  "start.qlx", "Tool",  {"start.qlx"}},
      {"A dropped document is opened",           false, kTypeVersion, {kDiscard}, kOpenDropped,   false, 1, false, false, "other.qlx", "Other", {"other.qlx"}},
      {"A recent document that is none leaves the list", true, kNothing, {},      kOpenRecentPicture, true, 0, false, false, "start.qlx", "Tool", {"start.qlx", "1", "2", "3", "4", "5", "6"}},
      {"Save writes the document",               true,  kTypeVersion, {},         kSaveDocument,  false, 0, false, false, "start.qlx", "Tool",  {"start.qlx"}},
      {"Save refused without a program name",    true,  kClearAll,    {},         kSaveDocument,  false, 0, true,  true,  "start.qlx", "",      {"start.qlx"}},
      {"Save As a project",                      true,  kTypeVersion, {},         kSaveAsProject, false, 0, false, false, "copy.qlx",  "Tool",  {"copy.qlx", "start.qlx"}},
      {"Save As an export leaves it unsaved",    true,  kTypeVersion, {},         kSaveAsExport,  false, 0, false, true,  "start.qlx", "Tool",  {"start.qlx"}},
      {"Default resets the colours and reads nothing", true, kTypeVersion, {},    kDefaultOverPicture, false, 0, false, true, "start.qlx", "Tool", {"start.qlx"}},
      {"Default without a start-up document",    false, kClearAll,    {},         kDefault,       false, 0, true,  false, "",          "",      {}},
      {"Undo Clear All",                         true,  kClearAll,    {},         kUndoClearAll,  false, 0, false, false, "start.qlx", "Tool",  {"start.qlx"}},
      {"A Character Set is a change",            true,  kNothing,     {},         kCharsetUtf8,   false, 0, false, true,  "start.qlx", "Tool",  {"start.qlx"}},
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
    EXPECT_EQ(WindowTitle(s.record()),
              c.document.empty() ? "Quillory v0.1" : c.document + " - Quillory v0.1");
    std::vector<std::string> recent;
    for (const std::string& path : s.recent().paths()) recent.push_back(LastPathComponent(path));
    EXPECT_EQ(recent, c.recent);
    if (c.command == kDefault || c.command == kDefaultOverPicture) {
      EXPECT_EQ(s.record().c1, "#f5f5f5");  // the start-up document's navy is gone
      EXPECT_TRUE(s.window().IsChecked(CharsetItem::kIso88591));
    }
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
