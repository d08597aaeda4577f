#include "commands/nfo_edits.h"

#include <gtest/gtest.h>

#include "render/render.h"
#include "support/fake_dialogs.h"
#include "support/fake_views.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeDialogs;
using testing::FakeNfoMemo;

ReadmeProject Named(const std::string& program) {
  ReadmeProject record;
  SetHtmlDefaults(record);
  record.program_name = program;
  return record;
}

std::string NfoOf(const std::string& program) {
  return program.empty() ? std::string() : RenderDocument(Named(program), Format::kNfo);
}

// One step: "show NAME" (the NFO tab shown with that program name), "show NAME yes|no" (with the answer to
// the replace question), "edit", "save" or "forget".
struct Case {
  const char* name;
  std::vector<std::string> steps;
  std::string built_from;  // the program name whose NFO the memo holds afterwards
  bool edited;             // the memo holds " edit" after it
  size_t questions;
  bool unsaved;
};

TEST(NfoEdits, TheMemoIsRebuiltOnlyForAChangedRecordAndEditsOnlyWithConsent) {
  // clang-format off
  const Case cases[] = {
      {"the first show builds",                 {"show Tool"},                                     "Tool",  false, 0, false},
      {"an empty program name builds nothing",  {"show "},                                         "",      false, 0, false},
      {"the same record keeps the edits",       {"show Tool", "edit", "show Tool"},                "Tool",  true,  0, true},
      {"a changed record rebuilds unedited",    {"show Tool", "show Other"},                       "Other", false, 0, false},
      {"changed and edited: Yes replaces",      {"show Tool", "edit", "show Other yes"},           "Other", false, 1, false},
      {"No keeps, and is asked once",           {"show Tool", "edit", "show Other no", "show Other"}, "Tool", true, 1, true},
      {"after No the next change asks again",   {"show Tool", "edit", "show Other no", "show Third yes"}, "Third", false, 2, false},
      {"saved edits are kept, not unsaved",     {"show Tool", "edit", "save"},                     "Tool",  true,  0, false},
      {"saved edits are still asked about",     {"show Tool", "edit", "save", "show Other no"},    "Tool",  true,  1, false},
      {"let go, the next show rebuilds",        {"show Tool", "edit", "forget", "show Other"},     "Other", false, 0, false},
      {"let go, nothing is unsaved",            {"show Tool", "edit", "forget"},                   "Tool",  true,  0, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    FakeNfoMemo memo;
    FakeDialogs dialogs;
    NfoEdits edits;
    for (const std::string& step : c.steps) {
      if (step == "edit") {
        memo.bytes += " edit";
      } else if (step == "save") {
        dialogs.AnswerSave(dir.File("readme.nfo"));
        EXPECT_TRUE(edits.Save(memo, dialogs));
      } else if (step == "forget") {
        edits.Forget(memo);
      } else {
        std::string program = step.substr(5);
        if (program.ends_with(" yes") || program.ends_with(" no")) {
          dialogs.confirm_answers.push_back(program.ends_with(" yes"));
          program.erase(program.rfind(' '));
        }
        edits.Show(Named(program), memo, dialogs);
      }
    }
    EXPECT_EQ(memo.bytes, NfoOf(c.built_from) + (c.edited ? " edit" : ""));
    EXPECT_EQ(dialogs.questions.size(), c.questions);
    for (const std::string& question : dialogs.questions) EXPECT_EQ(question, kReplaceNfoQuestion);
    EXPECT_EQ(edits.HasUnsavedEdits(memo), c.unsaved);
  }
}

TEST(NfoEdits, UnsavedEditsAreAskedAboutBeforeTheyAreLost) {
  const struct {
    const char* name;
    bool edited;
    std::optional<SaveChangesAnswer> answer;
    bool save_dialog_confirmed;
    bool goes_on;
    bool written;
  } cases[] = {
      {"nothing edited, nothing asked", false, std::nullopt, false, true, false},
      {"Discard goes on", true, SaveChangesAnswer::kDiscard, false, true, false},
      {"Cancel stops", true, SaveChangesAnswer::kCancel, false, false, false},
      {"Save writes, then goes on", true, SaveChangesAnswer::kSave, true, true, true},
      {"Save with its dialog cancelled stops", true, SaveChangesAnswer::kSave, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    FakeNfoMemo memo;
    FakeDialogs dialogs;
    NfoEdits edits;
    edits.Show(Named("Tool"), memo, dialogs);
    if (c.edited) memo.bytes += " edit";
    if (c.answer) dialogs.save_changes_answers.push_back(*c.answer);
    if (c.save_dialog_confirmed) dialogs.AnswerSave(dir.File("readme"));
    EXPECT_EQ(edits.MayDiscard(memo, dialogs), c.goes_on);
    EXPECT_EQ(dialogs.questions,
              c.answer ? std::vector<std::string>{"Save the NFO?"} : std::vector<std::string>{});
    EXPECT_EQ(testing::ListFolder(dir.path()), c.written ? "readme.nfo" : "");
    EXPECT_EQ(edits.HasUnsavedEdits(memo), c.edited && !c.written);
  }
}

}  // namespace
}  // namespace quillory
