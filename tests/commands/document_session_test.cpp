#include "commands/document_session.h"

#include <gtest/gtest.h>

#include <functional>

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

struct Case {
  const char* name;
  bool started_with_document;  // the command line named start.qlx (program name "Tool")
  Before before;
  std::vector<Answer> answers;  // to the save-changes question
  std::function<void(DocumentSession&, FakeDialogs&, const TempDir&)> command;
  bool raises;
  size_t questions;          // asked by the command
  bool may_undo;             // Clear All can be undone afterwards
  bool unsaved;              // the record differs from the baseline afterwards
  std::string document;      // the title's document ("DIR/" for the folder), or empty for none
  std::string program_name;  // the record's afterwards
};

void Open(const char* name, DocumentSession& s, FakeDialogs& dialogs, const TempDir& dir) {
  if (name) dialogs.AnswerOpen(dir.File(name));
  s.Open();
}

TEST(DocumentSession, EachCommandKeepsTheBaselineTheUndoAndTheTitleTogether) {
  const Case cases[] = {
      {"New asks, then starts afresh",
       true,
       Before::kClearAll,
       {Answer::kDiscard},
       [](auto& s, auto&, auto&) { s.New(); },
       false,
       1,
       false,
       false,
       "",
       ""},
      {"New cancelled keeps everything",
       true,
       Before::kClearAll,
       {Answer::kCancel},
       [](auto& s, auto&, auto&) { s.New(); },
       false,
       1,
       true,
       true,
       "start.qlx",
       ""},
      {"New after saving the change",
       true,
       Before::kTypeVersion,
       {Answer::kSave},
       [](auto& s, auto&, auto&) { s.New(); },
       false,
       1,
       false,
       false,
       "",
       ""},
      {"Open adopts the document",
       true,
       Before::kClearAll,
       {Answer::kDiscard},
       [](auto& s, auto& d, auto& dir) { Open("other.qlx", s, d, dir); },
       false,
       1,
       false,
       false,
       "other.qlx",
       "Other"},
      {"Open with its dialog cancelled",
       true,
       Before::kClearAll,
       {Answer::kDiscard},
       [](auto& s, auto& d, auto& dir) { Open(nullptr, s, d, dir); },
       false,
       1,
       true,
       true,
       "start.qlx",
       ""},
      {"Open of what is no document",
       true,
       Before::kTypeVersion,
       {Answer::kDiscard},
       [](auto& s, auto& d, auto& dir) { Open("picture.qlx", s, d, dir); },
       true,
       1,
       false,
       true,
       "start.qlx",
       "Tool"},
      {"Save writes the document",
       true,
       Before::kTypeVersion,
       {},
       [](auto& s, auto&, auto&) { s.Save(); },
       false,
       0,
       false,
       false,
       "start.qlx",
       "Tool"},
      {"Save refused for want of a program name",
       true,
       Before::kClearAll,
       {},
       [](auto& s, auto&, auto&) { s.Save(); },
       false,
       0,
       true,
       true,
       "start.qlx",
       ""},
      {"Save As a project",
       true,
       Before::kTypeVersion,
       {},
       [](auto& s, auto& d, auto& dir) {
         d.AnswerSave(dir.File("copy"), 1);
         s.SaveAs();
       },
       false,
       0,
       false,
       false,
       "DIR/copy.qlx",
       "Tool"},
      {"Save As an export leaves the change unsaved",
       true,
       Before::kTypeVersion,
       {},
       [](auto& s, auto& d, auto& dir) {
         d.AnswerSave(dir.File("readme"), 2);
         s.SaveAs();
       },
       false,
       0,
       false,
       true,
       "start.qlx",
       "Tool"},
      {"Default re-reads the start-up document",
       true,
       Before::kClearAll,
       {Answer::kDiscard},
       [](auto& s, auto&, auto&) { s.Default(); },
       false,
       1,
       false,
       false,
       "start.qlx",
       "Tool"},
      {"Default cancelled",
       true,
       Before::kClearAll,
       {Answer::kCancel},
       [](auto& s, auto&, auto&) { s.Default(); },
       false,
       1,
       true,
       true,
       "start.qlx",
       ""},
      {"Default over a start-up document that is no longer one",
       true,
       Before::kClearAll,
       {Answer::kDiscard},
       [](auto& s, auto&, auto& dir) {
         WriteFile(dir.File("start.qlx"), std::string("\x89PNG\0", 5));
         s.Default();
       },
       true,
       1,
       false,
       false,
       "start.qlx",
       ""},
      {"Default without a start-up document asks nothing",
       false,
       Before::kTypeVersion,
       {Answer::kCancel},
       [](auto& s, auto&, auto&) { s.Default(); },
       false,
       0,
       false,
       true,
       "",
       ""},
      {"Undo Clear All",
       true,
       Before::kClearAll,
       {},
       [](auto& s, auto&, auto&) { s.UndoClearAll(); },
       false,
       0,
       false,
       false,
       "start.qlx",
       "Tool"},
      {"A Character Set is a change",
       true,
       Before::kNothing,
       {},
       [](auto& s, auto&, auto&) { s.ChooseCharset(CharsetItem::kUtf8); },
       false,
       0,
       false,
       true,
       "start.qlx",
       "Tool"},
  };
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
    if (c.before == Before::kClearAll) s.ClearAll();
    if (c.before == Before::kTypeVersion) s.record().version = "2";

    dialogs.save_changes_answers.assign(c.answers.begin(), c.answers.end());
    bool raised = false;
    try {
      c.command(s, dialogs, dir);
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
