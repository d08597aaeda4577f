#include "commands/nfo_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/error.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/fake_views.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeNfoMemo;
using testing::ReadFile;
using testing::TempDir;

TEST(NfoCommands, InsertionsReplaceTheSelectionAndMoveTheCaret) {
  FakeNfoMemo memo;
  memo.bytes = "ab-cd";
  memo.selection_start = 2;
  memo.selection_end = 2;
  InsertNfoByte(memo, 0xCD);  // ═
  InsertNfoByte(memo, 0xCD);
  InsertNfoByte(memo, 0xBB);  // ╗
  EXPECT_EQ(memo.bytes, "ab\xCD\xCD\xBB-cd");
  EXPECT_EQ(memo.selection_end, 5u);

  memo.selection_start = 0;
  memo.selection_end = 6;  // "ab═══-" selected
  InsertNfoByte(memo, 0xB3);
  EXPECT_EQ(memo.bytes,
            "\xB3"
            "cd");

  memo.SetBytes("");
  InsertRightsPhrase(memo);
  EXPECT_EQ(memo.bytes, " All Rights Reserved");

  FakeClock clock;
  clock.now = {14, 5};
  memo.SetBytes("");
  InsertDateText(memo, clock, CalendarDate{});  // the picker's first date
  InsertTimeText(memo, clock);
  EXPECT_EQ(memo.bytes, " 03.12.2006 14.05");
}

TEST(NfoCommands, Save) {
  TempDir dir;
  FakeNfoMemo memo;
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  memo.bytes = all;
  FakeDialogs dialogs;
  SaveNfoCommand(memo, dialogs);  // cancelled: nothing written
  EXPECT_EQ(testing::ListFolder(dir.path()), "");
  ASSERT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_EQ(dialogs.save_requests[0].title, "Save in NFO...");
  EXPECT_EQ(dialogs.save_requests[0].filter, "NFO file (*.nfo)|*.nfo");
  EXPECT_EQ(dialogs.save_requests[0].file_name, "");

  ::mkdir(dir.File("x.nfo").c_str(), 0755);
  for (const char* name : {"readme", "readme.txt", "my.notes", "x.nfo/file.NFO"}) {
    dialogs.AnswerSave(dir.File(name));
    SaveNfoCommand(memo, dialogs);
  }
  EXPECT_EQ(testing::ListFolder(dir.path()), "my.nfo readme.nfo x.nfo");
  EXPECT_EQ(ReadFile(dir.File("readme.nfo")), all);
  EXPECT_EQ(ReadFile(dir.File("x.nfo/file.nfo")), all);

  memo.bytes.clear();
  dialogs.AnswerSave(dir.File("readme.nfo"));
  SaveNfoCommand(memo, dialogs);
  EXPECT_EQ(ReadFile(dir.File("readme.nfo")), "");

  dialogs.AnswerSave(dir.File("gone/readme"));
  EXPECT_THROW(SaveNfoCommand(memo, dialogs), Error);
}

}  // namespace
}  // namespace quillory
