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
  return program.empty() ? std::string() : RenderDocument(Named(program), Format::kNfo).bytes;
}

// One step: "show NAME" (the NFO tab shown with that program name), "show NAME yes|no" (with the answer to
// the replace question), "edit", "save" (the NFO tab's Save), "forget", or "close ANSWER" (MayDiscard,
// answered save, discard or cancel; "save" writes).
struct Case {
  const char* name;
  std::vector<std::string> steps;
  std::string built_from;  // the program name whose NFO the memo holds afterwards
  bool edited;             // the memo holds " edit" after it
  size_t questions;
  bool unsaved;
  std::string closes = "";  // what each close did: "+" went on, "-" stopped
};

TEST(NfoEdits, TheMemoIsRebuiltOnlyForAChangedRecordAndEditsAreLostOnlyWithConsent) {
  // clang-format off
  const Case cases[] = {
      {"the first show builds",                 {"show Tool"},                                     "Tool",  false, 0, false},
      {"an empty program name builds nothing",  {"show "},                                         "",      false, 0, false},
      {"the same record keeps the edits",       {"show Tool", "edit", "show Tool"},                "Tool",  true,  0, true},
      {"a changed record rebuilds unedited",    {"show Tool", "show Other"},                       "Other", false, 0, false},
      {"changed and edited: Yes replaces",      {"show Tool", "edit", "show Other yes"},           "Other", false, 1, false},
      {"No keeps, and is asked once",           {"show Tool", "edit", "show Other no", "show Other"}, "Tool", true, 1, true},
      {"after No the next change asks again",   {"show Tool", "edit", "show Other no", "show Third yes"}, "Third", false, 2, false},
      {"saved edits are kept, not unsaved",     {"show Tool", "edit", "save", "show Other no"},    "Tool",  true,  1, false},
      {"let go, the next show rebuilds",        {"show Tool", "edit", "forget", "show Other"},     "Other", false, 0, false},
      {"nothing edited: a close goes on",       {"show Tool", "close cancel"},                     "Tool",  false, 0, false, "+"},
      {"Cancel stops a close, Discard not",     {"show Tool", "edit", "close cancel", "close discard"}, "Tool", true, 2, true, "-+"},
      {"Save writes, then the close goes on",   {"show Tool", "edit", "close save"},               "Tool",  true,  1, false, "+"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    FakeNfoMemo memo;
    FakeDialogs dialogs;
    NfoEdits edits;
    std::string closes;
    for (const std::string& step : c.steps) {
      if (step == "edit") {
        memo.bytes += " edit";
      } else if (step == "save" || step == "close save") {
        dialogs.AnswerSave(dir.File("readme.nfo"));
      }
      if (step == "save") {
        EXPECT_TRUE(edits.Save(memo, dialogs));
      } else if (step == "forget") {
        edits.Forget(memo);
      } else if (step.starts_with("close ")) {
        const std::string answer = step.substr(6);
        dialogs.save_changes_answers.push_back(answer == "save"      ? SaveChangesAnswer::kSave
                                               : answer == "discard" ? SaveChangesAnswer::kDiscard
                                                                     : SaveChangesAnswer::kCancel);
        closes += edits.MayDiscard(memo, dialogs) ? "+" : "-";
        dialogs.save_changes_answers.clear();
      } else if (step.starts_with("show ")) {
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
    EXPECT_EQ(edits.HasUnsavedEdits(memo), c.unsaved);
    EXPECT_EQ(closes, c.closes);
  }
}

// A built NFO that writes characters as "?" says which, each time it is built, and only then.
TEST(NfoEdits, ABuildThatLosesCharactersSaysWhich) {
  FakeNfoMemo memo;
  FakeDialogs dialogs;
  NfoEdits edits;
  for (const char* program : {"Łódź", "日本", "日本", "Tool 😀"}) edits.Show(Named(program), memo, dialogs);
  EXPECT_EQ(dialogs.informations,
            (std::vector<std::string>{"日, 本 have no CP437 form and were written as \"?\" in the NFO.",
                                      "😀 has no CP437 form and was written as \"?\" in the NFO."}));
}

}  // namespace
}  // namespace quillory
